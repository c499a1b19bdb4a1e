#pragma once

#include "platform/file_dialog.h"

#include <deque>
#include <string>
#include <vector>

namespace fakes {

/// A file dialog that hands back scripted results; an empty result is a cancel.
class FakeFileDialog final : public platform::FileDialog {
public:
    struct Call {
        platform::WindowHandle parent;
        std::string startPath;
        std::vector<std::string> filters;
    };
    std::deque<std::string> results;
    std::vector<Call> calls;
    std::vector<std::string> programs = {"Programs (*)", "Shell scripts (*.sh)"};

    std::vector<std::string> programFilters() override { return programs; }

    std::string getOpenFileName(platform::WindowHandle parent, const std::string& startPath,
                                const std::vector<std::string>& filterEntries) override {
        calls.push_back({parent, startPath, filterEntries});
        if (results.empty()) {
            return {};
        }
        std::string result = results.front();
        results.pop_front();
        return result;
    }
};

} // namespace fakes
