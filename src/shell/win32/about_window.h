#pragma once

#include "core/about_window.h"
#include "platform/services.h"
#include "shell/win32/controls.h"
#include "shell/win32/dialog_window.h"

namespace win32 {

/// The About window: the program's name, version and purpose, its maker and the web link; a
/// view over core::AboutWindow. Shown modeless, it blocks the main window, the Options and
/// Schedule Task window and the alert editor while it is active, and frees them again when it
/// closes (close box or Escape).
class AboutWindow final : public DialogWindow, public core::AboutWindowView {
public:
    enum ControlId { kNameId = 101, kVersionId, kPurposeId, kMakerId, kWebLinkId };

    AboutWindow(platform::Services& services, ProgramWindows& windows);
    ~AboutWindow() override;

    /// Makes the window (loaded and hidden) on first use, then shows it as the active window.
    void show();

    // core::AboutWindowView
    void showLook(core::AboutLook look) override;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void dpiChanged() override;
    HWND firstFocus() const override { return m_webLink; }
    void activate() override { m_rules.activate(); }
    void unload() override { m_rules.unload(); }
    void command(int id, int code, HWND control) override;

private:
    bool load();
    void layOut();
    void paintIcon(HDC dc) const;

    core::AboutWindow m_rules;
    Font m_font;
    Font m_titleFont;
    Font m_linkFont;
    HICON m_icon = nullptr;
    HWND m_webLink = nullptr;
};

} // namespace win32
