#include "shell/win32/schedule_page.h"

#include "core/design/schedule_page_design.h"
#include "core/task_kind.h"
#include "shell/win32/native_window.h"
#include "shell/win32/pictures.h"
#include "shell/win32/program_windows.h"
#include "shell/win32/resource_ids.h"

#include <commctrl.h>

namespace win32 {

namespace {

enum ControlId : int { kScheduledCheck = 201, kDaysBox, kHoursBox, kMinutesBox, kKindBox, kApply, kUpDowns };

/// The key filters' subclass ids: the trigger boxes by their index, then the kind box's field.
constexpr UINT_PTR kKindFilter = 3;

namespace design = core::design::schedule_page;
/// The widest a tool tip of the page grows before its text wraps.
constexpr double kTipWidthTwips = 4500;
/// The kind box's list shows all seven kinds without scrolling.
constexpr int kListedKinds = 7;

/// An up-down that has the keyboard focus takes the up and down arrows itself, where the
/// dialog manager would move the focus with them.
LRESULT CALLBACK upDownKeysProc(HWND upDown, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                DWORD_PTR /*data*/) {
    if (message == WM_GETDLGCODE) {
        return DefSubclassProc(upDown, message, wParam, lParam) | DLGC_WANTARROWS;
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(upDown, upDownKeysProc, id);
    }
    return DefSubclassProc(upDown, message, wParam, lParam);
}

} // namespace

SchedulePage::SchedulePage(const NativeWindow& window, HWND parent, const RECT& place, HWND statusBar,
                           platform::Services& services, core::AppState& state, ProgramWindows& windows)
    : m_window(window), m_statusBar(statusBar), m_rules(*this, services, state) {
    create(parent, place);
    setAccessibleName(hwnd(), wide(design::kAccessibleName));
    m_toolTips = makeToolTips(hwnd());

    m_scheduledCheck = m_layout.add(makeControl(hwnd(), WC_BUTTONW, L"", WS_TABSTOP | BS_AUTOCHECKBOX,
                                                kScheduledCheck, pixels(m_window, design::kScheduledCheck)),
                                    design::kScheduledCheck);
    addToolTip(m_toolTips, m_scheduledCheck, wide(design::kScheduledTip));
    setAccessibleName(m_scheduledCheck, wide(design::kScheduledTip));
    showFocusAroundBox(m_scheduledCheck);
    label(design::kWhenText, design::kWhenLabel);

    for (std::size_t i = 0; i < design::kTrigger.size(); ++i) {
        label(design::kTrigger[i].name, design::kTrigger[i].label);
        makeTrigger(static_cast<core::TriggerBox>(i));
    }

    label(design::kKindText, design::kKindLabel);
    makeKindBox();

    m_applyButton =
        m_layout.add(picture_button::make(hwnd(), kApply, applyPicture(core::ButtonLook::Normal),
                                          pixels(m_window, design::kApply), wide(design::kApplyName)),
                     design::kApply);
    picture_button::onMouseMove(m_applyButton,
                                [this] { core::highlightButton(*this, core::HoverButton::ApplySchedule); });
    m_rules.setOpenEditor([this, &windows](core::TaskKind kind) {
        windows.openTaskEditor(kind, GetAncestor(hwnd(), GA_ROOT));
    });
    setFonts();
}

HWND SchedulePage::label(const char* text, const Twips& place) {
    return m_layout.add(makeControl(hwnd(), WC_STATICW, wide(text), SS_LEFT | SS_NOPREFIX | SS_CENTERIMAGE, 0,
                                    pixels(m_window, place)),
                        place);
}

void SchedulePage::makeTrigger(core::TriggerBox which) {
    const std::size_t i = index(which);
    const design::TriggerRow& row = design::kTrigger[i];
    const std::wstring name = wide(row.name);
    const Twips boxPlace = row.box;
    HWND box = makeControl(hwnd(), WC_EDITW, L"00", WS_TABSTOP | ES_CENTER, kDaysBox + static_cast<int>(i),
                           pixels(m_window, boxPlace), WS_EX_CLIENTEDGE);
    SendMessageW(box, EM_LIMITTEXT, 2, 0);
    addToolTip(m_toolTips, box, name);
    setAccessibleName(box, name);
    m_boxNames[i] = name;
    SetWindowSubclass(box, keyFilterProc, i, reinterpret_cast<DWORD_PTR>(this));
    m_boxes[i] = m_layout.add(box, boxPlace);

    // The arrows step the number through the core: the control's own position never moves.
    const Twips upDownPlace = row.upDown;
    HWND upDown = makeControl(hwnd(), UPDOWN_CLASSW, L"", WS_TABSTOP | UDS_ARROWKEYS,
                              kUpDowns + static_cast<int>(i), pixels(m_window, upDownPlace));
    SendMessageW(upDown, UDM_SETRANGE32, static_cast<WPARAM>(-UD_MAXVAL), UD_MAXVAL);
    SendMessageW(upDown, UDM_SETPOS32, 0, 0);
    SendMessageW(upDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(box), 0);
    SetWindowSubclass(upDown, upDownKeysProc, 0, 0);
    setAccessibleName(upDown, name + L" up and down");
    m_upDowns[i] = m_layout.add(upDown, upDownPlace);
}

void SchedulePage::makeKindBox() {
    // A drop-down box whose field takes no typed character: a kind is chosen from the list,
    // and the field can show the prompt or nothing, which no item of the list is.
    Twips place = design::kKindBox;
    place.height = design::kRowHeight * (kListedKinds + 1);
    m_kindBox = m_layout.add(makeControl(hwnd(), WC_COMBOBOXW, L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN,
                                         kKindBox, pixels(m_window, place)),
                             place);
    SendMessageW(m_kindBox, CB_SETMINVISIBLE, kListedKinds, 0);
    setText(m_kindBox, core::SchedulePage::kKindPrompt);
    setAccessibleName(m_kindBox, wide(design::kKindName));
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(m_kindBox, &info) != 0 && info.hwndItem != nullptr) {
        setAccessibleName(info.hwndItem, wide(design::kKindName));
        SetWindowSubclass(info.hwndItem, keyFilterProc, kKindFilter, reinterpret_cast<DWORD_PTR>(this));
    }
}

