// The hourly beep over hours of up time, its timers fired as the shell would fire them.
#include "core_fixture.h"

#include <vector>

namespace {

const std::string kKey = "HKCU\\Software\\Pellorin\\Corvane\\4.0";
constexpr std::uint64_t kMinute = 60'000ULL;
constexpr std::uint64_t kHour = 60 * kMinute;

struct BeepWindow : MainWindowCoreHarness {
    /// Starts with the stored options, hrbeep and ShowMemCpu as given.
    void startWith(std::uint32_t hrbeep, std::uint32_t showMemCpu) {
        storeDefaultOptions(*f.registry);
        f.registry->setDword(kKey, "hrbeep", hrbeep);
        f.registry->setDword(kKey, "ShowMemCpu", showMemCpu);
        mainWindow->load();
    }
    /// One second at a tick count: the running one-second timers of the refresh, the sample,
    /// the beep and the caption tick, in their order.
    void tickAt(std::uint64_t tick) {
        f.clock->tick = tick;
        for (core::Timer* timer : {&mainWindow->uptimeTimer(), &mainWindow->cpuSampleTimer(),
                                   &mainWindow->hourlyBeepTimer(), &mainWindow->captionTimer()}) {
            fakes::FakeTimerFactory::fake(*timer).fire();
        }
    }
    /// Full sweeps played so far.
    std::size_t sweeps() const { return f.tone->tones.size() / 21; }
};

struct HourlyBeepTest : ::testing::Test {};

TEST_F(HourlyBeepTest, HourlyBeepOverHoursOfUpTime) {
    const struct {
        const char* name;
        std::uint64_t from, to; ///< the up time run through, every 30 s
        std::uint32_t hrbeep;
        std::uint64_t turnOnAt; ///< Apply with the box ticked at this up time (0: never)
        std::vector<std::uint64_t> sweptAt;
    } cases[] = {
        {"first day to the second", 0, 26 * kHour, 1, 0, {1,  2,  3,  4,  5,  6,  7,  8,  9,
                                                          10, 11, 12, 13, 14, 15, 16, 17, 18,
                                                          19, 20, 21, 22, 23, 24, 25, 26}},
        {"option off", 0, 26 * kHour, 0, 0, {}},
        {"started in minute 0 of hour 5", 5 * kHour + 10'000, 7 * kHour + 10'000, 1, 0, {5, 6, 7}},
        {"turned on at minute 30", 2 * kHour, 5 * kHour, 0, 3 * kHour + 30 * kMinute, {4, 5}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        BeepWindow w;
        w.startWith(c.hrbeep, 1);
        w.f.clock->tick = c.from;
        w.mainWindow->beepOnFullHour(); // before the first refresh: minute 0, hour empty
        std::vector<std::uint64_t> sweptAt;
        std::size_t counted = 0;
        for (std::uint64_t tick = c.from; tick <= c.to; tick += 30'000) {
            if (c.turnOnAt != 0 && tick == c.turnOnAt) {
                w.f.registry->setDword(kKey, "hrbeep", 1);
                w.mainWindow->settings().storeOption(core::StoredOption::HourlyBeep, true);
                w.mainWindow->settings().loadOption(core::StoredOption::HourlyBeep);
            }
            w.tickAt(tick);
            if (w.sweeps() != counted) { // a sweep before the first refresh counts at its tick
                counted = w.sweeps();
                sweptAt.push_back(tick / kHour);
            }
        }
        EXPECT_EQ(sweptAt, c.sweptAt);
    }
    // Each sweep: 21 tones of 50 ms, 500 down to 300 Hz.
    BeepWindow w;
    w.startWith(1, 1);
    w.tickAt(kHour);
    ASSERT_EQ(w.f.tone->tones.size(), 21u);
    for (std::uint32_t i = 0; i < 21; ++i) {
        EXPECT_EQ(w.f.tone->tones[i], std::make_pair(500 - 10 * i, 50u));
    }
    EXPECT_FALSE(w.mainWindow->hourlyBeepTimer().isActive());
}

} // namespace
