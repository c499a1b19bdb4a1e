#include "shell/win32/alert_editor.h"

#include "shell/win32/accessibility.h"
#include "shell/win32/edit_boxes.h"
#include "shell/win32/text_link.h"

#include <commctrl.h>

namespace win32 {

namespace {

namespace design = core::design::alert_editor;

} // namespace

// The surface that restores OK is the editor itself.
AlertEditor::AlertEditor(ProgramWindows& windows)
    : EditorWindow(windows, core::Window::AlertEditor, core::HoverButton::AlertOk,
                   core::HoverSurface::AlertEditor, design::kEditor, design::kEditor.client),
      m_rules(*this, windows.editorContext()) {}

bool AlertEditor::load() {
    if (!createEditor(L"CorvaneAlertEditor")) {
        return false;
    }
    m_rules.load();
    return true;
}

void AlertEditor::makeControls() {
    m_frame = makeControl(hwnd(), WC_BUTTONW, wide(design::kEditor.frameText), BS_GROUPBOX, kFrameId, {});
    m_messageBox = makeControl(hwnd(), WC_EDITW, L"",
                               WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
                               kMessageId, {}, WS_EX_CLIENTEDGE);
    SendMessageW(m_messageBox, EM_SETLIMITTEXT, core::AlertEditor::kMessageLimit, 0);
    setAccessibleName(m_messageBox, wide(design::kMessageName));
    letDialogKeysPass(m_messageBox);
    m_playSound = makeControl(hwnd(), WC_BUTTONW, wide(design::kPlaySoundText), WS_TABSTOP | BS_AUTOCHECKBOX,
                              kPlaySoundId, {});
    m_testLink =
        text_link::make(hwnd(), kTestId, wide(design::kTestText), colorref(core::design::kBlack), {});
    addToolTip(toolTips(), m_testLink, wide(design::kTestTip));
    makeOkButton();
}

void AlertEditor::placeControls() {
    place(m_frame, design::kEditor.frame);
    place(m_messageBox, design::kMessageBox);
    // The check box shows its text itself: one control over the box and the label.
    core::design::Rect playSound = design::kPlaySoundBox;
    playSound.width = design::kPlaySoundLabel.right() - playSound.left;
    place(m_playSound, playSound);
    place(m_testLink, design::kTestLink);
    m_linkFont = text_link::font(dpi());
    setFont(m_testLink, m_linkFont);
}

std::string AlertEditor::message() const {
    return textOf(m_messageBox);
}

void AlertEditor::clearMessage() {
    SetWindowTextW(m_messageBox, L"");
}

bool AlertEditor::isPlaySoundChecked() const {
    return SendMessageW(m_playSound, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void AlertEditor::setPlaySoundChecked(bool checked) {
    SendMessageW(m_playSound, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void AlertEditor::controlCommand(int id, int code, HWND /*control*/) {
    if (id == kTestId && code == BN_CLICKED) {
        m_rules.testSound();
    }
}

} // namespace win32
