#include "platform/windows/windows_services.h"

namespace platform {

WindowsProcessControl::~WindowsProcessControl() {
    if (m_lock != nullptr) {
        CloseHandle(m_lock);
    }
}

int WindowsProcessControl::platformId() {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExW(&version)) {
        return 0;
    }
#pragma GCC diagnostic pop
    return static_cast<int>(version.dwPlatformId);
}

void WindowsProcessControl::createInstanceLock(const std::string& name) {
    // Whether another process made it first (ERROR_ALREADY_EXISTS) is not examined: the
    // instance check compares executable paths instead.
    if (m_lock == nullptr) {
        m_lock = CreateMutexA(nullptr, FALSE, name.c_str());
    }
}

std::uint32_t WindowsProcessControl::currentExitCode() {
    DWORD code = 0;
    GetExitCodeProcess(GetCurrentProcess(), &code);
    return code;
}

void WindowsProcessControl::terminateCurrentProcess(std::uint32_t code) {
    TerminateProcess(GetCurrentProcess(), code);
}

void WindowsProcessControl::endImmediately() {
    TerminateProcess(GetCurrentProcess(), 0);
}

} // namespace platform
