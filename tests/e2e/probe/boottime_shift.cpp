// Preloaded into the program by the end-to-end tests: CLOCK_BOOTTIME runs ahead by
// $CORVANE_E2E_BOOTTIME_SHIFT_MS, so the program sees an up time of the test's choice (a full
// hour a few seconds after it starts) while every other clock stays the system's.
#include <dlfcn.h>
#include <time.h>

#include <cstdlib>

namespace {

using ClockGettime = int (*)(clockid_t, timespec*);

long long shiftMs() {
    const char* text = std::getenv("CORVANE_E2E_BOOTTIME_SHIFT_MS");
    return text != nullptr ? std::atoll(text) : 0;
}

} // namespace

extern "C" int clock_gettime(clockid_t clock, timespec* ts) {
    static const auto real = reinterpret_cast<ClockGettime>(dlsym(RTLD_NEXT, "clock_gettime"));
    static const long long shift = shiftMs();
    const int result = real(clock, ts);
    if (result == 0 && clock == CLOCK_BOOTTIME) {
        const long long ns = ts->tv_nsec + (shift % 1000) * 1'000'000LL;
        ts->tv_sec += static_cast<time_t>(shift / 1000 + ns / 1'000'000'000LL);
        ts->tv_nsec = static_cast<long>(ns % 1'000'000'000LL);
    }
    return result;
}
