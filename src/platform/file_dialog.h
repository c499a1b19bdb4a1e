#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace platform {

/// The desktop's file-open dialog. A window service, so it speaks Qt.
class FileDialog {
public:
    virtual ~FileDialog() = default;
    /// Shows a file-open dialog over the parent and returns when it closes. The filters are
    /// entries such as "Programs (*)", the first one selected; an entry whose pattern is "*" alone
    /// lists folders and executable files only. startPath is the file or folder
    /// the dialog starts at. Returns the full path of the chosen file, or an empty string when
    /// the user cancels.
    virtual QString getOpenFileName(QWidget* parent, const QString& startPath,
                                    const QStringList& filters) = 0;
};

} // namespace platform
