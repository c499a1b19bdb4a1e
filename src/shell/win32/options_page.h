#pragma once

#include "core/hover_pictures.h"
#include "core/options_page.h"
#include "platform/services.h"
#include "shell/win32/controls.h"
#include "shell/win32/options_look.h"
#include "shell/win32/warning_option_row.h"

#include <windows.h>

#include <memory>

namespace core {
class AppState;
class SettingsStore;
} // namespace core

namespace win32 {

/// The Options page of the Options and Schedule Task window: loading at start-up and the hourly
/// beep (with its Test link) under one Apply, the memory and processor figures under another; a
/// view over core::OptionsPage. The window shows it when its Options tab is selected.
class OptionsPage final : public PageSurface, public core::OptionsPageView, public core::HoverView {
public:
    /// Made hidden in parent at a place in pixels; sizes follow window's density.
    OptionsPage(const NativeWindow& window, HWND parent, const RECT& place, platform::Services& services,
                core::SettingsStore& settings, core::AppState& state);

    core::OptionsPage& rules() { return m_rules; }
    /// Fonts and places at the window's new density.
    void dpiChanged() override;

    HWND autostartCheck() const { return m_autostartCheck; }
    HWND hourlyBeepCheck() const { return m_hourlyBeepCheck; }
    HWND figuresCheck() const { return m_figuresCheck; }
    HWND testLink() const { return m_testLink; }
    HWND applyAutostartButton() const { return m_applyAutostart; }
    HWND applyFiguresButton() const { return m_applyFigures; }
    WarningOptionRow& warningRow() { return *m_warningRow; }

    // core::OptionsPageView
    bool isChecked(core::OptionBox box) const override;
    void setChecked(core::OptionBox box, bool checked) override;
    // core::HoverView
    void showButtonPicture(core::HoverButton button, core::ButtonLook look) override;

private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void mouseMoved() override;
    void paint(HDC dc) override;
    /// A label and, after it, the check box it names; returns the check box.
    HWND option(int id, const core::design::options_page::Option& look, DWORD labelStyle);
    HWND applyButton(int id, const Twips& place, const char* description);
    HWND box(core::OptionBox box) const;
    void setFonts();

    const NativeWindow& m_window;
    core::OptionsPage m_rules;
    TwipsLayout m_layout;
    Font m_labelFont;
    Font m_linkFont;
    HWND m_autostartCheck = nullptr;
    HWND m_hourlyBeepCheck = nullptr;
    HWND m_figuresCheck = nullptr;
    HWND m_testLink = nullptr;
    HWND m_applyAutostart = nullptr;
    HWND m_applyFigures = nullptr;
    std::unique_ptr<WarningOptionRow> m_warningRow;
};

} // namespace win32
