#include "editors/notify_sound.h"

std::string NotifySoundPath(const QString& windowsDirectory, const std::string& separator) {
    return windowsDirectory.toStdString() + separator + "Media" + separator + "notify.wav";
}

void StartNotifySound(platform::SoundPlayer& player, const std::string& path) {
    player.open(path);
    player.play();
}

void EndNotifySound(platform::SoundPlayer& player) {
    player.stop();
    player.close();
}
