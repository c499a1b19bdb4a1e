#include "platform/windows/wide_text.h"
#include "platform/windows/windows_services.h"

#include <psapi.h>

#include <stdexcept>

namespace platform {

std::string executablePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            return win::narrow(path);
        }
        path.resize(path.size() * 2);
    }
}

std::string executableFolder() {
    const std::string self = executablePath();
    const std::size_t slash = self.rfind('\\');
    if (slash == std::string::npos) {
        return {};
    }
    // A drive's root keeps its separator ("D:\"), as the system reports such a folder.
    return self.substr(0, slash == 2 && self[1] == ':' ? slash + 1 : slash);
}

std::vector<std::uint32_t> WindowsProcesses::processIds() {
    std::vector<DWORD> ids(1024);
    for (;;) {
        DWORD bytes = 0;
        if (!EnumProcesses(ids.data(), static_cast<DWORD>(ids.size() * sizeof(DWORD)), &bytes)) {
            throw std::runtime_error("The process list cannot be read: " + win::errorText(GetLastError()));
        }
        // A full buffer may have cut the list short.
        if (bytes < ids.size() * sizeof(DWORD)) {
            return {ids.begin(), ids.begin() + bytes / sizeof(DWORD)};
        }
        ids.resize(ids.size() * 2);
    }
}

std::optional<std::string> WindowsProcesses::executablePath(std::uint32_t pid) {
    // The image name needs only the right to query limited information, which a user has also
    // for another user's processes; the first module's name, the older way, is read from the
    // process's memory and missing until its loader has run.
    std::wstring path(32768, L'\0');
    if (HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid)) {
        DWORD length = static_cast<DWORD>(path.size());
        const BOOL found = QueryFullProcessImageNameW(process, 0, path.data(), &length);
        CloseHandle(process);
        if (found) {
            path.resize(length);
            return win::narrow(path);
        }
    }
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (process == nullptr) {
        return std::nullopt;
    }
    const DWORD length = GetModuleFileNameExW(process, nullptr, path.data(), static_cast<DWORD>(path.size()));
    CloseHandle(process);
    if (length == 0) {
        return std::nullopt;
    }
    path.resize(length);
    return win::narrow(path);
}

std::string WindowsProcesses::instanceExecutablePath() {
    std::string folder = executableFolder();
    if (folder.empty() || folder.back() != '\\') {
        folder += '\\';
    }
    return folder + kExecutableName;
}

std::string WindowsProcesses::ownExecutablePath() {
    // As the log-on list records it: the folder as the system reports it (a drive's root with
    // its separator), "\", the file's name without its extension, and ".exe".
    const std::string self = platform::executablePath();
    const std::size_t slash = self.rfind('\\');
    std::string name = slash == std::string::npos ? self : self.substr(slash + 1);
    if (const std::size_t dot = name.rfind('.'); dot != std::string::npos) {
        name.resize(dot);
    }
    return executableFolder() + "\\" + name + ".exe";
}

} // namespace platform
