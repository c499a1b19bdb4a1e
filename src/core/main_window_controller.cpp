#include "core/main_window_controller.h"

#include "core/app_title.h"
#include "core/design/main_window_design.h"
#include "core/end_program.h"
#include "core/figures.h"
#include "core/hourly_beep.h"
#include "core/instance_check.h"
#include "core/notify_sound.h"
#include "core/twips.h"
#include "core/uptime.h"

#include <algorithm>
#include <exception>

namespace core {

namespace {

const std::string kRestartMessage = "You must restart your computer to for Corvane to function corectly.";
const std::string kUptimeLimitMessage =
    "Corvane has identified that your Computer is continuously running for more than 31 Days now or it "
    "was Hibernated before 31 Days when you last Shutdown the Computer.  This program cannot continue "
    "monitoring your system unless you restart your computer. So please restart your Computer and Then "
    "start Corvane. ";
const std::string kUnsupportedMessage = "Corvane does not support this OS. Program will be terminated";
const std::string kFiguresMessage =
    "CPU Usage and available Memory status are cannot be displayed. May be OS not supported.";

constexpr std::chrono::milliseconds kSecond{1000};

// The window's height as the more/less rule reads it: the designed client area and a tool
// window's caption and borders, whatever the window manager draws around it.
constexpr auto kDesignedHeight =
    static_cast<float>(design::main_window::kClientHeight + design::main_window::kFrameHeight);
constexpr float kLessHeight = 1170;
constexpr float kMoreHeight = 2325;
constexpr float kMoreHeightLow = 2290;
constexpr float kMoreHeightHigh = 2425;
constexpr double kMoreLessStepTwips = 20;

/// A timer's running state made to follow a switch of the shared state.
void follow(Timer& timer, bool running) {
    if (running && !timer.isActive()) {
        timer.start();
    } else if (!running) {
        timer.stop();
    }
}

} // namespace

MainWindowController::MainWindowController(platform::Services& services, TimerFactory& timers,
                                           MainWindowView& view)
    : m_services(services), m_view(view), m_settings(services, m_state),
      m_waitNotice(*services.registry, timers, view), m_appearance(services, m_settings, view),
      m_slide(timers, view), m_uptimeTimer(timers.makeTimer(kSecond, [this] { refreshUptime(); })),
      m_triggerTimer(timers.makeTimer(kSecond, [this] { checkTrigger(); })),
      m_indicatorTimer(timers.makeTimer(kSecond, [this] { blinkIndicator(); })),
      m_hourlyBeepTimer(timers.makeTimer(kSecond, [this] { beepOnFullHour(); })),
      m_captionTimer(timers.makeTimer(kSecond, [this] { showFigures(); })),
      m_clockTimer(timers.makeTimer(kSecond, [this] { showTimeNow(); })),
      m_cpuSampleTimer(timers.makeTimer(kSecond, [this] { sampleCpu(); })),
      // The refresh first: the trigger check and the beep read its values. The sample before
      // the caption that shows it.
      m_secondTimers({m_uptimeTimer.get(), m_triggerTimer.get(), m_indicatorTimer.get(),
                      m_cpuSampleTimer.get(), m_hourlyBeepTimer.get(), m_captionTimer.get(),
                      m_clockTimer.get()}),
      m_self(std::make_shared<MainWindowController*>(this)), m_height(kDesignedHeight) {
    m_settings.setOnChange([this] { m_waitNotice.watch(); });
    m_executor = std::make_unique<TaskExecutor>(
        m_state, m_services,
        TaskExecutor::MainWindowHooks{.notificationPlayer = [this]() -> platform::SoundPlayer& {
                                          if (!m_notificationPlayer) {
                                              m_notificationPlayer = m_services.sound->create();
                                              m_notificationPlayer->setOnFinished(
                                                  [this] { endNotifySound(*m_notificationPlayer); });
                                          }
                                          return *m_notificationPlayer;
                                      },
                                      .stopRefresh = [this] { m_uptimeTimer->stop(); },
                                      .wait = {}});
    // The shared state switches the trigger check, the beep and the figures, and holds the caption.
    m_switches = m_state.subscribe([this](Change change) {
        switch (change) {
        case Change::TriggerCheck:
            follow(*m_triggerTimer, m_state.triggerCheckRunning());
            break;
        case Change::HourlyBeep:
            follow(*m_hourlyBeepTimer, m_state.hourlyBeepArmed());
            break;
        case Change::Figures:
            follow(*m_captionTimer, m_state.figuresRunning());
            break;
        case Change::Caption:
            m_view.showCaption(m_state.caption());
            break;
        default:
            break;
        }
    });
    // Enabled from the start, as the window was designed; the settings switch the beep and the figures.
    follow(*m_hourlyBeepTimer, m_state.hourlyBeepArmed());
    follow(*m_captionTimer, m_state.figuresRunning());
    m_clockTimer->start();
}

MainWindowController::~MainWindowController() {
    *m_self = nullptr;
}

void MainWindowController::checkInstance() {
    ProcessIdList list;
    try {
        list = listProcessIds(*m_services.processes);
    } catch (const std::exception& failure) {
        m_services.messages->show(failure.what(), kAppTitle, platform::MessageIcon::Exclamation);
    }
    try {
        checkSecondInstance(*m_services.processes, *m_services.process, list);
    } catch (const std::exception&) {
        // The check stops silently and start-up goes on.
    }
}

void MainWindowController::load() {
    m_services.process->createInstanceLock("Corvane4.0");

    if (m_services.process->platformId() < 2) {
        m_services.messages->show(kUnsupportedMessage, kAppTitle, platform::MessageIcon::Critical);
        m_services.process->endImmediately();
        return;
    }

    // First run, or a key that cannot be read: autostart, the key and its defaults.
    if (m_settings.probeSettingsKey() != platform::kErrorSuccess) {
        m_settings.runFirstRunSequence(m_services.processes->ownExecutablePath());
        if (m_settings.ended()) {
            return;
        }
    }

    // Just above the top edge of the screen, the left edge at the middle of the work area; the
    // slide ends one row above the work area: at y = -1 on a free top edge, and just below a
    // panel that reserves the top edge, which would otherwise hide the window's top rows.
    const platform::Rect workArea = m_services.screen->workArea();
    const double heightPixels = static_cast<double>(m_height) / m_services.screen->twipsPerPixelY();
    const int column = roundHalfEven(workArea.right / 2.0);
    const int firstRow = roundHalfEven((workArea.bottom - workArea.bottom) - heightPixels);
    m_view.placeWindow(column, firstRow);
    m_view.showWindow();
    m_slide.start(column, firstRow, workArea.top);
    m_uptimeTimer->start();
    m_state.setTriggerCheckRunning(true);
    m_indicatorTimer->start();

    m_state.changeTask([](ScheduledTask& task) { task.playSound = true; });
    m_state.setSoundFolder(locateNotifySound(*m_services.folders));

    // The readers need the answer of the first run's write: stored, or given up, which ends in
    // the installation error. Until then the window runs.
    m_services.registry->whenStored([self = std::weak_ptr<MainWindowController*>(m_self)](bool) {
        if (const auto alive = self.lock(); alive && *alive != nullptr) {
            (*alive)->loadStoredOptions();
        }
    });
}

void MainWindowController::loadStoredOptions() {
    m_settings.loadOption(StoredOption::Figures);
    if (m_settings.ended()) {
        return;
    }
    m_services.figures->openProcessorQuery();
    m_services.figures->addProcessorCounter(0);
    m_cpuSampleTimer->start();
    m_secondTimers.startInPhase();

    m_view.showTrayIcon();

    m_settings.loadOption(StoredOption::HourlyBeep);
    if (m_settings.ended()) {
        return;
    }
    showSystemStart();
    const std::optional<std::string> onTop = m_settings.readOption(StoredOption::OnTop);
    if (m_settings.ended()) {
        return;
    }
    m_appearance.applyStoredOnTop(onTop);
    m_moreLessPicture = MoreLess::Less;
    m_view.showMoreLessPicture(MoreLess::Less);
    const std::optional<std::string> transparency = m_settings.readOption(StoredOption::Transparency);
    if (m_settings.ended()) {
        return;
    }
    m_appearance.applyStoredTransparency(transparency);
    m_view.makeMenuOwner();
}

void MainWindowController::unload() {
    m_view.hideTrayIcon();
    endProgram(*m_services.process);
}

void MainWindowController::exitProgram() {
    endProgram(*m_services.process);
}

void MainWindowController::endWithMessage(const std::string& message) {
    // The box runs the shell's events: no further refresh may show it again.
    m_ending = true;
    m_uptimeTimer->stop();
    m_services.messages->show(message, kAppTitle, platform::MessageIcon::Exclamation);
    endProgram(*m_services.process);
}

void MainWindowController::refreshUptime() {
    if (m_ending) {
        return;
    }
    m_secondTimers.keepInPhase();
    UptimeBreakdown up;
    try {
        up = breakDownUptime(m_services.clock->tickCount());
    } catch (const std::exception&) {
        endWithMessage(kRestartMessage);
        return;
    }
    Uptime shared = m_state.uptime();
    shared.minutes = up.minutes;
    m_view.showMinutes(twoDigits(static_cast<std::uint64_t>(up.minutes)));

    if (up.minutes == 58 && wholeNumber(m_state.optionCache(StoredOption::HourlyBeep)) == 1) {
        m_state.setHourlyBeepArmed(true);
    }

    shared.days = static_cast<int>(std::min<std::uint64_t>(up.days, 1U << 30));
    m_view.showDays(twoDigits(up.days));

    if (up.totalHours > kMaxUptimeHours) {
        m_state.setUptime(shared);
        endWithMessage(kUptimeLimitMessage);
        return;
    }

    shared.hours = up.hours;
    m_view.showHours(twoDigits(static_cast<std::uint64_t>(up.hours)));
    shared.hoursText = std::to_string(up.hours);
    m_state.setUptime(std::move(shared));

    // The spoken phrase changes once a minute; it is made only then.
    const std::uint64_t spoken = up.totalHours * 60 + static_cast<std::uint64_t>(up.minutes);
    if (spoken != m_spokenUptime) {
        m_spokenUptime = spoken;
        m_view.showSpokenUptime(uptimePhrase(up.days, up.hours, up.minutes));
    }

    m_separatorsShown = !m_separatorsShown;
    m_view.showSeparators(m_separatorsShown);
}

void MainWindowController::blinkIndicator() {
    m_indicatorShown = m_state.task().scheduled ? !m_indicatorShown : true;
    m_view.showTaskIndicator(m_indicatorShown);
}

void MainWindowController::beepOnFullHour() {
    // An empty or non-numeric hour reads as 0: no beep before the first refresh.
    const long long hours = wholeNumber(m_state.uptime().hoursText).value_or(0);
    if (m_state.uptime().minutes == 0 && hours != 0) {
        playToneSweep(*m_services.tone);
        m_state.setHourlyBeepArmed(false);
    }
}

void MainWindowController::showTimeNow() {
    platform::Clock& clock = *m_services.clock;
    m_view.showTimeNow(clock.formatLongTime(clock.nowMsecsSinceEpoch()));
}

std::int64_t MainWindowController::showSystemStart() {
    platform::Clock& clock = *m_services.clock;
    const std::int64_t start = systemStartInstant(clock.nowMsecsSinceEpoch(), clock.tickCount());
    m_view.showSystemStart(clock.formatShortDate(start), clock.formatLongTime(start));
    return start;
}

void MainWindowController::sampleCpu() {
    try {
        // A second without a figure keeps the previous one.
        if (const std::optional<double> usage = m_services.figures->collectProcessorUsage()) {
            m_state.setCpuText(cpuUsageText(*usage));
        }
    } catch (const std::exception&) {
        figuresFailed();
    }
}

void MainWindowController::showFigures() {
    try {
        m_state.setCaption(composeFiguresText(*m_services.figures, m_state.cpuText()));
    } catch (const std::exception&) {
        figuresFailed();
    }
}

void MainWindowController::figuresFailed() {
    // Sampling stops first, so that the message is shown once, not at every tick; a new start
    // of the program tries again.
    m_cpuSampleTimer->stop();
    m_state.setFiguresRunning(false);
    m_services.messages->show(kFiguresMessage, kAppTitle, platform::MessageIcon::Critical);
    m_state.setCaption({});
}

void MainWindowController::setHeightTwips(float twips) {
    m_height = twips;
    m_view.showHeightTwips(twips);
}

void MainWindowController::toggleMoreInformation() {
    double down = 0;
    if (m_moreLessPicture == MoreLess::Less) {
        m_moreLessPicture = MoreLess::More;
        down = kMoreLessStepTwips;
        m_clockTimer->stop();
        m_appearance.showTransparencyOffPicture();
    } else if (m_moreLessPicture == MoreLess::More) {
        m_moreLessPicture = MoreLess::Less;
        down = -kMoreLessStepTwips;
        m_clockTimer->start();
    }
    if (m_moreLessPicture) {
        m_view.showMoreLessPicture(*m_moreLessPicture);
    }
    m_moreLessTopTwips += down;
    m_view.moveMoreLessButton(m_moreLessTopTwips);

    // The height is switched by a test of its own: a window of another height keeps it.
    if (m_height == kLessHeight) {
        setHeightTwips(kMoreHeight);
    } else if (m_height >= kMoreHeightLow && m_height <= kMoreHeightHigh) {
        setHeightTwips(kLessHeight);
    }
}

void MainWindowController::minimize() {
    m_view.setMinimized(true);
}

void MainWindowController::toggleMinimized() {
    const bool restore = m_minimizeItemText == "Maximize";
    m_view.setMinimized(!restore);
    m_minimizeItemText = restore ? "Minimize" : "Maximize";
    m_view.setMinimizeItemText(m_minimizeItemText);
}

void MainWindowController::trayMouse(TrayMouse message) {
    m_view.activateMenuOwner();
    // The tray may have opened the menu itself just before it reported the press.
    if (message == TrayMouse::RightDown && !m_view.menuShown()) {
        m_view.popUpMenu();
    }
}

void MainWindowController::windowPressed(bool rightButton) {
    m_view.activateMenuOwner();
    if (rightButton && !m_view.hasTray() && !m_view.menuShown()) {
        m_view.popUpMenu();
    }
}

} // namespace core
