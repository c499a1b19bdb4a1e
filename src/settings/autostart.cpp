#include "settings/autostart.h"

#include "common/app_title.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <exception>
#include <filesystem>
#include <system_error>

namespace {

const std::string kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kTitle = "Corvane";

} // namespace

void registerAutostart(platform::Registry& registry, const std::string& programPath) {
    platform::RegKey key = 0;
    if (registry.openKey(platform::kHkeyLocalMachine, kRunKey, 0, platform::kKeyWrite, key) !=
        platform::kErrorSuccess) {
        return;
    }
    registry.setValue(key, kTitle, platform::kRegSz,
                      reinterpret_cast<const std::uint8_t*>(programPath.c_str()),
                      static_cast<std::uint32_t>(programPath.size() + 1));
    registry.closeKey(key);
}

void unregisterAutostart(platform::Registry& registry, platform::MessageBoxes& messages) {
    try {
        platform::RegKey key = 0;
        if (registry.openKey(platform::kHkeyLocalMachine, kRunKey, 0, platform::kKeyWrite, key) !=
            platform::kErrorSuccess) {
            return;
        }
        registry.deleteValue(key, kTitle); // a value that is not there is no error
        registry.closeKey(key);
    } catch (const std::exception&) {
        messages.show("Unable to schedule the Task. Access Denied.", kAppTitle.toStdString(),
                      platform::MessageIcon::Critical);
    }
}

std::optional<int> readAutostartCheck(platform::Registry& registry) {
    platform::RegKey key = 0;
    if (registry.openKey(platform::kHkeyLocalMachine, kRunKey, 0, platform::kKeyRead, key) !=
        platform::kErrorSuccess) {
        return std::nullopt;
    }
    std::uint8_t buffer[255] = {};
    std::uint32_t type = platform::kRegSz;
    std::uint32_t size = sizeof buffer;
    // Any value of that name counts, wherever it points.
    const long result = registry.queryValue(key, kTitle, type, buffer, size);
    registry.closeKey(key);
    return result == platform::kErrorSuccess ? 1 : 0;
}

std::string autostartProgramPath() {
    // The path's own bytes where the system gives them: a path that is not valid UTF-8 is not
    // turned into another one (Qt gives an empty path for it), so the log-on list can refuse it.
    std::error_code failed;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", failed);
    if (!failed && self.is_absolute()) {
        return self.string();
    }
    const QFileInfo program(QCoreApplication::applicationFilePath());
    return QDir::toNativeSeparators(program.absoluteFilePath()).toStdString();
}
