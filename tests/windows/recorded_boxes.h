#pragma once

#include "platform/message_boxes.h"

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
