#pragma once

#include "common/scheduled_task.h"
#include "core/app_state.h"
#include "editors/editor_window.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>

#include <memory>

/// The alert editor: the message of an alert task and whether the notification sound plays
/// with it. Test plays the notification sound once on the editor's own player.
class AlertEditor final : public EditorWindow {
    Q_OBJECT

public:
    /// soundFolder is the main window's soundFolder; windowsToDisable the main window and the
    /// Options and Schedule Task window; kindBox that window's task-kind box.
    AlertEditor(platform::Services& services, core::AppState& state, QString soundFolder,
                const QList<QWidget*>& windowsToDisable, QComboBox* kindBox);
    ~AlertEditor() override;

    void load();
    void activate() override;
    void unload() override;
    /// OK: accepts a non-empty message.
    void accept();
    /// Test: plays the notification sound, whatever "Play Sound" says.
    void testSound();
    /// The player reports the end of playback.
    void soundDone();
    /// The mouse moved over the window itself: OK shows its normal picture.
    void restoreOk();

    /// Whether the editor's player is playing a Test.
    bool isPlaying() const { return m_playing; }

    QGroupBox* messageFrame = nullptr;
    QPlainTextEdit* messageBox = nullptr;
    QCheckBox* playSoundCheck = nullptr;
    QLabel* playSoundLabel = nullptr;
    PictureButton* testLink = nullptr;

private:
    void limitMessage();

    core::AppState& m_state;
    QString m_soundFolder;
    /// The editor's own player, made at the first Test.
    std::unique_ptr<platform::SoundPlayer> m_player;
    bool m_playing = false;
};
