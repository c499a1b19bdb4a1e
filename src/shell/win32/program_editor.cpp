#include "shell/win32/program_editor.h"

#include "shell/win32/accessibility.h"
#include "shell/win32/edit_boxes.h"

#include <commctrl.h>

namespace win32 {

namespace {

namespace design = core::design::program_editor;

} // namespace

// The frame's mouse moves restore OK.
ProgramEditor::ProgramEditor(ProgramWindows& windows)
    : EditorWindow(windows, core::Window::ProgramEditor, core::HoverButton::ProgramOk,
                   core::HoverSurface::ProgramFrame, design::kEditor, design::kEditor.frame),
      m_rules(*this, windows.editorContext()) {}

bool ProgramEditor::load() {
    if (!createEditor(L"CorvaneProgramEditor")) {
        return false;
    }
    m_rules.load();
    return true;
}

void ProgramEditor::makeControls() {
    m_frame = makeControl(hwnd(), WC_BUTTONW, wide(design::kEditor.frameText), BS_GROUPBOX, kFrameId, {});
    m_pathBox =
        makeControl(hwnd(), WC_EDITW, L"", WS_TABSTOP | ES_AUTOHSCROLL, kPathId, {}, WS_EX_CLIENTEDGE);
    setAccessibleName(m_pathBox, wide(design::kPathName));
    keepFirstLineOnPaste(m_pathBox);
    m_browseButton =
        makeControl(hwnd(), WC_BUTTONW, wide(design::kBrowseText), WS_TABSTOP | BS_PUSHBUTTON, kBrowseId, {});
    addToolTip(toolTips(), m_browseButton, wide(design::kBrowseTip));
    makeOkButton();
}

void ProgramEditor::placeControls() {
    place(m_frame, design::kEditor.frame);
    place(m_pathBox, design::kPathBox);
    place(m_browseButton, design::kBrowseButton);
}

void ProgramEditor::setPath(const std::string& path, std::size_t typingLimit) {
    SendMessageW(m_pathBox, EM_SETLIMITTEXT, typingLimit, 0);
    setText(m_pathBox, path);
    caretToEnd(m_pathBox);
}

void ProgramEditor::controlCommand(int id, int code, HWND /*control*/) {
    if (id == kBrowseId && code == BN_CLICKED) {
        m_rules.browse();
    } else if (id == kPathId && code == EN_CHANGE) {
        // Typing stops at the limit; a longer path from the dialog stays whole, and edits may
        // shorten it but never make it longer.
        const auto length = static_cast<std::size_t>(GetWindowTextLengthW(m_pathBox));
        SendMessageW(m_pathBox, EM_SETLIMITTEXT,
                     core::typingLimitFor(core::ProgramEditor::kTypedLimit, length), 0);
    }
}

} // namespace win32
