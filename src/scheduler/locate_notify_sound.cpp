#include "scheduler/locate_notify_sound.h"

QString LocateNotifySound(platform::Folders& folders) {
    return QString::fromStdString(folders.dataFolder());
}
