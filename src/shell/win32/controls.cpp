#include "shell/win32/controls.h"

#include "platform/windows/wide_text.h"
#include "shell/win32/accessibility.h"
#include "shell/win32/native_window.h"
#include "shell/win32/newer_calls.h"
#include "shell/win32/pictures.h"

#include <commctrl.h>

#include <cmath>
#include <utility>

namespace win32 {

namespace {

HFONT makeFont(const wchar_t* face, double points, int dpi, bool bold, bool underline) {
    LOGFONTW font{};
    font.lfHeight = -static_cast<LONG>(std::lround(points * dpi / 72.0));
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfUnderline = underline ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    return CreateFontIndirectW(&font);
}

} // namespace

Font::Font(const wchar_t* face, double points, int dpi, bool bold, bool underline)
    : GdiObject(makeFont(face, points, dpi, bold, underline)) {}

LRESULT colourControl(WPARAM dc, COLORREF text, const Brush& background) {
    auto* context = reinterpret_cast<HDC>(dc);
    SetTextColor(context, text);
    SetBkMode(context, TRANSPARENT);
    return reinterpret_cast<LRESULT>(background.handle());
}

Font dialogFont(int dpi) {
    NONCLIENTMETRICSW metrics{};
    if (nonClientMetricsForDpi(metrics, static_cast<UINT>(dpi))) {
        return Font(metrics.lfMessageFont.lfFaceName, 9.0, dpi);
    }
    return Font(L"Segoe UI", 9.0, dpi);
}

HWND makeControl(HWND parent, const wchar_t* className, const std::wstring& text, DWORD style, int id,
                 const RECT& pixels, DWORD exStyle) {
    return CreateWindowExW(exStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, pixels.left,
                           pixels.top, pixels.right - pixels.left, pixels.bottom - pixels.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance(), nullptr);
}

void setFont(HWND control, const Font& font) {
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.handle()), TRUE);
}

std::wstring wide(const std::string& utf8) {
    return platform::win::widen(utf8);
}

std::string textOf(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return platform::win::narrow(text);
}

void setText(HWND window, const std::string& utf8) {
    SetWindowTextW(window, wide(utf8).c_str());
}

namespace {

constexpr UINT_PTR kFocusAroundBoxSubclass = 2;

LRESULT CALLBACK focusAroundBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR /*id*/,
                                    DWORD_PTR /*data*/) {
    if (message == WM_PAINT) {
        // All of it anew: the rectangle inverts what lies under it.
        InvalidateRect(box, nullptr, TRUE);
    }
    const LRESULT result = DefSubclassProc(box, message, wParam, lParam);
    switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE:
        InvalidateRect(box, nullptr, TRUE);
        break;
    case WM_PAINT:
        if (GetFocus() == box && (SendMessageW(box, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) == 0) {
            RECT around{};
            GetClientRect(box, &around);
            HDC dc = GetDC(box);
            DrawFocusRect(dc, &around);
            ReleaseDC(box, dc);
        }
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(box, focusAroundBoxProc, kFocusAroundBoxSubclass);
        break;
    default:
        break;
    }
    return result;
}

} // namespace

void showFocusAroundBox(HWND checkBox) {
    SetWindowSubclass(checkBox, focusAroundBoxProc, kFocusAroundBoxSubclass, 0);
}

bool isOwnerDrawnButton(HWND control) {
    wchar_t className[16]{};
    GetClassNameW(control, className, 16);
    return lstrcmpiW(className, WC_BUTTONW) == 0 &&
           (GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW;
}

bool setHandCursor(HWND over, LPARAM hitTest) {
    if (LOWORD(hitTest) != HTCLIENT || !isOwnerDrawnButton(over)) {
        return false;
    }
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
    return true;
}

namespace picture_button {
namespace {

constexpr const wchar_t* kPictureProperty = L"CorvanePicture";
constexpr const wchar_t* kCheckedPictureProperty = L"CorvaneCheckedPicture";
constexpr UINT_PTR kHoverSubclass = 1;

/// The mouse-move handler of a button, kept with the subclass until the button goes.
LRESULT CALLBACK hoverProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR /*id*/,
                           DWORD_PTR data) {
    auto* handler = reinterpret_cast<std::function<void()>*>(data);
    if (message == WM_MOUSEMOVE && handler != nullptr && *handler) {
        (*handler)();
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(button, hoverProc, kHoverSubclass);
        delete handler;
    }
    return DefSubclassProc(button, message, wParam, lParam);
}

} // namespace

HWND make(HWND parent, int id, int pictureId, const RECT& pixels, const std::wstring& accessibleName) {
    HWND button = makeControl(parent, WC_BUTTONW, accessibleName, WS_TABSTOP | BS_OWNERDRAW, id, pixels);
    if (button != nullptr) {
        SetPropW(button, kPictureProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(pictureId)));
    }
    return button;
}

void makeToggle(HWND button, int checkedPictureId) {
    SetPropW(button, kCheckedPictureProperty,
             reinterpret_cast<HANDLE>(static_cast<INT_PTR>(checkedPictureId)));
    readAsCheckBox(button);
    setAccessibleChecked(button, picture(button) == checkedPictureId);
}

void setPicture(HWND button, int pictureId) {
    if (picture(button) != pictureId) {
        SetPropW(button, kPictureProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(pictureId)));
        InvalidateRect(button, nullptr, FALSE);
        if (HANDLE checked = GetPropW(button, kCheckedPictureProperty)) {
            setAccessibleChecked(button, static_cast<int>(reinterpret_cast<INT_PTR>(checked)) == pictureId);
        }
    }
}

int picture(HWND button) {
    return static_cast<int>(reinterpret_cast<INT_PTR>(GetPropW(button, kPictureProperty)));
}

bool draw(const DRAWITEMSTRUCT& item) {
    if (item.CtlType != ODT_BUTTON || GetPropW(item.hwndItem, kPictureProperty) == nullptr) {
        return false;
    }
    // The parent's background behind the picture's transparent parts.
    HWND parent = GetParent(item.hwndItem);
    auto* brush = reinterpret_cast<HBRUSH>(SendMessageW(
        parent, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(item.hDC), reinterpret_cast<LPARAM>(item.hwndItem)));
    FillRect(item.hDC, &item.rcItem, brush != nullptr ? brush : GetSysColorBrush(COLOR_BTNFACE));
    RECT picture = item.rcItem;
    if ((item.itemState & ODS_SELECTED) != 0) {
        OffsetRect(&picture, 1, 1);
    }
    Pictures::shared().draw(item.hDC, picture_button::picture(item.hwndItem), picture);
    if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
        RECT focus = item.rcItem;
        DrawFocusRect(item.hDC, &focus);
    }
    return true;
}

void onMouseMove(HWND button, std::function<void()> onMouseMove) {
    SetWindowSubclass(button, hoverProc, kHoverSubclass,
                      reinterpret_cast<DWORD_PTR>(new std::function<void()>(std::move(onMouseMove))));
}

} // namespace picture_button

} // namespace win32
