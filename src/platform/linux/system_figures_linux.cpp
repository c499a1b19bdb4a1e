#include "platform/linux/linux_services.h"
#include "platform/linux/proc_figures.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>
#include <system_error>

namespace platform {

namespace {

int openProcFile(const std::string& path) {
    return ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
}

} // namespace

LinuxSystemFigures::LinuxSystemFigures(std::string procRoot) : m_procRoot(std::move(procRoot)) {}

LinuxSystemFigures::~LinuxSystemFigures() {
    for (int fd : {m_statFd, m_meminfoFd}) {
        if (fd >= 0) {
            ::close(fd);
        }
    }
}

std::string_view LinuxSystemFigures::readFromStart(int fd, const char* what) {
    // One read from the start: the kernel makes the file's text anew for it. The lines wanted
    // come first, so a text longer than the buffer is cut after them.
    ssize_t n = 0;
    do {
        n = ::pread(fd, m_buffer.data(), m_buffer.size(), 0);
    } while (n < 0 && errno == EINTR);
    if (n < 0) {
        throw std::system_error(errno, std::generic_category(), what);
    }
    return {m_buffer.data(), static_cast<std::size_t>(n)};
}

void LinuxSystemFigures::openProcessorQuery() {
    if (m_statFd < 0) {
        m_statFd = openProcFile(m_procRoot + "/stat");
        m_statErrno = m_statFd < 0 ? errno : 0;
    }
}

void LinuxSystemFigures::addProcessorCounter(int processor) {
    m_counter = "cpu" + std::to_string(processor);
}

std::optional<double> LinuxSystemFigures::collectProcessorUsage() {
    if (m_statFd < 0) {
        throw std::system_error(m_statErrno != 0 ? m_statErrno : EBADF, std::generic_category(),
                                "the processor statistics are not open");
    }
    if (m_counter.empty()) {
        throw std::runtime_error("no processor counter");
    }
    const std::optional<CpuJiffies> now = parseCpuLine(readFromStart(m_statFd, "/proc/stat"), m_counter);
    if (!now) {
        throw std::runtime_error("no line for " + m_counter + " in /proc/stat");
    }
    const double percent = m_previous ? busyPercent(*m_previous, *now) : 0.0;
    m_previous = now;
    return percent;
}

std::uint64_t LinuxSystemFigures::availableMemoryBytes() {
    if (m_meminfoFd < 0) {
        m_meminfoFd = openProcFile(m_procRoot + "/meminfo");
        if (m_meminfoFd < 0) {
            throw std::system_error(errno, std::generic_category(), "/proc/meminfo");
        }
    }
    const std::optional<std::uint64_t> bytes = parseMemAvailable(readFromStart(m_meminfoFd, "/proc/meminfo"));
    if (!bytes) {
        throw std::runtime_error("no MemAvailable in /proc/meminfo");
    }
    return *bytes;
}

} // namespace platform
