#pragma once

#include "core/app_state.h"
#include "core/options_window.h"
#include "core/settings_store.h"
#include "core/timer.h"
#include "platform/services.h"
#include "shell/qt/options_look.h"
#include "shell/qt/options_page.h"
#include "shell/qt/picture_button.h"

#include <QFrame>
#include <QLabel>
#include <QStatusBar>
#include <QWidget>

#include <functional>

namespace qtshell {

class SchedulePage;

/// The Options and Schedule Task window's own controls: a private base of the window, as a form class of Qt
/// Designer is. The window keeps them to itself; the tests find them by their names.
struct OptionsWindowControls {
    // The bar of page tabs.
    QFrame* tabBar = nullptr;
    PictureButton* optionsTab = nullptr;
    QLabel* optionsTabCaption = nullptr;
    PictureButton* scheduleTab = nullptr;
    QLabel* scheduleTabCaption = nullptr;

    /// The Options page.
    OptionsPage* optionsPage = nullptr;

    /// The Schedule Task page's frame; its layout takes the page.
    QFrame* schedulePageFrame = nullptr;

    // The links at the foot of the tab bar.
    PictureButton* helpLink = nullptr;
    PictureButton* aboutLink = nullptr;
    PictureButton* webLink = nullptr;

    QStatusBar* statusBar = nullptr;
};

/// The Options and Schedule Task window: two pages chosen with the page tabs in the bar at its
/// left, the Help, About and Web links under them, and a status bar of three panels; a view over
/// core::OptionsWindow. It makes its OptionsPage; the main window's WindowLauncher makes it and
/// puts the SchedulePage into schedulePageFrame before load.
class OptionsWindow final : public QWidget, public core::OptionsWindowView, private OptionsWindowControls {
    Q_OBJECT

public:
    OptionsWindow(platform::Services& services, core::SettingsStore& settings, core::AppState& state,
                  core::TimerFactory& timers, QWidget* parent = nullptr);

    /// Puts the Schedule Task page into schedulePageFrame (which then owns it); its loading steps
    /// run at their places.
    void setSchedulePage(SchedulePage* page);
    /// What the About link does: show the About window.
    void setShowAbout(std::function<void()> showAbout) { m_rules.setShowAbout(std::move(showAbout)); }

    /// Loading: caption and colours, statusBarTimer, the tab rules, the page's steps, the check boxes
    /// from the autostart entry and the option caches, panel 3 from the main window's caption.
    void load() { m_rules.load(); }
    /// Stops statusBarTimer.
    void unload() { m_rules.unload(); }

    /// The menu entry "Options ": the Options tab selected, its page shown, the window shown.
    void openOnOptionsPage() { m_rules.openOnOptionsPage(); }
    /// The menu entry "Schedule Task": the Schedule Task tab selected, the window shown, its page shown.
    void openOnSchedulePage() { m_rules.openOnSchedulePage(); }

    /// Options tab: selects its page, or closes it when it is the selected one.
    void toggleOptionsPage() { m_rules.toggleOptionsPage(); }
    /// Schedule Task tab: the mirror image of toggleOptionsPage.
    void toggleSchedulePage() { m_rules.toggleSchedulePage(); }
    /// Panel 3: the monitor figures, memory read now and the main window's processor text.
    void showFiguresInStatusBar() { m_rules.showFiguresInStatusBar(); }
    /// The links at the foot: the help page, the About window, the maker's web site.
    void openHelp() { m_rules.openHelp(); }
    void openAbout() { m_rules.openAbout(); }
    void openWebAddress() { m_rules.openWebAddress(); }
    /// The status-bar copy of the monitor figures, every 500 ms while the window is loaded.
    core::Timer& statusBarTimer() { return m_rules.statusBarTimer(); }

    // core::OptionsWindowView
    void showLook(const std::string& caption) override;
    void showTab(core::Page tab, core::TabPicture picture) override;
    void showPage(core::Page page, bool shown) override;
    void showFigures(const std::string& text) override;
    void showWindow() override;
    void focusPage(core::Page page) override;

    /// A panel of statusBar, counted from 1.
    QLabel* panel(int number) const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildTabs();
    void buildStatusBar();
    void buildLinks();
    QRect twipsRect(const core::design::Rect& twips) const { return m_twips.rect(twips); }
    QFrame* pageFrame(core::Page page) const;

    platform::Services& m_services;
    QLabel* m_panels[3] = {};
    TwipsScale m_twips;
    core::OptionsWindow m_rules;
};

} // namespace qtshell
