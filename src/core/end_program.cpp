#include "core/end_program.h"

namespace core {

void endProgram(platform::ProcessControl& process) {
    process.terminateCurrentProcess(process.currentExitCode());
}

} // namespace core
