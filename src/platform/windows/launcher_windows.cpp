#include "platform/windows/command_line_windows.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/windows_services.h"

#include <shellapi.h>

#include <stdexcept>

namespace platform {

void WindowsLauncher::runProgram(const std::string& commandLine) {
    const win::ProgramCall call = win::resolveCommandLine(commandLine);
    // A batch file runs in the command shell, the system's own (CreateProcess's documentation):
    // its words quoted so that the shell hands them to the file and reads none of them.
    const bool batch = win::isBatchFile(call.program);
    std::wstring program = call.program;
    if (batch) {
        wchar_t system[MAX_PATH] = {};
        const UINT length = GetSystemDirectoryW(system, MAX_PATH);
        program = std::wstring(system, length < MAX_PATH ? length : 0) + L"\\cmd.exe";
    }
    std::wstring line = batch ? win::batchCommandLine(call) : win::joinCommandLine(call);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        const DWORD error = GetLastError();
        throw std::runtime_error("The program \"" + win::narrow(call.program) +
                                 "\" could not be started: " + win::errorText(error));
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

void WindowsLauncher::openUrl(const std::string& url) {
    // Like a browser's address bar: "www.example.org" means http://www.example.org.
    std::string address = url;
    if (address.find("://") == std::string::npos) {
        address = "http://" + address;
    }
    const std::wstring wide = win::widen(address);
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result <= 32) {
        throw std::runtime_error("The desktop could not open \"" + url + "\" (" +
                                 win::errorText(static_cast<DWORD>(GetLastError())) + ").");
    }
}

int WindowsLauncher::openFile(const std::string& path) {
    const std::wstring wide = win::widen(path);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return SE_ERR_FNF;
    }
    // No verb: the file type's default action, as the desktop's double click takes.
    return static_cast<int>(reinterpret_cast<INT_PTR>(
        m_shellExecute(m_owner, nullptr, wide.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED)));
}

} // namespace platform
