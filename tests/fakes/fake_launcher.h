#pragma once

#include "platform/launcher.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace fakes {

/// Records what was started or opened; each kind can be told to fail.
class FakeLauncher final : public platform::Launcher {
public:
    std::vector<std::string> programs; ///< command lines, also those that failed
    std::vector<std::string> urls;
    std::vector<std::string> files;
    bool failRun = false;
    bool failUrl = false;
    int openFileResult = 42; ///< above 32 is success

    void runProgram(const std::string& commandLine) override {
        programs.push_back(commandLine);
        if (failRun) {
            throw std::runtime_error("The program \"" + commandLine + "\" does not exist.");
        }
    }
    void openUrl(const std::string& url) override {
        urls.push_back(url);
        if (failUrl) {
            throw std::runtime_error("The desktop has no browser to open \"" + url + "\".");
        }
    }
    int openFile(const std::string& path) override {
        files.push_back(path);
        return openFileResult;
    }
};

} // namespace fakes
