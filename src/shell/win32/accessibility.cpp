#include "shell/win32/accessibility.h"

#include "shell/win32/native_window.h"

#include <commctrl.h>
#include <initguid.h>
#include <oleacc.h>

namespace win32 {

namespace {

void setAccessibleText(HWND window, LONG object, const MSAAPROPID& property, const std::wstring& text) {
    IAccPropServices* services = nullptr;
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                reinterpret_cast<void**>(&services))) ||
        services == nullptr) {
        return;
    }
    // The annotation lives as long as the window.
    services->SetHwndPropStr(window, static_cast<DWORD>(object), CHILDID_SELF, property, text.c_str());
    services->Release();
}

} // namespace

void setAccessibleName(HWND window, const std::wstring& name, LONG object) {
    setAccessibleText(window, object, PROPID_ACC_NAME, name);
}

void setAccessibleDescription(HWND control, const std::wstring& description) {
    setAccessibleText(control, OBJID_CLIENT, PROPID_ACC_DESCRIPTION, description);
}

HWND makeToolTips(HWND owner) {
    return CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                           instance(), nullptr);
}

void addToolTip(HWND toolTips, HWND control, const std::wstring& text) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(control);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<wchar_t*>(text.c_str()); // the control copies the text
    SendMessageW(toolTips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

} // namespace win32
