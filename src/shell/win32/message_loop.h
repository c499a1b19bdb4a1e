#pragma once

namespace win32 {

/// The program's message loop. Keys go to the dialog manager of the window they were typed
/// in first (Tab, Shift+Tab, arrow keys, Enter and Escape, mnemonics), as in a dialog box, for
/// every window made with WS_EX_CONTROLPARENT. Returns the code of WM_QUIT.
int runMessageLoop();

} // namespace win32
