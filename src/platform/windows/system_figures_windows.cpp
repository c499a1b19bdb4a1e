#include "platform/windows/wide_text.h"
#include "platform/windows/windows_services.h"

#include <pdh.h>
#include <pdhmsg.h>
#include <winternl.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace platform {

namespace {

std::string pdhText(PDH_STATUS status) {
    switch (static_cast<DWORD>(status)) {
    case static_cast<DWORD>(PDH_CSTATUS_NO_OBJECT):
    case static_cast<DWORD>(PDH_CSTATUS_NO_COUNTER):
    case static_cast<DWORD>(PDH_CSTATUS_NO_INSTANCE):
        return "the system has no such counter";
    default: {
        char code[16];
        std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(status));
        return std::string("performance data error ") + code;
    }
    }
}

/// Statuses a working counter gives now and then: its raw values ran backwards between two
/// collections (a roll-over, a processor's clock reset).
bool transientStatus(long status) {
    switch (static_cast<DWORD>(status)) {
    case PDH_CALC_NEGATIVE_DENOMINATOR:
    case PDH_CALC_NEGATIVE_TIMEBASE:
    case PDH_CALC_NEGATIVE_VALUE:
        return true;
    default:
        return false;
    }
}

std::uint64_t ticks(const LARGE_INTEGER& time) {
    return static_cast<std::uint64_t>(time.QuadPart);
}

constexpr int kSystemProcessorPerformanceInformation = 8;

} // namespace

std::optional<double> busyShare(const ProcessorTimes& before, const ProcessorTimes& now) {
    const std::uint64_t total = (now.kernel + now.user) - (before.kernel + before.user);
    const std::uint64_t idle = now.idle - before.idle;
    if (total == 0 || total > (std::uint64_t{1} << 62) || idle > total) {
        return std::nullopt; // no time passed, or the times ran backwards
    }
    return 100.0 * static_cast<double>(total - idle) / static_cast<double>(total);
}

std::optional<double> processorFigure(long counterStatus, double counterValue,
                                      std::optional<double> fromTimes) {
    if (counterStatus == ERROR_SUCCESS) {
        return counterValue;
    }
    if (transientStatus(counterStatus)) {
        return std::nullopt;
    }
    return fromTimes;
}

WindowsSystemFigures::WindowsSystemFigures() {
    if (HMODULE ntdll = GetModuleHandleW(L"ntdll.dll")) {
        m_querySystemInformation = reinterpret_cast<QuerySystemInformation>(
            reinterpret_cast<void*>(GetProcAddress(ntdll, "NtQuerySystemInformation")));
    }
}

WindowsSystemFigures::~WindowsSystemFigures() {
    if (m_query != nullptr) {
        PdhCloseQuery(m_query);
    }
}

void WindowsSystemFigures::openProcessorQuery() {
    if (m_query == nullptr) {
        m_failure = PdhOpenQueryW(nullptr, 0, &m_query);
    }
}

void WindowsSystemFigures::addProcessorCounter(int processor) {
    m_processor = processor;
    m_counterPath = L"\\Processor(" + std::to_wstring(processor) + L")\\% Processor Time";
    if (m_query == nullptr) {
        return; // the processor times stand in
    }
    // The English path, as the counter is named on a system in any language.
    m_failure = PdhAddEnglishCounterW(m_query, m_counterPath.c_str(), 0, &m_counter);
    if (m_failure != ERROR_SUCCESS) {
        m_counter = nullptr;
    }
}

std::optional<ProcessorTimes> WindowsSystemFigures::readProcessorTimes() {
    if (m_querySystemInformation == nullptr || m_processor < 0) {
        return std::nullopt;
    }
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    const std::size_t count =
        std::max<std::size_t>(system.dwNumberOfProcessors, std::size_t(m_processor) + 1);
    std::vector<SYSTEM_PROCESSOR_PERFORMANCE_INFORMATION> entries(count);
    ULONG written = 0;
    const LONG status =
        m_querySystemInformation(kSystemProcessorPerformanceInformation, entries.data(),
                                 static_cast<ULONG>(entries.size() * sizeof entries[0]), &written);
    if (status < 0 || written < (static_cast<ULONG>(m_processor) + 1) * sizeof entries[0]) {
        return std::nullopt;
    }
    const SYSTEM_PROCESSOR_PERFORMANCE_INFORMATION& entry = entries[static_cast<std::size_t>(m_processor)];
    return ProcessorTimes{ticks(entry.IdleTime), ticks(entry.KernelTime), ticks(entry.UserTime)};
}

std::optional<double> WindowsSystemFigures::collectProcessorUsage() {
    const std::optional<ProcessorTimes> times = readProcessorTimes();
    if (m_counter == nullptr && !times) {
        throw std::runtime_error("The processor counter " + win::narrow(m_counterPath) + " cannot be read (" +
                                 (m_failure != ERROR_SUCCESS ? pdhText(m_failure) : "it was not added") +
                                 "), nor the system's processor times.");
    }
    std::optional<double> fromTimes;
    if (times && m_previousTimes) {
        fromTimes = busyShare(*m_previousTimes, *times);
    }
    if (times) {
        m_previousTimes = times;
    }
    // A rate needs two collections: the first gives 0.
    const bool first = !m_collected;
    m_collected = true;
    long status = m_failure != ERROR_SUCCESS ? m_failure : static_cast<long>(PDH_CSTATUS_NO_COUNTER);
    double value = 0;
    if (m_counter != nullptr) {
        status = PdhCollectQueryData(m_query);
        if (status == ERROR_SUCCESS && !first) {
            PDH_FMT_COUNTERVALUE counter{};
            status =
                PdhGetFormattedCounterValue(m_counter, PDH_FMT_DOUBLE | PDH_FMT_NOCAP100, nullptr, &counter);
            if (status == ERROR_SUCCESS && counter.CStatus != PDH_CSTATUS_VALID_DATA &&
                counter.CStatus != PDH_CSTATUS_NEW_DATA) {
                status = static_cast<long>(counter.CStatus);
            }
            value = counter.doubleValue;
        }
    }
    if (first) {
        return 0.0;
    }
    return processorFigure(status, value, fromTimes);
}

std::uint64_t WindowsSystemFigures::availableMemoryBytes() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status)) {
        throw std::runtime_error("The memory status cannot be read: " + win::errorText(GetLastError()));
    }
    return status.ullAvailPhys;
}

} // namespace platform
