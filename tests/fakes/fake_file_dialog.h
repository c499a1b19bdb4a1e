#pragma once

#include "platform/file_dialog.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <vector>

namespace fakes {

/// A file dialog that hands back scripted results; an empty result is a cancel.
class FakeFileDialog final : public platform::FileDialog {
public:
    struct Call {
        QString startPath;
        QStringList filters;
    };
    std::deque<QString> results;
    std::vector<Call> calls;
    std::vector<std::string> programs = {"Programs (*)", "Shell scripts (*.sh)"};

    std::vector<std::string> programFilters() override { return programs; }

    std::string getOpenFileName(platform::WindowHandle /*parent*/, const std::string& startPath,
                                const std::vector<std::string>& filterEntries) override {
        QStringList filters;
        for (const std::string& entry : filterEntries) {
            filters << QString::fromStdString(entry);
        }
        calls.push_back({QString::fromStdString(startPath), filters});
        if (results.empty()) {
            return {};
        }
        QString result = results.front();
        results.pop_front();
        return result.toStdString();
    }
};

} // namespace fakes
