#include "common/end_program.h"

void EndProgram(platform::ProcessControl& process) {
    process.terminateCurrentProcess(process.currentExitCode());
}
