#pragma once

#include "core/task_editors.h"
#include "platform/sound_player.h"

#include <cstddef>
#include <memory>
#include <string>

namespace core {

/// The alert editor's window as its rules see it.
class AlertEditorView {
public:
    virtual ~AlertEditorView() = default;
    virtual std::string message() const = 0;
    virtual void clearMessage() = 0;
    virtual bool isPlaySoundChecked() const = 0;
    virtual void setPlaySoundChecked(bool checked) = 0;
    /// Closes the window; it then calls unload.
    virtual void closeWindow() = 0;
};

/// The alert editor: the message of an alert task and whether the notification sound plays with
/// it. Test plays the notification sound once on the editor's own player.
class AlertEditor final {
public:
    /// The message box takes at most this many characters.
    static constexpr std::size_t kMessageLimit = 200;

    AlertEditor(AlertEditorView& view, EditorContext context);
    ~AlertEditor();
    AlertEditor(const AlertEditor&) = delete;
    AlertEditor& operator=(const AlertEditor&) = delete;

    /// Every visit starts empty, "Play Sound" as the record holds it.
    void load();
    /// Each time the editor becomes the active window: the main and Options windows blocked.
    void activate();
    /// Closing (OK or the close box): an empty box clears the task kind; the windows are freed.
    void unload();
    /// OK: a non-empty message and the sound choice go into the record and the editor closes.
    void accept();
    /// Test: plays the notification sound, whatever "Play Sound" says.
    void testSound();
    /// The player reports the end of playback.
    void soundDone();
    /// Whether the editor's player is playing a Test.
    bool isPlaying() const { return m_playing; }

private:
    AlertEditorView& m_view;
    EditorContext m_context;
    /// The editor's own player, made at the first Test.
    std::unique_ptr<platform::SoundPlayer> m_player;
    bool m_playing = false;
};

} // namespace core
