#include "scheduler/locate_notify_sound.h"

QString locateNotifySound(platform::Folders& folders) {
    return QString::fromStdString(folders.dataFolder());
}
