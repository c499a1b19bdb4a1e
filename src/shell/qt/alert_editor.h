#pragma once

#include "core/alert_editor.h"
#include "shell/qt/editor_window.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>

namespace qtshell {

/// The alert editor's controls: a private base of the editor, as a form class of Qt Designer is. The editor
/// keeps them to itself; the tests find them by their names.
struct AlertEditorControls {
    QGroupBox* messageFrame = nullptr;
    QPlainTextEdit* messageBox = nullptr;
    QCheckBox* playSoundCheck = nullptr;
    QLabel* playSoundLabel = nullptr;
    PictureButton* testLink = nullptr;
};

/// The alert editor: the message of an alert task and whether the notification sound plays
/// with it, a view over core::AlertEditor. Test plays the notification sound once on the
/// editor's own player.
class AlertEditor final : public EditorWindow, public core::AlertEditorView, private AlertEditorControls {
    Q_OBJECT

public:
    explicit AlertEditor(const core::EditorContext& context);
    ~AlertEditor() override;

    void load();
    void activate() override { m_rules.activate(); }
    void unload() override { m_rules.unload(); }
    /// OK: accepts a non-empty message.
    void accept() { m_rules.accept(); }
    /// Test: plays the notification sound, whatever "Play Sound" says.
    void testSound() { m_rules.testSound(); }
    /// The player reports the end of playback.
    void soundDone() { m_rules.soundDone(); }

    /// Whether the editor's player is playing a Test.
    bool isPlaying() const { return m_rules.isPlaying(); }

    // core::AlertEditorView
    std::string message() const override;
    void clearMessage() override { messageBox->clear(); }
    bool isPlaySoundChecked() const override { return playSoundCheck->isChecked(); }
    void setPlaySoundChecked(bool checked) override { playSoundCheck->setChecked(checked); }
    void closeWindow() override { close(); }

private:
    void limitMessage();

    core::AlertEditor m_rules;
};

} // namespace qtshell
