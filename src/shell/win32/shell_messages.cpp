#include "shell/win32/shell_messages.h"

#include "shell/win32/tray_icon.h"

namespace win32 {

void allowShellMessages(HWND window, UINT callbackMessage, MessageFilterCall filter) {
    if (filter == nullptr) {
        filter = reinterpret_cast<MessageFilterCall>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleW(L"user32.dll"), "ChangeWindowMessageFilterEx")));
    }
    if (filter == nullptr) {
        return; // before Windows 7: no such filter to pass
    }
    for (const UINT message : {callbackMessage, TrayIcon::taskbarCreatedMessage()}) {
        filter(window, message, MSGFLT_ALLOW, nullptr);
    }
}

} // namespace win32
