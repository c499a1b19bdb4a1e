#include "core/notify_sound.h"

namespace core {

std::string locateNotifySound(platform::Folders& folders) {
    return folders.soundFolder();
}

std::string notifySoundPath(const std::string& soundFolder, const std::string& separator) {
    return soundFolder + separator + "Media" + separator + "notify.wav";
}

void startNotifySound(platform::SoundPlayer& player, const std::string& path) {
    player.open(path);
    player.play();
}

void endNotifySound(platform::SoundPlayer& player) {
    player.stop();
    player.close();
}

} // namespace core
