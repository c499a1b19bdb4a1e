#include "shell/win32/editor_window.h"

#include "core/app_title.h"
#include "shell/win32/accessibility.h"
#include "shell/win32/resource_ids.h"
#include "shell/win32/text_link.h"

#include <commctrl.h>

#include <algorithm>

namespace win32 {

namespace {

/// The designed background of the editors and their frames.
constexpr COLORREF kDesignBackground = RGB(166, 193, 232);

constexpr int kOkWidthTwips = 1080;
constexpr int kOkHeightTwips = 480;

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

bool isPushButton(HWND control) {
    wchar_t className[16]{};
    GetClassNameW(control, className, 16);
    const LONG_PTR type = GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK;
    return lstrcmpiW(className, WC_BUTTONW) == 0 &&
           (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_OWNERDRAW);
}

} // namespace

EditorWindow::EditorWindow(ProgramWindows& windows, core::Window window, core::HoverButton okHover,
                           core::HoverSurface okSurface, Layout layout)
    : m_windows(windows), m_window(window), m_okHover(okHover), m_okSurface(okSurface), m_layout(layout),
      m_background(CreateSolidBrush(kDesignBackground)) {}

EditorWindow::~EditorWindow() {
    DeleteObject(m_background);
}

bool EditorWindow::createEditor(const wchar_t* className, const std::wstring& accessibleName) {
    if (!create(className, kStyle, kExStyle, wide(core::kAppTitle), nullptr, CW_USEDEFAULT, CW_USEDEFAULT, 0,
                0)) {
        return false;
    }
    // The caption reads "Corvane" like every window of the program; a screen reader hears which.
    setAccessibleName(hwnd(), accessibleName, OBJID_WINDOW);
    setAccessibleName(hwnd(), accessibleName);
    m_toolTips = makeToolTips(hwnd());
    makeControls();
    layOut();
    return true;
}

int EditorWindow::okPictureId(int picture) {
    return picture == 2 ? CORVANE_PICTURE_OK_HIGHLIGHTED : CORVANE_PICTURE_OK_NORMAL;
}

HWND EditorWindow::makeOkButton() {
    m_okButton =
        picture_button::make(hwnd(), kOkId, okPictureId(core::normalPicture(m_okHover)), RECT{}, L"OK");
    picture_button::onMouseMove(m_okButton, [this] { core::highlightButton(*this, m_okHover); });
    return m_okButton;
}

void EditorWindow::showButtonPicture(core::HoverButton /*button*/, int picture) {
    picture_button::setPicture(m_okButton, okPictureId(picture));
}

void EditorWindow::place(HWND control, int leftTwips, int topTwips, int widthTwips, int heightTwips) const {
    SetWindowPos(control, nullptr, px(leftTwips), px(topTwips), px(widthTwips), px(heightTwips),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void EditorWindow::layOut() {
    m_font = dialogFont(dpi());
    for (HWND child = GetWindow(hwnd(), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        setFont(child, m_font);
    }
    placeControls();
    place(m_okButton, m_layout.okTwips.x, m_layout.okTwips.y, kOkWidthTwips, kOkHeightTwips);
    RECT frame{0, 0, px(m_layout.widthTwips), px(m_layout.heightTwips)};
    AdjustWindowRectExForDpi(&frame, kStyle, FALSE, kExStyle, static_cast<UINT>(dpi()));
    SetWindowPos(hwnd(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void EditorWindow::dpiChanged() {
    layOut();
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void EditorWindow::showAbove(HWND owner) {
    if (!IsWindowVisible(hwnd())) {
        if (owner != nullptr) {
            // Kept above the window it was opened from, without being its child.
            SetWindowLongPtrW(hwnd(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
        }
        // Centred on the owner (or the screen), inside the work area of that monitor.
        RECT around{};
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromWindow(owner != nullptr ? owner : hwnd(), MONITOR_DEFAULTTOPRIMARY),
                        &monitor);
        if (owner == nullptr || IsIconic(owner) || GetWindowRect(owner, &around) == 0) {
            around = monitor.rcWork;
        }
        RECT own{};
        GetWindowRect(hwnd(), &own);
        const int width = own.right - own.left;
        const int height = own.bottom - own.top;
        const RECT& work = monitor.rcWork;
        const int x =
            std::max(work.left, std::min((around.left + around.right - width) / 2, work.right - width));
        const int y =
            std::max(work.top, std::min((around.top + around.bottom - height) / 2, work.bottom - height));
        SetWindowPos(hwnd(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
}

void EditorWindow::close() {
    SendMessageW(hwnd(), WM_CLOSE, 0, 0);
}

void EditorWindow::enterPressed(HWND focus) {
    if (focus != nullptr && focus == mainBox()) {
        accept();
    } else if (focus != nullptr && isPushButton(focus)) {
        SendMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(focus), BN_CLICKED),
                     reinterpret_cast<LPARAM>(focus));
    }
}

LRESULT EditorWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            m_lastFocus = focus != nullptr && IsChild(hwnd(), focus) ? focus : m_lastFocus;
        } else if (HIWORD(wParam) == 0 && !m_closed) {
            SetFocus(m_lastFocus != nullptr ? m_lastFocus : mainBox());
            activate();
        }
        return 0;
    case WM_CLOSE:
        // A blocked window stays: the window that blocks it closes first.
        if (m_closed || IsWindowEnabled(hwnd()) == 0) {
            return 0;
        }
        m_closed = true;
        unload();
        ShowWindow(hwnd(), SW_HIDE);
        m_windows.closed(m_window);
        return 0;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id == IDCANCEL) {
            close();
        } else if (id == IDOK) {
            enterPressed(GetFocus());
        } else if (id == kOkId && HIWORD(wParam) == BN_CLICKED) {
            accept();
        } else {
            command(id, HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        }
        return 0;
    }
    case WM_MOUSEMOVE: {
        const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        const RECT& s = m_layout.surfaceTwips;
        const RECT surface{px(s.left), px(s.top), px(s.right), px(s.bottom)};
        if (PtInRect(&surface, at) != 0) {
            core::restoreButtons(*this, m_okSurface);
        }
        return 0;
    }
    case WM_SETCURSOR:
        if (text_link::setHandCursor(reinterpret_cast<HWND>(wParam), lParam)) {
            return TRUE;
        }
        break;
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (!picture_button::draw(item)) {
            drawItem(item);
        }
        return TRUE;
    }
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(hwnd(), &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, m_background);
        return 1;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        auto* dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, kDesignBackground);
        return reinterpret_cast<LRESULT>(m_background);
    }
    default:
        break;
    }
    return NativeWindow::handleMessage(message, wParam, lParam);
}

} // namespace win32
