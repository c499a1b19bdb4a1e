#include "shell/win32/editor_window.h"

#include "core/app_title.h"
#include "shell/win32/accessibility.h"
#include "shell/win32/resource_ids.h"

#include <commctrl.h>

namespace win32 {

namespace {

bool isPushButton(HWND control) {
    wchar_t className[16]{};
    GetClassNameW(control, className, 16);
    const LONG_PTR type = GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK;
    return lstrcmpiW(className, WC_BUTTONW) == 0 &&
           (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_OWNERDRAW);
}

} // namespace

EditorWindow::EditorWindow(ProgramWindows& windows, core::Window window, core::HoverButton okHover,
                           core::HoverSurface okSurface, const core::design::task_editors::Editor& look,
                           const core::design::Rect& okSurfaceTwips)
    : TaskEditorWindow(windows, window, kDesignBackground), m_okHover(okHover), m_okSurface(okSurface),
      m_design(look), m_okSurfaceTwips(okSurfaceTwips) {}

EditorWindow::~EditorWindow() = default;

bool EditorWindow::createEditor(const wchar_t* className) {
    if (!createDialog(className, wide(core::kAppTitle))) {
        return false;
    }
    const std::wstring accessibleName = wide(m_design.accessibleName);
    // The caption reads "Corvane" like every window of the program; a screen reader hears which.
    setAccessibleName(hwnd(), accessibleName, OBJID_WINDOW);
    setAccessibleName(hwnd(), accessibleName);
    m_toolTips = makeToolTips(hwnd());
    makeControls();
    layOut();
    return true;
}

int EditorWindow::okPictureId(core::ButtonLook look) {
    return look == core::ButtonLook::Highlighted ? CORVANE_PICTURE_OK_HIGHLIGHTED : CORVANE_PICTURE_OK_NORMAL;
}

HWND EditorWindow::makeOkButton() {
    m_okButton = picture_button::make(hwnd(), kOkId, okPictureId(core::ButtonLook::Normal), RECT{},
                                      wide(core::design::task_editors::kOkName));
    picture_button::onMouseMove(m_okButton, [this] { core::highlightButton(*this, m_okHover); });
    return m_okButton;
}

void EditorWindow::showButtonPicture(core::HoverButton /*button*/, core::ButtonLook look) {
    picture_button::setPicture(m_okButton, okPictureId(look));
}

void EditorWindow::place(HWND control, const core::design::Rect& twips) const {
    SetWindowPos(control, nullptr, px(twips.left), px(twips.top), px(twips.width), px(twips.height),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void EditorWindow::layOut() {
    m_font = dialogFont(dpi());
    for (HWND child = GetWindow(hwnd(), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        setFont(child, m_font);
    }
    placeControls();
    place(m_okButton, m_design.ok);
    setClientSize(px(m_design.client.width), px(m_design.client.height));
}

void EditorWindow::dpiChanged() {
    layOut();
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void EditorWindow::showAbove(HWND owner) {
    if (IsWindowVisible(hwnd()) == 0 && owner != nullptr) {
        // Kept above the window it was opened from, without being its child.
        SetWindowLongPtrW(hwnd(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    }
    showCentredOn(owner);
}

void EditorWindow::enterPressed(HWND focus) {
    if (focus != nullptr && focus == mainBox()) {
        accept();
    } else if (focus != nullptr && isPushButton(focus)) {
        SendMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(focus), BN_CLICKED),
                     reinterpret_cast<LPARAM>(focus));
    }
}

void EditorWindow::command(int id, int code, HWND control) {
    if (id == IDOK) {
        enterPressed(GetFocus());
    } else if (id == kOkId && code == BN_CLICKED) {
        accept();
    } else {
        controlCommand(id, code, control);
    }
}

LRESULT EditorWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MOUSEMOVE) {
        const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        const core::design::Rect& s = m_okSurfaceTwips;
        const RECT surface{px(s.left), px(s.top), px(s.right()), px(s.bottom())};
        if (PtInRect(&surface, at) != 0) {
            core::restoreButtons(*this, m_okSurface);
        }
        return 0;
    }
    return DialogWindow::handleMessage(message, wParam, lParam);
}

} // namespace win32
