#pragma once

#include "core/web_address_editor.h"
#include "shell/qt/editor_window.h"

#include <QGroupBox>
#include <QLineEdit>

namespace qtshell {

/// The web-address editor's controls: a private base of the editor, as a form class of Qt Designer is. The
/// editor keeps them to itself; the tests find them by their names.
struct WebAddressEditorControls {
    QGroupBox* addressFrame = nullptr;
    QLineEdit* addressBox = nullptr;
};

/// The web-address editor: the address a Visit Website task opens; a view over
/// core::WebAddressEditor.
class WebAddressEditor final : public EditorWindow,
                               public core::WebAddressEditorView,
                               private WebAddressEditorControls {
    Q_OBJECT

public:
    explicit WebAddressEditor(const core::EditorContext& context);

    void load() { m_rules.load(); }
    void activate() override { m_rules.activate(); }
    void unload() override { m_rules.unload(); }
    /// OK: accepts any text but the bare prefix, the empty text included.
    void accept() { m_rules.accept(); }

    // core::WebAddressEditorView
    std::string address() const override { return addressBox->text().toStdString(); }
    void setAddress(const std::string& address) override {
        addressBox->setText(QString::fromStdString(address));
    }
    void showLook() override { setLook(addressFrame); }
    void closeWindow() override { close(); }

private:
    core::WebAddressEditor m_rules;
};

} // namespace qtshell
