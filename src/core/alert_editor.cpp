#include "core/alert_editor.h"

#include "core/app_state.h"
#include "core/notify_sound.h"

#include <exception>
#include <stdexcept>

namespace core {

namespace {

const std::string kEmptyMessage = "Please type the Message.";
const std::string kMissingSound =
    "The system sound file referred by 'Corvane' does not exist in your computer. it is recommend that you "
    "uncheck 'Play Sound' option and continue.";

} // namespace

AlertEditor::AlertEditor(AlertEditorView& view, EditorContext context)
    : m_view(view), m_context(std::move(context)) {}

AlertEditor::~AlertEditor() = default;

void AlertEditor::load() {
    m_view.clearMessage();
    m_view.setPlaySoundChecked(m_context.state.task().playSound);
}

void AlertEditor::activate() {
    blockOthers(m_context.blocker, Window::AlertEditor);
}

void AlertEditor::unload() {
    if (m_view.message().empty() && m_context.clearTaskKind) {
        m_context.clearTaskKind();
    }
    freeOthers(m_context.blocker, Window::AlertEditor);
}

void AlertEditor::accept() {
    const std::string message = m_view.message();
    if (message.empty()) {
        warn(m_context.services, kEmptyMessage);
        return;
    }
    const bool playSound = m_view.isPlaySoundChecked();
    m_context.state.changeTask([&](ScheduledTask& task) {
        task.message = message;
        task.playSound = playSound;
    });
    m_view.closeWindow();
}

void AlertEditor::testSound() {
    platform::Services& services = m_context.services;
    try {
        if (!services.sound) {
            throw std::runtime_error("no sound service");
        }
        // A Test during a playback starts the sound again from the beginning: the old player
        // goes with its playback, so no late end report of it can close the new one.
        if (!m_player || m_playing) {
            m_playing = false;
            m_player = services.sound->create();
            m_player->setOnFinished([this] { soundDone(); });
        }
        const std::string separator = services.folders ? services.folders->separator() : std::string("/");
        m_playing = true;
        startNotifySound(*m_player, notifySoundPath(m_context.state.soundFolder(), separator));
    } catch (const std::exception&) {
        m_playing = false;
        if (m_player) {
            m_player->close();
        }
        warn(services, kMissingSound);
    }
}

void AlertEditor::soundDone() {
    m_playing = false;
    if (m_player) {
        endNotifySound(*m_player);
    }
}

} // namespace core
