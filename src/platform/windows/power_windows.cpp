#include "platform/windows/wide_text.h"
#include "platform/windows/windows_services.h"

namespace platform {

namespace {

unsigned long enableShutdownPrivilegeNow() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
        return GetLastError();
    }
    TOKEN_PRIVILEGES request{};
    request.PrivilegeCount = 1;
    request.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    unsigned long result = ERROR_SUCCESS;
    if (!LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &request.Privileges[0].Luid) ||
        !AdjustTokenPrivileges(token, FALSE, &request, sizeof request, nullptr, nullptr)) {
        result = GetLastError();
    } else {
        result = GetLastError(); // ERROR_NOT_ALL_ASSIGNED when the user does not hold the privilege
    }
    CloseHandle(token);
    return result;
}

std::optional<unsigned long> hibernateNow(std::string& why) {
    using SetSuspendStateFunction = BOOLEAN(WINAPI*)(BOOLEAN, BOOLEAN, BOOLEAN);
    HMODULE library = LoadLibraryW(L"powrprof.dll");
    if (library == nullptr) {
        why = "The power management library powrprof.dll cannot be loaded: " + win::errorText(GetLastError());
        return std::nullopt;
    }
    const auto setSuspendState = reinterpret_cast<SetSuspendStateFunction>(
        reinterpret_cast<void*>(GetProcAddress(library, "SetSuspendState")));
    if (setSuspendState == nullptr) {
        why = "The power management library has no SetSuspendState: " + win::errorText(GetLastError());
        FreeLibrary(library);
        return std::nullopt;
    }
    const unsigned long result = setSuspendState(TRUE, TRUE, TRUE) ? ERROR_SUCCESS : GetLastError();
    FreeLibrary(library);
    return result;
}

PowerAnswer answerOf(unsigned long result) {
    if (result == ERROR_SUCCESS) {
        return {PowerOutcome::Accepted, {}};
    }
    return {PowerOutcome::Refused, win::errorText(result)};
}

} // namespace

PowerCalls PowerCalls::system() {
    PowerCalls calls;
    calls.enableShutdownPrivilege = enableShutdownPrivilegeNow;
    calls.exitWindows = [](unsigned flags) -> unsigned long {
        return ExitWindowsEx(flags, 0) ? ERROR_SUCCESS : GetLastError();
    };
    calls.hibernate = hibernateNow;
    return calls;
}

template <typename Call> auto WindowsPower::withShutdownPrivilege(Call call) {
    // ExitWindowsEx and SetSuspendState both need the privilege enabled in the token; a user
    // who does not hold it is told so by the call itself.
    m_calls.enableShutdownPrivilege();
    return call();
}

void WindowsPower::exitWindows(unsigned flags, const PowerAnswered& answered) {
    answered(answerOf(withShutdownPrivilege([&] { return m_calls.exitWindows(flags); })));
}

void WindowsPower::powerOff(PowerAnswered answered) {
    exitWindows(EWX_SHUTDOWN | EWX_FORCE, answered);
}

void WindowsPower::reboot(PowerAnswered answered) {
    exitWindows(EWX_REBOOT, answered);
}

void WindowsPower::logOff(PowerAnswered answered) {
    exitWindows(EWX_LOGOFF, answered);
}

void WindowsPower::hibernate(PowerAnswered answered) {
    std::string why;
    const std::optional<unsigned long> result = withShutdownPrivilege([&] { return m_calls.hibernate(why); });
    if (!result) {
        answered({PowerOutcome::Unavailable, why});
        return;
    }
    answered(answerOf(*result));
}

} // namespace platform
