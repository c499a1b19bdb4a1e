#include "shell/win32/about_window.h"

#include "core/design/about_window_design.h"
#include "core/help_and_site.h"
#include "shell/win32/accessibility.h"
#include "shell/win32/resource_ids.h"
#include "shell/win32/text_link.h"

#include <commctrl.h>

#include <algorithm>
#include <array>

namespace win32 {

namespace {

namespace design = core::design::about_window;

// Between the rows, in design pixels (at 96 dots per inch).
constexpr int kRowSpacing = 6;

std::wstring site() {
    return wide(core::kMakerSite);
}

/// A text of several lines as a static control breaks it: at CR LF.
std::wstring lines(const char* utf8) {
    std::wstring text;
    for (const wchar_t c : wide(utf8)) {
        if (c == L'\n') {
            text += L'\r';
        }
        text += c;
    }
    return text;
}

} // namespace

AboutWindow::AboutWindow(platform::Services& services, ProgramWindows& windows)
    : DialogWindow(windows, core::Window::About, colorref(design::kLoadingBackground)),
      m_rules(*this, services, windows.blocker()) {}

AboutWindow::~AboutWindow() {
    if (m_icon != nullptr) {
        DestroyIcon(m_icon);
    }
}

bool AboutWindow::load() {
    if (!createDialog(L"CorvaneAbout", wide(design::kTitle))) {
        return false;
    }
    const std::array<std::pair<int, const char*>, 4> labels = {{{kNameId, design::kName},
                                                                {kVersionId, design::kVersion},
                                                                {kPurposeId, design::kPurpose},
                                                                {kMakerId, design::kMaker}}};
    for (const auto& [id, text] : labels) {
        makeControl(hwnd(), WC_STATICW, lines(text), SS_LEFT | SS_NOPREFIX, id, {});
    }
    m_webLink = text_link::make(hwnd(), kWebLinkId, site(), colorref(design::kActiveLink), {});
    setAccessibleName(m_webLink, wide(design::kLinkNamePrefix) + site());
    addToolTip(makeToolTips(hwnd()), m_webLink, wide(design::kLinkTip));
    layOut();
    m_rules.load();
    return true;
}

void AboutWindow::layOut() {
    m_font = dialogFont(dpi());
    LOGFONTW face{};
    GetObjectW(m_font.handle(), sizeof face, &face);
    m_titleFont = Font(face.lfFaceName, 9.0 * design::kNameScale, dpi(), true);
    m_linkFont = text_link::font(dpi());
    if (m_icon != nullptr) {
        DestroyIcon(m_icon);
    }
    m_icon =
        static_cast<HICON>(LoadImageW(instance(), MAKEINTRESOURCEW(CORVANE_ICON), IMAGE_ICON,
                                      scaled(design::kIconSize), scaled(design::kIconSize), LR_DEFAULTCOLOR));

    // One column of text beside the icon, each row as high as its text at the column's width.
    const int left = scaled(design::kMargin + design::kIconSize + design::kMargin);
    const int width = scaled(design::kWidth - design::kMargin) - left;
    HDC dc = GetDC(hwnd());
    int top = scaled(design::kMargin);
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
            height += 2 * scaled(design::kLinkMargin);
            rowWidth = std::min(width, static_cast<int>(measured.right - measured.left) +
                                           2 * scaled(design::kLinkMargin) + 2);
        }
        SetWindowPos(control, nullptr, left, top, rowWidth, height, SWP_NOZORDER | SWP_NOACTIVATE);
        top += height + scaled(kRowSpacing);
    }
    ReleaseDC(hwnd(), dc);
    const int bottom = std::max(top - scaled(kRowSpacing), scaled(design::kMargin + design::kIconSize)) +
                       scaled(design::kMargin);

    setClientSize(scaled(design::kWidth), bottom);
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
    setColours(colorref(loading ? design::kLoadingBackground : design::kActiveBackground),
               colorref(loading ? design::kLoadingText : design::kActiveText));
    text_link::setColour(m_webLink, colorref(loading ? design::kLoadingText : design::kActiveLink));
}

void AboutWindow::paintIcon(HDC dc) const {
    DrawIconEx(dc, scaled(design::kMargin), scaled(design::kMargin), m_icon, scaled(design::kIconSize),
               scaled(design::kIconSize), 0, nullptr, DI_NORMAL);
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
