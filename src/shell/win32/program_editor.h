#pragma once

#include "core/program_editor.h"
#include "shell/win32/editor_window.h"

namespace win32 {

/// The program editor: the name or path of the program a Run Program task starts, typed in or
/// chosen with Browse; a view over core::ProgramEditor.
class ProgramEditor final : public EditorWindow, public core::ProgramEditorView {
public:
    enum ControlId { kFrameId = 101, kPathId, kBrowseId };

    explicit ProgramEditor(ProgramWindows& windows);
    /// Makes the window, loaded and hidden; false when the system refuses it.
    bool load();

    // core::ProgramEditorView
    std::string path() const override { return textOf(m_pathBox); }
    void setPath(const std::string& path, std::size_t typingLimit) override;
    platform::WindowHandle handle() override { return hwnd(); }
    void closeWindow() override { close(); }

protected:
    void makeControls() override;
    void placeControls() override;
    HWND mainBox() const override { return m_pathBox; }
    void activate() override { m_rules.activate(); }
    void unload() override { m_rules.unload(); }
    void accept() override { m_rules.accept(); }
    void controlCommand(int id, int code, HWND control) override;

private:
    core::ProgramEditor m_rules;
    HWND m_frame = nullptr;
    HWND m_pathBox = nullptr;
    HWND m_browseButton = nullptr;
};

} // namespace win32
