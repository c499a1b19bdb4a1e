#pragma once

#include "shell/win32/controls.h"

#include <windows.h>

#include <string>

namespace win32 {

/// Underlined texts that act as buttons (an owner-drawn BUTTON): Tab reaches them, Space and
/// Enter press them, and the window text is the name a screen reader speaks. The owner
/// forwards WM_DRAWITEM here with the text to show, which may differ from that name.
namespace text_link {
/// The dialog font's face at a size in points, underlined.
Font font(int dpi, double points = 9.0);
HWND make(HWND parent, int id, const std::wstring& accessibleName, const RECT& pixels);
/// Draws the text left-aligned and vertically centred on the background, with a focus
/// rectangle around it while it has the keyboard focus.
void draw(const DRAWITEMSTRUCT& item, const std::wstring& text, HFONT font, COLORREF colour,
          HBRUSH background);
/// WM_SETCURSOR in the owner: the pointing hand over its owner-drawn buttons (text links and
/// picture buttons). Returns whether it set the pointer.
bool setHandCursor(HWND over, LPARAM hitTest);
} // namespace text_link

} // namespace win32
