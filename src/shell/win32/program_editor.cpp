#include "shell/win32/program_editor.h"

#include "shell/win32/accessibility.h"
#include "shell/win32/edit_boxes.h"

#include <commctrl.h>

namespace win32 {

namespace {

// The frame, whose mouse moves restore OK.
constexpr RECT kFrame{120, 120, 5280, 1920};

} // namespace

ProgramEditor::ProgramEditor(ProgramWindows& windows)
    : EditorWindow(windows, core::Window::ProgramEditor, core::HoverButton::ProgramOk,
                   core::HoverSurface::ProgramFrame, {5400, 2040, kFrame, POINT{3960, 1200}}),
      m_rules(*this, windows.editorContext()) {}

bool ProgramEditor::load() {
    if (!createEditor(L"CorvaneProgramEditor", L"Run Program editor")) {
        return false;
    }
    m_rules.load();
    return true;
}

void ProgramEditor::makeControls() {
    m_frame =
        makeControl(hwnd(), WC_BUTTONW, L"Type the Name or Path of the program", BS_GROUPBOX, kFrameId, {});
    m_pathBox =
        makeControl(hwnd(), WC_EDITW, L"", WS_TABSTOP | ES_AUTOHSCROLL, kPathId, {}, WS_EX_CLIENTEDGE);
    setAccessibleName(m_pathBox, L"Program");
    keepFirstLineOnPaste(m_pathBox);
    m_browseButton = makeControl(hwnd(), WC_BUTTONW, L"Browse", WS_TABSTOP | BS_PUSHBUTTON, kBrowseId, {});
    addToolTip(toolTips(), m_browseButton, L"Browse for Programs");
    makeOkButton();
}

void ProgramEditor::placeControls() {
    place(m_frame, kFrame.left, kFrame.top, kFrame.right - kFrame.left, kFrame.bottom - kFrame.top);
    place(m_pathBox, 360, 540, 3480, 345);
    place(m_browseButton, 3960, 510, 1080, 405);
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
