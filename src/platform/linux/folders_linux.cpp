#include "platform/linux/linux_services.h"

#include <filesystem>

namespace platform {

std::string executableFolder() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.parent_path().string();
}

std::string LinuxFolders::dataFolder() {
    const std::string bin = m_executableFolder.empty() ? executableFolder() : m_executableFolder;
    if (bin.empty()) {
        return {};
    }
    std::filesystem::path folder = (std::filesystem::path(bin) / CORVANE_DATA_RELATIVE).lexically_normal();
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) {
        return {};
    }
    std::string text = folder.string();
    while (text.size() > 1 && text.back() == '/') {
        text.pop_back();
    }
    return text;
}

} // namespace platform
