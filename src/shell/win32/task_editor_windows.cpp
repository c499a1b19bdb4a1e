#include "shell/win32/task_editor_windows.h"

#include "shell/win32/alert_editor.h"
#include "shell/win32/program_editor.h"
#include "shell/win32/web_address_editor.h"

namespace win32 {

namespace {

template <typename Editor> std::unique_ptr<TaskEditorWindow> made(ProgramWindows& windows) {
    auto editor = std::make_unique<Editor>(windows);
    if (!editor->load()) {
        return nullptr;
    }
    return editor;
}

} // namespace

std::unique_ptr<TaskEditorWindow> makeTaskEditor(core::TaskKind kind, ProgramWindows& windows) {
    switch (kind) {
    case core::TaskKind::Alert:
        return made<AlertEditor>(windows);
    case core::TaskKind::RunProgram:
        return made<ProgramEditor>(windows);
    case core::TaskKind::VisitWebsite:
        return made<WebAddressEditor>(windows);
    default:
        return nullptr;
    }
}

} // namespace win32
