#pragma once

#include "platform/sound_player.h"

#include <QString>

#include <string>

/// The notification sound file: the Windows directory (the program's data folder here), then
/// Media and notify.wav, joined with the system's separator by plain string joining.
std::string notifySoundPath(const QString& windowsDirectory, const std::string& separator);

/// Opens the notification sound on a player and starts it; returns at once while it plays.
/// Throws std::runtime_error when the file is missing or unreadable or there is no audio output.
void startNotifySound(platform::SoundPlayer& player, const std::string& path);

/// Ends a playback when the player reports its end: stop, then release the file so that the
/// next playback opens it afresh.
void endNotifySound(platform::SoundPlayer& player);