LRESULT CALLBACK SchedulePage::keyFilterProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                             UINT_PTR filter, DWORD_PTR data) {
    auto* page = reinterpret_cast<SchedulePage*>(data);
    const bool kindField = filter == kKindFilter;
    switch (message) {
    case WM_CHAR: {
        const int typed = static_cast<int>(wParam);
        const int code = kindField
                             ? page->m_rules.filterKindKey(typed)
                             : page->m_rules.filterTriggerKey(static_cast<core::TriggerBox>(filter), typed);
        if (code == 0) {
            return 0; // refused: nothing is typed
        }
        break;
    }
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
    case WM_CONTEXTMENU:
        // The kind box's field changes only by a choice from the list.
        if (kindField) {
            return 0;
        }
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(control, keyFilterProc, filter);
        break;
    default:
        break;
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

void SchedulePage::setFonts() {
    const int dpi = m_window.dpi();
    m_labelFont = Font(kLabelFace, kLabelPoints, dpi);
    m_boxFont = Font(kLabelFace, 9.0, dpi, true);
    m_kindFont = Font(kLabelFace, 9.75, dpi, true);
    for (HWND child = GetWindow(hwnd(), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        setFont(child, m_labelFont);
    }
    for (HWND box : m_boxes) {
        setFont(box, m_boxFont);
    }
    setFont(m_kindBox, m_kindFont);
}

void SchedulePage::dpiChanged() {
    setFonts();
    m_layout.place(m_window);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

bool SchedulePage::step(HWND upDown, int delta) {
    for (std::size_t i = 0; i < m_upDowns.size(); ++i) {
        if (m_upDowns[i] == upDown) {
            const auto which = static_cast<core::TriggerBox>(i);
            m_lastWritten[i] = core::SchedulePage::stepSpin(textOf(m_boxes[i]), m_lastWritten[i], delta,
                                                            core::SchedulePage::spinMaximum(which));
            setText(m_boxes[i], std::to_string(m_lastWritten[i]));
            return true;
        }
    }
    return false;
}

LRESULT SchedulePage::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        const int id = LOWORD(wParam);
        if (id == kApply && HIWORD(wParam) == BN_CLICKED) {
            m_rules.apply();
            return 0;
        }
        if (id >= kDaysBox && id <= kMinutesBox && HIWORD(wParam) == EN_CHANGE) {
            m_rules.showTriggerClock();
            return 0;
        }
        if (id == kKindBox && HIWORD(wParam) == CBN_SELCHANGE) {
            // The field still shows the previous text while the choice is announced.
            const auto chosen = SendMessageW(m_kindBox, CB_GETCURSEL, 0, 0);
            if (chosen != CB_ERR) {
                std::wstring item(
                    static_cast<std::size_t>(SendMessageW(m_kindBox, CB_GETLBTEXTLEN, chosen, 0)) + 1, L'\0');
                SendMessageW(m_kindBox, CB_GETLBTEXT, chosen, reinterpret_cast<LPARAM>(item.data()));
                SetWindowTextW(m_kindBox, item.c_str());
            }
            m_rules.pickKind();
            return 0;
        }
    }
    if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->code == UDN_DELTAPOS) {
            const auto* change = reinterpret_cast<const NMUPDOWN*>(lParam);
            // Any acceleration aside, one step at a time; TRUE keeps the position where it is.
            return step(header->hwndFrom, change->iDelta > 0 ? 1 : -1) ? TRUE : FALSE;
        }
    }
    return PageSurface::handleMessage(message, wParam, lParam);
}

