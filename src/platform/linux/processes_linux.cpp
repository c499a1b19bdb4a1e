#include "platform/linux/linux_services.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <dirent.h>
#include <stdexcept>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace platform {

namespace {

std::optional<std::string> readLink(const std::string& path) {
    std::string buffer(4096, '\0');
    const ssize_t n = ::readlink(path.c_str(), buffer.data(), buffer.size());
    if (n < 0 || static_cast<std::size_t>(n) >= buffer.size()) {
        return std::nullopt;
    }
    buffer.resize(static_cast<std::size_t>(n));
    return buffer;
}

} // namespace

std::vector<std::uint32_t> LinuxProcesses::processIds() {
    DIR* proc = ::opendir(m_procRoot.c_str());
    if (proc == nullptr) {
        throw std::runtime_error("The process list cannot be read (" + m_procRoot + ": " +
                                 std::strerror(errno) + ").");
    }
    std::vector<std::uint32_t> ids;
    while (const dirent* entry = ::readdir(proc)) {
        std::uint32_t pid = 0;
        const char* name = entry->d_name;
        const char* end = name + std::strlen(name);
        const auto [ptr, ec] = std::from_chars(name, end, pid);
        if (ec == std::errc() && ptr == end && pid != 0) {
            ids.push_back(pid);
        }
    }
    ::closedir(proc);
    return ids;
}

std::optional<std::string> LinuxProcesses::executablePath(std::uint32_t pid) {
    return readLink(m_procRoot + "/" + std::to_string(pid) + "/exe");
}

std::string LinuxProcesses::instanceExecutablePath() {
    const std::string self = readLink("/proc/self/exe").value_or(std::string());
    const std::size_t slash = self.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : self.substr(0, slash);
    return folder + "/" + kExecutableName;
}

std::string LinuxProcesses::ownExecutablePath() {
    // The path's own bytes where the system gives them: a path that is not valid UTF-8 is not
    // turned into another one (Qt gives an empty path for it), so the log-on list can refuse it.
    if (const std::optional<std::string> self = readLink("/proc/self/exe"); self && self->starts_with('/')) {
        return *self;
    }
    const QFileInfo program(QCoreApplication::applicationFilePath());
    return QDir::toNativeSeparators(program.absoluteFilePath()).toStdString();
}

} // namespace platform
