#pragma once

// The look that the Options and Schedule Task window shares with its two pages: the designed
// colours, controls placed in twips and placed anew at another density, links, tool tips, and
// names for screen readers.

#include "core/design/options_window_design.h"
#include "core/hover_pictures.h"
#include "core/options_window.h"
#include "shell/win32/accessibility.h"
#include "shell/win32/controls.h"
#include "shell/win32/native_window.h"
#include "shell/win32/text_link.h"

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace win32 {

/// The tab bar's blue.
constexpr COLORREF kTabBarColour = colorref(core::design::options_window::kTabBarColour);

/// The windows' face for labels and links.
constexpr const wchar_t* kLabelFace = L"Tahoma";
constexpr double kLabelPoints = 8.25;

/// A page tab's picture.
int tabPicture(core::TabPicture picture);
/// Apply's picture for a look.
int applyPicture(core::ButtonLook look);

/// A rectangle in twips.
using Twips = core::design::Rect;

/// A rectangle in twips as pixels at a window's density.
RECT pixels(const NativeWindow& window, const Twips& twips);

/// The controls of a surface and their places in twips, to be placed again at another density.
class TwipsLayout final {
public:
    HWND add(HWND control, const Twips& twips);
    void place(const NativeWindow& window) const;

private:
    std::vector<std::pair<HWND, Twips>> m_controls;
};

/// The visible, enabled control of a surface that Tab reaches first, or null.
HWND firstTabStop(HWND surface);

/// A child window that holds a page's controls on the designed background: the dialog manager
/// walks into it with Tab. The derived page handles its own messages first and hands the others
/// to PageSurface::handleMessage.
class PageSurface : public NativeWindow {
protected:
    /// Makes the surface, hidden, at a place in pixels.
    void create(HWND parent, const RECT& pixels);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    /// The mouse moved over the surface itself (not over one of its controls).
    virtual void mouseMoved() {}
    /// Paints what the surface shows besides its controls.
    virtual void paint(HDC /*dc*/) {}

private:
    Brush m_background{kDesignBackground};
};

} // namespace win32
