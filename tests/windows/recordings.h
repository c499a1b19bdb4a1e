#pragma once

#include "platform/message_boxes.h"
#include "platform/process_control.h"

#include <cstdint>
#include <string>
#include <vector>

/// Message boxes that show nothing and keep each text, for the window tests.
struct RecordedBoxes final : platform::MessageBoxes {
    std::vector<std::string> shown;
    void show(const std::string& text, const std::string& /*title*/,
              platform::MessageIcon /*icon*/) override {
        shown.push_back(text);
    }
};

/// Ends of the program that end nothing and are kept with their exit codes (0 when immediate).
struct RecordedEnd final : platform::ProcessControl {
    std::vector<std::uint32_t> ends;
    int platformId() override { return 2; }
    void createInstanceLock(const std::string&) override {}
    std::uint32_t currentExitCode() override { return 259; }
    void terminateCurrentProcess(std::uint32_t code) override { ends.push_back(code); }
    void endImmediately() override { ends.push_back(0); }
};
