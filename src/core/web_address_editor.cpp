#include "core/web_address_editor.h"

#include "core/app_state.h"

namespace core {

namespace {

const std::string kBarePrefix = "Please type the URL.";

} // namespace

WebAddressEditor::WebAddressEditor(WebAddressEditorView& view, EditorContext context)
    : m_view(view), m_context(std::move(context)) {}

void WebAddressEditor::load() {
    m_view.setAddress(kPrefix);
}

void WebAddressEditor::activate() {
    m_view.showLook();
    blockOthers(m_context.blocker, Window::WebAddressEditor);
}

void WebAddressEditor::unload() {
    const std::string address = m_view.address();
    if ((address.empty() || address == kPrefix) && m_context.clearTaskKind) {
        m_context.clearTaskKind();
    }
    freeOthers(m_context.blocker, Window::WebAddressEditor);
}

void WebAddressEditor::accept() {
    const std::string address = m_view.address();
    if (address == kPrefix) {
        warn(m_context.services, kBarePrefix);
        return;
    }
    m_context.state.changeTask([&](ScheduledTask& task) { task.webAddress = address; });
    m_view.closeWindow();
}

} // namespace core
