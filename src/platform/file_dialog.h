#pragma once

#include <string>
#include <vector>

namespace platform {

/// A window of the program's that a dialog belongs to (a QWidget* in the Qt windows, an HWND
/// in the Windows ones); null for none.
using WindowHandle = void*;

/// The desktop's file-open dialog.
class FileDialog {
public:
    virtual ~FileDialog() = default;
    /// Shows a file-open dialog over the parent and returns when it closes. The filters are
    /// entries such as "Programs (*)", the first one selected; an entry whose pattern is "*" alone
    /// lists folders and executable files only. startPath is the file or folder the dialog
    /// starts at. Returns the full path (UTF-8) of the chosen file, or an empty string when the
    /// user cancels.
    virtual std::string getOpenFileName(WindowHandle parent, const std::string& startPath,
                                        const std::vector<std::string>& filters) = 0;
    /// The filter entries for choosing a program to run, as this system names its programs.
    virtual std::vector<std::string> programFilters() = 0;
};

} // namespace platform
