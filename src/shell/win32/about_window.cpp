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
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

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

std::wstring site() {
    return wide(core::kMakerSite);
}

} // namespace

AboutWindow::AboutWindow(platform::Services& services, ProgramWindows& windows)
    : DialogWindow(windows, core::Window::About, kLoadColour), m_rules(*this, services, windows.blocker()) {}

AboutWindow::~AboutWindow() {
    if (m_icon != nullptr) {
        DestroyIcon(m_icon);
    }
}

bool AboutWindow::load() {
    if (!createDialog(L"CorvaneAbout", L"About Corvane")) {
        return false;
    }
    const std::array<std::pair<int, const wchar_t*>, 4> labels = {
        {{kNameId, L"Corvane"}, {kVersionId, L"Version 4.0"}, {kPurposeId, kPurpose}, {kMakerId, kMaker}}};
    for (const auto& [id, text] : labels) {
        makeControl(hwnd(), WC_STATICW, text, SS_LEFT | SS_NOPREFIX, id, {});
    }
    m_webLink = text_link::make(hwnd(), kWebLinkId, site(), kLinkColour, {});
    setAccessibleName(m_webLink, L"Web site " + site());
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
        const std::wstring text = wide(textOf(control));
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

    setClientSize(scaled(kWidth), bottom);
}

void AboutWindow::dpiChanged() {
    layOut();
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void AboutWindow::show() {
    if (hwnd() == nullptr && !load()) {
        return;
    }
    showCentredOn(nullptr);
}

void AboutWindow::showLook(core::AboutLook look) {
    const bool loading = look == core::AboutLook::Loading;
    setColours(loading ? kLoadColour : kActiveColour, loading ? kWhite : kBlack);
    text_link::setColour(m_webLink, loading ? kWhite : kLinkColour);
}

void AboutWindow::paintIcon(HDC dc) const {
    DrawIconEx(dc, scaled(kMargin), scaled(kMargin), m_icon, scaled(kIconSize), scaled(kIconSize), 0, nullptr,
               DI_NORMAL);
}

void AboutWindow::command(int id, int code, HWND /*control*/) {
    if ((id == IDOK && GetFocus() == m_webLink) || (id == kWebLinkId && code == BN_CLICKED)) {
        m_rules.openWebAddress();
    }
}

LRESULT AboutWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(hwnd(), &paint);
        paintIcon(dc);
        EndPaint(hwnd(), &paint);
        return 0;
    }
    return DialogWindow::handleMessage(message, wParam, lParam);
}

} // namespace win32
