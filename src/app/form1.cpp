#include "app/form1.h"

#include "app/instance_check.h"
#include "app/uptime.h"
#include "common/app_title.h"
#include "common/design_colours.h"
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
#include <QContextMenuEvent>
#include <QCursor>
#include <QFontInfo>
#include <QIcon>
#include <QLoggingCategory>
#include <QMouseEvent>

#include <exception>

Q_LOGGING_CATEGORY(lcTray, "corvane.tray")

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

Form1::Form1(platform::Services& services, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_services(services) {
    m_twipsPerPixelX = m_services.screen->twipsPerPixelX();
    m_twipsPerPixelY = m_services.screen->twipsPerPixelY();
    setWindowTitle(QString());
    setAccessibleName(QStringLiteral("Corvane"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/corvane.svg")));

    m_settings = std::make_unique<SettingsStore>(
        m_services, OptionTargets{&Timer4, &Timer5, &MemCpustat, &hrbeepstatus, this, &lblcpusage});

    buildDisplay();
    buildPictureButtons();
    buildMenu();

    m_height = static_cast<float>(kClientHeightTwips) + kFrameTwips;
    setFixedWidth(TwipsToPixels(kClientWidthTwips, tppX()));
    SetHeight(m_height);

    for (QTimer* timer : secondTimers()) {
        timer->setInterval(1000);
    }
    tmrmvdown.setInterval(10);
    tmrmvdown.setTimerType(Qt::PreciseTimer);
    connect(&Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
    connect(&Timer2, &QTimer::timeout, this, &Form1::Timer2_Timer);
    connect(&Timer3, &QTimer::timeout, this, &Form1::Timer3_Timer);
    connect(&Timer4, &QTimer::timeout, this, &Form1::Timer4_Timer);
    connect(&Timer5, &QTimer::timeout, this, &Form1::Timer5_Timer);
    connect(&Timer6, &QTimer::timeout, this, &Form1::Timer6_Timer);
    connect(&cpuTimer6, &QTimer::timeout, this, &Form1::cpuTimer6_Timer);
    connect(&tmrmvdown, &QTimer::timeout, this, &Form1::tmrmvdown_Timer);
    // Enabled from the start, as the window was designed; the settings switch Timer4 and Timer5.
    Timer4.start();
    Timer5.start();
    Timer6.start();

    m_executor = std::make_unique<TaskExecutor>(
        TaskExecutor::MainWindow{scheduledTask, Timer1, Timer2, UptimeDays, UptimeHours, UptimeMinutes,
                                 Label3, [this]() -> platform::SoundPlayer& { return MMC1(); }},
        m_services);
}

Form1::~Form1() {
    delete m_form4;
    delete m_form2;
}

QLabel* Form1::makeLabel(const QString& text, int leftTwips, int topTwips, int widthTwips, int heightTwips,
                         const QColor& colour, double pointSize, bool underline, Qt::Alignment align,
                         bool preshaped, QWidget* parent) {
    QWidget* holder = parent != nullptr ? parent : this;
    // The labels that change every second or minute draw their characters from a cache.
    QLabel* label = preshaped ? new PreshapedLabel(text, holder) : new QLabel(text, holder);
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
    const int left = TwipsToPixels(leftTwips, tppX());
    const int top = TwipsToPixels(topTwips, tppY());
    label->setGeometry(left, top, TwipsToPixels(leftTwips + widthTwips, tppX()) - left,
                       TwipsToPixels(topTwips + heightTwips, tppY()) - top);
    if (parent != nullptr) {
        // Placed on the window as designed, whatever group holds it.
        label->move(label->pos() - parent->pos());
    }
    return label;
}

void Form1::buildDisplay() {
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    const auto centre = Qt::AlignHCenter | Qt::AlignVCenter;
    uptimeDisplay = new PhraseGroup(this);
    uptimeDisplay->setGeometry(TwipsToPixels(865, tppX()), TwipsToPixels(492, tppY()),
                               TwipsToPixels(1825 - 865, tppX()), TwipsToPixels(255, tppY()));
    uptimeDisplay->setAccessibleName(QString::fromStdString(UptimePhrase(0, 0, 0)));
    QWidget* group = uptimeDisplay;
    ldd = makeLabel(QStringLiteral("00"), 865, 492, 255, 255, kOrange, 9.75, false, right, true, group);
    ldd->setToolTip(QStringLiteral("Days"));
    Label9 = makeLabel(QStringLiteral(":"), 1130, 492, 90, 255, Qt::black, 9.75, false, centre, true, group);
    lhh = makeLabel(QStringLiteral("00"), 1225, 492, 255, 255, kOrange, 9.75, false, right, true, group);
    lhh->setToolTip(QStringLiteral("Hours"));
    Label1 = makeLabel(QStringLiteral(":"), 1485, 492, 90, 255, Qt::black, 9.75, false, centre, true, group);
    lmm = makeLabel(QStringLiteral("00"), 1570, 492, 255, 255, kOrange, 9.75, false, right, true, group);
    lmm->setToolTip(QStringLiteral("Minutes"));

    Label4 = makeLabel(QStringLiteral("Startup Info"), 360, 885, 1500, 240, kDarkGrey, 9, true);
    Label4->setToolTip(QStringLiteral("System Startup Information"));
    Label11 = makeLabel(QStringLiteral("Date :"), 240, 1200, 590, 225, kDarkGrey, 8.25);
    Label5 = makeLabel(QStringLiteral("Date & Time"), 830, 1200, 1105, 225, kOrange, 8.25);
    Label12 = makeLabel(QStringLiteral("Time :"), 230, 1440, 600, 225, kDarkGrey, 8.25);
    Label10 = makeLabel(QStringLiteral("Date & Time"), 830, 1440, 1105, 225, kOrange, 8.25);
    Label13 = makeLabel(QStringLiteral("Now  :"), 250, 1680, 580, 225, kDarkGrey, 8.25);
    Label14 = makeLabel(QStringLiteral("Now"), 830, 1680, 1105, 225, kOrange, 8.25, false,
                        Qt::AlignLeft | Qt::AlignVCenter, true);
    Label14->setToolTip(QStringLiteral("Now Time"));

    Image1 = new QLabel(this);
    const QSize indicator(TwipsToPixels(345, tppX()), TwipsToPixels(330, tppY()));
    Image1->setPixmap(RenderPicture(QStringLiteral(":/pictures/task_indicator.svg"), indicator));
    Image1->setGeometry(TwipsToPixels(1590, tppX()), TwipsToPixels(24, tppY()), indicator.width(),
                        indicator.height());
    Image1->setToolTip(QStringLiteral("Task Indicator. If blinking, a Task is scheduled."));
    Image1->setAccessibleName(QStringLiteral("Task Indicator"));
}

void Form1::buildPictureButtons() {
    auto make = [this](int left, int top, int width, int height, const QStringList& files,
                       const QString& name) {
        auto* button = new PictureButton(this);
        const QSize size(TwipsToPixels(width, tppX()), TwipsToPixels(height, tppY()));
        QVector<QPixmap> pictures;
        for (const QString& file : files) {
            pictures.append(file.isEmpty() ? QPixmap() : RenderPicture(file, size));
        }
        button->setPictures(pictures);
        button->setGeometry(TwipsToPixels(left, tppX()), TwipsToPixels(top, tppY()), size.width(),
                            size.height());
        button->setAccessibleName(name);
        button->setToolTip(name);
        return button;
    };
    // ImageList1: 1 and 2 the on-top looks, 3 offers less information, 4 offers more.
    const QStringList imageList1 = {
        QStringLiteral(":/pictures/ontop_off.svg"), QStringLiteral(":/pictures/ontop_on.svg"),
        QStringLiteral(":/pictures/less_info.svg"), QStringLiteral(":/pictures/more_info.svg")};
    const QStringList imglist2 = {QStringLiteral(":/pictures/transparency_off.svg"),
                                  QStringLiteral(":/pictures/transparency_on.svg")};
    Image3 = make(100, 656, 225, 150, imageList1, QStringLiteral("More or less information"));
    // Picture 3 offers less information, picture 4 more: the name says what a press does.
    Image3->setNameForPicture(3, QStringLiteral("Less information"));
    Image3->setNameForPicture(4, QStringLiteral("More information"));
    Image6 = make(350, 656, 180, 240, imageList1, QStringLiteral("Always on top"));
    Image6->setToolTip(QStringLiteral("Always On Top"));
    Image4 =
        make(520, 656, 255, 150, {QStringLiteral(":/pictures/minimize.svg")}, QStringLiteral("Minimize"));
    Image4->setPicture(1);
    Image10 = make(1630, 791, 195, 315, imglist2, QStringLiteral("Half transparent"));
    Image10->setToolTip(QStringLiteral("Window Transparent / Opaque."));
    // Until start-up applies a stored state, each shows a picture of its own, neither list
    // picture: with a stored value that is missing or odd, the button stays so and does nothing.
    Image6->setPixmap(RenderPicture(QStringLiteral(":/pictures/ontop_design.svg"), Image6->size()));
    Image10->setPixmap(RenderPicture(QStringLiteral(":/pictures/transparency_design.svg"), Image10->size()));
    // Picture 2 of each list is the "on" state: on top, transparent. Their names are their tool tips.
    Image6->setToggle(2);
    Image10->setToggle(2);
    Image6->setAccessibleName(Image6->toolTip());
    Image10->setAccessibleName(Image10->toolTip());

    connect(Image3, &PictureButton::clicked, this, &Form1::Image3_Click);
    connect(Image4, &PictureButton::clicked, this, &Form1::Image4_Click);
    connect(Image6, &PictureButton::clicked, this, &Form1::Image6_Click);
    connect(Image10, &PictureButton::clicked, this, &Form1::Image10_Click);
}

void Form1::buildMenu() {
    // The menu lives in the hidden "Base" of the window; the tray icon shows it.
    menu.menu = new QMenu(QStringLiteral("Menu"), this);
    menu.about = menu.menu->addAction(QStringLiteral("About"));
    menu.upline = menu.menu->addSeparator();
    menu.Options = menu.menu->addAction(QStringLiteral("Options "));
    menu.shtask = menu.menu->addAction(QStringLiteral("Schedule Task"));
    menu.line = menu.menu->addSeparator();
    menu.mn = menu.menu->addAction(QStringLiteral("Minimize"));
    menu.close = menu.menu->addAction(QStringLiteral("Exit Corvane"));

    QFont bold = menu.shtask->font();
    bold.setBold(true);
    menu.shtask->setFont(bold);
    menu.menu->setDefaultAction(menu.shtask);

    connect(menu.about, &QAction::triggered, this, &Form1::about_Click);
    connect(menu.Options, &QAction::triggered, this, &Form1::Options_Click);
    connect(menu.shtask, &QAction::triggered, this, &Form1::shtask_Click);
    connect(menu.mn, &QAction::triggered, this, &Form1::mn_Click);
    connect(menu.close, &QAction::triggered, this, &Form1::close_Click);
}

void Form1::SetHeight(float twips) {
    m_height = twips;
    const double client = static_cast<double>(twips - kFrameTwips);
    // The small window ends just below the more/less button. Rounding to whole pixels, and once
    // more to the screen's pixels at a fractional scale, must not cut the button that brings the
    // rest back: a pixel of margin below it.
    const int buttonBottom = Image3 != nullptr ? Image3->geometry().bottom() + 2 : 1;
    setFixedHeight(std::max(buttonBottom, TwipsToPixels(client, tppY())));
}

void Form1::showMessage(const QString& text, platform::MessageIcon icon) {
    m_services.messages->show(text, kAppTitle, icon);
}

void Form1::Form_Initialize() {
    ProcessIdList list;
    try {
        list = ListProcessIds(*m_services.processes);
    } catch (const std::exception& failure) {
        showMessage(QString::fromStdString(failure.what()), platform::MessageIcon::Exclamation);
    }
    try {
        CheckSecondInstance(*m_services.processes, *m_services.process, list);
    } catch (const std::exception&) {
        // The check stops silently and start-up goes on.
    }
}

void Form1::Form_Load() {
    m_services.process->createInstanceLock("Corvane4.0");

    SetDesignColours(this, Qt::white);

    if (m_services.process->platformId() < 2) {
        showMessage(kUnsupportedMessage, platform::MessageIcon::Critical);
        m_services.process->endImmediately();
        return;
    }

    // First run, or a key that cannot be read: autostart, the key and its defaults.
    if (m_settings->ProbeSettingsKey() != platform::kErrorSuccess) {
        m_settings->RunFirstRunSequence(AutostartProgramPath());
        if (m_settings->ended()) {
            return;
        }
    }

    const platform::Rect workArea = m_services.screen->workArea();
    m_workAreaRight = workArea.right;
    m_workAreaBottom = workArea.bottom;

    // Just above the top edge of the screen, the left edge at the middle of the work area.
    const double heightPixels = static_cast<double>(m_height) / tppY();
    move(RoundHalfEven(m_workAreaRight / 2.0),
         RoundHalfEven((m_workAreaBottom - m_workAreaBottom) - heightPixels));
    show();

    m_currentRow = RoundHalfEven((m_workAreaBottom - m_workAreaBottom) - heightPixels);
    m_endRow = m_workAreaBottom - m_workAreaBottom;

    tmrmvdown.start();
    Timer1.start();
    Timer2.start();
    Timer3.start();

    scheduledTask.soundcheck = 1;
    Label3 = LocateNotifySound(*m_services.folders);

    m_settings->LoadShowMemCpu();
    if (m_settings->ended()) {
        return;
    }
    OpenCpuQuery(*m_services.figures);
    AddCpuCounter(*m_services.figures);
    cpuTimer6.start();
    startSecondTimersInPhase();

    // The theme's icon by name where the desktop has one (a StatusNotifierItem host draws it
    // itself), the program's own picture otherwise.
    m_tray = new QSystemTrayIcon(
        QIcon::fromTheme(QStringLiteral("corvane"), QIcon(QStringLiteral(":/icons/corvane.svg"))), this);
    m_tray->setToolTip(QStringLiteral("Corvane 4.0"));
    // Set on the icon, the menu is also exported over D-Bus, so a StatusNotifierItem host can show
    // it where it shows its menus. An XEmbed tray still reports the right-button press.
    m_tray->setContextMenu(menu.menu);
    connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        switch (reason) {
        case QSystemTrayIcon::Context:
            TrayCallback(kRightDown);
            break;
        case QSystemTrayIcon::Trigger:
            TrayCallback(kLeftDown);
            break;
        case QSystemTrayIcon::DoubleClick:
            TrayCallback(kLeftDoubleClick);
            break;
        case QSystemTrayIcon::MiddleClick:
            TrayCallback(kMiddleDown);
            break;
        case QSystemTrayIcon::Unknown:
            TrayCallback(kMouseMove);
            break;
        }
    });
    m_tray->show();
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        qCWarning(lcTray).noquote() << "No system tray on this desktop: the menu (Options, Schedule Task, "
                                       "Exit Corvane) opens with a right-click on the main window.";
    }

    m_settings->LoadHrbeep();
    if (m_settings->ended()) {
        return;
    }
    SystemStartTimeDate();
    const std::optional<QString> ontop = m_settings->ReadOntop();
    if (m_settings->ended()) {
        return;
    }
    ApplyStoredOntop(ontop);
    Image3->setPicture(3);
    const std::optional<QString> tpme = m_settings->ReadTpme();
    if (m_settings->ended()) {
        return;
    }
    ApplyStoredTpme(tpme);
    m_form5 = std::make_unique<Form5>();
}

void Form1::Form_Unload() {
    if (m_tray != nullptr) {
        m_tray->hide();
    }
    EndProgram(*m_services.process);
}

void Form1::closeEvent(QCloseEvent* event) {
    Form_Unload();
    // Only reached when the end was recorded instead of carried out.
    event->ignore();
}

std::array<QTimer*, 7> Form1::secondTimers() {
    // The refresh first: the trigger check and the beep read its values. The sample before
    // the caption that shows it.
    return {&Timer1, &Timer2, &Timer3, &cpuTimer6, &Timer4, &Timer5, &Timer6};
}

void Form1::startSecondTimersInPhase() {
    // Qt keeps one-second timers on the half-second nearest to where they started: timers
    // started apart would wake the program twice a second for its whole life.
    for (QTimer* timer : secondTimers()) {
        if (timer->isActive()) {
            timer->start();
        }
    }
}

void Form1::keepSecondTimersInPhase() {
    // Those in phase are due now or have just ticked; the others started between two ticks
    // (an Apply) and join from this tick on, at the cost of one tick later than they would.
    for (QTimer* timer : secondTimers()) {
        const int left = timer->remainingTime();
        if (timer != &Timer1 && timer->isActive() && left > 100 && left < 900) {
            timer->start(1000);
        }
    }
}

void Form1::Timer1_Timer() {
    if (m_ending) {
        return;
    }
    keepSecondTimersInPhase();
    try {
        const UptimeBreakdown up = BreakDownUptime(m_services.clock->tickCount());
        UptimeMinutes = up.minutes;
        lmm->setText(QString::fromStdString(TwoDigits(static_cast<std::uint64_t>(up.minutes))));

        bool numeric = false;
        if (UptimeMinutes == 58 && hrbeepstatus.toInt(&numeric) == 1 && numeric && !Timer4.isActive()) {
            Timer4.start();
        }

        UptimeDays = static_cast<int>(std::min<std::uint64_t>(up.days, 1u << 30));
        ldd->setText(QString::fromStdString(TwoDigits(up.days)));

        if (up.totalHours > kMaxUptimeHours) {
            // The box runs a nested event loop: no further refresh may show it again.
            m_ending = true;
            Timer1.stop();
            showMessage(kUptimeLimitMessage, platform::MessageIcon::Exclamation);
            EndProgram(*m_services.process);
            return;
        }

        UptimeHours = up.hours;
        lhh->setText(QString::fromStdString(TwoDigits(static_cast<std::uint64_t>(up.hours))));
        lhhtxt = QString::number(up.hours);
        // The spoken phrase changes once a minute; it is made only then.
        const std::uint64_t spoken = up.totalHours * 60 + static_cast<std::uint64_t>(up.minutes);
        if (spoken != m_spokenUptime) {
            m_spokenUptime = spoken;
            uptimeDisplay->setAccessibleName(
                QString::fromStdString(UptimePhrase(up.days, up.hours, up.minutes)));
        }

        Label1->setHidden(!Label1->isHidden());
        Label9->setHidden(!Label9->isHidden());
    } catch (const std::exception&) {
        m_ending = true;
        Timer1.stop();
        showMessage(kRestartMessage, platform::MessageIcon::Exclamation);
        EndProgram(*m_services.process);
    }
}

void Form1::Timer2_Timer() {
    m_executor->Timer2_Timer();
}

void Form1::Timer3_Timer() {
    if (scheduledTask.Check1 == 1) {
        Image1->setHidden(!Image1->isHidden());
    } else {
        Image1->setVisible(true);
    }
}

platform::SoundPlayer& Form1::MMC1() {
    if (!m_MMC1) {
        m_MMC1 = m_services.sound->create();
        m_MMC1->setOnFinished([this] { EndNotifySound(*m_MMC1); });
    }
    return *m_MMC1;
}

void Form1::Timer4_Timer() {
    // An empty or non-numeric hour reads as 0: no beep before the first refresh.
    const int hours = lhhtxt.toInt();
    if (UptimeMinutes == 0 && hours != 0) {
        PlayToneSweep(*m_services.tone);
        Timer4.stop();
    }
}

void Form1::Timer5_Timer() {
    try {
        setWindowTitle(ComposeMonitorText(*m_services.figures, lblcpusage));
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

void Form1::cpuTimer6_Timer() {
    try {
        SampleCpuUsage(*m_services.figures, lblcpusage);
    } catch (const std::exception&) {
        monitorFailed();
    }
}

void Form1::monitorFailed() {
    // Sampling stops first, so that the message is shown once, not at every tick; a new
    // start of the program tries again.
    cpuTimer6.stop();
    Timer5.stop();
    showMessage(kMonitorMessage, platform::MessageIcon::Critical);
    setWindowTitle(QString());
}

bool Form1::event(QEvent* event) {
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

void Form1::Timer6_Timer() {
    Label14->setText(
        QString::fromStdString(m_services.clock->formatLongTime(m_services.clock->nowMsecsSinceEpoch())));
}

std::int64_t Form1::SystemStartTimeDate() {
    platform::Clock& clock = *m_services.clock;
    const std::int64_t start = SystemStartInstant(clock.nowMsecsSinceEpoch(), clock.tickCount());
    Label5->setText(QString::fromStdString(clock.formatShortDate(start)));
    Label10->setText(QString::fromStdString(clock.formatLongTime(start)));
    return start;
}

void Form1::tmrmvdown_Timer() {
    // One pixel a step. The row is the slide's own: the window manager may clamp the first
    // rows and Qt may report a stale position, so the position is never read back.
    move(RoundHalfEven(m_workAreaRight / 2.0), m_currentRow);
    m_currentRow += 1;
    if (m_currentRow >= m_endRow) {
        tmrmvdown.stop();
    }
}

void Form1::Image3_Click() {
    constexpr double kStepTwips = 20;
    if (Image3->picture() == 3) {
        Image3->setPicture(4);
        m_image3TopTwips += kStepTwips;
        Timer6.stop();
        Image10->setPicture(1);
    } else if (Image3->picture() == 4) {
        Image3->setPicture(3);
        m_image3TopTwips -= kStepTwips;
        Timer6.start();
    }
    Image3->move(Image3->x(), TwipsToPixels(m_image3TopTwips, tppY()));

    if (m_height == kLessHeight) {
        SetHeight(kMoreHeight);
    } else if (m_height >= kMoreHeightLow && m_height <= kMoreHeightHigh) {
        SetHeight(kLessHeight);
    }
}

void Form1::Image4_Click() {
    setWindowState(windowState() | Qt::WindowMinimized);
}

namespace {

/// A stored option's text as the start-up rules compare it: 0, 1, or nothing for anything else.
std::optional<long long> StoredSwitch(const std::optional<QString>& stored) {
    bool numeric = false;
    const long long n = stored ? stored->trimmed().toLongLong(&numeric) : 0;
    return numeric && (n == 0 || n == 1) ? std::optional<long long>(n) : std::nullopt;
}

// Image6 sits this far higher and further left while the window is on top.
constexpr double kOnTopRiseTwips = 40;
constexpr double kOnTopShiftTwips = 10;

} // namespace

void Form1::moveImage6(double rightTwips, double downTwips) {
    m_image6LeftTwips += rightTwips;
    m_image6TopTwips += downTwips;
    Image6->move(TwipsToPixels(m_image6LeftTwips, tppX()), TwipsToPixels(m_image6TopTwips, tppY()));
}

void Form1::Image6_Click() {
    // The picture first, the window second, the stored setting last.
    if (Image6->picture() == 1) {
        Image6->setPicture(2);
        moveImage6(-kOnTopShiftTwips, -kOnTopRiseTwips);
        SetWindowOnTop(*this, true);
        m_settings->StoreOntopOn();
    } else if (Image6->picture() == 2) {
        Image6->setPicture(1);
        moveImage6(kOnTopShiftTwips, kOnTopRiseTwips);
        SetWindowOnTop(*this, false);
        m_settings->StoreOntopOff();
    }
}

void Form1::Image10_Click() {
    try {
        if (Image10->picture() == 1) {
            Image10->setPicture(2);
            MakeWindowTransparent(*this, *m_services.screen);
            m_settings->StoreTpmeOn();
        } else if (Image10->picture() == 2) {
            Image10->setPicture(1);
            MakeWindowOpaque(*this, *m_services.screen);
            m_settings->StoreTpmeOff();
        }
    } catch (const AppearanceFailure& failure) {
        // What was done stays done: the picture may have changed, the window and tpme not.
        showMessage(QString::number(failure.number()), platform::MessageIcon::Exclamation);
    }
}

void Form1::ApplyStoredOntop(const std::optional<QString>& stored) {
    const std::optional<long long> on = StoredSwitch(stored);
    if (on == 1) {
        Image6->setPicture(2);
        moveImage6(-kOnTopShiftTwips, -kOnTopRiseTwips);
        SetWindowOnTop(*this, true);
    } else if (on == 0) {
        Image6->setPicture(1);
        SetWindowOnTop(*this, false);
    }
}

void Form1::ApplyStoredTpme(const std::optional<QString>& stored) {
    const std::optional<long long> on = StoredSwitch(stored);
    try {
        if (on == 1) {
            MakeWindowTransparent(*this, *m_services.screen);
            Image10->setPicture(2);
        } else if (on == 0) {
            MakeWindowOpaque(*this, *m_services.screen);
            Image10->setPicture(1);
        }
    } catch (const AppearanceFailure&) {
        // Without the service the window stays opaque and the button on its design picture.
    }
}

void Form1::mn_Click() {
    if (menu.mn->text() != QLatin1String("Maximize")) {
        setWindowState(windowState() | Qt::WindowMinimized);
        menu.mn->setText(QStringLiteral("Maximize"));
    } else {
        setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
        show();
        menu.mn->setText(QStringLiteral("Minimize"));
    }
}

EditorContext Form1::editorContext() {
    return EditorContext{.services = m_services,
                         .task = scheduledTask,
                         .windowsDirectory = Label3,
                         .form1 = this,
                         .form2 = m_form2,
                         .form4 = m_form4,
                         .kindBox = m_kindBox};
}

Form2& Form1::openForm2() {
    if (m_form2 == nullptr) {
        m_form2 = new Form2(m_services, *m_settings);
        m_form2->setAttribute(Qt::WA_DeleteOnClose);
        m_form2->setShowAbout([this] { about_Click(); });
        // An alert editor that the About window loaded hidden belongs to this window's kind box.
        connect(m_form2, &QObject::destroyed, this, [] {
            EditorWindow* loaded = FindTaskEditor(QStringLiteral("Alert"));
            if (loaded != nullptr && !loaded->isVisible()) {
                loaded->close();
            }
        });
        auto* page = new SchedulePage(scheduledTask, Timer2, m_services);
        m_kindBox = page->Combo1;
        page->setStatusPanels(m_form2->panel(1), m_form2->panel(2));
        page->setOpenEditor([this](const QString& kind) { OpenTaskEditor(kind, editorContext()); });
        m_form2->setSchedulePage(page, {.fillTaskKinds = [page] { page->FillKinds(); },
                                        .copyScheduledTask = [page] { page->CopyRecord(); },
                                        .showScheduleStatus = [page] { page->ShowScheduleStatus(); }});
        m_form2->Form_Load();
    }
    return *m_form2;
}

void Form1::Options_Click() {
    openForm2().OpenOnOptionsPage();
}

void Form1::shtask_Click() {
    openForm2().OpenOnSchedulePage();
}

void Form1::about_Click() {
    if (m_form4 == nullptr) {
        // The windows it blocks, in order; a missing one is made hidden for it.
        m_form4 = new Form4(
            m_services, {[this](bool) -> QWidget* { return this; },
                         [this](bool create) -> QWidget* { return create ? &openForm2() : m_form2.data(); },
                         [this](bool create) -> QWidget* {
                             if (create) {
                                 openForm2();
                                 return LoadTaskEditor(QStringLiteral("Alert"), editorContext());
                             }
                             return FindTaskEditor(QStringLiteral("Alert"));
                         }});
    }
    m_form4->show();
    m_form4->raise();
    m_form4->activateWindow();
}

void Form1::close_Click() {
    EndProgram(*m_services.process);
}

void Form1::TrayCallback(int mouseMessage) {
    Form_MouseDown(Qt::LeftButton, Qt::NoModifier, mouseMessage * tppX(), 0);
}

void Form1::Form_MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, double x, double) {
    const double m = x / tppX();
    if (m_form5) {
        m_form5->activateWindow();
    }
    // The tray may have opened the menu itself just before it reported the press.
    if (m == kRightDown && !menu.menu->isVisible()) {
        menu.menu->popup(QCursor::pos());
    }
}

void Form1::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() != QContextMenuEvent::Keyboard) {
        QWidget::contextMenuEvent(event);
        return;
    }
    menu.menu->popup(mapToGlobal(QPoint(0, 0)));
}

void Form1::mousePressEvent(QMouseEvent* event) {
    const QPointF p = event->position();
    Form_MouseDown(event->button(), event->modifiers(), p.x() * tppX(), p.y() * tppY());
    // Without a tray the menu would be out of reach: the window's right button opens it.
    if (event->button() == Qt::RightButton && !QSystemTrayIcon::isSystemTrayAvailable()) {
        menu.menu->popup(event->globalPosition().toPoint());
    }
    QWidget::mousePressEvent(event);
}
