#pragma once

#include "core/design/main_window_design.h"
#include "core/main_window_controller.h"
#include "core/main_window_view.h"
#include "platform/services.h"
#include "shell/win32/controls.h"
#include "shell/win32/native_window.h"
#include "shell/win32/tray_icon.h"
#include "shell/win32/tray_notice.h"
#include "shell/win32/win32_timers.h"
#include "shell/win32/window_launcher.h"

#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>

namespace win32 {

/// The main window: a small tool window with the up time (days, hours and minutes with their
/// blinking separators), the system's start date and time, the time now, the task indicator
/// and four picture buttons, and the tray icon with its menu. It draws what the core's
/// MainWindowController says and hands it the user's clicks. It owns the controller and the
/// windows the menu opens. wWinMain makes one; the tests make it on fakes.
class MainWindow final : public NativeWindow, public core::MainWindowView {
public:
    /// The controls' ids; the tests read the controls back through them.
    enum Control : int {
        UptimePhrase = 10,
        DaysLabel,
        DaysSeparator,
        HoursLabel,
        HoursSeparator,
        MinutesLabel,
        StartupHeading,
        StartDateCaption,
        StartDateLabel,
        StartTimeCaption,
        StartTimeLabel,
        NowCaption,
        NowLabel,
        TaskIndicator,
        MoreLessButton,
        OnTopButton,
        MinimizeButton,
        TransparencyButton,
    };
    /// The message the tray icon reports its mouse messages with (the mouse message in lParam).
    static constexpr UINT kTrayMessage = WM_APP + 1;

    explicit MainWindow(platform::Services& services);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    /// The instance check; ends the program silently when another copy runs from this folder.
    void checkInstance() { m_core->checkInstance(); }
    /// The start-up sequence (the core's): placement, slide, timers, tray icon, stored options.
    void load() { m_core->load(); }

    core::MainWindowController& core() { return *m_core; }
    TrayIcon& tray() { return *m_tray; }
    WindowLauncher& windows() { return *m_windows; }
    HWND control(Control id) const { return GetDlgItem(hwnd(), id); }

    // core::MainWindowView
    void showDays(const std::string& text) override { setText(control(DaysLabel), text); }
    void showHours(const std::string& text) override { setText(control(HoursLabel), text); }
    void showMinutes(const std::string& text) override { setText(control(MinutesLabel), text); }
    void showSpokenUptime(const std::string& phrase) override { setText(control(UptimePhrase), phrase); }
    void showSeparators(bool shown) override;
    void showSystemStart(const std::string& date, const std::string& time) override;
    void showTimeNow(const std::string& time) override { setText(control(NowLabel), time); }
    void showTaskIndicator(bool shown) override;
    void showCaption(const std::string& caption) override { setText(hwnd(), caption); }
    void placeWindow(int x, int y) override;
    void showWindow() override { ShowWindow(hwnd(), SW_SHOW); }
    void showHeightTwips(float twips) override;
    void setMinimized(bool minimized) override;
    void setOnTop(bool onTop) override;
    void setOpacity(core::WindowOpacity opacity) override;
    void showMoreLessPicture(core::MoreLess offer) override;
    void moveMoreLessButton(double topTwips) override;
    void showOnTopPicture(core::ToggleLook look) override;
    void moveOnTopButton(double leftTwips, double topTwips) override;
    void showTransparencyPicture(core::ToggleLook look) override;
    void showTrayIcon() override;
    void hideTrayIcon() override { m_tray->hide(); }
    bool hasTray() const override { return m_tray->shown(); }
    void makeMenuOwner() override { m_tray->makeMenuOwner(); }
    void activateMenuOwner() override { m_tray->activateMenuOwner(); }
    bool menuShown() const override { return m_tray->menuOpen(); }
    void popUpMenu() override;
    void setMinimizeItemText(const std::string& text) override { m_tray->setMinimizeItemText(text); }

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void dpiChanged() override;

private:
    static constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    static constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT;
    /// The control of a label of the design's table: the labels' ids follow its order.
    static Control labelControl(std::size_t label) {
        return static_cast<Control>(DaysLabel + static_cast<int>(label));
    }
    static_assert(NowLabel - DaysLabel + 1 == core::design::main_window::kLabels.size());

    void makeControls();
    /// Fonts, controls and the window's size at the window's density.
    void layOut();
    /// The window's size for the height the core set, at the window's density.
    void resize();
    /// A control placed at a rectangle in twips, its edges rounded on their own.
    void place(HWND control, const core::design::Rect& twips);
    RECT pixels(const core::design::Rect& twips) const;
    /// Where the buttons that the core moves are now.
    core::design::Rect moreLessPlace() const;
    core::design::Rect onTopPlace() const;
    void command(int id);
    /// Opens the menu at a point of the screen; the choice comes back as a WM_COMMAND.
    void popUpMenuAt(POINT at);
    void drawTaskIndicator(const DRAWITEMSTRUCT& item);
    LRESULT labelColours(HDC dc, HWND label);

    platform::Clock& m_clock;
    Win32TimerFactory m_timers;
    Font m_uptimeFont;
    Font m_headingFont;
    Font m_rowFont;
    HWND m_tooltips = nullptr;
    std::unique_ptr<TrayIcon> m_tray;
    std::unique_ptr<core::MainWindowController> m_core;
    /// The armed task at the tray icon: its tip and the warning balloon.
    std::unique_ptr<TrayNotice> m_notice;
    float m_heightTwips = 0;
    double m_moreLessTop = core::design::main_window::kMoreLess.place.top;
    double m_onTopLeft = core::design::main_window::kOnTop.place.left;
    double m_onTopTop = core::design::main_window::kOnTop.place.top;
    /// The Options, About and editor windows; declared last, so that they go first.
    std::unique_ptr<WindowLauncher> m_windows;
};

} // namespace win32
