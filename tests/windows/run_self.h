#pragma once

#include "platform/windows/wide_text.h"
#include "platform/windows/windows_services.h"

#include <string>

/// Runs this test program again with the option and gives its exit status.
inline DWORD runSelf(const wchar_t* option) {
    std::wstring line = L"\"" + platform::win::widen(platform::executablePath()) + L"\" " + option;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return 98;
    }
    DWORD status = 99;
    if (WaitForSingleObject(process.hProcess, 30'000) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.hProcess, &status);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return status;
}
