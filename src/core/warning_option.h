#pragma once

#include "platform/registry.h"

namespace core {

/// The value of the settings key that switches the minute's warning before the task turns off,
/// logs off, restarts or hibernates the computer. It stands beside the five options under a name
/// of its own, so no reader of theirs sees it; the first run does not write it.
inline constexpr const char* kWarningOptionName = "TaskWarning";

/// Whether the warning is shown: on unless the value holds 0 (a missing or unreadable value is on).
bool readWarningOption(platform::Registry& registry);

/// Stores 1 (on) or 0 (off) as a REG_DWORD; nothing happens when the key cannot be opened for
/// writing. True when the value was stored.
bool storeWarningOption(platform::Registry& registry, bool on);

} // namespace core
