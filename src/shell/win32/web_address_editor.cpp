#include "shell/win32/web_address_editor.h"

#include "core/app_title.h"
#include "shell/win32/accessibility.h"
#include "shell/win32/edit_boxes.h"

#include <commctrl.h>

namespace win32 {

namespace {

// The frame, whose mouse moves restore OK.
constexpr RECT kFrame{120, 120, 5280, 1920};

} // namespace

WebAddressEditor::WebAddressEditor(ProgramWindows& windows)
    : EditorWindow(windows, core::Window::WebAddressEditor, core::HoverButton::WebAddressOk,
                   core::HoverSurface::WebAddressFrame, {5400, 2040, kFrame, POINT{3960, 1200}}),
      m_rules(*this, windows.editorContext()) {}

bool WebAddressEditor::load() {
    if (!createEditor(L"CorvaneWebAddressEditor", L"Visit Website editor")) {
        return false;
    }
    m_rules.load();
    return true;
}

void WebAddressEditor::makeControls() {
    m_frame = makeControl(hwnd(), WC_BUTTONW, L"Type URL (Web  Address)", BS_GROUPBOX, kFrameId, {});
    m_addressBox =
        makeControl(hwnd(), WC_EDITW, L"", WS_TABSTOP | ES_AUTOHSCROLL, kAddressId, {}, WS_EX_CLIENTEDGE);
    SendMessageW(m_addressBox, EM_SETLIMITTEXT, core::WebAddressEditor::kTypedLimit, 0);
    setAccessibleName(m_addressBox, L"Web address");
    keepFirstLineOnPaste(m_addressBox);
    makeOkButton();
}

void WebAddressEditor::placeControls() {
    place(m_frame, kFrame.left, kFrame.top, kFrame.right - kFrame.left, kFrame.bottom - kFrame.top);
    place(m_addressBox, 360, 540, 4680, 345);
}

void WebAddressEditor::setAddress(const std::string& address) {
    setText(m_addressBox, address);
    caretToEnd(m_addressBox);
}

void WebAddressEditor::showLook() {
    setText(hwnd(), core::kAppTitle);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

} // namespace win32
