#include "shell/win32/alert_editor.h"

#include "shell/win32/accessibility.h"
#include "shell/win32/edit_boxes.h"
#include "shell/win32/text_link.h"

#include <commctrl.h>

namespace win32 {

namespace {

// The surface that restores OK is the editor itself.
constexpr RECT kClient{0, 0, 4800, 2940};

} // namespace

AlertEditor::AlertEditor(ProgramWindows& windows)
    : EditorWindow(windows, core::Window::AlertEditor, core::HoverButton::AlertOk,
                   core::HoverSurface::AlertEditor,
                   {kClient.right, kClient.bottom, kClient, POINT{3600, 2250}}),
      m_rules(*this, windows.editorContext()) {}

bool AlertEditor::load() {
    if (!createEditor(L"CorvaneAlertEditor", L"Alert message editor")) {
        return false;
    }
    m_rules.load();
    return true;
}

void AlertEditor::makeControls() {
    m_frame = makeControl(hwnd(), WC_BUTTONW, L" Please type your Message here.", BS_GROUPBOX, kFrameId, {});
    m_messageBox = makeControl(hwnd(), WC_EDITW, L"",
                               WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
                               kMessageId, {}, WS_EX_CLIENTEDGE);
    SendMessageW(m_messageBox, EM_SETLIMITTEXT, core::AlertEditor::kMessageLimit, 0);
    setAccessibleName(m_messageBox, L"Message");
    letDialogKeysPass(m_messageBox);
    m_playSound =
        makeControl(hwnd(), WC_BUTTONW, L"Play Sound", WS_TABSTOP | BS_AUTOCHECKBOX, kPlaySoundId, {});
    m_testLink = text_link::make(hwnd(), kTestId, L"Test ", RGB(0, 0, 0), {});
    addToolTip(toolTips(), m_testLink, L"Click to play the Sound");
    makeOkButton();
}

void AlertEditor::placeControls() {
    place(m_frame, 120, 120, 4560, 1980);
    place(m_messageBox, 240, 450, 4320, 1530);
    place(m_playSound, 240, 2280, 1360, 300);
    place(m_testLink, 1800, 2280, 720, 300);
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
