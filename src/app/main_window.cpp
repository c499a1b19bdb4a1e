#include "app/main_window.h"

#include "app/instance_check.h"
#include "app/uptime.h"
#include "common/app_title.h"
#include "common/end_program.h"
#include "common/pictures.h"
#include "common/preshaped_label.h"
#include "common/twips.h"
#include "editors/notify_sound.h"
#include "editors/task_editors.h"
#include "monitor/cpu_memory_monitor.h"
#include "monitor/hourly_beep.h"
#include "monitor/window_appearance.h"
#include "scheduler/locate_notify_sound.h"
#include "scheduler/schedule_page.h"
#include "settings/autostart.h"

#include <QCloseEvent>
#include <QCursor>
#include <QFontInfo>
#include <QIcon>
#include <QMouseEvent>

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
const QString kMonitorMessage =
    QStringLiteral("CPU Usage and available Memory status are cannot be displayed. May be OS not supported.");

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

// Mouse messages a tray callback carries.
constexpr int kMouseMove = 512;
constexpr int kLeftDown = 513;
constexpr int kLeftDoubleClick = 515;
constexpr int kRightDown = 516;
constexpr int kMiddleDown = 519;

const QColor kOrange(255, 128, 0);
const QColor kDarkGrey(64, 64, 64);

} // namespace

