#include "platform/windows/windows_services.h"

namespace platform {

std::string WindowsFolders::dataFolder() {
    return m_executableFolder.empty() ? executableFolder() : m_executableFolder;
}

} // namespace platform
