#pragma once

#include "platform/message_boxes.h"
#include "platform/registry.h"

#include <optional>
#include <string>

namespace core {

/// Adds the value "Corvane" to the machine-wide log-on list, holding programPath (on Linux: the
/// user's own autostart entry). Nothing is reported when the list cannot be written.
void registerAutostart(platform::Registry& registry, const std::string& programPath);
/// Removes the value "Corvane"; nothing is reported when the list cannot be written.
void unregisterAutostart(platform::Registry& registry, platform::MessageBoxes& messages);
/// Whether the autostart check box is to be checked: true when the value "Corvane" can be read
/// (on Linux: when an entry will start a program at log-on), false when it cannot, nothing when
/// the list itself cannot be opened.
std::optional<bool> readAutostartCheck(platform::Registry& registry);

} // namespace core
