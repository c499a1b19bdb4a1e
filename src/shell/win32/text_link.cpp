#include "shell/win32/text_link.h"

#include <commctrl.h>

#include <algorithm>

namespace win32 {

bool answerOwnerDrawn(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DRAWITEM) {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        return picture_button::draw(item) || text_link::draw(item);
    }
    return message == WM_SETCURSOR && setHandCursor(reinterpret_cast<HWND>(wParam), lParam);
}

namespace text_link {

namespace {

constexpr const wchar_t* kColourProperty = L"CorvaneLinkColour";
/// Marks a stored colour, so that black is no empty property.
constexpr UINT_PTR kStoredColour = 0x1000000;

} // namespace

Font font(int dpi, double points) {
    const Font dialog = dialogFont(dpi);
    LOGFONTW face{};
    GetObjectW(dialog.handle(), sizeof face, &face);
    return Font(face.lfFaceName, points, dpi, false, true);
}

HWND make(HWND parent, int id, const std::wstring& text, COLORREF colour, const RECT& pixels) {
    HWND link = makeControl(parent, WC_BUTTONW, text, WS_TABSTOP | BS_OWNERDRAW, id, pixels);
    if (link != nullptr) {
        setColour(link, colour);
    }
    return link;
}

void setColour(HWND link, COLORREF colour) {
    SetPropW(link, kColourProperty, reinterpret_cast<HANDLE>(kStoredColour | colour));
    InvalidateRect(link, nullptr, FALSE);
}

bool isLink(HWND control) {
    return control != nullptr && GetPropW(control, kColourProperty) != nullptr;
}

bool draw(const DRAWITEMSTRUCT& item) {
    const auto stored = reinterpret_cast<UINT_PTR>(GetPropW(item.hwndItem, kColourProperty));
    if (item.CtlType != ODT_BUTTON || stored == 0) {
        return false;
    }
    auto* background = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(item.hwndItem), WM_CTLCOLORBTN,
                                                             reinterpret_cast<WPARAM>(item.hDC),
                                                             reinterpret_cast<LPARAM>(item.hwndItem)));
    FillRect(item.hDC, &item.rcItem, background != nullptr ? background : GetSysColorBrush(COLOR_BTNFACE));
    const std::wstring text = wide(textOf(item.hwndItem));
    const int saved = SaveDC(item.hDC);
    if (auto* font = reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0))) {
        SelectObject(item.hDC, font);
    }
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, static_cast<COLORREF>(stored & ~kStoredColour));
    // Room for the focus rectangle around the letters.
    RECT inside = item.rcItem;
    InflateRect(&inside, -2, 0);
    RECT measured = inside;
    DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &measured,
              DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &inside,
              DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER | DT_END_ELLIPSIS);
    RestoreDC(item.hDC, saved);
    if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
        const int height = measured.bottom - measured.top;
        RECT focus{item.rcItem.left, (item.rcItem.top + item.rcItem.bottom - height) / 2 - 1,
                   std::min(measured.right + 2, item.rcItem.right),
                   (item.rcItem.top + item.rcItem.bottom + height) / 2 + 1};
        DrawFocusRect(item.hDC, &focus);
    }
    return true;
}

} // namespace text_link

} // namespace win32
