#pragma once

#include "core/options_window.h"
#include "platform/services.h"
#include "shell/win32/controls.h"
#include "shell/win32/native_window.h"
#include "shell/win32/options_look.h"

#include <windows.h>

#include <memory>

namespace core {
class AppState;
class SettingsStore;
class TimerFactory;
} // namespace core

namespace win32 {

class OptionsPage;
class ProgramWindows;
class SchedulePage;

/// The Options and Schedule Task window: two pages chosen with the page tabs in the bar at its
/// left, the Help, About and Web links under them, and a status bar of three panels; a view over
/// core::OptionsWindow. It is made hidden and loads on first use.
class OptionsWindow final : public NativeWindow, public core::OptionsWindowView {
public:
    OptionsWindow(platform::Services& services, core::AppState& state, core::SettingsStore& settings,
                  core::TimerFactory& timers, ProgramWindows& windows);
    ~OptionsWindow() override;

    /// The menu entry "Options ": loaded if need be, shown on the Options page.
    void openOnOptionsPage();
    /// The menu entry "Schedule Task": loaded if need be, shown on the Schedule Task page.
    void openOnSchedulePage();
    /// Loaded but left hidden (a window that another blocks before it was ever shown).
    void loadHidden();
    /// Empties the kind box (an editor left without a parameter).
    void clearTaskKind();

    core::OptionsWindow& rules() { return m_rules; }
    OptionsPage& optionsPage() { return *m_optionsPage; }
    SchedulePage& schedulePage() { return *m_schedulePage; }
    HWND optionsTab() const { return m_optionsTab; }
    HWND scheduleTab() const { return m_scheduleTab; }
    HWND statusBar() const { return m_statusBar; }
    /// The text of a status bar panel, counted from 1.
    std::string panelText(int panel) const;

    // core::OptionsWindowView
    void showLook(const std::string& caption) override;
    void showTab(core::Page tab, core::TabPicture picture) override;
    void showPage(core::Page page, bool shown) override;
    void showFigures(const std::string& text) override;
    void showWindow() override;
    void focusPage(core::Page page) override;

private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void dpiChanged() override;
    void load();
    HWND makeTab(int id, const core::design::options_window::Tab& look);
    void setFonts();
    void fitWindow();
    void placeStatusPanels();
    HWND pageSurface(core::Page page) const;
    void paintBackground(HDC dc);
    void pressFocusedButton();
    bool command(int id);

    ProgramWindows& m_windows;
    Brush m_background{kDesignBackground};
    Brush m_tabBar{kTabBarColour};
    TwipsLayout m_layout;
    Font m_captionFont;
    Font m_linkFont;
    Font m_statusFont;
    HWND m_optionsTab = nullptr;
    HWND m_scheduleTab = nullptr;
    /// The last control before the pages: a page shown goes right after it, on top of the other.
    HWND m_beforePages = nullptr;
    HWND m_statusBar = nullptr;
    /// The control that had the keyboard focus when the window was last deactivated.
    HWND m_focus = nullptr;
    std::unique_ptr<OptionsPage> m_optionsPage;
    std::unique_ptr<SchedulePage> m_schedulePage;
    bool m_loaded = false;
    core::OptionsWindow m_rules;
};

} // namespace win32
