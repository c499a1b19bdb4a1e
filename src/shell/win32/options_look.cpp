#include "shell/win32/options_look.h"

#include "shell/win32/controls.h"
#include "shell/win32/native_window.h"
#include "shell/win32/resource_ids.h"

#include <commctrl.h>
#include <initguid.h>
#include <oleacc.h>

namespace win32 {

namespace {

constexpr const wchar_t* kLinkColourProperty = L"CorvaneLinkColour";
/// Marks a stored colour, so that black is no empty property.
constexpr UINT_PTR kStoredColour = 0x1000000;
constexpr const wchar_t* kSurfaceClass = L"CorvanePageSurface";

void setAccessibleText(HWND control, const MSAAPROPID& property, const std::wstring& text) {
    IAccPropServices* services = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                   reinterpret_cast<void**>(&services)))) {
        services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, property,
                                 text.c_str());
        services->Release();
    }
}

} // namespace

int listPicture(int index) {
    switch (index) {
    case 1:
        return CORVANE_PICTURE_PAGE_TAB;
    case 2:
        return CORVANE_PICTURE_PAGE_TAB_SELECTED;
    case 3:
        return CORVANE_PICTURE_APPLY_NORMAL;
    default:
        break;
    }
    return CORVANE_PICTURE_APPLY_HIGHLIGHTED;
}

RECT pixels(const NativeWindow& window, const Twips& twips) {
    const int left = window.px(twips.left);
    const int top = window.px(twips.top);
    return {left, top, left + window.px(twips.width), top + window.px(twips.height)};
}

HWND TwipsLayout::add(HWND control, const Twips& twips) {
    m_controls.emplace_back(control, twips);
    return control;
}

void TwipsLayout::place(const NativeWindow& window) const {
    for (const auto& [control, twips] : m_controls) {
        const RECT place = pixels(window, twips);
        MoveWindow(control, place.left, place.top, place.right - place.left, place.bottom - place.top, TRUE);
    }
}

LRESULT colourControl(WPARAM dc, COLORREF text, const Brush& background) {
    auto* context = reinterpret_cast<HDC>(dc);
    SetTextColor(context, text);
    SetBkMode(context, TRANSPARENT);
    return reinterpret_cast<LRESULT>(background.handle());
}

HWND makeLink(HWND parent, int id, const std::wstring& text, COLORREF colour, const RECT& pixels) {
    HWND link = makeControl(parent, WC_BUTTONW, text, WS_TABSTOP | BS_OWNERDRAW, id, pixels);
    if (link != nullptr) {
        SetPropW(link, kLinkColourProperty, reinterpret_cast<HANDLE>(kStoredColour | colour));
    }
    return link;
}

bool drawLink(const DRAWITEMSTRUCT& item) {
    const auto stored = reinterpret_cast<UINT_PTR>(GetPropW(item.hwndItem, kLinkColourProperty));
    if (item.CtlType != ODT_BUTTON || stored == 0) {
        return false;
    }
    HWND parent = GetParent(item.hwndItem);
    auto* brush = reinterpret_cast<HBRUSH>(SendMessageW(
        parent, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(item.hDC), reinterpret_cast<LPARAM>(item.hwndItem)));
    FillRect(item.hDC, &item.rcItem, brush != nullptr ? brush : GetSysColorBrush(COLOR_BTNFACE));
    const std::wstring text = wide(textOf(item.hwndItem));
    auto* font = reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0));
    HGDIOBJ oldFont = font != nullptr ? SelectObject(item.hDC, font) : nullptr;
    SetTextColor(item.hDC, static_cast<COLORREF>(stored & ~kStoredColour));
    SetBkMode(item.hDC, TRANSPARENT);
    RECT area = item.rcItem;
    DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &area,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
        // Around the text only, as a focused link shows it.
        RECT measured = item.rcItem;
        DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &measured,
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
        measured.bottom = item.rcItem.bottom;
        measured.top = item.rcItem.top;
        DrawFocusRect(item.hDC, &measured);
    }
    if (oldFont != nullptr) {
        SelectObject(item.hDC, oldFont);
    }
    return true;
}

bool isLink(HWND control) {
    return control != nullptr && GetPropW(control, kLinkColourProperty) != nullptr;
}

bool setLinkCursor(HWND control) {
    if (!isLink(control)) {
        return false;
    }
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
    return true;
}

HWND makeToolTips(HWND surface) {
    return CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, surface, nullptr,
                           instance(), nullptr);
}

void addToolTip(HWND toolTips, HWND control, const std::wstring& text) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(control);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(toolTips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void setAccessibleName(HWND control, const std::wstring& name) {
    setAccessibleText(control, PROPID_ACC_NAME, name);
}

void setAccessibleDescription(HWND control, const std::wstring& description) {
    setAccessibleText(control, PROPID_ACC_DESCRIPTION, description);
}

HWND firstTabStop(HWND surface) {
    for (HWND child = GetWindow(surface, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongPtrW(child, GWL_STYLE) & WS_TABSTOP) != 0 && IsWindowVisible(child) != 0 &&
            IsWindowEnabled(child) != 0) {
            return child;
        }
    }
    return nullptr;
}

PageSurface::~PageSurface() {
    if (m_hwnd != nullptr) {
        SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, 0);
        DestroyWindow(m_hwnd);
    }
}

void PageSurface::create(HWND parent, const RECT& pixels) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance(), kSurfaceClass, &existing) == 0) {
        WNDCLASSEXW surfaceClass{};
        surfaceClass.cbSize = sizeof surfaceClass;
        surfaceClass.lpfnWndProc = surfaceProc;
        surfaceClass.hInstance = instance();
        surfaceClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        surfaceClass.lpszClassName = kSurfaceClass;
        RegisterClassExW(&surfaceClass);
    }
    CreateWindowExW(WS_EX_CONTROLPARENT, kSurfaceClass, nullptr, WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                    pixels.left, pixels.top, pixels.right - pixels.left, pixels.bottom - pixels.top, parent,
                    nullptr, instance(), this);
}

LRESULT PageSurface::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(m_hwnd, message, wParam, lParam);
}

LRESULT CALLBACK PageSurface::surfaceProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<PageSurface*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->m_hwnd = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<PageSurface*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->m_hwnd = nullptr;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return self->surfaceMessage(message, wParam, lParam);
}

LRESULT PageSurface::surfaceMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(m_hwnd, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, m_background.handle());
        return 1;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps{};
        HDC dc = BeginPaint(m_hwnd, &ps);
        paint(dc);
        EndPaint(m_hwnd, &ps);
        return 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return colourControl(wParam, RGB(0, 0, 0), m_background);
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (picture_button::draw(item) || drawLink(item)) {
            return TRUE;
        }
        break;
    }
    case WM_SETCURSOR:
        if (setLinkCursor(reinterpret_cast<HWND>(wParam))) {
            return TRUE;
        }
        break;
    case WM_MOUSEMOVE:
        mouseMoved();
        return 0;
    default:
        break;
    }
    return handleMessage(message, wParam, lParam);
}

} // namespace win32
