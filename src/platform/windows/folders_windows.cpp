#include "platform/windows/wide_text.h"
#include "platform/windows/windows_services.h"

namespace platform {

namespace {

/// GetWindowsDirectoryW: the size it needs first, then the path; empty when it fails.
std::string windowsDirectory() {
    const UINT needed = GetWindowsDirectoryW(nullptr, 0);
    if (needed == 0) {
        return {};
    }
    std::wstring folder(needed, L'\0');
    const UINT length = GetWindowsDirectoryW(folder.data(), needed);
    folder.resize(length < needed ? length : 0);
    return win::narrow(folder);
}

} // namespace

std::string WindowsFolders::dataFolder() {
    return m_executableFolder.empty() ? executableFolder() : m_executableFolder;
}

std::string WindowsFolders::soundFolder() {
    const std::string windows = m_windowsFolder.empty() ? windowsDirectory() : m_windowsFolder;
    // A sound the user put there in place of the system's is the one heard.
    const DWORD attributes = GetFileAttributesW(win::widen(windows + "\\Media\\notify.wav").c_str());
    if (!windows.empty() && attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        return windows;
    }
    return dataFolder();
}

} // namespace platform
