// The Windows tests. Tests start this program again as another process: with --log-off it asks
// the system to log the user off through the power service and exits with 0 when the system took
// the request; with --end-program it ends itself as the program does, with its running exit code.
#include "platform/windows/windows_services.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--log-off") == 0) {
        int status = 2;
        platform::WindowsPower().logOff([&status](const platform::PowerAnswer& answer) {
            std::printf("%s\n", answer.reason.c_str());
            status = answer.outcome == platform::PowerOutcome::Accepted ? 0 : 1;
        });
        return status;
    }
    if (argc == 2 && std::strcmp(argv[1], "--end-program") == 0) {
        platform::WindowsProcessControl process;
        process.terminateCurrentProcess(process.currentExitCode());
        return 1;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
