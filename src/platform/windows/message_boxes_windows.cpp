#include "platform/windows/wide_text.h"
#include "platform/windows/windows_services.h"

namespace platform {

void WindowsMessageBoxes::show(const std::string& text, const std::string& title, MessageIcon icon) {
    UINT style = MB_OK;
    switch (icon) {
    case MessageIcon::Information:
        style |= MB_ICONINFORMATION;
        break;
    case MessageIcon::Exclamation:
        style |= MB_ICONEXCLAMATION;
        break;
    case MessageIcon::Critical:
        style |= MB_ICONERROR;
        break;
    }
    // Owned by the program's active window, so that window waits until the box is closed.
    MessageBoxW(GetActiveWindow(), win::widen(text).c_str(), win::widen(title).c_str(), style);
}

} // namespace platform
