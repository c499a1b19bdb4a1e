#pragma once

#include "common/scheduled_task.h"
#include "editors/editor_window.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>

#include <memory>

/// The alert editor: the message of an alert task and whether the notification sound plays
/// with it. Test plays the notification sound once on the editor's own player.
class Form3 final : public EditorWindow {
    Q_OBJECT

public:
    /// windowsDirectory is the main window's Label3; windowsToDisable the main window and the
    /// Options and Schedule Task window; kindBox that window's task-kind box.
    Form3(platform::Services& services, ScheduledTask& task, QString windowsDirectory,
          const QList<QWidget*>& windowsToDisable, QComboBox* kindBox);
    ~Form3() override;

    void Form_Load();
    void Form_Activate() override;
    void Form_Unload() override;
    /// OK: accepts a non-empty message.
    void Image9_Click();
    /// Test: plays the notification sound, whatever "Play Sound" says.
    void Label1_Click();
    /// The player reports the end of playback.
    void MMC1_Done();
    /// The mouse moved over the window itself: OK shows its normal picture.
    void Form_MouseMove();

    /// Whether the editor's player is playing a Test.
    bool isPlaying() const { return m_playing; }

    QGroupBox* Frame1 = nullptr;
    QPlainTextEdit* message = nullptr;
    QCheckBox* Check1 = nullptr;
    QLabel* Label7 = nullptr;
    PictureButton* Label1 = nullptr;

private:
    void message_Change();

    ScheduledTask& m_task;
    QString m_windowsDirectory;
    /// The editor's own player, made at the first Test.
    std::unique_ptr<platform::SoundPlayer> MMC1;
    bool m_playing = false;
};
