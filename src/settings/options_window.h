#pragma once

#include "common/picture_button.h"
#include "platform/services.h"
#include "settings/options_look.h"
#include "settings/options_page.h"
#include "core/app_state.h"
#include "core/settings_store.h"

#include <QFrame>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>
#include <QWidget>

#include <functional>

/// The Options and Schedule Task window: two pages chosen with the page tabs in the bar at its
/// left, the Help, About and Web links under them, and a status bar of three panels. It makes
/// its OptionsPage; the main window's WindowLauncher makes it and puts the SchedulePage into
/// schedulePageFrame before load.
class OptionsWindow final : public QWidget {
    Q_OBJECT

public:
    /// The Schedule Task page's own steps of loading; load runs each at its place.
    struct SchedulePageSteps {
        std::function<void()> fillTaskKinds;      ///< the kind box's list
        std::function<void()> copyScheduledTask;  ///< the task record into the page
        std::function<void()> showScheduleStatus; ///< panels 1 and 2
    };

    OptionsWindow(platform::Services& services, core::SettingsStore& settings, core::AppState& state,
                  QWidget* parent = nullptr);

    /// Puts the Schedule Task page into schedulePageFrame (which then owns it) with its loading steps.
    void setSchedulePage(QWidget* page, SchedulePageSteps steps);
    /// What the About link does: show the About window.
    void setShowAbout(std::function<void()> showAbout) { m_showAbout = std::move(showAbout); }

    /// Loading: caption and colours, statusBarTimer, the tab rules, the page's steps, the check boxes
    /// from the autostart entry and the option caches, panel 3 from the main window's caption.
    void load();
    /// Stops statusBarTimer.
    void unload();

    /// The menu entry "Options ": the Options tab selected, its page shown, the window shown.
    void openOnOptionsPage();
    /// The menu entry "Schedule Task": the Schedule Task tab selected, the window shown, its page shown.
    void openOnSchedulePage();

    /// Options tab: selects its page, or closes it when it is the selected one.
    void toggleOptionsPage();
    /// Schedule Task tab: the mirror image of toggleOptionsPage.
    void toggleSchedulePage();
    /// Panel 3: the monitor figures, memory read now and the main window's processor text.
    void showFiguresInStatusBar();
    /// The links at the foot: the help page, the About window, the maker's web site.
    void openHelp();
    void openAbout();
    void openWebAddress();

    /// A panel of statusBar, counted from 1.
    QLabel* panel(int number) const;

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
    /// The status-bar copy of the monitor figures, every 500 ms while the window is loaded.
    QTimer statusBarTimer;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildTabs();
    void buildStatusBar();
    void buildLinks();
    /// The keyboard focus on the first control of a page just shown.
    void focusPage(QFrame* frame);
    QRect twipsRect(double left, double top, double width, double height) const {
        return m_twips.rect(left, top, width, height);
    }
    static void showPage(QFrame* frame);

    platform::Services& m_services;
    core::SettingsStore& m_settings;
    core::AppState& m_state;
    SchedulePageSteps m_pageSteps;
    std::function<void()> m_showAbout;
    QLabel* m_panels[3] = {};
    TwipsScale m_twips;
};
