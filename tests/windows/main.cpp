// The Windows tests. Run with --log-off, the program asks the system to log the user off through
// the power service and exits with 0 when the system took the request (a test starts it so).
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
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
