#include "app/tray_menu.h"

#include <QCursor>
#include <QIcon>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcTray, "corvane.tray")

namespace {

// Mouse messages a tray callback carries.
constexpr int kMouseMove = 512;
constexpr int kLeftDown = 513;
constexpr int kLeftDoubleClick = 515;
constexpr int kRightDown = 516;
constexpr int kMiddleDown = 519;

} // namespace

TrayMenu::TrayMenu(QWidget* window) : m_window(window) {
    // The menu lives in the hidden "Base" of the window; the tray icon shows it.
    menu = new QMenu(QStringLiteral("Menu"), m_window);
    about = menu->addAction(QStringLiteral("About"));
    aboutSeparator = menu->addSeparator();
    options = menu->addAction(QStringLiteral("Options "));
    scheduleTask = menu->addAction(QStringLiteral("Schedule Task"));
    exitSeparator = menu->addSeparator();
    minimize = menu->addAction(QStringLiteral("Minimize"));
    exit = menu->addAction(QStringLiteral("Exit Corvane"));

    QFont bold = scheduleTask->font();
    bold.setBold(true);
    scheduleTask->setFont(bold);
    menu->setDefaultAction(scheduleTask);
}

TrayMenu::~TrayMenu() = default;

void TrayMenu::showIcon(std::function<void(int mouseMessage)> onMouseMessage) {
    // The theme's icon by name where the desktop has one (a StatusNotifierItem host draws it
    // itself), the program's own picture otherwise.
    m_icon = new QSystemTrayIcon(
        QIcon::fromTheme(QStringLiteral("corvane"), QIcon(QStringLiteral(":/icons/corvane.svg"))), m_window);
    m_icon->setToolTip(QStringLiteral("Corvane 4.0"));
    // Set on the icon, the menu is also exported over D-Bus, so a StatusNotifierItem host can show
    // it where it shows its menus. An XEmbed tray still reports the right-button press.
    m_icon->setContextMenu(menu);
    QObject::connect(m_icon, &QSystemTrayIcon::activated, m_window,
                     [onMouseMessage = std::move(onMouseMessage)](QSystemTrayIcon::ActivationReason reason) {
                         switch (reason) {
                         case QSystemTrayIcon::Context:
                             onMouseMessage(kRightDown);
                             break;
                         case QSystemTrayIcon::Trigger:
                             onMouseMessage(kLeftDown);
                             break;
                         case QSystemTrayIcon::DoubleClick:
                             onMouseMessage(kLeftDoubleClick);
                             break;
                         case QSystemTrayIcon::MiddleClick:
                             onMouseMessage(kMiddleDown);
                             break;
                         case QSystemTrayIcon::Unknown:
                             onMouseMessage(kMouseMove);
                             break;
                         }
                     });
    m_icon->show();
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        qCWarning(lcTray).noquote() << "No system tray on this desktop: the menu (Options, Schedule Task, "
                                       "Exit Corvane) opens with a right-click on the main window.";
    }
}

void TrayMenu::hideIcon() {
    if (m_icon != nullptr) {
        m_icon->hide();
    }
}

void TrayMenu::makeOwner() {
    m_owner = std::make_unique<TrayMenuOwner>();
}

void TrayMenu::mouseMessage(double message) {
    if (m_owner) {
        m_owner->activateWindow();
    }
    // The tray may have opened the menu itself just before it reported the press.
    if (message == kRightDown && !menu->isVisible()) {
        menu->popup(QCursor::pos());
    }
}
