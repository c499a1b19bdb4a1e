// The main window's layout: its controls placed in twips at the window's density, the label
// fonts fitted to their labels, and the window's size for the height the core sets.

#include "core/twips.h"
#include "shell/win32/main_window.h"
#include "shell/win32/newer_calls.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace win32 {

namespace {

namespace design = core::design::main_window;

/// The size (at most the designed one) at which a bold face shows each of the texts within a
/// width: a first character's blank left edge may be cut, none of the ink.
double pointsToFit(const wchar_t* face, double points, int dpi, const std::vector<std::wstring>& texts,
                   int width) {
    const Font font(face, points, dpi, true);
    HDC dc = GetDC(nullptr);
    const HGDIOBJ previous = SelectObject(dc, font.handle());
    int widest = 0;
    for (const std::wstring& text : texts) {
        SIZE extent{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        ABC first{};
        const int blank = !text.empty() && GetCharABCWidthsW(dc, text[0], text[0], &first) != FALSE
                              ? std::max(first.abcA, 0)
                              : 0;
        widest = std::max(widest, static_cast<int>(extent.cx) - blank);
    }
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    return widest > width ? points * width / widest : points;
}

/// The times of day the time-now label shows, one an hour, in the user's format: the widest of
/// them must fit (a two-digit hour with "PM" runs widest in some formats).
std::vector<std::wstring> timesOfDay(platform::Clock& clock) {
    std::vector<std::wstring> times;
    const std::int64_t now = clock.nowMsecsSinceEpoch();
    constexpr std::int64_t kHour = 3600 * 1000;
    for (std::int64_t hour = 0; hour < 24; ++hour) {
        try {
            times.push_back(wide(clock.formatLongTime(now + hour * kHour)));
        } catch (const std::exception&) {
            break; // the label shows what the clock gives; nothing to measure
        }
    }
    return times;
}

} // namespace

RECT MainWindow::pixels(const core::design::Rect& twips) const {
    // Edges rounded on their own: controls that meet in twips meet in pixels and do not overlap.
    return {px(twips.left), px(twips.top), px(twips.right()), px(twips.bottom())};
}

void MainWindow::place(HWND control, const core::design::Rect& twips) {
    const RECT r = pixels(twips);
    SetWindowPos(control, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

core::design::Rect MainWindow::moreLessPlace() const {
    core::design::Rect place = design::kMoreLess.place;
    place.top = m_moreLessTop;
    return place;
}

core::design::Rect MainWindow::onTopPlace() const {
    core::design::Rect place = design::kOnTop.place;
    place.left = m_onTopLeft;
    place.top = m_onTopTop;
    return place;
}

void MainWindow::layOut() {
    // The labels are sized for Tahoma, as designed. A face that stands in for it may run wider:
    // two digits must still fit their label at every density.
    const RECT digits = pixels({0, 0, design::kLabels[design::Days].place.width, 0});
    m_uptimeFont = Font(L"Tahoma", pointsToFit(L"Tahoma", 9.75, dpi(), {L"00"}, digits.right), dpi(), true);
    m_headingFont = Font(L"Tahoma", 9, dpi(), true, true);
    // So must the time now, whose width changes with the hour.
    const RECT row = pixels({0, 0, design::kLabels[design::Now].place.width, 0});
    m_rowFont =
        Font(L"Tahoma", pointsToFit(L"Tahoma", 8.25, dpi(), timesOfDay(m_clock), row.right), dpi(), true);
    auto tipArea = [this](UINT_PTR id, const core::design::Rect& twips) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = hwnd();
        tool.uId = id;
        tool.rect = pixels(twips);
        SendMessageW(m_tooltips, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
    };
    for (std::size_t i = 0; i < design::kLabels.size(); ++i) {
        const design::Label& label = design::kLabels[i];
        HWND handle = control(labelControl(i));
        place(handle, label.place);
        setFont(handle, label.style == design::TextStyle::Uptime    ? m_uptimeFont
                        : label.style == design::TextStyle::Heading ? m_headingFont
                                                                    : m_rowFont);
        if (label.tip != nullptr) {
            tipArea(static_cast<UINT_PTR>(labelControl(i)), label.place);
        }
    }
    place(control(UptimePhrase), design::kPhrase);
    place(control(TaskIndicator), design::kIndicator);
    tipArea(TaskIndicator, design::kIndicator);
    place(control(MoreLessButton), moreLessPlace());
    place(control(OnTopButton), onTopPlace());
    place(control(MinimizeButton), design::kMinimize.place);
    place(control(TransparencyButton), design::kTransparency.place);
    // A tip as wide as the window at most.
    SendMessageW(m_tooltips, TTM_SETMAXTIPWIDTH, 0, px(design::kClientWidth * 2));
    resize();
}

void MainWindow::resize() {
    // The small window ends just below the more/less button: rounding must not cut the button
    // that brings the rest back.
    const RECT button = pixels(moreLessPlace());
    // The frame is the one this window's styles have at its density (a tool window's caption
    // differs between systems and themes). The height is rounded as the core rounds the slide's
    // first row, which starts the window just above the screen.
    RECT frame{0, 0, 0, 0};
    addFrame(frame, kStyle, kExStyle, static_cast<UINT>(dpi()));
    const int height = core::roundHalfEven(static_cast<double>(m_heightTwips) * dpi() / 1440.0);
    const int clientHeight =
        std::max(static_cast<int>(button.bottom) + 1, height - static_cast<int>(frame.bottom - frame.top));
    setClientSize(px(design::kClientWidth), clientHeight);
}

void MainWindow::dpiChanged() {
    layOut();
}

} // namespace win32
