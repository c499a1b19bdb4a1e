#include "shell/win32/accessibility.h"

#include "shell/win32/native_window.h"

#include <commctrl.h>
#include <initguid.h>
#include <oleacc.h>

namespace win32 {

namespace {

constexpr const wchar_t* kCheckedProperty = L"CorvaneChecked";

/// The system's annotation service, or null where there is none; the caller releases it.
IAccPropServices* annotations() {
    IAccPropServices* services = nullptr;
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                reinterpret_cast<void**>(&services)))) {
        return nullptr;
    }
    return services;
}

void setAccessibleText(HWND window, LONG object, const MSAAPROPID& property, const std::wstring& text) {
    if (IAccPropServices* services = annotations()) {
        // The annotation lives as long as the window.
        services->SetHwndPropStr(window, static_cast<DWORD>(object), CHILDID_SELF, property, text.c_str());
        services->Release();
    }
}

// COM objects go through Release, never through a delete of the interface.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
/// Answers a check box's state when a screen reader asks for it, so that the state follows
/// the button's focus and check as they change. One object serves every such button.
class CheckBoxStateServer final : public IAccPropServer {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IAccPropServer)) {
            *object = static_cast<IAccPropServer*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // It lives as long as the program: the count does not matter.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE GetPropValue(const BYTE* identity, DWORD length, MSAAPROPID property,
                                           VARIANT* value, BOOL* found) override {
        VariantInit(value);
        *found = FALSE;
        IAccPropServices* services = annotations();
        if (services == nullptr || !IsEqualGUID(property, PROPID_ACC_STATE)) {
            if (services != nullptr) {
                services->Release();
            }
            return S_OK;
        }
        HWND button = nullptr;
        DWORD object = 0;
        DWORD child = 0;
        if (SUCCEEDED(services->DecomposeHwndIdentityString(identity, length, &button, &object, &child)) &&
            child == CHILDID_SELF) {
            value->vt = VT_I4;
            value->lVal = checkBoxState(button);
            *found = TRUE;
        }
        services->Release();
        return S_OK;
    }
};

#pragma GCC diagnostic pop

CheckBoxStateServer& checkBoxStateServer() {
    static CheckBoxStateServer server;
    return server;
}

} // namespace

void setAccessibleName(HWND window, const std::wstring& name, LONG object) {
    setAccessibleText(window, object, PROPID_ACC_NAME, name);
}

void setAccessibleDescription(HWND control, const std::wstring& description) {
    setAccessibleText(control, OBJID_CLIENT, PROPID_ACC_DESCRIPTION, description);
}

void readAsCheckBox(HWND button) {
    IAccPropServices* services = annotations();
    if (services == nullptr) {
        return;
    }
    VARIANT role;
    VariantInit(&role);
    role.vt = VT_I4;
    role.lVal = ROLE_SYSTEM_CHECKBUTTON;
    services->SetHwndProp(button, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_ROLE, role);
    MSAAPROPID state = PROPID_ACC_STATE;
    services->SetHwndPropServer(button, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &state, 1,
                                &checkBoxStateServer(), ANNO_THIS);
    services->Release();
}

void setAccessibleChecked(HWND button, bool checked) {
    const bool was = GetPropW(button, kCheckedProperty) != nullptr;
    if (checked) {
        SetPropW(button, kCheckedProperty, reinterpret_cast<HANDLE>(1));
    } else {
        RemovePropW(button, kCheckedProperty);
    }
    if (was != checked) {
        NotifyWinEvent(EVENT_OBJECT_STATECHANGE, button, OBJID_CLIENT, CHILDID_SELF);
    }
}

LONG checkBoxState(HWND button) {
    LONG state = STATE_SYSTEM_FOCUSABLE;
    if (GetPropW(button, kCheckedProperty) != nullptr) {
        state |= STATE_SYSTEM_CHECKED;
    }
    if (GetFocus() == button) {
        state |= STATE_SYSTEM_FOCUSED;
    }
    if (IsWindowVisible(button) == 0) {
        state |= STATE_SYSTEM_INVISIBLE;
    }
    if (IsWindowEnabled(button) == 0) {
        state |= STATE_SYSTEM_UNAVAILABLE;
    }
    return state;
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
