#include "shell/qt/tray_notice.h"

#include "shell/qt/tray_menu.h"

namespace qtshell {

TrayNotice::TrayNotice(core::AppState& state, platform::Services& services, TrayMenu& tray, QObject* parent)
    : QObject(parent), m_tray(tray), m_rules(state, services, *this) {
    connect(&m_notifications, &DesktopNotifications::cancelled, this, [this] { m_rules.cancelTask(); });
    connect(&m_notifications, &DesktopNotifications::closed, this, [this] { m_rules.warningClosed(); });
}

void TrayNotice::showTrayTip(const std::string& title, const std::string& line) {
    (void)title;
    // An XEmbed tray shows the two lines; a StatusNotifierItem host gets the same text (Qt hands
    // a tray icon's whole tip to the host as the tip's title).
    m_tray.setTip(QString::fromStdString(core::trayTipText(line)));
}

void TrayNotice::showWarning(const std::string& text) {
    m_notifications.show(QString::fromStdString(text));
}

void TrayNotice::withdrawWarning() {
    m_notifications.close();
}

} // namespace qtshell
