#pragma once

#include "platform/message_boxes.h"
#include "platform/registry.h"

#include <optional>
#include <string>

/// Adds the value "Corvane" to the machine-wide log-on list, holding programPath (on Linux: the
/// user's own autostart entry). Nothing is reported when the list cannot be written.
void registerAutostart(platform::Registry& registry, const std::string& programPath);
/// Removes the value "Corvane"; nothing is reported when the list cannot be written.
void unregisterAutostart(platform::Registry& registry, platform::MessageBoxes& messages);
/// The autostart check box's value: 1 when the value "Corvane" can be read (on Linux: when an
/// entry will start a program at log-on), 0 when it cannot, nothing when the list itself cannot
/// be opened.
std::optional<int> readAutostartCheck(platform::Registry& registry);
/// The full path of this program's executable, as the log-on list records it.
std::string autostartProgramPath();