void SchedulePage::mouseMoved() {
    core::restoreButtons(*this, core::HoverSurface::SchedulePage);
}

void SchedulePage::paint(HDC dc) {
    const int left = m_window.px(design::kClockLeft);
    const int top = m_window.px(design::kClockTop);
    const int size = m_window.scaled(design::kClockPixels);
    Pictures::shared().draw(dc, CORVANE_PICTURE_SCHEDULE_CLOCK, RECT{left, top, left + size, top + size});
}

bool SchedulePage::isScheduledChecked() const {
    return SendMessageW(m_scheduledCheck, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SchedulePage::setScheduledChecked(bool checked) {
    SendMessageW(m_scheduledCheck, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::string SchedulePage::triggerText(core::TriggerBox which) const {
    return textOf(m_boxes[index(which)]);
}

void SchedulePage::setTriggerText(core::TriggerBox which, const std::string& text) {
    setText(m_boxes[index(which)], text);
}

std::string SchedulePage::kindText() const {
    return textOf(m_kindBox);
}

void SchedulePage::fillKinds(const std::vector<std::string>& kinds, const std::string& prompt) {
    for (const std::string& kind : kinds) {
        SendMessageW(m_kindBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(kind).c_str()));
    }
    SendMessageW(m_kindBox, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    setText(m_kindBox, prompt);
}

void SchedulePage::showKind(int index, const std::string& text) {
    // The arrow keys move on from the item shown.
    SendMessageW(m_kindBox, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    setText(m_kindBox, text);
}

void SchedulePage::clearKind() {
    // No item is chosen any more: the next arrow key starts from the top of the list.
    SendMessageW(m_kindBox, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    setText(m_kindBox, {});
}

void SchedulePage::showScheduleStatus(const std::string& scheduled, const std::string& name) {
    SendMessageW(m_statusBar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(wide(scheduled).c_str()));
    SendMessageW(m_statusBar, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(wide(name).c_str()));
}

void SchedulePage::showTriggerClock(const std::string& text) {
    // The boxes' names stay their tips' first line; the clock time is the second. Line breaks
    // need a width to break at.
    SendMessageW(m_toolTips, TTM_SETMAXTIPWIDTH, 0, m_window.px(kTipWidthTwips));
    const std::wstring clock = wide(text);
    for (std::size_t i = 0; i < m_boxes.size(); ++i) {
        std::wstring tip = clock.empty() ? m_boxNames[i] : m_boxNames[i] + L"\n" + clock;
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND;
        tool.hwnd = hwnd();
        tool.uId = reinterpret_cast<UINT_PTR>(m_boxes[i]);
        tool.lpszText = tip.data();
        SendMessageW(m_toolTips, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
        setAccessibleDescription(m_boxes[i], clock);
    }
}

void SchedulePage::showButtonPicture(core::HoverButton /*button*/, core::ButtonLook look) {
    picture_button::setPicture(m_applyButton, applyPicture(look));
}

} // namespace win32
