#pragma once

#include "core/web_address_editor.h"
#include "shell/win32/editor_window.h"

namespace win32 {

/// The web-address editor: the address a Visit Website task opens; a view over
/// core::WebAddressEditor.
class WebAddressEditor final : public EditorWindow, public core::WebAddressEditorView {
public:
    enum ControlId { kFrameId = 101, kAddressId };

    explicit WebAddressEditor(ProgramWindows& windows);
    /// Makes the window, loaded and hidden; false when the system refuses it.
    bool load();

    // core::WebAddressEditorView
    std::string address() const override { return textOf(m_addressBox); }
    void setAddress(const std::string& address) override;
    /// The caption "Corvane" and the designed background, drawn anew.
    void showLook() override;
    void closeWindow() override { close(); }

protected:
    void makeControls() override;
    void placeControls() override;
    HWND mainBox() const override { return m_addressBox; }
    void activate() override { m_rules.activate(); }
    void unload() override { m_rules.unload(); }
    void accept() override { m_rules.accept(); }

private:
    core::WebAddressEditor m_rules;
    HWND m_frame = nullptr;
    HWND m_addressBox = nullptr;
};

} // namespace win32
