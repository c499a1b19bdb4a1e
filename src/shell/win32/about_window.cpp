#include "shell/win32/about_window.h"

#include "core/help_and_site.h"
#include "shell/win32/accessibility.h"
#include "shell/win32/resource_ids.h"
#include "shell/win32/text_link.h"

#include <commctrl.h>

#include <algorithm>
#include <array>

namespace win32 {

namespace {

constexpr COLORREF kLoadColour = RGB(0, 4, 221);
constexpr COLORREF kActiveColour = RGB(147, 209, 240);
// The link's colour on the active window's light blue.
constexpr COLORREF kLinkColour = RGB(0, 0, 160);

// The maker's details: placeholders of the program's own.
constexpr const wchar_t* kPurpose =
    L"Shows how long this computer has been up, since when, and the time now, "
    L"and runs one task when the up time reaches the value you set.";
constexpr const wchar_t* kMaker =
    L"Pellorin, Examplestad\r\ninfo@pellorin.example\r\n\u00A9 2004\u20132026 Pellorin";

// The layout in design pixels (at 96 dots per inch).
constexpr int kWidth = 380;
constexpr int kMargin = 16;
constexpr int kIconSize = 48;
constexpr int kRowSpacing = 6;
// Room for the focus rectangle around the link's letters.
constexpr int kLinkMargin = 2;

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

std::wstring site() {
    return wide(core::kMakerSite);
}

} // namespace

AboutWindow::AboutWindow(platform::Services& services, ProgramWindows& windows)
    : m_windows(windows), m_rules(*this, services, windows.blocker()) {}

AboutWindow::~AboutWindow() {
    if (m_background != nullptr) {
        DeleteObject(m_background);
    }
    if (m_icon != nullptr) {
        DestroyIcon(m_icon);
    }
}

bool AboutWindow::load() {
    // No owner: blocking the other windows must not block this one with them.
    if (!create(L"CorvaneAbout", kStyle, kExStyle, L"About Corvane", nullptr, CW_USEDEFAULT, CW_USEDEFAULT, 0,
                0)) {
        return false;
    }
    const std::array<std::pair<int, const wchar_t*>, 4> labels = {
        {{kNameId, L"Corvane"}, {kVersionId, L"Version 4.0"}, {kPurposeId, kPurpose}, {kMakerId, kMaker}}};
    for (const auto& [id, text] : labels) {
        makeControl(hwnd(), WC_STATICW, text, SS_LEFT | SS_NOPREFIX, id, {});
    }
    m_webLink = text_link::make(hwnd(), kWebLinkId, L"Web site " + site(), {});
    addToolTip(makeToolTips(hwnd()), m_webLink, L"Visit the web site");
    layOut();
    m_rules.load();
    return true;
}

void AboutWindow::layOut() {
    m_font = dialogFont(dpi());
    LOGFONTW face{};
    GetObjectW(m_font.handle(), sizeof face, &face);
    m_titleFont = Font(face.lfFaceName, 9.0 * 1.6, dpi(), true);
    m_linkFont = text_link::font(dpi());
    if (m_icon != nullptr) {
        DestroyIcon(m_icon);
    }
    m_icon = static_cast<HICON>(LoadImageW(instance(), MAKEINTRESOURCEW(CORVANE_ICON), IMAGE_ICON,
                                           scaled(kIconSize), scaled(kIconSize), LR_DEFAULTCOLOR));

    // One column of text beside the icon, each row as high as its text at the column's width.
    const int left = scaled(kMargin + kIconSize + kMargin);
    const int width = scaled(kWidth - kMargin) - left;
    HDC dc = GetDC(hwnd());
    int top = scaled(kMargin);
    for (const int id : {kNameId, kVersionId, kPurposeId, kMakerId, kWebLinkId}) {
        HWND control = GetDlgItem(hwnd(), id);
        const Font& font = id == kNameId ? m_titleFont : id == kWebLinkId ? m_linkFont : m_font;
        setFont(control, font);
        const std::wstring text = id == kWebLinkId ? site() : wide(textOf(control));
        RECT measured{0, 0, width, 0};
        HGDIOBJ old = SelectObject(dc, font.handle());
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured,
                  DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        SelectObject(dc, old);
        int height = static_cast<int>(measured.bottom - measured.top);
        int rowWidth = width;
        if (id == kWebLinkId) {
            height += 2 * scaled(kLinkMargin);
            rowWidth = std::min(width, static_cast<int>(measured.right - measured.left) +
                                           2 * scaled(kLinkMargin) + 2);
        }
        SetWindowPos(control, nullptr, left, top, rowWidth, height, SWP_NOZORDER | SWP_NOACTIVATE);
        top += height + scaled(kRowSpacing);
    }
    ReleaseDC(hwnd(), dc);
    const int bottom = std::max(top - scaled(kRowSpacing), scaled(kMargin + kIconSize)) + scaled(kMargin);

    RECT frame{0, 0, scaled(kWidth), bottom};
    AdjustWindowRectExForDpi(&frame, kStyle, FALSE, kExStyle, static_cast<UINT>(dpi()));
    SetWindowPos(hwnd(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void AboutWindow::dpiChanged() {
    layOut();
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void AboutWindow::show() {
    if (hwnd() == nullptr && !load()) {
        return;
    }
    if (!IsWindowVisible(hwnd())) {
        // Centred in the work area of the monitor the window is on.
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromWindow(hwnd(), MONITOR_DEFAULTTOPRIMARY), &monitor);
        RECT own{};
        GetWindowRect(hwnd(), &own);
        const RECT& work = monitor.rcWork;
        SetWindowPos(hwnd(), nullptr,
                     std::max(work.left, (work.left + work.right - (own.right - own.left)) / 2),
                     std::max(work.top, (work.top + work.bottom - (own.bottom - own.top)) / 2), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
}

void AboutWindow::showLook(core::AboutLook look) {
    m_look = look;
    if (m_background != nullptr) {
        DeleteObject(m_background);
    }
    m_background = CreateSolidBrush(look == core::AboutLook::Loading ? kLoadColour : kActiveColour);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void AboutWindow::paintIcon(HDC dc) const {
    DrawIconEx(dc, scaled(kMargin), scaled(kMargin), m_icon, scaled(kIconSize), scaled(kIconSize), 0, nullptr,
               DI_NORMAL);
}

LRESULT AboutWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const bool loading = m_look == core::AboutLook::Loading;
    switch (message) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && HIWORD(wParam) == 0 && !m_closed) {
            SetFocus(m_webLink);
            m_rules.activate();
        }
        return 0;
    case WM_CLOSE:
        // A blocked window stays: the window that blocks it closes first.
        if (m_closed || IsWindowEnabled(hwnd()) == 0) {
            return 0;
        }
        m_closed = true;
        m_rules.unload();
        ShowWindow(hwnd(), SW_HIDE);
        m_windows.closed(core::Window::About);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) {
            SendMessageW(hwnd(), WM_CLOSE, 0, 0);
        } else if ((LOWORD(wParam) == IDOK && GetFocus() == m_webLink) ||
                   (LOWORD(wParam) == kWebLinkId && HIWORD(wParam) == BN_CLICKED)) {
            m_rules.openWebAddress();
        }
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(hwnd(), &paint);
        paintIcon(dc);
        EndPaint(hwnd(), &paint);
        return 0;
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
        SetTextColor(dc, loading ? RGB(255, 255, 255) : RGB(0, 0, 0));
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(m_background);
    }
    case WM_SETCURSOR:
        if (text_link::setHandCursor(reinterpret_cast<HWND>(wParam), lParam)) {
            return TRUE;
        }
        return NativeWindow::handleMessage(message, wParam, lParam);
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        text_link::draw(item, site(), m_linkFont.handle(), loading ? RGB(255, 255, 255) : kLinkColour,
                        m_background);
        return TRUE;
    }
    default:
        return NativeWindow::handleMessage(message, wParam, lParam);
    }
}

} // namespace win32
