#pragma once

#include "platform/file_dialog.h"

#include <string>

namespace platform {

/// Starts programs and opens addresses and files in the desktop's own applications.
class Launcher {
public:
    virtual ~Launcher() = default;
    /// Starts a command line (a program, maybe with arguments) as a new process, without
    /// waiting for it, never through a shell (a Windows batch file runs in the command shell,
    /// which reads none of its arguments). A text that names an existing file as a whole is that
    /// program, blanks and all; otherwise the first word is the program, and double quotes group
    /// words that hold blanks. Throws std::runtime_error, whose what() describes the failure, when
    /// it cannot be started (missing, not executable, not a program).
    virtual void runProgram(const std::string& commandLine) = 0;
    /// Opens an http or https address (core::webAddressToOpen gives only such addresses) in a
    /// new window of the desktop's browser, handed to the browser alone, so that nothing reads
    /// it as a command; an empty address opens a new, blank window.
    /// Throws std::runtime_error when the desktop refuses.
    virtual void openUrl(const std::string& url) = 0;
    /// Opens a local file with the desktop's default application, on behalf of the owner
    /// window. Returns a value greater than 32 on success and 32 or less on failure (a missing
    /// file is a failure).
    virtual int openFile(const std::string& path) = 0;
    /// The program's main window, which the desktop's windows opened for the program belong
    /// to; null (the default) for none.
    virtual void setOwnerWindow(WindowHandle /*window*/) {}
};

} // namespace platform
