#include "shell/qt/main_window.h"

#include "core/design/main_window_design.h"
#include "shell/qt/design_colours.h"
#include "shell/qt/empty_title.h"
#include "shell/qt/twips.h"
#include "shell/qt/window_appearance.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QIcon>
#include <QMouseEvent>

#include <algorithm>

namespace qtshell {

namespace {

namespace design = core::design::main_window;

} // namespace

MainWindow::MainWindow(platform::Services& services, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      MainWindowParts(*this, services.screen->twipsPerPixelX(), services.screen->twipsPerPixelY()),
      m_services(services), m_tppX(services.screen->twipsPerPixelX()),
      m_tppY(services.screen->twipsPerPixelY()),
      m_core(std::make_unique<core::MainWindowController>(services, m_timerFactory, *this)),
      m_windows(std::make_unique<WindowLauncher>(*this, services, m_core->settings(), m_core->state())) {
    new EmptyTitleGuard(*this, *services.screen); // a child: it goes with the window
    setWindowTitle(QString());
    // The title shows the figures or nothing; a screen reader hears what the window is.
    setAccessibleName(QString::fromUtf8(design::kAccessibleName));
    setWindowIcon(QIcon(QStringLiteral(":/icons/corvane.svg")));
    m_core->executor().setWait(waitWithEvents);
    m_trayNotice = std::make_unique<TrayNotice>(m_core->state(), services, menu);

    core::MainWindowController* rules = m_core.get();
    connect(buttons.moreLessButton, &PictureButton::clicked, this,
            [rules] { rules->toggleMoreInformation(); });
    connect(buttons.minimizeButton, &PictureButton::clicked, this, [rules] { rules->minimize(); });
    connect(buttons.onTopButton, &PictureButton::clicked, this, [rules] { rules->toggleOnTop(); });
    connect(buttons.transparencyButton, &PictureButton::clicked, this,
            [rules] { rules->toggleTransparency(); });
    connect(menu.about, &QAction::triggered, this, &MainWindow::openAbout);
    connect(menu.options, &QAction::triggered, this, &MainWindow::openOptions);
    connect(menu.scheduleTask, &QAction::triggered, this, &MainWindow::openScheduleTask);
    connect(menu.minimize, &QAction::triggered, this, [rules] { rules->toggleMinimized(); });
    connect(menu.exit, &QAction::triggered, this, [rules] { rules->exitProgram(); });

    setFixedWidth(twipsToPixels(design::kClientWidth, m_tppX));
    showHeightTwips(m_core->heightTwips());
}

MainWindow::~MainWindow() = default;

void MainWindow::load() {
    setDesignColours(this, kMainWindowBackground);
    m_core->load();
}

void MainWindow::showDays(const std::string& text) {
    display.daysLabel->setText(QString::fromStdString(text));
}

void MainWindow::showHours(const std::string& text) {
    display.hoursLabel->setText(QString::fromStdString(text));
}

void MainWindow::showMinutes(const std::string& text) {
    display.minutesLabel->setText(QString::fromStdString(text));
}

void MainWindow::showSpokenUptime(const std::string& phrase) {
    display.phraseGroup->setAccessibleName(QString::fromStdString(phrase));
}

void MainWindow::showSeparators(bool shown) {
    display.hoursSeparator->setHidden(!shown);
    display.daysSeparator->setHidden(!shown);
}

void MainWindow::showSystemStart(const std::string& date, const std::string& time) {
    display.startDateLabel->setText(QString::fromStdString(date));
    display.startTimeLabel->setText(QString::fromStdString(time));
}

void MainWindow::showTimeNow(const std::string& time) {
    display.nowLabel->setText(QString::fromStdString(time));
}

void MainWindow::showTaskIndicator(bool shown) {
    display.taskIndicator->setHidden(!shown);
}

void MainWindow::showCaption(const std::string& caption) {
    setWindowTitle(QString::fromStdString(caption));
    // A caption of each second must not wake the program again through its notices. Once for
    // each native window (changing the on-top band makes a new one).
    if (const WId shown = EmptyTitleGuard::nativeWindowId(*this);
        !caption.empty() && shown != m_quietWindow) {
        m_quietWindow = shown;
        m_services.screen->quietPropertyNotices(m_quietWindow);
    }
}

void MainWindow::showHeightTwips(float twips) {
    const double client = static_cast<double>(twips) - design::kFrameHeight;
    // The small window ends just below the more/less button. Rounding to whole pixels, and once
    // more to the screen's pixels at a fractional scale, must not cut the button that brings the
    // rest back: a pixel of margin below it.
    const int buttonBottom = buttons.moreLessButton->geometry().bottom() + 2;
    setFixedHeight(std::max(buttonBottom, twipsToPixels(client, m_tppY)));
}

void MainWindow::setMinimized(bool minimized) {
    if (minimized) {
        setWindowState(windowState() | Qt::WindowMinimized);
    } else {
        setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
        show();
    }
}

void MainWindow::setOnTop(bool onTop) {
    setWindowOnTop(*this, onTop);
}

void MainWindow::setOpacity(core::WindowOpacity opacity) {
    // Every top-level window is blended by the compositor here: only the opacity applies.
    setWindowAlpha(*this, opacity.alpha);
}

void MainWindow::showMoreLessPicture(core::MoreLess offer) {
    buttons.moreLessButton->setPicture(WindowButtons::moreLessPicture(offer));
}

void MainWindow::showOnTopPicture(core::ToggleLook look) {
    buttons.onTopButton->setPicture(WindowButtons::togglePicture(look));
}

void MainWindow::showTransparencyPicture(core::ToggleLook look) {
    buttons.transparencyButton->setPicture(WindowButtons::togglePicture(look));
}

void MainWindow::showTrayIcon() {
    menu.showIcon([this](core::TrayMouse message) { m_core->trayMouse(message); });
}

void MainWindow::setMinimizeItemText(const std::string& text) {
    menu.minimize->setText(QString::fromStdString(text));
}

void MainWindow::openOptions() {
    m_windows->openOptionsWindow().openOnOptionsPage();
}

void MainWindow::openScheduleTask() {
    m_windows->openOptionsWindow().openOnSchedulePage();
}

void MainWindow::openAbout() {
    m_windows->openAbout();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    unload();
    // Only reached when the end was recorded instead of carried out.
    event->ignore();
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        menu.updateNoTrayHint(); // a tray may have come (or gone) since
    }
    return QWidget::event(event);
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() != QContextMenuEvent::Keyboard) {
        QWidget::contextMenuEvent(event);
        return;
    }
    menu.menu->popup(mapToGlobal(QPoint(0, 0)));
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
    m_core->windowPressed(event->button() == Qt::RightButton);
    QWidget::mousePressEvent(event);
}

} // namespace qtshell
