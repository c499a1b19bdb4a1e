#include "platform/windows/wide_text.h"
#include "platform/windows/windows_services.h"

#include <commdlg.h>

namespace platform {

std::wstring openFileFilter(const std::vector<std::string>& filters) {
    std::wstring list;
    for (const std::string& entry : filters) {
        const std::size_t open = entry.rfind('(');
        const std::size_t close = entry.rfind(')');
        std::string patterns = open != std::string::npos && close != std::string::npos && close > open
                                   ? entry.substr(open + 1, close - open - 1)
                                   : std::string("*");
        for (char& c : patterns) {
            if (c == ' ') {
                c = ';';
            }
        }
        if (patterns == "*") {
            patterns = "*.exe;*.com;*.bat;*.cmd";
        }
        list += win::widen(entry);
        list += L'\0';
        list += win::widen(patterns);
        list += L'\0';
    }
    return list + L'\0';
}

std::string WindowsFileDialog::getOpenFileName(WindowHandle parent, const std::string& startPath,
                                               const std::vector<std::string>& filters) {
    const std::wstring filter = openFileFilter(filters);
    std::wstring start = win::widen(startPath);
    std::wstring file(32768, L'\0');
    std::wstring folder;
    const DWORD attributes = start.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(start.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        folder = start;
    } else if (!start.empty() && start.size() < file.size()) {
        start.copy(file.data(), start.size());
    }
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = static_cast<HWND>(parent);
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER;
    if (!GetOpenFileNameW(&dialog)) {
        return {};
    }
    file.resize(wcslen(file.c_str()));
    return win::narrow(file);
}

} // namespace platform
