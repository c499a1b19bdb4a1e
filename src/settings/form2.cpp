#include "settings/form2.h"

#include "about/help_file.h"
#include "about/maker_site.h"
#include "common/app_title.h"
#include "common/design_colours.h"
#include "common/pictures.h"
#include "common/twips.h"
#include "monitor/cpu_memory_monitor.h"
#include "monitor/hourly_beep.h"
#include "settings/autostart.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QVBoxLayout>

#include <exception>

namespace {

const QColor kTabBarColour(96, 143, 224);

// The window as designed, in twips: the tab bar, the page area, the status bar under them.
constexpr double kTabBarWidth = 1500;
constexpr double kPageWidth = 6930;
constexpr double kPageHeight = 3800;
constexpr double kSchedulePageHeight = 3650;
constexpr double kStatusBarHeight = 330;

// ImgList: 1 a tab not selected, 2 a tab selected, 3 and 4 Apply normal and highlighted.
const QStringList kImgList = {
    QStringLiteral(":/pictures/page_tab.svg"), QStringLiteral(":/pictures/page_tab_selected.svg"),
    QStringLiteral(":/pictures/apply_normal.svg"), QStringLiteral(":/pictures/apply_highlighted.svg")};

} // namespace

Form2::Form2(platform::Services& services, SettingsStore& settings, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_services(services), m_settings(settings) {
    m_twipsPerPixelX = m_services.screen->twipsPerPixelX();
    m_twipsPerPixelY = m_services.screen->twipsPerPixelY();
    setAccessibleName(QStringLiteral("Options and Schedule Task"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/corvane.svg")));
    setFixedSize(Twips(0, 0, kTabBarWidth + kPageWidth, kPageHeight + kStatusBarHeight).size());
    SetDesignColours(this, kDesignBackground);

    buildTabs();
    buildOptionsPage();

    Frame3 = new QFrame(this);
    Frame3->setGeometry(Twips(kTabBarWidth, 0, kPageWidth, kSchedulePageHeight));
    Frame3->setAccessibleName(QStringLiteral("Schedule Task page"));
    auto* pageLayout = new QVBoxLayout(Frame3);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    Frame2->hide();
    Frame3->hide();

    buildStatusBar();
    buildLinks();
    Timer1.setInterval(500);
    connect(&Timer1, &QTimer::timeout, this, &Form2::Timer1_Timer);
}

QRect Form2::Twips(double left, double top, double width, double height) const {
    return {TwipsToPixels(left, m_twipsPerPixelX), TwipsToPixels(top, m_twipsPerPixelY),
            TwipsToPixels(width, m_twipsPerPixelX), TwipsToPixels(height, m_twipsPerPixelY)};
}

QLabel* Form2::makeLabel(QWidget* parent, const QString& text, const QRect& geometry) {
    auto* label = new QLabel(text, parent);
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(8.25);
    label->setFont(font);
    label->setGeometry(geometry);
    return label;
}

PictureButton* Form2::makeImgListButton(QWidget* parent, const QRect& geometry, const QString& name) {
    auto* button = new PictureButton(parent);
    QVector<QPixmap> pictures;
    for (const QString& file : kImgList) {
        pictures.append(RenderPicture(file, geometry.size()));
    }
    button->setPictures(pictures);
    button->setGeometry(geometry);
    button->setAccessibleName(name);
    return button;
}

void Form2::buildTabs() {
    Frame4 = new QFrame(this);
    Frame4->setGeometry(Twips(0, 0, kTabBarWidth, kPageHeight));
    SetDesignColours(Frame4, kTabBarColour);

    auto makeTab = [this](double top, const QString& caption, const QString& name, QLabel*& label) {
        PictureButton* tab = makeImgListButton(Frame4, Twips(337, top, 825, 825), name);
        // The design picture: neither selected nor not, until a page is chosen.
        tab->setPixmap(RenderPicture(QStringLiteral(":/pictures/page_tab_design.svg"), tab->size()));
        label = makeLabel(Frame4, caption, Twips(0, top + 870, kTabBarWidth, 255));
        label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        QPalette white = label->palette();
        white.setColor(QPalette::WindowText, Qt::white);
        label->setPalette(white);
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        return tab;
    };
    Image7 = makeTab(360, QStringLiteral("Options"), QStringLiteral("Options"), Label11);
    Image8 = makeTab(1920, QStringLiteral("Schedule Task "), QStringLiteral("Schedule Task"), Label10);
    // A screen reader hears which page tab is the selected one.
    Image7->setToggle(2);
    Image8->setToggle(2);
    connect(Image7, &PictureButton::clicked, this, &Form2::Image7_Click);
    connect(Image8, &PictureButton::clicked, this, &Form2::Image8_Click);
}

void Form2::buildOptionsPage() {
    Frame2 = new QFrame(this);
    Frame2->setGeometry(Twips(kTabBarWidth, 0, kPageWidth, kPageHeight));
    Frame2->setAccessibleName(QStringLiteral("Options page"));

    auto decoration = [this](double top, const QString& file) {
        auto* picture = new QLabel(Frame2);
        picture->setGeometry(Twips(240, top, 840, 840));
        picture->setPixmap(RenderPicture(file, picture->size()));
        return picture;
    };
    auto checkBox = [this](double top, QLabel* label) {
        auto* box = new QCheckBox(Frame2);
        box->setGeometry(Twips(1200, top, 255, 255));
        box->setAccessibleName(label->text());
        return box;
    };
    Image3 = decoration(420, QStringLiteral(":/pictures/options_startup.svg"));
    Image2 = decoration(1860, QStringLiteral(":/pictures/options_monitor.svg"));

    Label7 = makeLabel(Frame2, QStringLiteral("Load 'Corvane' at Startup."), Twips(1500, 480, 3300, 255));
    Check11 = checkBox(480, Label7);
    Label5 = makeLabel(Frame2, QStringLiteral("Beep on every Hour."), Twips(1500, 1020, 2300, 255));
    Check2 = checkBox(1020, Label5);

    Label6 = makeLink(Frame2, QStringLiteral("Test "), Twips(3900, 1020, 600, 255), Qt::blue);
    Label6->setAccessibleDescription(QStringLiteral("Plays the hourly beep"));
    connect(Label6, &PictureButton::clicked, this, &Form2::Label6_Click);

    Image1 = makeImgListButton(Frame2, Twips(5310, 660, 1200, 480), QStringLiteral("Apply"));
    Image1->setAccessibleDescription(QStringLiteral("Applies loading at start-up and the hourly beep"));
    Image1->setPicture(3);

    Label9 = makeLabel(Frame2,
                       QStringLiteral("Show available physical Memory (mb) and CPU usage (%) in Title Bar."),
                       Twips(1500, 1920, 3700, 510));
    Label9->setWordWrap(true);
    Check3 = checkBox(2040, Label9);
    Image9 = makeImgListButton(Frame2, Twips(5310, 1980, 1200, 480), QStringLiteral("Apply"));
    Image9->setAccessibleDescription(QStringLiteral("Applies the memory and CPU figures in the title bar"));
    Image9->setPicture(3);

    connect(Image1, &PictureButton::clicked, this, &Form2::Image1_Click);
    connect(Image9, &PictureButton::clicked, this, &Form2::Image9_Click);
    connect(Image1, &PictureButton::mouseMoved, this, &Form2::Image1_MouseMove);
    connect(Image9, &PictureButton::mouseMoved, this, &Form2::Image9_MouseMove);
    Frame2->setMouseTracking(true);
    Frame2->installEventFilter(this);
}

PictureButton* Form2::makeLink(QWidget* parent, const QString& text, const QRect& geometry,
                               const QColor& colour) {
    auto* link = new PictureButton(parent);
    link->setText(text);
    link->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(8.25);
    font.setUnderline(true);
    link->setFont(font);
    QPalette palette = link->palette();
    palette.setColor(QPalette::WindowText, colour);
    link->setPalette(palette);
    link->setGeometry(geometry);
    return link;
}

void Form2::buildLinks() {
    // Under the Schedule Task tab, one link a line.
    Label17 = makeLink(Frame4, QStringLiteral("Help"), Twips(337, 3090, 825, 225), Qt::white);
    Label18 = makeLink(Frame4, QStringLiteral("About"), Twips(337, 3315, 825, 225), Qt::white);
    Label19 = makeLink(Frame4, QStringLiteral("Web"), Twips(337, 3540, 825, 225), Qt::white);
    Label17->setAccessibleDescription(QStringLiteral("Opens the help page"));
    Label18->setAccessibleDescription(QStringLiteral("Shows the About window"));
    Label19->setAccessibleDescription(QStringLiteral("Opens the maker's web site"));
    connect(Label17, &PictureButton::clicked, this, &Form2::Label17_Click);
    connect(Label18, &PictureButton::clicked, this, &Form2::Label18_Click);
    connect(Label19, &PictureButton::clicked, this, &Form2::Label19_Click);
}

void Form2::buildStatusBar() {
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setGeometry(Twips(0, kPageHeight, kTabBarWidth + kPageWidth, kStatusBarHeight));
    const int stretches[] = {2, 2, 3};
    for (int i = 0; i < 3; ++i) {
        m_panels[i] = new QLabel(StatusBar1);
        m_panels[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        StatusBar1->addWidget(m_panels[i], stretches[i]);
    }
}

QLabel* Form2::panel(int number) const {
    return number >= 1 && number <= 3 ? m_panels[number - 1] : nullptr;
}

void Form2::setSchedulePage(QWidget* page, SchedulePageSteps steps) {
    Frame3->layout()->addWidget(page);
    m_pageSteps = std::move(steps);
    // The page's controls joined the end of the Tab order: the links go back behind them.
    QWidget* last = previousInFocusChain();
    for (QWidget* link : {Label17, Label18, Label19}) {
        setTabOrder(last, link);
        last = link;
    }
}

void Form2::Form_Load() {
    setWindowTitle(kAppTitle);
    SetDesignColours(Frame2, kDesignBackground);
    SetDesignColours(Frame3, kDesignBackground);
    SetDesignColours(Frame4, kTabBarColour);

    Timer1.start();
    // On a new window both tabs show their design pictures: neither rule changes anything.
    Image7_Click();
    Image8_Click();
    if (m_pageSteps.fillTaskKinds) {
        m_pageSteps.fillTaskKinds();
    }
    LoadAutostartCheck();
    if (m_pageSteps.copyScheduledTask) {
        m_pageSteps.copyScheduledTask();
    }

    // The caches hold what start-up or the last Apply read; anything but 1 and 0 leaves a box.
    const OptionTargets& main = m_settings.targets();
    const std::pair<QCheckBox*, const QString*> boxes[] = {{Check2, main.hrbeepstatus},
                                                           {Check3, main.MemCpustat}};
    for (const auto& [box, cache] : boxes) {
        if (*cache == QLatin1String("1")) {
            box->setChecked(true);
        } else if (*cache == QLatin1String("0")) {
            box->setChecked(false);
        }
    }

    if (m_pageSteps.showScheduleStatus) {
        m_pageSteps.showScheduleStatus();
    }
    panel(3)->setText(main.Form1->windowTitle());
}

void Form2::Form_Unload() {
    Timer1.stop();
}

void Form2::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

bool Form2::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Frame2 && event->type() == QEvent::MouseMove) {
        Frame2_MouseMove();
    }
    return QWidget::eventFilter(watched, event);
}

void Form2::Image1_MouseMove() {
    Image1->setPicture(4);
}

void Form2::Image9_MouseMove() {
    Image9->setPicture(4);
}

void Form2::Frame2_MouseMove() {
    Image1->setPicture(3);
    Image9->setPicture(3);
}

void Form2::FocusPage(QFrame* frame) {
    if (!frame->isVisibleTo(this) || (focusWidget() != nullptr && frame->isAncestorOf(focusWidget()))) {
        return;
    }
    for (QWidget* w = nextInFocusChain(); w != this; w = w->nextInFocusChain()) {
        if (frame->isAncestorOf(w) && w->isVisibleTo(this) && w->isEnabled() &&
            (w->focusPolicy() & Qt::TabFocus) != 0) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void Form2::Label17_Click() {
    OpenHelpFile(m_services);
}

void Form2::Label18_Click() {
    if (m_showAbout) {
        m_showAbout();
    }
}

void Form2::Label19_Click() {
    OpenMakerSite(m_services);
}

void Form2::ShowPage(QFrame* frame) {
    frame->show();
    // Both pages lie at the same place; the one just shown goes on top.
    frame->raise();
}

void Form2::OpenOnOptionsPage() {
    Image7->setPicture(2);
    Image8->setPicture(1);
    ShowPage(Frame2);
    show();
    raise();
    activateWindow();
    FocusPage(Frame2);
}

void Form2::OpenOnSchedulePage() {
    Image8->setPicture(2);
    Image7->setPicture(1);
    show();
    raise();
    activateWindow();
    ShowPage(Frame3);
    FocusPage(Frame3);
}

void Form2::Image7_Click() {
    if (Image7->picture() == 1) {
        Image7->setPicture(2);
        ShowPage(Frame2);
        Frame3->hide();
        Image8->setPicture(1);
    } else if (Image7->picture() == 2) {
        Frame2->hide();
        Image7->setPicture(1);
    }
}

void Form2::Image8_Click() {
    if (Image8->picture() == 1) {
        Image8->setPicture(2);
        ShowPage(Frame3);
        Frame2->hide();
        Image7->setPicture(1);
    } else if (Image8->picture() == 2) {
        Frame3->hide();
        Image8->setPicture(1);
    }
}

void Form2::LoadAutostartCheck() {
    if (const std::optional<int> check = ReadAutostartCheck(*m_services.registry)) {
        Check11->setChecked(*check == 1);
    }
}

void Form2::Image1_Click() {
    if (Check11->isChecked()) {
        RegisterAutostart(*m_services.registry, AutostartProgramPath());
    } else {
        UnregisterAutostart(*m_services.registry, *m_services.messages);
    }
    // Both options every time; the read-back makes the cache and Timer4 follow the registry.
    if (Check2->isChecked()) {
        m_settings.StoreHrbeepOn();
    } else {
        m_settings.StoreHrbeepOff();
    }
    m_settings.LoadHrbeep();
}

void Form2::ApplyShowMemCpu() {
    const OptionTargets& main = m_settings.targets();
    if (Check3->isChecked()) {
        m_settings.StoreShowMemCpuOn();
        if (!main.Timer5->isActive()) {
            main.Timer5->start();
        }
    } else {
        m_settings.StoreShowMemCpuOff();
        main.Form1->setWindowTitle(QString());
        main.Timer5->stop();
    }
    m_settings.LoadShowMemCpu();
}

void Form2::Label6_Click() {
    // The window does not respond until the last tone ends (about a second).
    if (m_services.tone == nullptr) {
        return;
    }
    PlayToneSweep(*m_services.tone);
}

void Form2::Timer1_Timer() {
    const OptionTargets& main = m_settings.targets();
    try {
        panel(3)->setText(ComposeMonitorText(*m_services.figures, *main.lblcpusage));
    } catch (const std::exception&) {
        // The main window reports the figures that cannot be read.
        Timer1.stop();
    }
}
