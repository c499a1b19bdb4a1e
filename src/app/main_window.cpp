#include "app/main_window.h"

#include "app/instance_check.h"
#include "app/uptime.h"
#include "common/app_title.h"
#include "common/design_colours.h"
#include "common/end_program.h"
#include "common/twips.h"
#include "editors/notify_sound.h"
#include "editors/task_editors.h"
#include "monitor/cpu_memory_monitor.h"
#include "monitor/empty_title.h"
#include "monitor/hourly_beep.h"
#include "scheduler/locate_notify_sound.h"
#include "scheduler/schedule_page.h"
#include "settings/autostart.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QIcon>
#include <QMouseEvent>
#include <QPointer>

#include <exception>

namespace {

const QString kRestartMessage =
    QStringLiteral("You must restart your computer to for Corvane to function corectly.");
const QString kUptimeLimitMessage = QStringLiteral(
    "Corvane has identified that your Computer is continuously running for more than 31 Days now or it "
    "was Hibernated before 31 Days when you last Shutdown the Computer.  This program cannot continue "
    "monitoring your system unless you restart your computer. So please restart your Computer and Then "
    "start Corvane. ");
const QString kUnsupportedMessage =
    QStringLiteral("Corvane does not support this OS. Program will be terminated");

// The client area as designed, and the caption and borders of a tool window, in twips. The
// window's height as the more/less rule reads it is the client height plus that frame, so the
// designed window is 2325 twips high whatever the window manager draws around it.
constexpr double kClientWidthTwips = 1935;
constexpr double kClientHeightTwips = 1965;
constexpr float kFrameTwips = 360;
constexpr float kLessHeight = 1170;
constexpr float kMoreHeight = 2325;
constexpr float kMoreHeightLow = 2290;
constexpr float kMoreHeightHigh = 2425;

} // namespace