MainWindow::MainWindow(platform::Services& services, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_services(services) {
    m_twipsPerPixelX = m_services.screen->twipsPerPixelX();
    m_twipsPerPixelY = m_services.screen->twipsPerPixelY();
    setWindowTitle(QString());
    setAccessibleName(QStringLiteral("Corvane"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/corvane.svg")));

    m_settings = std::make_unique<SettingsStore>(
        m_services,
        OptionTargets{&hourlyBeepTimer, &captionTimer, &figuresOption, &hourlyBeepOption, this, &cpuText});

    buildDisplay();
    buildPictureButtons();
    buildMenu();

    m_height = static_cast<float>(kClientHeightTwips) + kFrameTwips;
    setFixedWidth(twipsToPixels(kClientWidthTwips, tppX()));
    setHeightTwips(m_height);

    for (QTimer* timer : secondTimers()) {
        timer->setInterval(1000);
    }
    slideTimer.setInterval(10);
    slideTimer.setTimerType(Qt::PreciseTimer);
    connect(&uptimeTimer, &QTimer::timeout, this, &MainWindow::refreshUptime);
    connect(&triggerTimer, &QTimer::timeout, this, &MainWindow::checkTrigger);
    connect(&indicatorTimer, &QTimer::timeout, this, &MainWindow::blinkIndicator);
    connect(&hourlyBeepTimer, &QTimer::timeout, this, &MainWindow::beepOnFullHour);
    connect(&captionTimer, &QTimer::timeout, this, &MainWindow::showFiguresInCaption);
    connect(&clockTimer, &QTimer::timeout, this, &MainWindow::showTimeNow);
    connect(&cpuSampleTimer, &QTimer::timeout, this, &MainWindow::sampleCpu);
    connect(&slideTimer, &QTimer::timeout, this, &MainWindow::slideStep);
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

MainWindow::~MainWindow() {
    delete m_optionsWindow;
}

QLabel* MainWindow::makeLabel(const QString& text, int leftTwips, int topTwips, int widthTwips,
                              int heightTwips, const QColor& colour, double pointSize, bool underline,
                              Qt::Alignment align, bool preshaped) {
    // The labels that change every second or minute draw their characters from a cache.
    QLabel* label = preshaped ? new PreshapedLabel(text, this) : new QLabel(text, this);
    QFont font(QStringLiteral("Tahoma"));
    font.setBold(true);
    font.setPointSizeF(pointSize);
    font.setUnderline(underline);
    // The labels are sized for Tahoma. The faces that stand in for it (DejaVu Sans on most Linux
    // systems) run about an eighth wider and would cut a two-digit day or "11:59:59 PM".
    if (!QFontInfo(font).family().startsWith(QLatin1String("Tahoma"), Qt::CaseInsensitive)) {
        font.setStretch(88);
    }
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->setAlignment(align);
    // Edges rounded on their own: labels that meet in twips meet in pixels and do not overlap,
    // so the clock's label repaints alone each second, not its neighbour too.
    const int left = twipsToPixels(leftTwips, tppX());
    const int top = twipsToPixels(topTwips, tppY());
    label->setGeometry(left, top, twipsToPixels(leftTwips + widthTwips, tppX()) - left,
                       twipsToPixels(topTwips + heightTwips, tppY()) - top);
    return label;
}

void MainWindow::buildDisplay() {
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    const auto centre = Qt::AlignHCenter | Qt::AlignVCenter;
    daysLabel = makeLabel(QStringLiteral("00"), 865, 492, 255, 255, kOrange, 9.75, false, right, true);
    daysLabel->setToolTip(QStringLiteral("Days"));
    daysSeparator = makeLabel(QStringLiteral(":"), 1130, 492, 90, 255, Qt::black, 9.75, false, centre, true);
    hoursLabel = makeLabel(QStringLiteral("00"), 1225, 492, 255, 255, kOrange, 9.75, false, right, true);
    hoursLabel->setToolTip(QStringLiteral("Hours"));
    hoursSeparator = makeLabel(QStringLiteral(":"), 1485, 492, 90, 255, Qt::black, 9.75, false, centre, true);
    minutesLabel = makeLabel(QStringLiteral("00"), 1570, 492, 255, 255, kOrange, 9.75, false, right, true);
    minutesLabel->setToolTip(QStringLiteral("Minutes"));

    startupHeading = makeLabel(QStringLiteral("Startup Info"), 360, 885, 1500, 240, kDarkGrey, 9, true);
    startupHeading->setToolTip(QStringLiteral("System Startup Information"));
    startDateCaption = makeLabel(QStringLiteral("Date :"), 240, 1200, 590, 225, kDarkGrey, 8.25);
    startDateLabel = makeLabel(QStringLiteral("Date & Time"), 830, 1200, 1105, 225, kOrange, 8.25);
    startTimeCaption = makeLabel(QStringLiteral("Time :"), 230, 1440, 600, 225, kDarkGrey, 8.25);
    startTimeLabel = makeLabel(QStringLiteral("Date & Time"), 830, 1440, 1105, 225, kOrange, 8.25);
    nowCaption = makeLabel(QStringLiteral("Now  :"), 250, 1680, 580, 225, kDarkGrey, 8.25);
    nowLabel = makeLabel(QStringLiteral("Now"), 830, 1680, 1105, 225, kOrange, 8.25, false,
                         Qt::AlignLeft | Qt::AlignVCenter, true);
    nowLabel->setToolTip(QStringLiteral("Now Time"));

    taskIndicator = new QLabel(this);
    const QSize indicator(twipsToPixels(345, tppX()), twipsToPixels(330, tppY()));
    taskIndicator->setPixmap(renderPicture(QStringLiteral(":/pictures/task_indicator.svg"), indicator));
    taskIndicator->setGeometry(twipsToPixels(1590, tppX()), twipsToPixels(24, tppY()), indicator.width(),
                               indicator.height());
    taskIndicator->setToolTip(QStringLiteral("Task Indicator. If blinking, a Task is scheduled."));
    taskIndicator->setAccessibleName(QStringLiteral("Task Indicator"));
}

void MainWindow::buildPictureButtons() {
    auto make = [this](int left, int top, int width, int height, const QStringList& files,
                       const QString& name) {
        auto* button = new PictureButton(this);
        const QSize size(twipsToPixels(width, tppX()), twipsToPixels(height, tppY()));
        QVector<QPixmap> pictures;
        for (const QString& file : files) {
            pictures.append(file.isEmpty() ? QPixmap() : renderPicture(file, size));
        }
        button->setPictures(pictures);
        button->setGeometry(twipsToPixels(left, tppX()), twipsToPixels(top, tppY()), size.width(),
                            size.height());
        button->setAccessibleName(name);
        button->setToolTip(name);
        return button;
    };
    // the more/less and on-top pictures: 1 and 2 the on-top looks, 3 offers less information, 4 offers more.
    const QStringList moreLessAndOnTopPictures = {
        QStringLiteral(":/pictures/ontop_off.svg"), QStringLiteral(":/pictures/ontop_on.svg"),
        QStringLiteral(":/pictures/less_info.svg"), QStringLiteral(":/pictures/more_info.svg")};
    const QStringList transparencyPictures = {QStringLiteral(":/pictures/transparency_off.svg"),
                                              QStringLiteral(":/pictures/transparency_on.svg")};
    moreLessButton =
        make(100, 656, 225, 150, moreLessAndOnTopPictures, QStringLiteral("More or less information"));
    onTopButton = make(350, 656, 180, 240, moreLessAndOnTopPictures, QStringLiteral("Always on top"));
    onTopButton->setToolTip(QStringLiteral("Always On Top"));
    minimizeButton =
        make(520, 656, 255, 150, {QStringLiteral(":/pictures/minimize.svg")}, QStringLiteral("Minimize"));
    minimizeButton->setPicture(1);
    transparencyButton = make(1630, 791, 195, 315, transparencyPictures, QStringLiteral("Half transparent"));
    transparencyButton->setToolTip(QStringLiteral("Window Transparent / Opaque."));
    // Until start-up applies a stored state, each shows a picture of its own, neither list
    // picture: with a stored value that is missing or odd, the button stays so and does nothing.
    onTopButton->setPixmap(renderPicture(QStringLiteral(":/pictures/ontop_design.svg"), onTopButton->size()));
    transparencyButton->setPixmap(
        renderPicture(QStringLiteral(":/pictures/transparency_design.svg"), transparencyButton->size()));

    connect(moreLessButton, &PictureButton::clicked, this, &MainWindow::toggleMoreInformation);
    connect(minimizeButton, &PictureButton::clicked, this, &MainWindow::minimize);
    connect(onTopButton, &PictureButton::clicked, this, &MainWindow::toggleOnTop);
    connect(transparencyButton, &PictureButton::clicked, this, &MainWindow::toggleTransparency);
}

void MainWindow::buildMenu() {
    // The menu lives in the hidden "Base" of the window; the tray icon shows it.
    menu.menu = new QMenu(QStringLiteral("Menu"), this);
    menu.about = menu.menu->addAction(QStringLiteral("About"));
    menu.aboutSeparator = menu.menu->addSeparator();
    menu.options = menu.menu->addAction(QStringLiteral("Options "));
    menu.scheduleTask = menu.menu->addAction(QStringLiteral("Schedule Task"));
    menu.exitSeparator = menu.menu->addSeparator();
    menu.minimize = menu.menu->addAction(QStringLiteral("Minimize"));
    menu.exit = menu.menu->addAction(QStringLiteral("Exit Corvane"));

    QFont bold = menu.scheduleTask->font();
    bold.setBold(true);
    menu.scheduleTask->setFont(bold);
    menu.menu->setDefaultAction(menu.scheduleTask);

    connect(menu.options, &QAction::triggered, this, &MainWindow::openOptions);
    connect(menu.scheduleTask, &QAction::triggered, this, &MainWindow::openScheduleTask);
    connect(menu.minimize, &QAction::triggered, this, &MainWindow::toggleMinimized);
    connect(menu.exit, &QAction::triggered, this, &MainWindow::exitProgram);
}

void MainWindow::setHeightTwips(float twips) {
    m_height = twips;
    const double client = static_cast<double>(twips - kFrameTwips);
    setFixedHeight(std::max(1, twipsToPixels(client, tppY())));
}

void MainWindow::showMessage(const QString& text, platform::MessageIcon icon) {
    m_services.messages->show(text, kAppTitle, icon);
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

    QPalette background = palette();
    background.setColor(QPalette::Window, Qt::white);
    setPalette(background);
    setAutoFillBackground(true);

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

    // Just above the top edge of the screen, the left edge at the middle of the work area.
    const double heightPixels = static_cast<double>(m_height) / tppY();
    move(roundHalfEven(m_workAreaRight / 2.0),
         roundHalfEven((m_workAreaBottom - m_workAreaBottom) - heightPixels));
    show();

    m_currentRow = roundHalfEven((m_workAreaBottom - m_workAreaBottom) - heightPixels);
    m_endRow = m_workAreaBottom - m_workAreaBottom;

    slideTimer.start();
    uptimeTimer.start();
    triggerTimer.start();
    indicatorTimer.start();

    scheduledTask.playSound = 1;
    soundFolder = locateNotifySound(*m_services.folders);

    m_settings->loadFiguresOption();
    if (m_settings->ended()) {
        return;
    }
    openCpuQuery(*m_services.figures);
    addCpuCounter(*m_services.figures);
    cpuSampleTimer.start();
    startSecondTimersInPhase();

    m_tray = new QSystemTrayIcon(QIcon(QStringLiteral(":/icons/corvane.svg")), this);
    m_tray->setToolTip(QStringLiteral("Corvane 4.0"));
    connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        switch (reason) {
        case QSystemTrayIcon::Context:
            trayCallback(kRightDown);
            break;
        case QSystemTrayIcon::Trigger:
            trayCallback(kLeftDown);
            break;
        case QSystemTrayIcon::DoubleClick:
            trayCallback(kLeftDoubleClick);
            break;
        case QSystemTrayIcon::MiddleClick:
            trayCallback(kMiddleDown);
            break;
        case QSystemTrayIcon::Unknown:
            trayCallback(kMouseMove);
            break;
        }
    });
    m_tray->show();

    m_settings->loadHourlyBeepOption();
    if (m_settings->ended()) {
        return;
    }
    showSystemStart();
    const std::optional<QString> ontop = m_settings->readOnTop();
    if (m_settings->ended()) {
        return;
    }
    applyStoredOnTop(ontop);
    moreLessButton->setPicture(3);
    const std::optional<QString> tpme = m_settings->readTransparency();
    if (m_settings->ended()) {
        return;
    }
    applyStoredTransparency(tpme);
    m_trayMenuOwner = std::make_unique<TrayMenuOwner>();
}

void MainWindow::unload() {
    if (m_tray != nullptr) {
        m_tray->hide();
    }
    endProgram(*m_services.process);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    unload();
    // Only reached when the end was recorded instead of carried out.
    event->ignore();
}

std::array<QTimer*, 7> MainWindow::secondTimers() {
    // The refresh first: the trigger check and the beep read its values. The sample before
    // the caption that shows it.
    return {&uptimeTimer,     &triggerTimer, &indicatorTimer, &cpuSampleTimer,
            &hourlyBeepTimer, &captionTimer, &clockTimer};
}

void MainWindow::startSecondTimersInPhase() {
    // Qt keeps one-second timers on the half-second nearest to where they started: timers
    // started apart would wake the program twice a second for its whole life.
    for (QTimer* timer : secondTimers()) {
        if (timer->isActive()) {
            timer->start();
        }
    }
}

void MainWindow::keepSecondTimersInPhase() {
    // Those in phase are due now or have just ticked; the others started between two ticks
    // (an Apply) and join from this tick on, at the cost of one tick later than they would.
    for (QTimer* timer : secondTimers()) {
        const int left = timer->remainingTime();
        if (timer != &uptimeTimer && timer->isActive() && left > 100 && left < 900) {
            timer->start(1000);
        }
    }
}

void MainWindow::refreshUptime() {
    if (m_ending) {
        return;
    }
    keepSecondTimersInPhase();
    try {
        const UptimeBreakdown up = breakDownUptime(m_services.clock->tickCount());
        uptimeMinutes = up.minutes;
        minutesLabel->setText(QString::fromStdString(twoDigits(static_cast<std::uint64_t>(up.minutes))));

        bool numeric = false;
        if (uptimeMinutes == 58 && hourlyBeepOption.toInt(&numeric) == 1 && numeric &&
            !hourlyBeepTimer.isActive()) {
            hourlyBeepTimer.start();
        }

        uptimeDays = static_cast<int>(std::min<std::uint64_t>(up.days, 1u << 30));
        daysLabel->setText(QString::fromStdString(twoDigits(up.days)));

        if (up.totalHours > kMaxUptimeHours) {
            // The box runs a nested event loop: no further refresh may show it again.
            m_ending = true;
            uptimeTimer.stop();
            showMessage(kUptimeLimitMessage, platform::MessageIcon::Exclamation);
            endProgram(*m_services.process);
            return;
        }

        uptimeHours = up.hours;
        hoursLabel->setText(QString::fromStdString(twoDigits(static_cast<std::uint64_t>(up.hours))));
        hoursText = QString::number(up.hours);

        hoursSeparator->setHidden(!hoursSeparator->isHidden());
        daysSeparator->setHidden(!daysSeparator->isHidden());
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
    if (scheduledTask.scheduled == 1) {
        taskIndicator->setHidden(!taskIndicator->isHidden());
    } else {
        taskIndicator->setVisible(true);
    }
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

void MainWindow::showFiguresInCaption() {
    try {
        setWindowTitle(composeMonitorText(*m_services.figures, cpuText));
    } catch (const std::exception&) {
        monitorFailed();
        return;
    }
    // A caption of each second must not wake the program again through its notices. Once for
    // each native window (changing the on-top band makes a new one).
    if (internalWinId() != m_quietWindow) {
        m_quietWindow = internalWinId();
        m_services.screen->quietPropertyNotices(m_quietWindow);
    }
}

void MainWindow::sampleCpu() {
    try {
        sampleCpuUsage(*m_services.figures, cpuText);
    } catch (const std::exception&) {
        monitorFailed();
    }
}

void MainWindow::monitorFailed() {
    // Sampling stops first, so that the message is shown once, not at every tick; a new
    // start of the program tries again.
    cpuSampleTimer.stop();
    captionTimer.stop();
    showMessage(kMonitorMessage, platform::MessageIcon::Critical);
    setWindowTitle(QString());
}

bool MainWindow::event(QEvent* event) {
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

void MainWindow::showTimeNow() {
    nowLabel->setText(
        QString::fromStdString(m_services.clock->formatLongTime(m_services.clock->nowMsecsSinceEpoch())));
}

std::int64_t MainWindow::showSystemStart() {
    platform::Clock& clock = *m_services.clock;
    const std::int64_t start = systemStartInstant(clock.nowMsecsSinceEpoch(), clock.tickCount());
    startDateLabel->setText(QString::fromStdString(clock.formatShortDate(start)));
    startTimeLabel->setText(QString::fromStdString(clock.formatLongTime(start)));
    return start;
}

void MainWindow::slideStep() {
    // One pixel a step. The row is the slide's own: the window manager may clamp the first
    // rows and Qt may report a stale position, so the position is never read back.
    move(roundHalfEven(m_workAreaRight / 2.0), m_currentRow);
    m_currentRow += 1;
    if (m_currentRow >= m_endRow) {
        slideTimer.stop();
    }
}

void MainWindow::toggleMoreInformation() {
    constexpr double kStepTwips = 20;
    if (moreLessButton->picture() == 3) {
        moreLessButton->setPicture(4);
        m_moreLessTopTwips += kStepTwips;
        clockTimer.stop();
        transparencyButton->setPicture(1);
    } else if (moreLessButton->picture() == 4) {
        moreLessButton->setPicture(3);
        m_moreLessTopTwips -= kStepTwips;
        clockTimer.start();
    }
    moreLessButton->move(moreLessButton->x(), twipsToPixels(m_moreLessTopTwips, tppY()));

    if (m_height == kLessHeight) {
        setHeightTwips(kMoreHeight);
    } else if (m_height >= kMoreHeightLow && m_height <= kMoreHeightHigh) {
        setHeightTwips(kLessHeight);
    }
}

void MainWindow::minimize() {
    setWindowState(windowState() | Qt::WindowMinimized);
}

namespace {

/// A stored option's text as the start-up rules compare it: 0, 1, or nothing for anything else.
std::optional<long long> storedSwitch(const std::optional<QString>& stored) {
    bool numeric = false;
    const long long n = stored ? stored->trimmed().toLongLong(&numeric) : 0;
    return numeric && (n == 0 || n == 1) ? std::optional<long long>(n) : std::nullopt;
}

// onTopButton sits this far higher and further left while the window is on top.
constexpr double kOnTopRiseTwips = 40;
constexpr double kOnTopShiftTwips = 10;

} // namespace

void MainWindow::moveOnTopButton(double rightTwips, double downTwips) {
    m_onTopLeftTwips += rightTwips;
    m_onTopTopTwips += downTwips;
    onTopButton->move(twipsToPixels(m_onTopLeftTwips, tppX()), twipsToPixels(m_onTopTopTwips, tppY()));
}

void MainWindow::toggleOnTop() {
    // The picture first, the window second, the stored setting last.
    if (onTopButton->picture() == 1) {
        onTopButton->setPicture(2);
        moveOnTopButton(-kOnTopShiftTwips, -kOnTopRiseTwips);
        setWindowOnTop(*this, true);
        m_settings->storeOnTopOn();
    } else if (onTopButton->picture() == 2) {
        onTopButton->setPicture(1);
        moveOnTopButton(kOnTopShiftTwips, kOnTopRiseTwips);
        setWindowOnTop(*this, false);
        m_settings->storeOnTopOff();
    }
}

void MainWindow::toggleTransparency() {
    try {
        if (transparencyButton->picture() == 1) {
            transparencyButton->setPicture(2);
            makeWindowTransparent(*this, *m_services.screen);
            m_settings->storeTransparentOn();
        } else if (transparencyButton->picture() == 2) {
            transparencyButton->setPicture(1);
            makeWindowOpaque(*this, *m_services.screen);
            m_settings->storeTransparentOff();
        }
    } catch (const AppearanceFailure& failure) {
        // What was done stays done: the picture may have changed, the window and tpme not.
        showMessage(QString::number(failure.number()), platform::MessageIcon::Exclamation);
    }
}

void MainWindow::applyStoredOnTop(const std::optional<QString>& stored) {
    const std::optional<long long> on = storedSwitch(stored);
    if (on == 1) {
        onTopButton->setPicture(2);
        moveOnTopButton(-kOnTopShiftTwips, -kOnTopRiseTwips);
        setWindowOnTop(*this, true);
    } else if (on == 0) {
        onTopButton->setPicture(1);
        setWindowOnTop(*this, false);
    }
}

void MainWindow::applyStoredTransparency(const std::optional<QString>& stored) {
    const std::optional<long long> on = storedSwitch(stored);
    try {
        if (on == 1) {
            makeWindowTransparent(*this, *m_services.screen);
            transparencyButton->setPicture(2);
        } else if (on == 0) {
            makeWindowOpaque(*this, *m_services.screen);
            transparencyButton->setPicture(1);
        }
    } catch (const AppearanceFailure&) {
        // Without the service the window stays opaque and the button on its design picture.
    }
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

OptionsWindow& MainWindow::openOptionsWindow() {
    if (m_optionsWindow == nullptr) {
        m_optionsWindow = new OptionsWindow(m_services, *m_settings);
        m_optionsWindow->setAttribute(Qt::WA_DeleteOnClose);
        auto* page = new SchedulePage(scheduledTask, triggerTimer, m_services);
        page->setStatusPanels(m_optionsWindow->panel(1), m_optionsWindow->panel(2));
        page->setOpenEditor([this, page](const QString& kind) {
            openTaskEditor(kind, EditorContext{.services = m_services,
                                               .task = scheduledTask,
                                               .soundFolder = soundFolder,
                                               .mainWindow = this,
                                               .optionsWindow = m_optionsWindow,
                                               .aboutWindow = nullptr,
                                               .kindBox = page->kindBox});
        });
        m_optionsWindow->setSchedulePage(page,
                                         {.fillTaskKinds = [page] { page->fillKinds(); },
                                          .copyScheduledTask = [page] { page->copyTask(); },
                                          .showScheduleStatus = [page] { page->showScheduleStatus(); }});
        m_optionsWindow->load();
    }
    return *m_optionsWindow;
}

void MainWindow::openOptions() {
    openOptionsWindow().openOnOptionsPage();
}

void MainWindow::openScheduleTask() {
    openOptionsWindow().openOnSchedulePage();
}

void MainWindow::exitProgram() {
    endProgram(*m_services.process);
}

void MainWindow::trayCallback(int mouseMessage) {
    mouseDown(Qt::LeftButton, Qt::NoModifier, mouseMessage * tppX(), 0);
}

void MainWindow::mouseDown(Qt::MouseButton, Qt::KeyboardModifiers, double x, double) {
    const double m = x / tppX();
    if (m_trayMenuOwner) {
        m_trayMenuOwner->activateWindow();
    }
    if (m == kRightDown) {
        menu.menu->popup(QCursor::pos());
    }
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
    const QPointF p = event->position();
    mouseDown(event->button(), event->modifiers(), p.x() * tppX(), p.y() * tppY());
    QWidget::mousePressEvent(event);
}
