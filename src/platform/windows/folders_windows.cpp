#include "platform/windows/wide_text.h"
#include "platform/windows/windows_services.h"

namespace platform {

std::string windowsDirectory() {
    const UINT needed = GetWindowsDirectoryW(nullptr, 0);
    if (needed == 0) {
        return {};
    }
    std::wstring folder(needed, L'\0');
    const UINT length = GetWindowsDirectoryW(folder.data(), needed);
    folder.resize(length < needed ? length : 0);
    return win::Narrow(folder);
}

std::string WindowsFolders::dataFolder() {
    return m_executableFolder.empty() ? executableFolder() : m_executableFolder;
}

} // namespace platform