MainWindow::MainWindow(platform::Services& services, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_services(services), m_twipsPerPixelX(services.screen->twipsPerPixelX()),
      m_twipsPerPixelY(services.screen->twipsPerPixelY()),
      caption(*this, services, captionTimer, cpuSampleTimer),
      m_settings(std::make_unique<SettingsStore>(services, OptionTargets{&hourlyBeepTimer, &captionTimer,
                                                                         &figuresOption, &hourlyBeepOption,
                                                                         this, &caption.cpuText})),
      display(this, m_twipsPerPixelX, m_twipsPerPixelY), buttons(*this, services, *m_settings), menu(this),
      slide(*this),
      // The refresh first: the trigger check and the beep read its values. The sample before
      // the caption that shows it.
      m_secondTimers({&uptimeTimer, &triggerTimer, &indicatorTimer, &cpuSampleTimer, &hourlyBeepTimer,
                      &captionTimer, &clockTimer}),
      windows(*this, services, *m_settings, scheduledTask, triggerTimer, soundFolder) {
    new EmptyTitleGuard(*this, *services.screen); // a child: it goes with the window
    setWindowTitle(QString());
    // The title shows the figures or nothing; a screen reader hears what the window is.
    setAccessibleName(QStringLiteral("Corvane up time"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/corvane.svg")));

    connect(buttons.moreLessButton, &PictureButton::clicked, this, &MainWindow::toggleMoreInformation);
    connect(buttons.minimizeButton, &PictureButton::clicked, this, &MainWindow::minimize);
    connect(menu.about, &QAction::triggered, this, &MainWindow::openAbout);
    connect(menu.options, &QAction::triggered, this, &MainWindow::openOptions);
    connect(menu.scheduleTask, &QAction::triggered, this, &MainWindow::openScheduleTask);
    connect(menu.minimize, &QAction::triggered, this, &MainWindow::toggleMinimized);
    connect(menu.exit, &QAction::triggered, this, &MainWindow::exitProgram);

    m_height = static_cast<float>(kClientHeightTwips) + kFrameTwips;
    setFixedWidth(twipsToPixels(kClientWidthTwips, tppX()));
    setHeightTwips(m_height);

    connect(&uptimeTimer, &QTimer::timeout, this, &MainWindow::refreshUptime);
    connect(&triggerTimer, &QTimer::timeout, this, &MainWindow::checkTrigger);
    connect(&indicatorTimer, &QTimer::timeout, this, &MainWindow::blinkIndicator);
    connect(&hourlyBeepTimer, &QTimer::timeout, this, &MainWindow::beepOnFullHour);
    connect(&captionTimer, &QTimer::timeout, this, [this] { caption.showFigures(); });
    connect(&clockTimer, &QTimer::timeout, this, &MainWindow::showTimeNow);
    connect(&cpuSampleTimer, &QTimer::timeout, this, [this] { caption.sampleCpu(); });
    // Enabled from the start, as the window was designed; the settings switch hourlyBeepTimer and
    // captionTimer.
    hourlyBeepTimer.start();
    captionTimer.start();
    clockTimer.start();

    m_executor = std::make_unique<TaskExecutor>(
        TaskExecutor::MainWindowParts{scheduledTask, uptimeTimer, triggerTimer, uptimeDays, uptimeHours,
                                      uptimeMinutes, soundFolder,
                                      [this]() -> platform::SoundPlayer& { return notificationPlayer(); }},
        m_services);
}

MainWindow::~MainWindow() = default;

void MainWindow::setHeightTwips(float twips) {
    m_height = twips;
    const double client = static_cast<double>(twips - kFrameTwips);
    // The small window ends just below the more/less button. Rounding to whole pixels, and once
    // more to the screen's pixels at a fractional scale, must not cut the button that brings the
    // rest back: a pixel of margin below it.
    const int buttonBottom =
        buttons.moreLessButton != nullptr ? buttons.moreLessButton->geometry().bottom() + 2 : 1;
    setFixedHeight(std::max(buttonBottom, twipsToPixels(client, tppY())));
}

void MainWindow::showMessage(const QString& text, platform::MessageIcon icon) {
    m_services.messages->show(text.toStdString(), kAppTitle.toStdString(), icon);
}

void MainWindow::checkInstance() {
    ProcessIdList list;
    try {
        list = listProcessIds(*m_services.processes);
    } catch (const std::exception& failure) {
        showMessage(QString::fromStdString(failure.what()), platform::MessageIcon::Exclamation);
    }
    try {
        checkSecondInstance(*m_services.processes, *m_services.process, list);
    } catch (const std::exception&) {
        // The check stops silently and start-up goes on.
    }
}

void MainWindow::load() {
    m_services.process->createInstanceLock("Corvane4.0");

    setDesignColours(this, kMainWindowBackground);

    if (m_services.process->platformId() < 2) {
        showMessage(kUnsupportedMessage, platform::MessageIcon::Critical);
        m_services.process->endImmediately();
        return;
    }

    // First run, or a key that cannot be read: autostart, the key and its defaults.
    if (m_settings->probeSettingsKey() != platform::kErrorSuccess) {
        m_settings->runFirstRunSequence(autostartProgramPath());
        if (m_settings->ended()) {
            return;
        }
    }

    const platform::Rect workArea = m_services.screen->workArea();
    m_workAreaRight = workArea.right;
    m_workAreaBottom = workArea.bottom;
    m_workAreaTop = workArea.top;

    // Just above the top edge of the screen, the left edge at the middle of the work area.
    const double heightPixels = static_cast<double>(m_height) / tppY();
    const int column = roundHalfEven(m_workAreaRight / 2.0);
    const int firstRow = roundHalfEven((m_workAreaBottom - m_workAreaBottom) - heightPixels);
    move(column, firstRow);
    show();
    // The slide ends one row above the work area: at y = -1 on a free top edge, and just below a
    // panel that reserves the top edge, which would otherwise hide the window's top rows.
    slide.start(column, firstRow, m_workAreaTop);
    uptimeTimer.start();
    triggerTimer.start();
    indicatorTimer.start();

    scheduledTask.playSound = 1;
    soundFolder = locateNotifySound(*m_services.folders);

    // The readers need the answer of the first run's write: stored, or given up, which ends in
    // the installation error. Until then the window runs.
    QPointer<MainWindow> self(this);
    m_services.registry->whenStored([self](bool) {
        if (self) {
            self->loadStoredOptions();
        }
    });
}

void MainWindow::loadStoredOptions() {
    m_settings->loadFiguresOption();
    if (m_settings->ended()) {
        return;
    }
    openCpuQuery(*m_services.figures);
    addCpuCounter(*m_services.figures);
    cpuSampleTimer.start();
    m_secondTimers.startInPhase();

    menu.showIcon([this](int mouseMessage) { trayCallback(mouseMessage); });

    m_settings->loadHourlyBeepOption();
    if (m_settings->ended()) {
        return;
    }
    showSystemStart();
    const std::optional<QString> ontop = m_settings->readOnTop();
    if (m_settings->ended()) {
        return;
    }
    buttons.applyStoredOnTop(ontop);
    buttons.moreLessButton->setPicture(3);
    const std::optional<QString> tpme = m_settings->readTransparency();
    if (m_settings->ended()) {
        return;
    }
    buttons.applyStoredTransparency(tpme);
    menu.makeOwner();
}

void MainWindow::unload() {
    menu.hideIcon();
    endProgram(*m_services.process);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    unload();
    // Only reached when the end was recorded instead of carried out.
    event->ignore();
}

void MainWindow::refreshUptime() {
    if (m_ending) {
        return;
    }
    m_secondTimers.keepInPhase();
    try {
        const UptimeBreakdown up = breakDownUptime(m_services.clock->tickCount());
        uptimeMinutes = up.minutes;
        display.showMinutes(up.minutes);

        bool numeric = false;
        if (uptimeMinutes == 58 && hourlyBeepOption.toInt(&numeric) == 1 && numeric &&
            !hourlyBeepTimer.isActive()) {
            hourlyBeepTimer.start();
        }

        uptimeDays = static_cast<int>(std::min<std::uint64_t>(up.days, 1u << 30));
        display.showDays(up.days);

        if (up.totalHours > kMaxUptimeHours) {
            // The box runs a nested event loop: no further refresh may show it again.
            m_ending = true;
            uptimeTimer.stop();
            showMessage(kUptimeLimitMessage, platform::MessageIcon::Exclamation);
            endProgram(*m_services.process);
            return;
        }

        uptimeHours = up.hours;
        display.showHours(up.hours);
        hoursText = QString::number(up.hours);
        display.showSpokenUptime(up);

        display.blinkSeparators();
    } catch (const std::exception&) {
        m_ending = true;
        uptimeTimer.stop();
        showMessage(kRestartMessage, platform::MessageIcon::Exclamation);
        endProgram(*m_services.process);
    }
}

void MainWindow::checkTrigger() {
    m_executor->checkTrigger();
}

void MainWindow::blinkIndicator() {
    display.blinkIndicator(scheduledTask.scheduled == 1);
}

void MainWindow::showTimeNow() {
    display.showTimeNow(*m_services.clock);
}

std::int64_t MainWindow::showSystemStart() {
    return display.showSystemStart(*m_services.clock);
}

platform::SoundPlayer& MainWindow::notificationPlayer() {
    if (!m_notificationPlayer) {
        m_notificationPlayer = m_services.sound->create();
        m_notificationPlayer->setOnFinished([this] { endNotifySound(*m_notificationPlayer); });
    }
    return *m_notificationPlayer;
}

void MainWindow::beepOnFullHour() {
    // An empty or non-numeric hour reads as 0: no beep before the first refresh.
    const int hours = hoursText.toInt();
    if (uptimeMinutes == 0 && hours != 0) {
        playToneSweep(*m_services.tone);
        hourlyBeepTimer.stop();
    }
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        menu.updateNoTrayHint(); // a tray may have come (or gone) since
    }
    return QWidget::event(event);
}

void MainWindow::toggleMoreInformation() {
    constexpr double kStepTwips = 20;
    PictureButton& moreLess = *buttons.moreLessButton;
    double down = 0;
    if (moreLess.picture() == 3) {
        moreLess.setPicture(4);
        down = kStepTwips;
        clockTimer.stop();
        buttons.transparencyButton->setPicture(1);
    } else if (moreLess.picture() == 4) {
        moreLess.setPicture(3);
        down = -kStepTwips;
        clockTimer.start();
    }
    buttons.moveMoreLess(down);

    if (m_height == kLessHeight) {
        setHeightTwips(kMoreHeight);
    } else if (m_height >= kMoreHeightLow && m_height <= kMoreHeightHigh) {
        setHeightTwips(kLessHeight);
    }
}

void MainWindow::minimize() {
    setWindowState(windowState() | Qt::WindowMinimized);
}

void MainWindow::toggleMinimized() {
    if (menu.minimize->text() != QLatin1String("Maximize")) {
        setWindowState(windowState() | Qt::WindowMinimized);
        menu.minimize->setText(QStringLiteral("Maximize"));
    } else {
        setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
        show();
        menu.minimize->setText(QStringLiteral("Minimize"));
    }
}

void MainWindow::openOptions() {
    windows.openOptionsWindow().openOnOptionsPage();
}

void MainWindow::openScheduleTask() {
    windows.openOptionsWindow().openOnSchedulePage();
}

void MainWindow::openAbout() {
    windows.openAbout();
}

void MainWindow::exitProgram() {
    endProgram(*m_services.process);
}

void MainWindow::trayCallback(int mouseMessage) {
    mouseDown(Qt::LeftButton, Qt::NoModifier, mouseMessage * tppX(), 0);
}

void MainWindow::mouseDown(Qt::MouseButton, Qt::KeyboardModifiers, double x, double) {
    menu.mouseMessage(x / tppX());
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() != QContextMenuEvent::Keyboard) {
        QWidget::contextMenuEvent(event);
        return;
    }
    menu.menu->popup(mapToGlobal(QPoint(0, 0)));
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
    const QPointF p = event->position();
    mouseDown(event->button(), event->modifiers(), p.x() * tppX(), p.y() * tppY());
    // Without a tray the menu would be out of reach: the window's right button opens it.
    if (event->button() == Qt::RightButton && !menu.hasTray()) {
        menu.menu->popup(event->globalPosition().toPoint());
    }
    QWidget::mousePressEvent(event);
}
