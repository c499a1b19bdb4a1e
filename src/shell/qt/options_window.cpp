#include "shell/qt/options_window.h"

#include "core/design/options_window_design.h"
#include "shell/qt/control_names.h"
#include "shell/qt/design_colours.h"
#include "shell/qt/pictures.h"
#include "shell/qt/schedule_page.h"
#include "shell/qt/twips.h"
#include "shell/qt/window_blocking.h"

#include <QCloseEvent>
#include <QVBoxLayout>

namespace qtshell {

namespace {

namespace design = core::design::options_window;

} // namespace

OptionsWindow::OptionsWindow(platform::Services& services, core::SettingsStore& settings,
                             core::AppState& state, core::TimerFactory& timers, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_services(services), m_twips{services.screen->twipsPerPixelX(), services.screen->twipsPerPixelY()},
      m_rules(*this, services, state, timers) {
    setAccessibleName(QString::fromUtf8(design::kAccessibleName));
    setWindowIcon(QIcon(QStringLiteral(":/icons/corvane.svg")));
    setFixedSize(twipsRect({0, 0, design::kWidth, design::kHeight}).size());
    setDesignColours(this, kDesignBackground);

    buildTabs();
    optionsPage = new OptionsPage(services, settings, state, m_twips, this);
    m_rules.setOptionsPage(&optionsPage->rules());
    optionsPage->setGeometry(twipsRect(design::kOptionsPage));

    schedulePageFrame = new Panel(this);
    schedulePageFrame->setGeometry(twipsRect(design::kSchedulePage));
    auto* pageLayout = new QVBoxLayout(schedulePageFrame);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    optionsPage->hide();
    schedulePageFrame->hide();

    buildStatusBar();
    buildLinks();
    nameControls({{tabBar, "tabBar"},
                  {optionsTab, "optionsTab"},
                  {optionsTabCaption, "optionsTabCaption"},
                  {scheduleTab, "scheduleTab"},
                  {scheduleTabCaption, "scheduleTabCaption"},
                  {optionsPage, "optionsPage"},
                  {schedulePageFrame, "schedulePageFrame"},
                  {helpLink, "helpLink"},
                  {aboutLink, "aboutLink"},
                  {webLink, "webLink"},
                  {statusBar, "statusBar"}});
}

void OptionsWindow::buildTabs() {
    tabBar = new Panel(this);
    tabBar->setAccessibleName(QString::fromUtf8(design::kTabBarName));
    tabBar->setGeometry(twipsRect(design::kTabBar));
    setDesignColours(tabBar, kTabBarColour);

    auto makeTab = [this](const design::Tab& look, QLabel*& label) {
        PictureButton* tab = makeListButton(tabBar, twipsRect(look.button), QString::fromUtf8(look.name));
        // The design picture: neither selected nor not, until a page is chosen.
        tab->setPixmap(renderPicture(QStringLiteral(":/pictures/page_tab_design.svg"), tab->size()));
        label = makeOptionsLabel(tabBar, QString::fromUtf8(look.text), twipsRect(look.caption));
        label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        QPalette white = label->palette();
        white.setColor(QPalette::WindowText, toQColor(design::kTabCaptionColour));
        label->setPalette(white);
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        return tab;
    };
    optionsTab = makeTab(design::kOptionsTab, optionsTabCaption);
    scheduleTab = makeTab(design::kScheduleTab, scheduleTabCaption);
    // A screen reader hears which page tab is the selected one.
    optionsTab->setToggle(2);
    scheduleTab->setToggle(2);
    connect(optionsTab, &PictureButton::clicked, this, &OptionsWindow::toggleOptionsPage);
    connect(scheduleTab, &PictureButton::clicked, this, &OptionsWindow::toggleSchedulePage);
}

void OptionsWindow::buildLinks() {
    // Under the Schedule Task tab, one link a line.
    PictureButton** const links[] = {&helpLink, &aboutLink, &webLink};
    for (std::size_t i = 0; i < design::kLinks.size(); ++i) {
        const design::Link& link = design::kLinks[i];
        *links[i] = makeLink(tabBar, QString::fromUtf8(link.text), twipsRect(link.place),
                             toQColor(design::kLinkColour));
        (*links[i])->setAccessibleDescription(QString::fromUtf8(link.description));
    }
    connect(helpLink, &PictureButton::clicked, this, &OptionsWindow::openHelp);
    connect(aboutLink, &PictureButton::clicked, this, &OptionsWindow::openAbout);
    connect(webLink, &PictureButton::clicked, this, &OptionsWindow::openWebAddress);
}

void OptionsWindow::buildStatusBar() {
    statusBar = new QStatusBar(this);
    statusBar->setSizeGripEnabled(false);
    statusBar->setGeometry(twipsRect(design::kStatusBar));
    for (std::size_t i = 0; i < design::kPanelShares.size(); ++i) {
        m_panels[i] = new QLabel(statusBar);
        m_panels[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        statusBar->addWidget(m_panels[i], design::kPanelShares[i]);
    }
}

QLabel* OptionsWindow::panel(int number) const {
    return number >= 1 && number <= 3 ? m_panels[number - 1] : nullptr;
}

void OptionsWindow::setSchedulePage(SchedulePage* page) {
    schedulePageFrame->layout()->addWidget(page);
    page->setStatusPanels(panel(1), panel(2));
    m_rules.setSchedulePage(&page->rules());
    // The page's controls joined the end of the Tab order: the links go back behind them.
    QWidget* last = previousInFocusChain();
    for (QWidget* link : {helpLink, aboutLink, webLink}) {
        setTabOrder(last, link);
        last = link;
    }
}

void OptionsWindow::showLook(const std::string& caption) {
    setWindowTitle(QString::fromStdString(caption));
    setDesignColours(optionsPage, kDesignBackground);
    setDesignColours(schedulePageFrame, kDesignBackground);
    setDesignColours(tabBar, kTabBarColour);
}

void OptionsWindow::closeEvent(QCloseEvent* event) {
    unload();
    event->accept();
}

QFrame* OptionsWindow::pageFrame(core::Page page) const {
    return page == core::Page::Options ? static_cast<QFrame*>(optionsPage) : schedulePageFrame;
}

void OptionsWindow::focusPage(core::Page page) {
    QFrame* frame = pageFrame(page);
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

void OptionsWindow::showTab(core::Page tab, core::TabPicture picture) {
    (tab == core::Page::Options ? optionsTab : scheduleTab)->setPicture(static_cast<int>(picture));
}

void OptionsWindow::showPage(core::Page page, bool shown) {
    QFrame* frame = pageFrame(page);
    if (shown) {
        frame->show();
        // Both pages lie at the same place; the one just shown goes on top.
        frame->raise();
    } else {
        frame->hide();
    }
}

void OptionsWindow::showFigures(const std::string& text) {
    panel(3)->setText(QString::fromStdString(text));
}

void OptionsWindow::showWindow() {
    qtshell::showWindow(this);
}

} // namespace qtshell
