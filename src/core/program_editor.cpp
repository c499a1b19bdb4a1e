#include "core/program_editor.h"

#include "core/app_state.h"

namespace core {

namespace {

const std::string kEmptyPath = "Please select or type the program Name.";

} // namespace

ProgramEditor::ProgramEditor(ProgramEditorView& view, EditorContext context)
    : m_view(view), m_context(std::move(context)) {}

void ProgramEditor::load() {
    m_view.setPath({}, kTypedLimit);
}

void ProgramEditor::activate() {
    blockOthers(m_context.blocker, Window::ProgramEditor);
}

void ProgramEditor::unload() {
    if (m_view.path().empty() && m_context.clearTaskKind) {
        m_context.clearTaskKind();
    }
    freeOthers(m_context.blocker, Window::ProgramEditor);
}

void ProgramEditor::browse() {
    if (platform::FileDialog* dialog = m_context.services.fileDialog.get()) {
        // The system's own programs first, selected.
        const std::string chosen =
            dialog->getOpenFileName(m_view.handle(), m_dialogFileName, dialog->programFilters());
        if (!chosen.empty()) {
            m_dialogFileName = chosen;
        }
    }
    m_view.setPath(m_dialogFileName, typingLimitFor(kTypedLimit, characterCount(m_dialogFileName)));
}

void ProgramEditor::accept() {
    const std::string path = m_view.path();
    if (path.empty()) {
        warn(m_context.services, kEmptyPath);
        return;
    }
    m_context.state.changeTask([&](ScheduledTask& task) { task.program = path; });
    m_view.closeWindow();
}

} // namespace core
