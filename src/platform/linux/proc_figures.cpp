#include "platform/linux/proc_figures.h"

#include <charconv>

namespace platform {

namespace {

/// The line that starts with key followed by a separator, without its end of line; only whole
/// lines count (a text cut off mid-line does not end its last line).
std::optional<std::string_view> findLine(std::string_view text, std::string_view key, char separator) {
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            return std::nullopt;
        }
        const std::string_view line = text.substr(start, end - start);
        if (line.size() > key.size() && line.substr(0, key.size()) == key && line[key.size()] == separator) {
            return line.substr(key.size() + 1);
        }
        start = end + 1;
    }
    return std::nullopt;
}

/// The next unsigned number after blanks; advances the text past it.
std::optional<std::uint64_t> nextNumber(std::string_view& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    const char* begin = text.data() + first;
    const auto [end, error] = std::from_chars(begin, text.data() + text.size(), value);
    if (error != std::errc() || end == begin) {
        return std::nullopt;
    }
    text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    return value;
}

} // namespace

std::optional<CpuJiffies> parseCpuLine(std::string_view stat, std::string_view name) {
    std::optional<std::string_view> line = findLine(stat, name, ' ');
    if (!line) {
        return std::nullopt;
    }
    // user nice system idle iowait irq softirq steal (guest and guest_nice are inside user and nice)
    constexpr int kFields = 8;
    constexpr int kIdle = 3;
    constexpr int kIowait = 4;
    CpuJiffies jiffies;
    std::uint64_t idle = 0;
    int read = 0;
    for (; read < kFields; ++read) {
        const std::optional<std::uint64_t> value = nextNumber(*line);
        if (!value) {
            break;
        }
        jiffies.total += *value;
        if (read == kIdle || read == kIowait) {
            idle += *value;
        }
    }
    if (read < 4) { // kernels before 2.6 gave four fields
        return std::nullopt;
    }
    jiffies.busy = jiffies.total - idle;
    return jiffies;
}

double busyPercent(const CpuJiffies& before, const CpuJiffies& after) {
    if (after.total <= before.total) {
        return 0.0;
    }
    const double total = static_cast<double>(after.total - before.total);
    // Per-processor iowait may run backwards, so busy time can seem to shrink.
    const double busy = after.busy > before.busy ? static_cast<double>(after.busy - before.busy) : 0.0;
    return busy >= total ? 100.0 : busy * 100.0 / total;
}

std::optional<std::uint64_t> parseMemAvailable(std::string_view meminfo) {
    std::optional<std::string_view> line = findLine(meminfo, "MemAvailable", ':');
    if (!line) {
        return std::nullopt;
    }
    const std::optional<std::uint64_t> kib = nextNumber(*line);
    if (!kib || *line != " kB" || *kib > UINT64_MAX / 1024) {
        return std::nullopt;
    }
    return *kib * 1024;
}

} // namespace platform
