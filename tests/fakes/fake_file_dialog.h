#pragma once

#include "platform/file_dialog.h"

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

    QString getOpenFileName(QWidget* /*parent*/, const QString& startPath,
                            const QStringList& filters) override {
        calls.push_back({startPath, filters});
        if (results.empty()) {
            return QString();
        }
        QString result = results.front();
        results.pop_front();
        return result;
    }
};

} // namespace fakes
