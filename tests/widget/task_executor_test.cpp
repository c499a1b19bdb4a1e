// The scheduled task on the Qt main window: the alert's wait in a real nested event loop and the
// task indicator's tool tip.
#include "fixtures.h"

namespace {

using namespace std::chrono_literals;

constexpr std::uint64_t kMinute = 60'000ULL;

struct TaskFixture : LoadedMainWindowTest {};

TEST_F(TaskFixture, Alert_RealWaitKeepsTheWindowResponsiveAndIgnoresTimerTicks) {
    schedule("Alert", "0", "0", "1");
    mainWindow->core().state().changeTask([](core::ScheduledTask& t) { t.playSound = true; });
    int ticksSeen = 0;
    // The real nested loop, shortened: a triggerTimer tick delivered by the event loop meanwhile.
    int waitsSeen = 0;
    mainWindow->core().executor().setWait([&](std::chrono::milliseconds) {
        if (++waitsSeen == 1) {
            QTimer::singleShot(0, mainWindow.get(), [&] {
                ++ticksSeen;
                mainWindow->core().checkTrigger();
            });
        }
        qtshell::waitWithEvents(20ms);
    });
    secondAt(kMinute);
    EXPECT_EQ(ticksSeen, 1);
    EXPECT_EQ(waitsSeen, 1);
    EXPECT_EQ(f.messages->shown.size(), 1u);
}

TEST_F(TaskFixture, Indicator_ToolTipSaysWhatItsBlinkingMeans) {
    mainWindow->core().blinkIndicator();
    EXPECT_FALSE(control<QLabel>(mainWindow.get(), "taskIndicator")->isHidden());
    EXPECT_EQ(control<QLabel>(mainWindow.get(), "taskIndicator")->toolTip(),
              "Task Indicator. If blinking, a Task is scheduled.");
}

} // namespace
