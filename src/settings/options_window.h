#pragma once

#include "common/picture_button.h"
#include "platform/services.h"
#include "settings/settings_store.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>
#include <QWidget>

#include <functional>

/// The Options and Schedule Task window: two pages chosen with the page tabs in the bar at its
/// left, and a status bar of three panels. The Options page is built here; the Schedule Task
/// page is put into schedulePageFrame by whoever makes the window, before load.
class OptionsWindow final : public QWidget {
    Q_OBJECT

public:
    /// The Schedule Task page's own steps of loading; load runs each at its place.
    struct SchedulePageSteps {
        std::function<void()> fillTaskKinds;      ///< the kind box's list
        std::function<void()> copyScheduledTask;  ///< the task record into the page
        std::function<void()> showScheduleStatus; ///< panels 1 and 2
    };

    OptionsWindow(platform::Services& services, SettingsStore& settings, QWidget* parent = nullptr);

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
    /// Apply for autostart and the hourly beep.
    void applyAutostartAndBeep();
    /// Apply for the memory and processor figures.
    void applyFigures() { applyFiguresOption(); }
    void applyFiguresOption();
    /// The Test link: the tone sweep of the hourly beep.
    void testBeep();
    /// Panel 3: the monitor figures, memory read now and the main window's processor text.
    void showFiguresInStatusBar();
    /// The links at the foot: the help page, the About window, the maker's web site.
    void openHelp();
    void openAbout();
    void openWebAddress();
    /// Hover pictures: the mouse over an Apply button lights it; over the Options page,
    /// both of its Apply buttons go back to normal (applyAutostartButton first).
    void highlightApplyAutostart();
    void highlightApplyFigures();
    void restoreApplyButtons();
    /// Sets autostartCheck from the autostart entry.
    void loadAutostartCheck();

    /// A panel of statusBar, counted from 1.
    QLabel* panel(int number) const;

    // The bar of page tabs.
    QFrame* tabBar = nullptr;
    PictureButton* optionsTab = nullptr;
    QLabel* optionsTabCaption = nullptr;
    PictureButton* scheduleTab = nullptr;
    QLabel* scheduleTabCaption = nullptr;

    // The Options page.
    QFrame* optionsPage = nullptr;
    QCheckBox* autostartCheck = nullptr;
    QLabel* autostartLabel = nullptr;
    QCheckBox* hourlyBeepCheck = nullptr;
    QLabel* hourlyBeepLabel = nullptr;
    PictureButton* testLink = nullptr;
    PictureButton* applyAutostartButton = nullptr;
    QCheckBox* figuresCheck = nullptr;
    QLabel* figuresLabel = nullptr;
    PictureButton* applyFiguresButton = nullptr;
    QLabel* startupPicture = nullptr;
    QLabel* monitorPicture = nullptr;

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
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildTabs();
    void buildOptionsPage();
    void buildStatusBar();
    void buildLinks();
    PictureButton* makeLink(QWidget* parent, const QString& text, const QRect& geometry,
                            const QColor& colour);
    /// The keyboard focus on the first control of a page just shown.
    void FocusPage(QFrame* frame);
    QRect twipsRect(double left, double top, double width, double height) const;
    QLabel* makeLabel(QWidget* parent, const QString& text, const QRect& geometry);
    PictureButton* makePictureButton(QWidget* parent, const QRect& geometry, const QString& name);
    static void setBackground(QWidget* widget, const QColor& colour);
    static void showPage(QFrame* frame);

    platform::Services& m_services;
    SettingsStore& m_settings;
    SchedulePageSteps m_pageSteps;
    std::function<void()> m_showAbout;
    QLabel* m_panels[3] = {};
    double m_twipsPerPixelX = 15.0;
    double m_twipsPerPixelY = 15.0;
};
