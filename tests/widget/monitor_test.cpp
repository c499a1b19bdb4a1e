// The processor and memory figures in the caption and in the Options window's status bar, and
// their failure.
#include "fixtures.h"

#include <functional>
#include <vector>

namespace {

using platform::MessageIcon;

const std::string kKey = "HKCU\\Software\\Pellorin\\Corvane\\4.0";
const QString kMonitorMessage =
    "CPU Usage and available Memory status are cannot be displayed. May be OS not supported.";
constexpr std::uint64_t kMinute = 60'000ULL;

struct MonitorWindow : MainWindowHarness {
    /// Starts with the stored options, hrbeep and ShowMemCpu as given.
    void startWith(std::uint32_t hrbeep, std::uint32_t showMemCpu) {
        storeDefaults(*f.registry);
        f.registry->setDword(kKey, "hrbeep", hrbeep);
        f.registry->setDword(kKey, "ShowMemCpu", showMemCpu);
        mainWindow->load();
    }
    /// One second at a tick count: the handlers of the running one-second timers in their order.
    void tickAt(std::uint64_t tick) {
        f.clock->tick = tick;
        MainWindow& form = *mainWindow;
        const std::pair<core::Timer*, std::function<void()>> timers[] = {
            {&form.uptimeTimer, [&form] { form.refreshUptime(); }},
            {&form.cpuSampleTimer, [&form] { form.sampleCpu(); }},
            {&form.hourlyBeepTimer, [&form] { form.beepOnFullHour(); }},
            {&form.captionTimer, [&form] { form.showFigures(); }}};
        for (const auto& [timer, handler] : timers) {
            if (timer->isActive()) {
                handler();
            }
        }
    }
    /// Full sweeps played so far.
    std::size_t sweeps() const { return f.tone->tones.size() / 21; }
};

struct MonitorTest : ::testing::Test, MonitorWindow {};

TEST_F(MonitorTest, CaptionFromTheSampleAndTheMemoryOfEachSecond) {
    startWith(1, 1);
    EXPECT_EQ(f.figures->calls, (std::vector<std::string>{"open", "counter 0"}));
    EXPECT_TRUE(mainWindow->cpuSampleTimer.isActive());
    mainWindow->showFigures();
    EXPECT_EQ(mainWindow->windowTitle(), " Mem 512  "); // before the first sample

    const struct {
        std::uint64_t bytes;
        double sample;
        const char* caption;
    } cases[] = {
        {512ULL << 20, 5.4, " Mem 512  CPU 5%"},      {1048575, 12.5, " Mem 0  CPU 12%"},
        {1048576, 13.5, " Mem 1  CPU 14%"},           {2147483647, 2.5, " Mem 2047  CPU 2%"},
        {12ULL << 30, 100.0, " Mem 12288  CPU 100%"}, // past what 32 bits hold
    };
    for (const auto& c : cases) {
        f.figures->availableBytes = c.bytes;
        f.figures->sample = c.sample;
        tickAt(kMinute);
        EXPECT_EQ(mainWindow->windowTitle(), c.caption);
    }
    // The notices of the title's changes are stopped once, for the window that has the title.
    EXPECT_EQ(f.screen->quieted, (std::vector<unsigned long long>{mainWindow->internalWinId()}));
    EXPECT_TRUE(f.messages->shown.empty());
}

TEST_F(MonitorTest, CaptionEmptyWithTheOptionOffOrAfterAFailureThatIsReportedOnce) {
    // With the option off the caption stays empty while the status bar shows the figures.
    startWith(1, 0);
    mainWindow->openOptions();
    tickAt(kMinute);
    mainWindow->optionsWindow()->showFiguresInStatusBar();
    EXPECT_EQ(mainWindow->windowTitle(), "");
    EXPECT_EQ(mainWindow->optionsWindow()->panel(3)->text(), " Mem 512  CPU 0%");

    for (bool memory : {false, true}) {
        SCOPED_TRACE(memory ? "memory" : "sample");
        MonitorWindow w;
        w.startWith(1, 1);
        w.mainWindow->openOptions();
        w.f.figures->sample = 7.0;
        w.tickAt(kMinute);
        (memory ? w.f.figures->failMemory : w.f.figures->failSample) = true;
        for (int second = 1; second <= 3; ++second) {
            w.tickAt(kMinute + second * 1000);
        }
        EXPECT_EQ(w.f.messages->shown, fakes::oneBox(kMonitorMessage, MessageIcon::Critical));
        EXPECT_EQ(w.mainWindow->windowTitle(), "");
        EXPECT_FALSE(w.mainWindow->captionTimer.isActive());
        EXPECT_FALSE(w.mainWindow->cpuSampleTimer.isActive());
        EXPECT_EQ(w.mainWindow->state().cpuText(), "CPU 7%");
        // The status bar goes on with the last processor text, while memory can be read.
        OptionsWindow& optionsWindow = *w.mainWindow->optionsWindow();
        optionsWindow.showFiguresInStatusBar();
        EXPECT_EQ(optionsWindow.panel(3)->text(), memory ? "" : " Mem 512  CPU 7%");
        EXPECT_EQ(optionsWindow.statusBarTimer().isActive(), !memory);
    }
}

} // namespace
