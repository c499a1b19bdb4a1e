#pragma once

#include "platform/process_control.h"

namespace core {

/// Ends the process at once with the exit code the system reports for a running process
/// (259): no window is unloaded, no handler runs, nothing is written.
void endProgram(platform::ProcessControl& process);

} // namespace core
