#include "platform/windows/command_line_windows.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/windows_services.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <optional>
#include <stdexcept>

namespace platform {

namespace {

std::wstring quoted(const std::wstring& text) {
    return L"\"" + text + L"\"";
}

/// The registered handler of http: its program (ASSOCSTR_EXECUTABLE) or its command line
/// (ASSOCSTR_COMMAND), or nothing when none is registered.
std::optional<std::wstring> browserFor(ASSOCSTR what) {
    wchar_t text[2048] = {};
    DWORD length = 2048;
    if (FAILED(AssocQueryStringW(ASSOCF_IS_PROTOCOL, what, L"http", L"open", text, &length)) ||
        text[0] == 0) {
        return std::nullopt;
    }
    return std::wstring(text);
}

} // namespace

std::wstring win::browserCommandLine(const std::wstring& command, const std::wstring& address) {
    // A quote or a blank would end the argument: they go in the address's own escaped form.
    std::wstring argument;
    for (const wchar_t c : address) {
        argument += c == L'"' ? std::wstring(L"%22") : c == L' ' ? std::wstring(L"%20") : std::wstring(1, c);
    }
    std::wstring line;
    bool placed = false;
    for (std::size_t i = 0; i < command.size(); ++i) {
        if (command[i] == L'%' && i + 1 < command.size()) {
            const wchar_t next = command[i + 1];
            if (next == L'1' || next == L'l' || next == L'L') {
                line += argument;
                placed = true;
                ++i;
                continue;
            }
            if (next == L'*') { // the rest of a shell call's arguments: there are none
                ++i;
                continue;
            }
        }
        line += command[i];
    }
    return placed ? line : line + L" " + argument;
}

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
    // The browser registered for http, started with the address as its one argument: no shell
    // reads the address, so nothing in it can start anything else.
    const std::optional<std::wstring> program = browserFor(ASSOCSTR_EXECUTABLE);
    const std::optional<std::wstring> command = browserFor(ASSOCSTR_COMMAND);
    if (!program || !command) {
        throw std::runtime_error("No browser is registered for web addresses.");
    }
    // An empty address: the browser alone, which opens a new, blank window.
    std::wstring line = url.empty() ? quoted(*program) : win::browserCommandLine(*command, win::widen(url));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program->c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        const DWORD error = GetLastError();
        throw std::runtime_error("The browser \"" + win::narrow(*program) +
                                 "\" could not be started: " + win::errorText(error));
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
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
