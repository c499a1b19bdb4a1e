#include "shell/win32/options_look.h"

#include "shell/win32/resource_ids.h"

#include <commctrl.h>

namespace win32 {

namespace {

constexpr const wchar_t* kSurfaceClass = L"CorvanePageSurface";

} // namespace

int tabPicture(core::TabPicture picture) {
    switch (picture) {
    case core::TabPicture::NotSelected:
        return CORVANE_PICTURE_PAGE_TAB;
    case core::TabPicture::Selected:
        return CORVANE_PICTURE_PAGE_TAB_SELECTED;
    case core::TabPicture::Design:
        break;
    }
    return CORVANE_PICTURE_PAGE_TAB_DESIGN;
}

int applyPicture(core::ButtonLook look) {
    return look == core::ButtonLook::Highlighted ? CORVANE_PICTURE_APPLY_HIGHLIGHTED
                                                 : CORVANE_PICTURE_APPLY_NORMAL;
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

HWND firstTabStop(HWND surface) {
    for (HWND child = GetWindow(surface, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongPtrW(child, GWL_STYLE) & WS_TABSTOP) != 0 && IsWindowVisible(child) != 0 &&
            IsWindowEnabled(child) != 0) {
            return child;
        }
    }
    return nullptr;
}

void PageSurface::create(HWND parent, const RECT& pixels) {
    NativeWindow::create(kSurfaceClass, WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT,
                         L"", parent, pixels.left, pixels.top, pixels.right - pixels.left,
                         pixels.bottom - pixels.top);
}

LRESULT PageSurface::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(hwnd(), &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, m_background.handle());
        return 1;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps{};
        HDC dc = BeginPaint(hwnd(), &ps);
        paint(dc);
        EndPaint(hwnd(), &ps);
        return 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return colourControl(wParam, RGB(0, 0, 0), m_background);
    case WM_DRAWITEM:
    case WM_SETCURSOR:
        if (answerOwnerDrawn(message, wParam, lParam)) {
            return TRUE;
        }
        break;
    case WM_MOUSEMOVE:
        mouseMoved();
        return 0;
    default:
        break;
    }
    return NativeWindow::handleMessage(message, wParam, lParam);
}

} // namespace win32
