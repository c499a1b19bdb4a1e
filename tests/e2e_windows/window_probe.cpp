// Reads the windows of the Wine desktop it runs in, for the end-to-end tests: one JSON object a
// line on standard output.
//   window_probe list                top-level windows: handle, process, class, title, shown, place
//   window_probe children HANDLE     the window's controls, with their texts and check states
//   window_probe menu HANDLE         the items of a shown popup menu window (class #32768)
//   window_probe items HANDLE        the items of a combo box, and which one is selected
//   window_probe close HANDLE        closes a window as its close box does
//   window_probe post HANDLE MESSAGE WPARAM LPARAM
//                                    posts a message to a window, as the shell posts the tray
//                                    icon's callback message
//   window_probe parent PID          the process that started the process: its identifier, and
//                                    its file name while it runs
//   window_probe run COMMAND_LINE    starts the command line as it stands (as a deployment tool
//                                    starts a registered one), waits, and exits with its code
#include <windows.h>

#include <tlhelp32.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

std::string utf8(const std::wstring& text) {
    std::string out;
    for (const wchar_t c : text) {
        const auto code = static_cast<unsigned>(c);
        if (c == L'"' || c == L'\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (code < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", code);
            out += escaped;
        } else if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else { // the tests' texts have no surrogate pairs
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return out;
}

std::wstring className(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

// The text through WM_GETTEXT, which also reaches the controls of another process.
std::wstring textOf(HWND window) {
    wchar_t text[1024] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                        &length);
    return text;
}

void printWindow(HWND window, const char* extra) {
    RECT r{};
    GetWindowRect(window, &r);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    std::printf(
        "{\"hwnd\": %llu, \"pid\": %lu, \"class\": \"%s\", \"text\": \"%s\", \"visible\": %s, "
        "\"enabled\": %s, \"rect\": [%ld, %ld, %ld, %ld], \"style\": %lu, \"exstyle\": %lu, \"dpi\": %u%s}\n",
        static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)), process,
        utf8(className(window)).c_str(), utf8(textOf(window)).c_str(),
        IsWindowVisible(window) ? "true" : "false", IsWindowEnabled(window) ? "true" : "false", r.left, r.top,
        r.right, r.bottom, static_cast<unsigned long>(GetWindowLongW(window, GWL_STYLE)),
        static_cast<unsigned long>(GetWindowLongW(window, GWL_EXSTYLE)), GetDpiForWindow(window), extra);
}

BOOL CALLBACK printTopLevel(HWND window, LPARAM) {
    RECT client{};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    char extra[96];
    std::snprintf(extra, sizeof extra, ", \"client\": [%ld, %ld, %ld, %ld]", client.left, client.top,
                  client.right, client.bottom);
    printWindow(window, extra);
    return TRUE;
}

BOOL CALLBACK printChild(HWND window, LPARAM) {
    char extra[64];
    const LRESULT check = SendMessageW(window, BM_GETCHECK, 0, 0);
    std::snprintf(extra, sizeof extra, ", \"id\": %d, \"checked\": %s", GetDlgCtrlID(window),
                  className(window) == L"Button" && check == BST_CHECKED ? "true" : "false");
    printWindow(window, extra);
    return TRUE;
}

int printMenu(HWND window) {
    const auto menu = reinterpret_cast<HMENU>(SendMessageW(window, 0x01E1 /* MN_GETHMENU */, 0, 0));
    const int count = GetMenuItemCount(menu);
    if (menu == nullptr || count < 0) {
        std::fprintf(stderr, "window_probe: no menu readable in %p\n", static_cast<void*>(window));
        return 1;
    }
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
        const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        std::printf("{\"position\": %d, \"text\": \"%s\", \"separator\": %s, \"default\": %s}\n", i,
                    utf8(text).c_str(), (state & MF_SEPARATOR) != 0 ? "true" : "false",
                    GetMenuDefaultItem(menu, TRUE, 0) == static_cast<UINT>(i) ? "true" : "false");
    }
    return 0;
}

int printComboItems(HWND combo) {
    const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[512] = {};
        if (SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0) < 512) {
            SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        }
        std::printf("{\"text\": \"%s\", \"selected\": %s}\n", utf8(text).c_str(),
                    i == SendMessageW(combo, CB_GETCURSEL, 0, 0) ? "true" : "false");
    }
    return count < 0 ? 1 : 0;
}

HWND handleArgument(const wchar_t* text) {
    return reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::wcstoull(text, nullptr, 10)));
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    // Places and sizes in the screen's own pixels, at any density.
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"list") {
        EnumWindows(printTopLevel, 0);
        return 0;
    }
    if (command == L"children" && argc > 2) {
        EnumChildWindows(handleArgument(argv[2]), printChild, 0);
        return 0;
    }
    if (command == L"menu" && argc > 2) {
        return printMenu(handleArgument(argv[2]));
    }
    if (command == L"items" && argc > 2) {
        return printComboItems(handleArgument(argv[2]));
    }
    if (command == L"close" && argc > 2) {
        return PostMessageW(handleArgument(argv[2]), WM_SYSCOMMAND, SC_CLOSE, 0) != FALSE ? 0 : 1;
    }
    if (command == L"post" && argc > 5) {
        const auto message = static_cast<UINT>(std::wcstoul(argv[3], nullptr, 10));
        const auto wParam = static_cast<WPARAM>(std::wcstoull(argv[4], nullptr, 10));
        const auto lParam = static_cast<LPARAM>(std::wcstoll(argv[5], nullptr, 10));
        return PostMessageW(handleArgument(argv[2]), message, wParam, lParam) != FALSE ? 0 : 1;
    }
    if (command == L"parent" && argc > 2) {
        const DWORD pid = std::wcstoul(argv[2], nullptr, 10);
        HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        PROCESSENTRY32W entry{};
        entry.dwSize = sizeof entry;
        DWORD parent = 0;
        for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
            parent = entry.th32ProcessID == pid ? entry.th32ParentProcessID : parent;
        }
        std::wstring name;
        entry.dwSize = sizeof entry;
        for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
            name = entry.th32ProcessID == parent ? entry.szExeFile : name;
        }
        CloseHandle(snapshot);
        std::printf("{\"parent\": %lu, \"name\": \"%s\"}\n", parent, utf8(name).c_str());
        return 0;
    }
    if (command == L"run" && argc > 2) {
        std::wstring line = argv[2];
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &process)) {
            return 255;
        }
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = 255;
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return static_cast<int>(code);
    }
    std::fprintf(stderr, "usage: window_probe list | children HANDLE | menu HANDLE | items HANDLE | close "
                         "HANDLE | post HANDLE MESSAGE WPARAM LPARAM | parent PID | run LINE\n");
    return 2;
}
