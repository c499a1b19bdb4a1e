#include "platform/windows/command_line_windows.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/windows_services.h"

#include <shellapi.h>

#include <stdexcept>

namespace platform {

namespace {

bool endsWith(const std::wstring& text, const wchar_t* end) {
    const std::size_t length = wcslen(end);
    return text.size() >= length &&
           CompareStringOrdinal(text.c_str() + text.size() - length, -1, end, -1, TRUE) == CSTR_EQUAL;
}

} // namespace

void WindowsLauncher::runProgram(const std::string& commandLine) {
    const win::ProgramCall call = win::resolveCommandLine(commandLine);
    // The system runs a batch file through the command shell, which would read its arguments
    // as shell syntax (& | < > ^): such a file starts only without arguments.
    if (!call.arguments.empty() && (endsWith(call.program, L".bat") || endsWith(call.program, L".cmd"))) {
        throw std::runtime_error("The batch file \"" + win::narrow(call.program) +
                                 "\" cannot be given arguments: they would pass through the command shell.");
    }
    std::wstring line = win::joinCommandLine(call);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(call.program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
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
