// The processor and memory figures in the caption and in the Options window's status bar, their
// failure, and the hourly beep over hours of up time: the timers fired as the shell would fire them.
#include "core_fixture.h"
#include "fake_options_window_view.h"

#include <vector>

namespace {

using platform::MessageIcon;

const std::string kKey = "HKCU\\Software\\Pellorin\\Corvane\\4.0";
const std::string kMonitorMessage =
    "CPU Usage and available Memory status are cannot be displayed. May be OS not supported.";
constexpr std::uint64_t kMinute = 60'000ULL;
constexpr std::uint64_t kHour = 60 * kMinute;

struct MonitorWindow : MainWindowCoreHarness {
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

/// The Options and Schedule Task window over a main window's shared state, as its menu opens it.
struct OpenOptionsWindow {
    FakeOptionsWindow view;
    core::OptionsWindow window;

    explicit OpenOptionsWindow(MonitorWindow& w)
        : window(view, w.f.services, w.mainWindow->state(), w.timers) {
        window.load();
        window.openOnOptionsPage();
    }
};

struct MonitorTest : ::testing::Test, MonitorWindow {};

TEST_F(MonitorTest, CaptionFromTheSampleAndTheMemoryOfEachSecond) {
    startWith(1, 1);
    EXPECT_EQ(f.figures->calls, (std::vector<std::string>{"open", "counter 0"}));
    EXPECT_TRUE(mainWindow->cpuSampleTimer().isActive());
    mainWindow->showFigures();
    EXPECT_EQ(view.caption, " Mem 512  "); // before the first sample

    const struct {
        std::uint64_t bytes;
        std::optional<double> sample;
        const char* caption;
    } cases[] = {
        {512ULL << 20, 5.4, " Mem 512  CPU 5%"},
        {1048575, 12.5, " Mem 0  CPU 12%"},
        {1048576, 13.5, " Mem 1  CPU 14%"},
        {2147483647, 2.5, " Mem 2047  CPU 2%"},
        {12ULL << 30, 100.0, " Mem 12288  CPU 100%"},       // past what 32 bits hold
        {512ULL << 20, std::nullopt, " Mem 512  CPU 100%"}, // no figure this second: the last stays
    };
    for (const auto& c : cases) {
        f.figures->availableBytes = c.bytes;
        f.figures->sample = c.sample;
        tickAt(kMinute);
        EXPECT_EQ(view.caption, c.caption);
    }
    EXPECT_TRUE(f.messages->shown.empty());
}

TEST_F(MonitorTest, CaptionEmptyWithTheOptionOffOrAfterAFailureThatIsReportedOnce) {
    // With the option off the caption stays empty while the status bar shows the figures.
    startWith(1, 0);
    OpenOptionsWindow options(*this);
    tickAt(kMinute);
    options.window.showFiguresInStatusBar();
    EXPECT_EQ(view.caption, "");
    EXPECT_EQ(options.view.figures, " Mem 512  CPU 0%");

    for (bool memory : {false, true}) {
        SCOPED_TRACE(memory ? "memory" : "sample");
        MonitorWindow w;
        w.startWith(1, 1);
        OpenOptionsWindow optionsWindow(w);
        w.f.figures->sample = 7.0;
        w.tickAt(kMinute);
        (memory ? w.f.figures->failMemory : w.f.figures->failSample) = true;
        for (std::uint64_t second = 1; second <= 3; ++second) {
            w.tickAt(kMinute + second * 1000);
        }
        EXPECT_EQ(w.f.messages->shown, fakes::oneBox(kMonitorMessage, MessageIcon::Critical));
        EXPECT_EQ(w.view.caption, "");
        EXPECT_FALSE(w.mainWindow->captionTimer().isActive());
        EXPECT_FALSE(w.mainWindow->cpuSampleTimer().isActive());
        EXPECT_EQ(w.mainWindow->state().cpuText(), "CPU 7%");
        // The status bar goes on with the last processor text, while memory can be read.
        optionsWindow.window.showFiguresInStatusBar();
        EXPECT_EQ(optionsWindow.view.figures, memory ? "" : " Mem 512  CPU 7%");
        EXPECT_EQ(optionsWindow.window.statusBarTimer().isActive(), !memory);
    }
}

TEST_F(MonitorTest, HourlyBeepOverHoursOfUpTime) {
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
        MonitorWindow w;
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
    MonitorWindow w;
    w.startWith(1, 1);
    w.tickAt(kHour);
    ASSERT_EQ(w.f.tone->tones.size(), 21u);
    for (std::uint32_t i = 0; i < 21; ++i) {
        EXPECT_EQ(w.f.tone->tones[i], std::make_pair(500 - 10 * i, 50u));
    }
    EXPECT_FALSE(w.mainWindow->hourlyBeepTimer().isActive());
}

} // namespace
