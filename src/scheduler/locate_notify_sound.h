#pragma once

#include "platform/folders.h"

#include <QString>

/// The folder below which the notification sound lies (Media/notify.wav in the program's data
/// folder), without a trailing separator; empty when it cannot be found. Read once at start-up.
QString locateNotifySound(platform::Folders& folders);
