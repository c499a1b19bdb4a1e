#include "editors/notify_sound.h"

std::string notifySoundPath(const QString& windowsDirectory, const std::string& separator) {
    return windowsDirectory.toStdString() + separator + "Media" + separator + "notify.wav";
}

void startNotifySound(platform::SoundPlayer& player, const std::string& path) {
    player.open(path);
    player.play();
}

void endNotifySound(platform::SoundPlayer& player) {
    player.stop();
    player.close();
}
