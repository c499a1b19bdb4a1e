#include "common/end_program.h"

void endProgram(platform::ProcessControl& process) {
    process.terminateCurrentProcess(process.currentExitCode());
}
