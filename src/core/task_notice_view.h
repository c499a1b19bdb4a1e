#pragma once

#include <string>

namespace core {

/// Where the scheduled task shows outside the windows: the tray icon's tool tip and the warning
/// before the task turns off, logs off, restarts or hibernates the computer. A shell implements
/// it with its tray and notification services; TaskNotice decides every text it is given.
class TaskNoticeView {
public:
    virtual ~TaskNoticeView() = default;
    /// The tray icon's tool tip: its title ("Corvane 4.0") and the line under it, empty while no
    /// task is armed. A tray with one text joins them with trayTipText.
    virtual void showTrayTip(const std::string& title, const std::string& line) = 0;
    /// Shows the warning with a way to cancel the task; the shell calls TaskNotice::cancelTask
    /// when the user takes it and TaskNotice::warningClosed when the warning goes otherwise.
    virtual void showWarning(const std::string& text) = 0;
    /// Takes the warning away (the task was cancelled, replaced or has run).
    virtual void withdrawWarning() = 0;
};

} // namespace core
