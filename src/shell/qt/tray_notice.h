#pragma once

#include "core/task_notice.h"
#include "shell/qt/desktop_notifications.h"

#include <QObject>

namespace qtshell {

class TrayMenu;

/// The armed task on the desktop: the tray icon's tool tip and the warning as a desktop
/// notification with Cancel, a view over core::TaskNotice, which decides both.
class TrayNotice final : public QObject, public core::TaskNoticeView {
    Q_OBJECT

public:
    /// The state, the services and the tray menu outlive this object.
    TrayNotice(core::AppState& state, platform::Services& services, TrayMenu& tray,
               QObject* parent = nullptr);

    core::TaskNotice& rules() { return m_rules; }

    // core::TaskNoticeView
    void showTrayTip(const std::string& title, const std::string& line) override;
    void showWarning(const std::string& text) override;
    void withdrawWarning() override;

private:
    TrayMenu& m_tray;
    DesktopNotifications m_notifications;
    core::TaskNotice m_rules;
};

} // namespace qtshell
