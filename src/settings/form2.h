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
/// page is put into Frame3 by whoever makes the window, before Form_Load.
class Form2 final : public QWidget {
    Q_OBJECT

public:
    /// The Schedule Task page's own steps of loading; Form_Load runs each at its place.
    struct SchedulePageSteps {
        std::function<void()> fillTaskKinds;      ///< the kind box's list
        std::function<void()> copyScheduledTask;  ///< the task record into the page
        std::function<void()> showScheduleStatus; ///< panels 1 and 2
    };

    Form2(platform::Services& services, SettingsStore& settings, QWidget* parent = nullptr);

    /// Puts the Schedule Task page into Frame3 (which then owns it) with its loading steps.
    void setSchedulePage(QWidget* page, SchedulePageSteps steps);
    /// What the About link does: show the About window.
    void setShowAbout(std::function<void()> showAbout) { m_showAbout = std::move(showAbout); }

    /// Loading: caption and colours, Timer1, the tab rules, the page's steps, the check boxes
    /// from the autostart entry and the option caches, panel 3 from the main window's caption.
    void Form_Load();
    /// Stops Timer1.
    void Form_Unload();

    /// The menu entry "Options ": the Options tab selected, its page shown, the window shown.
    void OpenOnOptionsPage();
    /// The menu entry "Schedule Task": the Schedule Task tab selected, the window shown, its page shown.
    void OpenOnSchedulePage();

    /// Options tab: selects its page, or closes it when it is the selected one.
    void Image7_Click();
    /// Schedule Task tab: the mirror image of Image7_Click.
    void Image8_Click();
    /// Apply for autostart and the hourly beep.
    void Image1_Click();
    /// Apply for the memory and processor figures.
    void Image9_Click() { ApplyShowMemCpu(); }
    void ApplyShowMemCpu();
    /// The Test link: the tone sweep of the hourly beep.
    void Label6_Click();
    /// Panel 3: the monitor figures, memory read now and the main window's processor text.
    void Timer1_Timer();
    /// The links at the foot: the help page, the About window, the maker's web site.
    void Label17_Click();
    void Label18_Click();
    void Label19_Click();
    /// Hover pictures: the mouse over an Apply button lights it; over the Options page,
    /// both of its Apply buttons go back to normal (Image1 first).
    void Image1_MouseMove();
    void Image9_MouseMove();
    void Frame2_MouseMove();
    /// Sets Check11 from the autostart entry.
    void LoadAutostartCheck();

    /// A panel of StatusBar1, counted from 1.
    QLabel* panel(int number) const;

    // The bar of page tabs.
    QFrame* Frame4 = nullptr;
    PictureButton* Image7 = nullptr;
    QLabel* Label11 = nullptr;
    PictureButton* Image8 = nullptr;
    QLabel* Label10 = nullptr;

    // The Options page.
    QFrame* Frame2 = nullptr;
    QCheckBox* Check11 = nullptr;
    QLabel* Label7 = nullptr;
    QCheckBox* Check2 = nullptr;
    QLabel* Label5 = nullptr;
    PictureButton* Label6 = nullptr;
    PictureButton* Image1 = nullptr;
    QCheckBox* Check3 = nullptr;
    QLabel* Label9 = nullptr;
    PictureButton* Image9 = nullptr;
    QLabel* Image3 = nullptr;
    QLabel* Image2 = nullptr;

    /// The Schedule Task page's frame; its layout takes the page.
    QFrame* Frame3 = nullptr;

    // The links at the foot of the tab bar.
    PictureButton* Label17 = nullptr;
    PictureButton* Label18 = nullptr;
    PictureButton* Label19 = nullptr;

    QStatusBar* StatusBar1 = nullptr;
    /// The status-bar copy of the monitor figures, every 500 ms while the window is loaded.
    QTimer Timer1;

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
    QRect Twips(double left, double top, double width, double height) const;
    QLabel* makeLabel(QWidget* parent, const QString& text, const QRect& geometry);
    PictureButton* makeImgListButton(QWidget* parent, const QRect& geometry, const QString& name);
    static void ShowPage(QFrame* frame);

    platform::Services& m_services;
    SettingsStore& m_settings;
    SchedulePageSteps m_pageSteps;
    std::function<void()> m_showAbout;
    QLabel* m_panels[3] = {};
    double m_twipsPerPixelX = 15.0;
    double m_twipsPerPixelY = 15.0;
};
