#include "settings/options_window.h"

#include "about/help_file.h"
#include "about/maker_site.h"
#include "common/app_title.h"
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

const QColor kPageColour(166, 193, 232);
const QColor kTabBarColour(96, 143, 224);

// The window as designed, in twips: the tab bar, the page area, the status bar under them.
constexpr double kTabBarWidth = 1500;
constexpr double kPageWidth = 6930;
constexpr double kPageHeight = 3800;
constexpr double kSchedulePageHeight = 3650;
constexpr double kStatusBarHeight = 330;

// ImgList: 1 a tab not selected, 2 a tab selected, 3 and 4 Apply normal and highlighted.
const QStringList kPictures = {
    QStringLiteral(":/pictures/page_tab.svg"), QStringLiteral(":/pictures/page_tab_selected.svg"),
    QStringLiteral(":/pictures/apply_normal.svg"), QStringLiteral(":/pictures/apply_highlighted.svg")};

} // namespace

OptionsWindow::OptionsWindow(platform::Services& services, SettingsStore& settings, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_services(services), m_settings(settings) {
    m_twipsPerPixelX = m_services.screen->twipsPerPixelX();
    m_twipsPerPixelY = m_services.screen->twipsPerPixelY();
    setAccessibleName(QStringLiteral("Options and Schedule Task"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/corvane.svg")));
    setFixedSize(twipsRect(0, 0, kTabBarWidth + kPageWidth, kPageHeight + kStatusBarHeight).size());
    setBackground(this, kPageColour);

    buildTabs();
    buildOptionsPage();

    schedulePageFrame = new QFrame(this);
    schedulePageFrame->setGeometry(twipsRect(kTabBarWidth, 0, kPageWidth, kSchedulePageHeight));
    schedulePageFrame->setAccessibleName(QStringLiteral("Schedule Task page"));
    auto* pageLayout = new QVBoxLayout(schedulePageFrame);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    optionsPage->hide();
    schedulePageFrame->hide();

    buildStatusBar();
    buildLinks();
    statusBarTimer.setInterval(500);
    connect(&statusBarTimer, &QTimer::timeout, this, &OptionsWindow::showFiguresInStatusBar);
}

QRect OptionsWindow::twipsRect(double left, double top, double width, double height) const {
    return {twipsToPixels(left, m_twipsPerPixelX), twipsToPixels(top, m_twipsPerPixelY),
            twipsToPixels(width, m_twipsPerPixelX), twipsToPixels(height, m_twipsPerPixelY)};
}

void OptionsWindow::setBackground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QLabel* OptionsWindow::makeLabel(QWidget* parent, const QString& text, const QRect& geometry) {
    auto* label = new QLabel(text, parent);
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(8.25);
    label->setFont(font);
    label->setGeometry(geometry);
    return label;
}

PictureButton* OptionsWindow::makePictureButton(QWidget* parent, const QRect& geometry, const QString& name) {
    auto* button = new PictureButton(parent);
    QVector<QPixmap> pictures;
    for (const QString& file : kPictures) {
        pictures.append(renderPicture(file, geometry.size()));
    }
    button->setPictures(pictures);
    button->setGeometry(geometry);
    button->setAccessibleName(name);
    return button;
}

void OptionsWindow::buildTabs() {
    tabBar = new QFrame(this);
    tabBar->setGeometry(twipsRect(0, 0, kTabBarWidth, kPageHeight));
    setBackground(tabBar, kTabBarColour);

    auto makeTab = [this](double top, const QString& caption, const QString& name, QLabel*& label) {
        PictureButton* tab = makePictureButton(tabBar, twipsRect(337, top, 825, 825), name);
        // The design picture: neither selected nor not, until a page is chosen.
        tab->setPixmap(renderPicture(QStringLiteral(":/pictures/page_tab_design.svg"), tab->size()));
        label = makeLabel(tabBar, caption, twipsRect(0, top + 870, kTabBarWidth, 255));
        label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        QPalette white = label->palette();
        white.setColor(QPalette::WindowText, Qt::white);
        label->setPalette(white);
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        return tab;
    };
    optionsTab = makeTab(360, QStringLiteral("Options"), QStringLiteral("Options"), optionsTabCaption);
    scheduleTab =
        makeTab(1920, QStringLiteral("Schedule Task "), QStringLiteral("Schedule Task"), scheduleTabCaption);
    // A screen reader hears which page tab is the selected one.
    optionsTab->setToggle(2);
    scheduleTab->setToggle(2);
    connect(optionsTab, &PictureButton::clicked, this, &OptionsWindow::toggleOptionsPage);
    connect(scheduleTab, &PictureButton::clicked, this, &OptionsWindow::toggleSchedulePage);
}

void OptionsWindow::buildOptionsPage() {
    optionsPage = new QFrame(this);
    optionsPage->setGeometry(twipsRect(kTabBarWidth, 0, kPageWidth, kPageHeight));
    optionsPage->setAccessibleName(QStringLiteral("Options page"));

    auto decoration = [this](double top, const QString& file) {
        auto* picture = new QLabel(optionsPage);
        picture->setGeometry(twipsRect(240, top, 840, 840));
        picture->setPixmap(renderPicture(file, picture->size()));
        return picture;
    };
    auto checkBox = [this](double top, QLabel* label) {
        auto* box = new QCheckBox(optionsPage);
        box->setGeometry(twipsRect(1200, top, 255, 255));
        box->setAccessibleName(label->text());
        return box;
    };
    startupPicture = decoration(420, QStringLiteral(":/pictures/options_startup.svg"));
    monitorPicture = decoration(1860, QStringLiteral(":/pictures/options_monitor.svg"));

    autostartLabel =
        makeLabel(optionsPage, QStringLiteral("Load 'Corvane' at Startup."), twipsRect(1500, 480, 3300, 255));
    autostartCheck = checkBox(480, autostartLabel);
    hourlyBeepLabel =
        makeLabel(optionsPage, QStringLiteral("Beep on every Hour."), twipsRect(1500, 1020, 2300, 255));
    hourlyBeepCheck = checkBox(1020, hourlyBeepLabel);

    testLink = makeLink(optionsPage, QStringLiteral("Test "), twipsRect(3900, 1020, 600, 255), Qt::blue);
    testLink->setAccessibleDescription(QStringLiteral("Plays the hourly beep"));
    connect(testLink, &PictureButton::clicked, this, &OptionsWindow::testBeep);

    applyAutostartButton =
        makePictureButton(optionsPage, twipsRect(5310, 660, 1200, 480), QStringLiteral("Apply"));
    applyAutostartButton->setAccessibleDescription(
        QStringLiteral("Applies loading at start-up and the hourly beep"));
    applyAutostartButton->setPicture(3);

    figuresLabel = makeLabel(
        optionsPage, QStringLiteral("Show available physical Memory (mb) and CPU usage (%) in Title Bar."),
        twipsRect(1500, 1920, 3700, 510));
    figuresLabel->setWordWrap(true);
    figuresCheck = checkBox(2040, figuresLabel);
    applyFiguresButton =
        makePictureButton(optionsPage, twipsRect(5310, 1980, 1200, 480), QStringLiteral("Apply"));
    applyFiguresButton->setAccessibleDescription(
        QStringLiteral("Applies the memory and CPU figures in the title bar"));
    applyFiguresButton->setPicture(3);

    connect(applyAutostartButton, &PictureButton::clicked, this, &OptionsWindow::applyAutostartAndBeep);
    connect(applyFiguresButton, &PictureButton::clicked, this, &OptionsWindow::applyFigures);
    connect(applyAutostartButton, &PictureButton::mouseMoved, this, &OptionsWindow::highlightApplyAutostart);
    connect(applyFiguresButton, &PictureButton::mouseMoved, this, &OptionsWindow::highlightApplyFigures);
    optionsPage->setMouseTracking(true);
    optionsPage->installEventFilter(this);
}

PictureButton* OptionsWindow::makeLink(QWidget* parent, const QString& text, const QRect& geometry,
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

void OptionsWindow::buildLinks() {
    // Under the Schedule Task tab, one link a line.
    helpLink = makeLink(tabBar, QStringLiteral("Help"), twipsRect(337, 3090, 825, 225), Qt::white);
    aboutLink = makeLink(tabBar, QStringLiteral("About"), twipsRect(337, 3315, 825, 225), Qt::white);
    webLink = makeLink(tabBar, QStringLiteral("Web"), twipsRect(337, 3540, 825, 225), Qt::white);
    helpLink->setAccessibleDescription(QStringLiteral("Opens the help page"));
    aboutLink->setAccessibleDescription(QStringLiteral("Shows the About window"));
    webLink->setAccessibleDescription(QStringLiteral("Opens the maker's web site"));
    connect(helpLink, &PictureButton::clicked, this, &OptionsWindow::openHelp);
    connect(aboutLink, &PictureButton::clicked, this, &OptionsWindow::openAbout);
    connect(webLink, &PictureButton::clicked, this, &OptionsWindow::openWebAddress);
}

void OptionsWindow::buildStatusBar() {
    statusBar = new QStatusBar(this);
    statusBar->setSizeGripEnabled(false);
    statusBar->setGeometry(twipsRect(0, kPageHeight, kTabBarWidth + kPageWidth, kStatusBarHeight));
    const int stretches[] = {2, 2, 3};
    for (int i = 0; i < 3; ++i) {
        m_panels[i] = new QLabel(statusBar);
        m_panels[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        statusBar->addWidget(m_panels[i], stretches[i]);
    }
}

QLabel* OptionsWindow::panel(int number) const {
    return number >= 1 && number <= 3 ? m_panels[number - 1] : nullptr;
}

void OptionsWindow::setSchedulePage(QWidget* page, SchedulePageSteps steps) {
    schedulePageFrame->layout()->addWidget(page);
    m_pageSteps = std::move(steps);
    // The page's controls joined the end of the Tab order: the links go back behind them.
    QWidget* last = previousInFocusChain();
    for (QWidget* link : {helpLink, aboutLink, webLink}) {
        setTabOrder(last, link);
        last = link;
    }
}

void OptionsWindow::load() {
    setWindowTitle(kAppTitle);
    setBackground(optionsPage, kPageColour);
    setBackground(schedulePageFrame, kPageColour);
    setBackground(tabBar, kTabBarColour);

    statusBarTimer.start();
    // On a new window both tabs show their design pictures: neither rule changes anything.
    toggleOptionsPage();
    toggleSchedulePage();
    if (m_pageSteps.fillTaskKinds) {
        m_pageSteps.fillTaskKinds();
    }
    loadAutostartCheck();
    if (m_pageSteps.copyScheduledTask) {
        m_pageSteps.copyScheduledTask();
    }

    // The caches hold what start-up or the last Apply read; anything but 1 and 0 leaves a box.
    const OptionTargets& main = m_settings.targets();
    const std::pair<QCheckBox*, const QString*> boxes[] = {{hourlyBeepCheck, main.hourlyBeepOption},
                                                           {figuresCheck, main.figuresOption}};
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
    panel(3)->setText(main.mainWindow->windowTitle());
}

void OptionsWindow::unload() {
    statusBarTimer.stop();
}

void OptionsWindow::closeEvent(QCloseEvent* event) {
    unload();
    event->accept();
}

bool OptionsWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == optionsPage && event->type() == QEvent::MouseMove) {
        restoreApplyButtons();
    }
    return QWidget::eventFilter(watched, event);
}

void OptionsWindow::highlightApplyAutostart() {
    applyAutostartButton->setPicture(4);
}

void OptionsWindow::highlightApplyFigures() {
    applyFiguresButton->setPicture(4);
}

void OptionsWindow::restoreApplyButtons() {
    applyAutostartButton->setPicture(3);
    applyFiguresButton->setPicture(3);
}

void OptionsWindow::FocusPage(QFrame* frame) {
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

void OptionsWindow::openHelp() {
    openHelpFile(m_services);
}

void OptionsWindow::openAbout() {
    if (m_showAbout) {
        m_showAbout();
    }
}

void OptionsWindow::openWebAddress() {
    openMakerSite(m_services);
}

void OptionsWindow::showPage(QFrame* frame) {
    frame->show();
    // Both pages lie at the same place; the one just shown goes on top.
    frame->raise();
}

void OptionsWindow::openOnOptionsPage() {
    optionsTab->setPicture(2);
    scheduleTab->setPicture(1);
    showPage(optionsPage);
    show();
    raise();
    activateWindow();
    FocusPage(optionsPage);
}

void OptionsWindow::openOnSchedulePage() {
    scheduleTab->setPicture(2);
    optionsTab->setPicture(1);
    show();
    raise();
    activateWindow();
    showPage(schedulePageFrame);
    FocusPage(schedulePageFrame);
}

void OptionsWindow::toggleOptionsPage() {
    if (optionsTab->picture() == 1) {
        optionsTab->setPicture(2);
        showPage(optionsPage);
        schedulePageFrame->hide();
        scheduleTab->setPicture(1);
    } else if (optionsTab->picture() == 2) {
        optionsPage->hide();
        optionsTab->setPicture(1);
    }
}

void OptionsWindow::toggleSchedulePage() {
    if (scheduleTab->picture() == 1) {
        scheduleTab->setPicture(2);
        showPage(schedulePageFrame);
        optionsPage->hide();
        optionsTab->setPicture(1);
    } else if (scheduleTab->picture() == 2) {
        schedulePageFrame->hide();
        scheduleTab->setPicture(1);
    }
}

void OptionsWindow::loadAutostartCheck() {
    if (const std::optional<int> check = readAutostartCheck(*m_services.registry)) {
        autostartCheck->setChecked(*check == 1);
    }
}

void OptionsWindow::applyAutostartAndBeep() {
    if (autostartCheck->isChecked()) {
        registerAutostart(*m_services.registry, autostartProgramPath());
    } else {
        unregisterAutostart(*m_services.registry, *m_services.messages);
    }
    // Both options every time; the read-back makes the cache and hourlyBeepTimer follow the registry.
    if (hourlyBeepCheck->isChecked()) {
        m_settings.storeHourlyBeepOn();
    } else {
        m_settings.storeHourlyBeepOff();
    }
    m_settings.loadHourlyBeepOption();
}

void OptionsWindow::applyFiguresOption() {
    const OptionTargets& main = m_settings.targets();
    if (figuresCheck->isChecked()) {
        m_settings.storeFiguresOn();
        if (!main.captionTimer->isActive()) {
            main.captionTimer->start();
        }
    } else {
        m_settings.storeFiguresOff();
        main.mainWindow->setWindowTitle(QString());
        main.captionTimer->stop();
    }
    m_settings.loadFiguresOption();
}

void OptionsWindow::testBeep() {
    // The window does not respond until the last tone ends (about a second).
    if (m_services.tone == nullptr) {
        return;
    }
    playToneSweep(*m_services.tone);
}

void OptionsWindow::showFiguresInStatusBar() {
    const OptionTargets& main = m_settings.targets();
    try {
        panel(3)->setText(composeMonitorText(*m_services.figures, *main.cpuText));
    } catch (const std::exception&) {
        // The main window reports the figures that cannot be read.
        statusBarTimer.stop();
    }
}
