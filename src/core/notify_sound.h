#pragma once

#include "platform/folders.h"
#include "platform/sound_player.h"

#include <string>

namespace core {

/// The folder below which the notification sound lies (Media/notify.wav: the system's own
/// where it has one, else the program's data folder), without a trailing separator; empty when
/// it cannot be found. Read once at start-up.
std::string locateNotifySound(platform::Folders& folders);

/// The notification sound file: the sound folder, then Media and notify.wav, joined with the
/// system's separator by plain string joining.
std::string notifySoundPath(const std::string& soundFolder, const std::string& separator);

/// Opens the notification sound on a player and starts it; returns at once while it plays.
/// Throws std::runtime_error when the file is missing or unreadable or there is no audio output.
void startNotifySound(platform::SoundPlayer& player, const std::string& path);

/// Ends a playback when the player reports its end: stop, then release the file so that the
/// next playback opens it afresh.
void endNotifySound(platform::SoundPlayer& player);

} // namespace core
