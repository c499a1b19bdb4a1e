#pragma once

#include "platform/services.h"

#include <functional>
#include <memory>
#include <string>

namespace core {

class OptionsPage;
class SchedulePage;
class AppState;
class Timer;
class TimerFactory;

/// The two pages of the Options and Schedule Task window.
enum class Page { Options, Schedule };

/// A page tab's picture: the design picture until a page is chosen, then not selected or selected.
enum class TabPicture { Design = 0, NotSelected = 1, Selected = 2 };

/// The Options and Schedule Task window as its rules see it.
class OptionsWindowView {
public:
    virtual ~OptionsWindowView() = default;
    /// The caption and the colours of the tab bar and the two pages.
    virtual void showLook(const std::string& caption) = 0;
    virtual void showTab(Page tab, TabPicture picture) = 0;
    /// Shows (on top of the other) or hides a page.
    virtual void showPage(Page page, bool shown) = 0;
    /// Panel 3 of the status bar.
    virtual void showFigures(const std::string& text) = 0;
    /// Shows the window, raised and active.
    virtual void showWindow() = 0;
    /// The keyboard focus on the first control of a page just shown.
    virtual void focusPage(Page page) = 0;
};

/// The Options and Schedule Task window: its loading, the page tabs, the menu entries that open
/// it on a page, the status bar's copy of the monitor figures every 500 ms, and the Help, About
/// and Web links.
class OptionsWindow final {
public:
    /// The status bar's copy of the figures, in milliseconds.
    static constexpr int kStatusBarInterval = 500;

    /// The window's status-bar timer is made with timers.
    OptionsWindow(OptionsWindowView& view, platform::Services& services, AppState& state,
                  TimerFactory& timers);
    ~OptionsWindow();
    OptionsWindow(const OptionsWindow&) = delete;
    OptionsWindow& operator=(const OptionsWindow&) = delete;

    /// The two pages, whose loading steps run at their places.
    void setOptionsPage(OptionsPage* page) { m_optionsPage = page; }
    void setSchedulePage(SchedulePage* page) { m_schedulePage = page; }
    /// What the About link does.
    void setShowAbout(std::function<void()> showAbout) { m_showAbout = std::move(showAbout); }

    /// Loading: caption and colours, statusBarTimer, the tab rules, the page's steps, the check
    /// boxes from the autostart entry and the option caches, panel 3 from the main window's caption.
    void load();
    /// Stops statusBarTimer.
    void unload();

    /// The menu entry "Options ": the Options tab selected, its page shown, the window shown.
    void openOnOptionsPage();
    /// The menu entry "Schedule Task": the Schedule Task tab selected, the window shown, its page shown.
    void openOnSchedulePage();
    /// Options tab: selects its page, or closes it when it is the selected one.
    void toggleOptionsPage();
    /// Schedule Task tab: the mirror image.
    void toggleSchedulePage();
    /// Panel 3: the monitor figures.
    void showFiguresInStatusBar();
    /// The links at the foot: the help page, the About window, the maker's web site.
    void openHelp();
    void openAbout();
    void openWebAddress();

    TabPicture tabPicture(Page tab) const { return tab == Page::Options ? m_optionsTab : m_scheduleTab; }
    Timer& statusBarTimer() { return *m_statusBarTimer; }

private:
    void setTab(Page tab, TabPicture picture);
    void toggle(Page page);

    OptionsWindowView& m_view;
    platform::Services& m_services;
    AppState& m_state;
    OptionsPage* m_optionsPage = nullptr;
    SchedulePage* m_schedulePage = nullptr;
    std::unique_ptr<Timer> m_statusBarTimer;
    std::function<void()> m_showAbout;
    TabPicture m_optionsTab = TabPicture::Design;
    TabPicture m_scheduleTab = TabPicture::Design;
};

} // namespace core
