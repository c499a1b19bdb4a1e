#include "platform/windows/wide_text.h"
#include "platform/windows/windows_services.h"

#include <pdh.h>
#include <pdhmsg.h>

#include <stdexcept>

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

} // namespace

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
    m_counterPath = L"\\Processor(" + std::to_wstring(processor) + L")\\% Processor Time";
    if (m_query == nullptr) {
        return; // the failure of opening the query shows at the first collection
    }
    // The English path, as the counter is named on a system in any language.
    m_failure = PdhAddEnglishCounterW(m_query, m_counterPath.c_str(), 0, &m_counter);
    if (m_failure != ERROR_SUCCESS) {
        m_counter = nullptr;
    }
}

double WindowsSystemFigures::collectProcessorUsage() {
    const std::string counter = "The processor counter " + win::narrow(m_counterPath);
    if (m_query == nullptr || m_counter == nullptr) {
        throw std::runtime_error(counter + " cannot be read: " +
                                 (m_failure != ERROR_SUCCESS ? pdhText(m_failure) : "it was not added"));
    }
    const PDH_STATUS collected = PdhCollectQueryData(m_query);
    if (collected != ERROR_SUCCESS) {
        throw std::runtime_error(counter + " cannot be collected: " + pdhText(collected));
    }
    if (!m_collected) {
        m_collected = true; // a rate needs two collections
        return 0;
    }
    PDH_FMT_COUNTERVALUE value{};
    const PDH_STATUS status =
        PdhGetFormattedCounterValue(m_counter, PDH_FMT_DOUBLE | PDH_FMT_NOCAP100, nullptr, &value);
    if (status != ERROR_SUCCESS) {
        throw std::runtime_error(counter + " cannot be read: " + pdhText(status));
    }
    return value.doubleValue;
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
