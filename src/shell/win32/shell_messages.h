#pragma once

#include <windows.h>

namespace win32 {

/// ChangeWindowMessageFilterEx's shape (Windows 7 and later; looked up when the program runs).
using MessageFilterCall = BOOL(WINAPI*)(HWND window, UINT message, DWORD action, PCHANGEFILTERSTRUCT status);

/// Lets the shell's messages to the window through when the program runs elevated: the icon's
/// callbackMessage and TaskbarCreated come from Explorer at the user's own integrity level,
/// which the system drops on their way to a higher one unless the window allows them. The
/// filter is the system's unless a test gives its own; without one, nothing is filtered anyway.
void allowShellMessages(HWND window, UINT callbackMessage, MessageFilterCall filter = nullptr);

} // namespace win32
