#pragma once

#include "core/alert_editor.h"
#include "shell/win32/editor_window.h"

namespace win32 {

/// The alert editor: the message of an alert task and whether the notification sound plays
/// with it, a view over core::AlertEditor. Test plays the notification sound once.
class AlertEditor final : public EditorWindow, public core::AlertEditorView {
public:
    enum ControlId { kFrameId = 101, kMessageId, kPlaySoundId, kTestId };

    explicit AlertEditor(ProgramWindows& windows);
    /// Makes the window, loaded and hidden; false when the system refuses it.
    bool load();

    // core::AlertEditorView
    std::string message() const override;
    void clearMessage() override;
    bool isPlaySoundChecked() const override;
    void setPlaySoundChecked(bool checked) override;
    void closeWindow() override { close(); }

protected:
    void makeControls() override;
    void placeControls() override;
    HWND mainBox() const override { return m_messageBox; }
    void activate() override { m_rules.activate(); }
    void unload() override { m_rules.unload(); }
    void accept() override { m_rules.accept(); }
    void controlCommand(int id, int code, HWND control) override;

private:
    core::AlertEditor m_rules;
    Font m_linkFont;
    HWND m_frame = nullptr;
    HWND m_messageBox = nullptr;
    HWND m_playSound = nullptr;
    HWND m_testLink = nullptr;
};

} // namespace win32
