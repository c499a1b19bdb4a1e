#include "shell/qt/tray_menu.h"

#include "shell/qt/control_names.h"

#include <QCursor>
#include <QGuiApplication>
#include <QIcon>
#include <QLoggingCategory>
#include <QStringList>

namespace qtshell {

Q_LOGGING_CATEGORY(lcTray, "corvane.tray")

namespace {

// The window's tool tip without a tray, in lines of a tool tip's width.
const QString kNoTrayHint = QStringLiteral("There is no tray on this desktop for Corvane's icon.\n"
                                           "Right-click this window (or press the menu key) for its menu:\n"
                                           "About, Options, Schedule Task, Minimize, Exit Corvane.");

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
    nameControls({{menu, "menu"},
                  {about, "about"},
                  {aboutSeparator, "aboutSeparator"},
                  {options, "options"},
                  {scheduleTask, "scheduleTask"},
                  {exitSeparator, "exitSeparator"},
                  {minimize, "minimize"},
                  {exit, "exit"}});
}

TrayMenu::~TrayMenu() = default;

void TrayMenu::showIcon(std::function<void(core::TrayMouse message)> onMouseMessage) {
    m_onMouseMessage = std::move(onMouseMessage);
    // A Wayland client's only tray is a StatusNotifierItem host, and Qt chooses its tray once, when
    // the first icon is made: made before the panel is up, the icon would never show. So it waits
    // for the host, as an XEmbed icon waits for its tray by itself.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        m_hostWatch = new StatusNotifierWatch(m_window);
        QObject::connect(m_hostWatch, &StatusNotifierWatch::hostReady, m_window, [this] {
            qCInfo(lcTray) << "A tray (StatusNotifierItem host) is there: showing the icon.";
            makeIcon();
        });
        m_hostWatch->start();
        qCInfo(lcTray).noquote()
            << "Waiting for a tray (StatusNotifierItem host); until one is there, the menu "
               "opens with a right-click on the main window.";
        updateNoTrayHint();
        return;
    }
    makeIcon();
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        qCWarning(lcTray).noquote() << "No system tray on this desktop: the menu (Options, Schedule Task, "
                                       "Exit Corvane) opens with a right-click on the main window.";
    }
}

void TrayMenu::makeIcon() {
    // The theme's icon by name where the desktop has one (a StatusNotifierItem host draws it
    // itself), the program's own picture otherwise.
    m_icon = new QSystemTrayIcon(
        QIcon::fromTheme(QStringLiteral("corvane"), QIcon(QStringLiteral(":/icons/corvane.svg"))), m_window);
    m_icon->setToolTip(m_tip);
    // Set on the icon, the menu is also exported over D-Bus, so a StatusNotifierItem host can show
    // it where it shows its menus. An XEmbed tray still reports the right-button press.
    m_icon->setContextMenu(menu);
    QObject::connect(m_icon, &QSystemTrayIcon::activated, m_window,
                     [this](QSystemTrayIcon::ActivationReason reason) {
                         switch (reason) {
                         case QSystemTrayIcon::Context:
                             m_onMouseMessage(core::TrayMouse::RightDown);
                             break;
                         case QSystemTrayIcon::Trigger:
                             m_onMouseMessage(core::TrayMouse::LeftDown);
                             break;
                         case QSystemTrayIcon::DoubleClick:
                             m_onMouseMessage(core::TrayMouse::LeftDoubleClick);
                             break;
                         case QSystemTrayIcon::MiddleClick:
                             m_onMouseMessage(core::TrayMouse::MiddleDown);
                             break;
                         case QSystemTrayIcon::Unknown:
                             m_onMouseMessage(core::TrayMouse::Move);
                             break;
                         }
                     });
    m_icon->show();
    updateNoTrayHint();
}

bool TrayMenu::hasTray() const {
    // Asked only once the icon is made: Qt's answer fixes the tray it speaks to.
    return m_icon != nullptr && QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayMenu::updateNoTrayHint() {
    QStringList tip;
    if (!m_notice.isEmpty()) {
        tip << m_notice;
    }
    if (!hasTray()) {
        tip << kNoTrayHint;
    }
    m_window->setToolTip(tip.join(QStringLiteral("\n\n")));
}

void TrayMenu::setTip(const QString& tip) {
    m_tip = tip;
    if (m_icon != nullptr) {
        m_icon->setToolTip(m_tip);
    }
}

void TrayMenu::setNotice(const QString& notice) {
    m_notice = notice;
    updateNoTrayHint();
}

void TrayMenu::hideIcon() {
    if (m_hostWatch != nullptr) {
        QObject::disconnect(m_hostWatch, nullptr, m_window, nullptr); // no icon after the end
    }
    if (m_icon != nullptr) {
        m_icon->hide();
    }
}

void TrayMenu::makeOwner() {
    m_owner = std::make_unique<TrayMenuOwner>();
}

void TrayMenu::activateOwner() {
    if (m_owner) {
        m_owner->activateWindow();
    }
}

void TrayMenu::popUp() {
    menu->popup(QCursor::pos());
}

} // namespace qtshell
