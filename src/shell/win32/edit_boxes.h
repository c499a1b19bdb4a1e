#pragma once

#include <windows.h>

namespace win32 {

/// Keeps a single-line EDIT to one line: of a text pasted into it only the first line is
/// taken; the text around the insertion stays.
void keepFirstLineOnPaste(HWND edit);

/// Puts the caret after the last character, as typing at the end of a text put there.
void caretToEnd(HWND edit);

/// A multi-line EDIT in a window under the dialog manager: Enter starts a new line, while Tab,
/// Ctrl+Enter and Escape go to the window as in any dialog (next control, OK, cancel).
void letDialogKeysPass(HWND edit);

} // namespace win32
