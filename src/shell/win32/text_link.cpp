#include "shell/win32/text_link.h"

#include "shell/win32/controls.h"

#include <commctrl.h>

#include <algorithm>

namespace win32::text_link {

Font font(int dpi, double points) {
    const Font dialog = dialogFont(dpi);
    LOGFONTW face{};
    GetObjectW(dialog.handle(), sizeof face, &face);
    return Font(face.lfFaceName, points, dpi, false, true);
}

HWND make(HWND parent, int id, const std::wstring& accessibleName, const RECT& pixels) {
    return makeControl(parent, WC_BUTTONW, accessibleName, WS_TABSTOP | BS_OWNERDRAW, id, pixels);
}

void draw(const DRAWITEMSTRUCT& item, const std::wstring& text, HFONT font, COLORREF colour,
          HBRUSH background) {
    FillRect(item.hDC, &item.rcItem, background);
    const int saved = SaveDC(item.hDC);
    SelectObject(item.hDC, font);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, colour);
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
}

bool setHandCursor(HWND over, LPARAM hitTest) {
    wchar_t className[16]{};
    GetClassNameW(over, className, 16);
    if (LOWORD(hitTest) != HTCLIENT || lstrcmpiW(className, WC_BUTTONW) != 0 ||
        (GetWindowLongPtrW(over, GWL_STYLE) & BS_TYPEMASK) != BS_OWNERDRAW) {
        return false;
    }
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
    return true;
}

} // namespace win32::text_link
