#pragma once

#include "core/hover_pictures.h"
#include "core/schedule_page.h"
#include "platform/services.h"
#include "shell/win32/controls.h"
#include "shell/win32/options_look.h"

#include <windows.h>

#include <array>
#include <string>

namespace core {
class AppState;
} // namespace core

namespace win32 {

class ProgramWindows;

/// The Schedule Task page of the Options and Schedule Task window: the trigger boxes with their
/// up-down controls, the kind box and Apply; a view over core::SchedulePage, which decides what
/// they do. Its status texts go to the first two panels of the window's status bar.
class SchedulePage final : public PageSurface, public core::SchedulePageView, public core::HoverView {
public:
    /// Made hidden in parent at a place in pixels; sizes follow window's density.
    SchedulePage(const NativeWindow& window, HWND parent, const RECT& place, HWND statusBar,
                 platform::Services& services, core::AppState& state, ProgramWindows& windows);

    core::SchedulePage& rules() { return m_rules; }
    /// Fonts and places at the window's new density.
    void dpiChanged() override;

    HWND scheduledCheck() const { return m_scheduledCheck; }
    HWND triggerBox(core::TriggerBox box) const { return m_boxes[index(box)]; }
    HWND upDown(core::TriggerBox box) const { return m_upDowns[index(box)]; }
    HWND kindBox() const { return m_kindBox; }
    HWND applyButton() const { return m_applyButton; }
    HWND toolTips() const { return m_toolTips; }

    // core::SchedulePageView
    bool isScheduledChecked() const override;
    void setScheduledChecked(bool checked) override;
    std::string triggerText(core::TriggerBox box) const override;
    void setTriggerText(core::TriggerBox box, const std::string& text) override;
    std::string kindText() const override;
    void fillKinds(const std::vector<std::string>& kinds, const std::string& prompt) override;
    void showKind(int index, const std::string& text) override;
    void clearKind() override;
    void showScheduleStatus(const std::string& scheduled, const std::string& name) override;
    void showTriggerClock(const std::string& text) override;
    // core::HoverView
    void showButtonPicture(core::HoverButton button, core::ButtonLook look) override;

private:
    static constexpr std::size_t index(core::TriggerBox box) { return static_cast<std::size_t>(box); }
    /// The typed characters of a trigger box or of the kind box's field, through the core's filter.
    static LRESULT CALLBACK keyFilterProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR filter, DWORD_PTR page);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void mouseMoved() override;
    void paint(HDC dc) override;
    HWND label(const char* text, const Twips& place);
    /// A trigger box as designed, with its arrows.
    void makeTrigger(core::TriggerBox box);
    void makeKindBox();
    /// An up-down arrow: one step of the box's number.
    bool step(HWND upDown, int delta);
    void setFonts();

    const NativeWindow& m_window;
    HWND m_statusBar;
    core::SchedulePage m_rules;
    TwipsLayout m_layout;
    Font m_labelFont;
    Font m_boxFont;
    Font m_kindFont;
    HWND m_toolTips = nullptr;
    HWND m_scheduledCheck = nullptr;
    std::array<HWND, 3> m_boxes{};
    /// The boxes' names, their tool tips' first line.
    std::array<std::wstring, 3> m_boxNames;
    std::array<HWND, 3> m_upDowns{};
    /// The number each up-down wrote last.
    std::array<int, 3> m_lastWritten{};
    HWND m_kindBox = nullptr;
    HWND m_applyButton = nullptr;
};

} // namespace win32
