#include "core/program_editor.h"

#include "core/app_state.h"

namespace core {

namespace {

const std::string kEmptyPath = "Please select or type the program Name.";

} // namespace

ProgramEditor::ProgramEditor(ProgramEditorView& view, EditorContext context)
    : m_view(view), m_context(std::move(context)) {}

std::vector<std::string> ProgramEditor::browseFilters() {
    // Programs on this system carry no name extension: any file may be one.
    return {"Programs (*)", "Shell scripts (*.sh)"};
}

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
    if (m_context.services.fileDialog) {
        const std::string chosen = m_context.services.fileDialog->getOpenFileName(
            m_view.handle(), m_dialogFileName, browseFilters());
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
