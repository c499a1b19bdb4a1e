#include "platform/services.h"
#include "shell/win32/main_window.h"
#include "shell/win32/message_loop.h"
#include "shell/win32/newer_calls.h"

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int /*show*/) {
    win32::becomeDpiAware();
    // Apartment threading: the shell's dialogs, ShellExecute and the picture decoder need it.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS |
                                                       ICC_TAB_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    platform::Services services = platform::makeSystemServices();
    win32::MainWindow mainWindow(services);
    // The help page opens on behalf of the main window.
    services.launcher->setOwnerWindow(mainWindow.hwnd());
    mainWindow.checkInstance();
    mainWindow.load();
    return win32::runMessageLoop();
}
