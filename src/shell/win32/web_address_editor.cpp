#include "shell/win32/web_address_editor.h"

#include "core/app_title.h"
#include "shell/win32/accessibility.h"
#include "shell/win32/edit_boxes.h"

#include <commctrl.h>

namespace win32 {

namespace {

namespace design = core::design::web_address_editor;

} // namespace

// The frame's mouse moves restore OK.
WebAddressEditor::WebAddressEditor(ProgramWindows& windows)
    : EditorWindow(windows, core::Window::WebAddressEditor, core::HoverButton::WebAddressOk,
                   core::HoverSurface::WebAddressFrame, design::kEditor, design::kEditor.frame),
      m_rules(*this, windows.editorContext()) {}

bool WebAddressEditor::load() {
    if (!createEditor(L"CorvaneWebAddressEditor")) {
        return false;
    }
    m_rules.load();
    return true;
}

void WebAddressEditor::makeControls() {
    m_frame = makeControl(hwnd(), WC_BUTTONW, wide(design::kEditor.frameText), BS_GROUPBOX, kFrameId, {});
    m_addressBox =
        makeControl(hwnd(), WC_EDITW, L"", WS_TABSTOP | ES_AUTOHSCROLL, kAddressId, {}, WS_EX_CLIENTEDGE);
    SendMessageW(m_addressBox, EM_SETLIMITTEXT, core::WebAddressEditor::kTypedLimit, 0);
    setAccessibleName(m_addressBox, wide(design::kAddressName));
    keepFirstLineOnPaste(m_addressBox);
    makeOkButton();
}

void WebAddressEditor::placeControls() {
    place(m_frame, design::kEditor.frame);
    place(m_addressBox, design::kAddressBox);
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
