#include "core/options_window.h"

#include "core/app_state.h"
#include "core/app_title.h"
#include "core/figures.h"
#include "core/help_and_site.h"
#include "core/options_page.h"
#include "core/schedule_page.h"
#include "core/timer.h"

#include <exception>

namespace core {

OptionsWindow::OptionsWindow(OptionsWindowView& view, platform::Services& services, AppState& state,
                             TimerFactory& timers)
    : m_view(view), m_services(services), m_state(state),
      m_statusBarTimer(timers.makeTimer(std::chrono::milliseconds(kStatusBarInterval),
                                        [this] { showFiguresInStatusBar(); })) {}

OptionsWindow::~OptionsWindow() = default;

void OptionsWindow::load() {
    m_view.showLook(kAppTitle);
    m_statusBarTimer->start();
    // On a new window both tabs show their design pictures: neither rule changes anything.
    toggleOptionsPage();
    toggleSchedulePage();
    if (m_schedulePage != nullptr) {
        m_schedulePage->fillKinds();
    }
    if (m_optionsPage != nullptr) {
        m_optionsPage->loadAutostartCheck();
    }
    if (m_schedulePage != nullptr) {
        m_schedulePage->copyTask();
    }
    if (m_optionsPage != nullptr) {
        m_optionsPage->loadOptionCaches();
    }
    if (m_schedulePage != nullptr) {
        m_schedulePage->showScheduleStatus();
    }
    m_view.showFigures(m_state.caption());
}

void OptionsWindow::unload() {
    m_statusBarTimer->stop();
}

void OptionsWindow::setTab(Page tab, TabPicture picture) {
    (tab == Page::Options ? m_optionsTab : m_scheduleTab) = picture;
    m_view.showTab(tab, picture);
}

void OptionsWindow::openOnOptionsPage() {
    setTab(Page::Options, TabPicture::Selected);
    setTab(Page::Schedule, TabPicture::NotSelected);
    m_view.showPage(Page::Options, true);
    m_view.showWindow();
    m_view.focusPage(Page::Options);
}

void OptionsWindow::openOnSchedulePage() {
    setTab(Page::Schedule, TabPicture::Selected);
    setTab(Page::Options, TabPicture::NotSelected);
    m_view.showWindow();
    m_view.showPage(Page::Schedule, true);
    m_view.focusPage(Page::Schedule);
}

void OptionsWindow::toggle(Page page) {
    const Page other = page == Page::Options ? Page::Schedule : Page::Options;
    const TabPicture picture = tabPicture(page);
    if (picture == TabPicture::NotSelected) {
        setTab(page, TabPicture::Selected);
        m_view.showPage(page, true);
        m_view.showPage(other, false);
        setTab(other, TabPicture::NotSelected);
    } else if (picture == TabPicture::Selected) {
        // Clicking the selected tab closes its page; no page shows then.
        m_view.showPage(page, false);
        setTab(page, TabPicture::NotSelected);
    }
}

void OptionsWindow::toggleOptionsPage() {
    toggle(Page::Options);
}

void OptionsWindow::toggleSchedulePage() {
    toggle(Page::Schedule);
}

void OptionsWindow::showFiguresInStatusBar() {
    try {
        m_view.showFigures(composeFiguresText(*m_services.figures, m_state.cpuText()));
    } catch (const std::exception&) {
        // The main window reports the figures that cannot be read.
        m_statusBarTimer->stop();
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

} // namespace core
