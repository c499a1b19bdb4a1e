#pragma once

#include <windows.h>

#include <string>

namespace win32 {

/// Gives a control (or, with OBJID_WINDOW, a top-level window) the name a screen reader speaks,
/// where its window text cannot say it (an edit box's text is its content). Nothing happens
/// where the system has no annotation service.
void setAccessibleName(HWND window, const std::wstring& name, LONG object = OBJID_CLIENT);
/// What a screen reader says a control does.
void setAccessibleDescription(HWND control, const std::wstring& description);

/// Has screen readers read an owner-drawn button as a check box (a button that shows one of
/// two states), checked as setAccessibleChecked last said.
void readAsCheckBox(HWND button);
/// The button's state for screen readers; they hear of a change.
void setAccessibleChecked(HWND button, bool checked);
/// The state a screen reader reads for such a button (STATE_SYSTEM_ flags).
LONG checkBoxState(HWND button);

/// A tool tip control for the controls of a top-level window; it goes with the window.
HWND makeToolTips(HWND owner);
/// Shows text as the tool tip of a control (a screen reader reads it as its description).
void addToolTip(HWND toolTips, HWND control, const std::wstring& text);

} // namespace win32
