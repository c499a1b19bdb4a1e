#include "app/main_window.h"

#include "common/app_title.h"
#include "common/design_colours.h"
#include "common/twips.h"
#include "core/end_program.h"
#include "core/hourly_beep.h"
#include "core/instance_check.h"
#include "core/notify_sound.h"
#include "core/uptime.h"
#include "editors/task_editors.h"
#include "scheduler/schedule_page.h"

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

constexpr std::chrono::milliseconds kSecond{1000};

/// A timer's running state made to follow a switch of the shared state.
void follow(core::Timer& timer, bool running) {
    if (running && !timer.isActive()) {
        timer.start();
    } else if (!running) {
        timer.stop();
    }
}

} // namespace

MainWindow::MainWindow(platform::Services& services, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_services(services), uptimeTimer(kSecond, [this] { refreshUptime(); }),
      triggerTimer(kSecond, [this] { checkTrigger(); }), indicatorTimer(kSecond, [this] { blinkIndicator(); }),
      hourlyBeepTimer(kSecond, [this] { beepOnFullHour(); }), captionTimer(kSecond, [this] { caption.showFigures(); }),
      clockTimer(kSecond, [this] { showTimeNow(); }), cpuSampleTimer(kSecond, [this] { caption.sampleCpu(); }),
      m_twipsPerPixelX(services.screen->twipsPerPixelX()), m_twipsPerPixelY(services.screen->twipsPerPixelY()),
      caption(*this, services, m_state, cpuSampleTimer),
      m_settings(std::make_unique<core::SettingsStore>(services, m_state)),
      display(this, m_twipsPerPixelX, m_twipsPerPixelY), buttons(*this, services, *m_settings), menu(this),
      slide(*this),
      // The refresh first: the trigger check and the beep read its values. The sample before
      // the caption that shows it.
      m_secondTimers({&uptimeTimer, &triggerTimer, &indicatorTimer, &cpuSampleTimer, &hourlyBeepTimer,
                      &captionTimer, &clockTimer}),
      windows(*this, services, *m_settings, m_state) {
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

    // The shared state switches the trigger check, the beep and the figures, and holds the caption.
    m_mirror = m_state.subscribe([this](core::Change change) {
        switch (change) {
        case core::Change::TriggerCheck:
            follow(triggerTimer, m_state.triggerCheckRunning());
            break;
        case core::Change::HourlyBeep:
            follow(hourlyBeepTimer, m_state.hourlyBeepArmed());
            break;
        case core::Change::Figures:
            follow(captionTimer, m_state.figuresRunning());
            break;
        case core::Change::Caption:
            setWindowTitle(QString::fromStdString(m_state.caption()));
            break;
        default:
            break;
        }
    });
    // Enabled from the start, as the window was designed; the settings switch hourlyBeepTimer and
    // captionTimer.
    follow(hourlyBeepTimer, m_state.hourlyBeepArmed());
    follow(captionTimer, m_state.figuresRunning());
    clockTimer.start();

    m_executor = std::make_unique<core::TaskExecutor>(
        m_state, m_services,
        core::TaskExecutor::MainWindowHooks{
            .notificationPlayer = [this]() -> platform::SoundPlayer& { return notificationPlayer(); },
            .stopRefresh = [this] { uptimeTimer.stop(); },
            .wait = waitWithEvents});
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
    core::ProcessIdList list;
    try {
        list = core::listProcessIds(*m_services.processes);
    } catch (const std::exception& failure) {
        showMessage(QString::fromStdString(failure.what()), platform::MessageIcon::Exclamation);
    }
    try {
        core::checkSecondInstance(*m_services.processes, *m_services.process, list);
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
        m_settings->runFirstRunSequence(m_services.processes->ownExecutablePath());
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
    m_state.setTriggerCheckRunning(true);
    indicatorTimer.start();

    m_state.changeTask([](core::ScheduledTask& task) { task.playSound = true; });
    m_state.setSoundFolder(core::locateNotifySound(*m_services.folders));

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
    m_settings->loadOption(core::StoredOption::Figures);
    if (m_settings->ended()) {
        return;
    }
    m_services.figures->openProcessorQuery();
    m_services.figures->addProcessorCounter(0);
    cpuSampleTimer.start();
    m_secondTimers.startInPhase();

    menu.showIcon([this](int mouseMessage) { trayCallback(mouseMessage); });

    m_settings->loadOption(core::StoredOption::HourlyBeep);
    if (m_settings->ended()) {
        return;
    }
    showSystemStart();
    const std::optional<std::string> ontop = m_settings->readOption(core::StoredOption::OnTop);
    if (m_settings->ended()) {
        return;
    }
    buttons.applyStoredOnTop(ontop);
    buttons.moreLessButton->setPicture(3);
    const std::optional<std::string> tpme = m_settings->readOption(core::StoredOption::Transparency);
    if (m_settings->ended()) {
        return;
    }
    buttons.applyStoredTransparency(tpme);
    menu.makeOwner();
}

void MainWindow::unload() {
    menu.hideIcon();
    core::endProgram(*m_services.process);
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
        const core::UptimeBreakdown up = core::breakDownUptime(m_services.clock->tickCount());
        core::Uptime shared = m_state.uptime();
        shared.minutes = up.minutes;
        display.showMinutes(up.minutes);

        if (up.minutes == 58 && core::wholeNumber(m_state.optionCache(core::StoredOption::HourlyBeep)) == 1) {
            m_state.setHourlyBeepArmed(true);
        }

        shared.days = static_cast<int>(std::min<std::uint64_t>(up.days, 1u << 30));
        display.showDays(up.days);

        if (up.totalHours > core::kMaxUptimeHours) {
            m_state.setUptime(shared);
            // The box runs a nested event loop: no further refresh may show it again.
            m_ending = true;
            uptimeTimer.stop();
            showMessage(kUptimeLimitMessage, platform::MessageIcon::Exclamation);
            core::endProgram(*m_services.process);
            return;
        }

        shared.hours = up.hours;
        display.showHours(up.hours);
        shared.hoursText = std::to_string(up.hours);
        m_state.setUptime(shared);
        display.showSpokenUptime(up);

        display.blinkSeparators();
    } catch (const std::exception&) {
        m_ending = true;
        uptimeTimer.stop();
        showMessage(kRestartMessage, platform::MessageIcon::Exclamation);
        core::endProgram(*m_services.process);
    }
}

void MainWindow::checkTrigger() {
    m_executor->checkTrigger();
}

void MainWindow::blinkIndicator() {
    display.blinkIndicator(m_state.task().scheduled);
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
        m_notificationPlayer->setOnFinished([this] { core::endNotifySound(*m_notificationPlayer); });
    }
    return *m_notificationPlayer;
}

void MainWindow::beepOnFullHour() {
    // An empty or non-numeric hour reads as 0: no beep before the first refresh.
    const long long hours = core::wholeNumber(m_state.uptime().hoursText).value_or(0);
    if (m_state.uptime().minutes == 0 && hours != 0) {
        core::playToneSweep(*m_services.tone);
        m_state.setHourlyBeepArmed(false);
    }
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        menu.updateNoTrayHint(); // a tray may have come (or gone) since
    }
    const bool handled = QWidget::event(event);
    switch (event->type()) {
    case QEvent::WindowTitleChange:
    case QEvent::WinIdChange:
    case QEvent::Show:
        // The window system's title really empty, not the program's name in its place.
        if (windowTitle().isEmpty() && internalWinId() != 0) {
            m_services.screen->clearWindowTitle(internalWinId());
        }
        break;
    default:
        break;
    }
    return handled;
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
    core::endProgram(*m_services.process);
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
