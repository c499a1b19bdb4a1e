#pragma once

#include "shell/win32/controls.h"

#include <windows.h>

#include <string>

namespace win32 {

/// Underlined texts that act as buttons (an owner-drawn BUTTON): Tab reaches them, Space and
/// Enter press them, and their text is the name a screen reader speaks unless the link is
/// given another (setAccessibleName). The owner forwards WM_DRAWITEM to draw and answers
/// WM_CTLCOLORBTN with the background they lie on.
namespace text_link {
/// The dialog font's face at a size in points, underlined.
Font font(int dpi, double points = 9.0);
/// A link showing text in a colour, in the font set on it (setFont).
HWND make(HWND parent, int id, const std::wstring& text, COLORREF colour, const RECT& pixels);
void setColour(HWND link, COLORREF colour);
bool isLink(HWND control);
/// Draws a link for WM_DRAWITEM: its text left-aligned and vertically centred, with a focus
/// rectangle around the letters while it has the keyboard focus. False for a control that is
/// not a link.
bool draw(const DRAWITEMSTRUCT& item);
} // namespace text_link

/// WM_DRAWITEM and WM_SETCURSOR in a window with picture buttons and links: draws them, and
/// shows the pointing hand over them. Returns whether it answered (the answer is TRUE).
bool answerOwnerDrawn(UINT message, WPARAM wParam, LPARAM lParam);

} // namespace win32
