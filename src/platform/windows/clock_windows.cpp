#include "platform/windows/wide_text.h"
#include "platform/windows/windows_services.h"

#include <stdexcept>

namespace platform {

namespace {

// FILETIME counts 100-nanosecond steps from 1601-01-01 UTC.
constexpr std::int64_t kEpochOffsetMs = 11'644'473'600'000;

SYSTEMTIME localTimeOf(std::int64_t msecsSinceEpoch) {
    const auto steps = static_cast<std::uint64_t>(msecsSinceEpoch + kEpochOffsetMs) * 10'000u;
    FILETIME utcFile{static_cast<DWORD>(steps), static_cast<DWORD>(steps >> 32)};
    SYSTEMTIME utc{};
    SYSTEMTIME local{};
    if (!FileTimeToSystemTime(&utcFile, &utc) || !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) {
        throw std::runtime_error("The local time cannot be found: " + win::errorText(GetLastError()));
    }
    return local;
}

template <typename Format> std::string formatted(Format format) {
    wchar_t buffer[128];
    const int length = format(buffer, static_cast<int>(std::size(buffer)));
    if (length <= 0) {
        throw std::runtime_error("The time cannot be formatted: " + win::errorText(GetLastError()));
    }
    return win::narrow(std::wstring_view(buffer, static_cast<std::size_t>(length - 1)));
}

} // namespace

std::uint64_t WindowsClock::tickCount() {
    return GetTickCount64();
}

std::int64_t WindowsClock::nowMsecsSinceEpoch() {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const std::uint64_t steps = (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    return static_cast<std::int64_t>(steps / 10'000u) - kEpochOffsetMs;
}

std::string WindowsClock::formatShortDate(std::int64_t msecsSinceEpoch) {
    const SYSTEMTIME local = localTimeOf(msecsSinceEpoch);
    return formatted([&](wchar_t* buffer, int size) {
        return GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &local, nullptr, buffer, size,
                               nullptr);
    });
}

std::string WindowsClock::formatLongTime(std::int64_t msecsSinceEpoch) {
    const SYSTEMTIME local = localTimeOf(msecsSinceEpoch);
    return formatted([&](wchar_t* buffer, int size) {
        return GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &local, nullptr, buffer, size);
    });
}

std::string WindowsClock::formatShortTime(std::int64_t msecsSinceEpoch) {
    const SYSTEMTIME local = localTimeOf(msecsSinceEpoch);
    return formatted([&](wchar_t* buffer, int size) {
        return GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, TIME_NOSECONDS, &local, nullptr, buffer, size);
    });
}

} // namespace platform
