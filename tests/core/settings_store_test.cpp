// The options store at start-up and on its own: the first run, the readers with their caches and
// switches, the writers, and the messages of its failures.
#include "core/settings_store.h"
#include "core_fixture.h"

#include <algorithm>
#include <stdexcept>

namespace {

using core::StoredOption;
using platform::MessageIcon;

const std::string kKey = "HKCU\\Software\\Pellorin\\Corvane\\4.0";
const std::string kRun = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kInstallationError = "Corvane Installation Error. Please Reinstall the Product.";

std::ptrdiff_t indexOf(const std::vector<std::string>& calls, const std::string& prefix) {
    const auto it = std::find_if(calls.begin(), calls.end(),
                                 [&](const std::string& c) { return c.rfind(prefix, 0) == 0; });
    return it == calls.end() ? -1 : it - calls.begin();
}

/// The store on its own, with the shared state it writes.
struct StoreFixture : CoreFixture {
    core::SettingsStore store{f.services, state};

    void SetUp() override {
        // As the main window was designed: the beep and the figures on, a caption from the figures.
        state.setHourlyBeepArmed(true);
        state.setFiguresRunning(true);
        state.setCaption("figures");
    }
};

TEST(OptionText, SignedDecimalCutToTheDataSize) {
    const struct {
        std::int32_t value;
        std::uint32_t size;
        const char* text;
    } cases[] = {{1, 4, "1"},         {0, 4, "0"}, {-1, 4, "-1"}, {123456, 4, "1234"},
                 {-12345, 4, "-123"}, {2, 4, "2"}, {65, 1, "6"},  {0, 0, ""}};
    for (const auto& c : cases) {
        EXPECT_EQ(core::optionText(c.value, c.size), c.text) << c.value;
    }
}

TEST_F(StoreFixture, LoadFiguresOption_SwitchesTheCaptionTimerAndTheCaptionOnlyFor0And1) {
    const struct {
        std::uint32_t stored;
        const char* cache;
        bool captionTimer;
        const char* caption;
    } cases[] = {
        {0, "0", false, ""},
        {1, "1", true, "figures"},
        {2, "2", true, "figures"},         // left as it was: enabled
        {123456, "1234", true, "figures"}, // four characters, no switch
        {0xFFFFFFFF, "-1", true, "figures"},
    };
    for (const auto& c : cases) {
        SetUp();
        f.registry->setDword(kKey, "ShowMemCpu", c.stored);
        store.loadOption(StoredOption::Figures);
        EXPECT_EQ(state.optionCache(StoredOption::Figures), c.cache) << c.stored;
        EXPECT_EQ(state.figuresRunning(), c.captionTimer) << c.stored;
        EXPECT_EQ(state.caption(), c.caption) << c.stored;
    }
    // 1 after 0 starts the timer again; the caption is the figures' to fill.
    f.registry->setDword(kKey, "ShowMemCpu", 0);
    store.loadOption(StoredOption::Figures);
    f.registry->setDword(kKey, "ShowMemCpu", 1);
    store.loadOption(StoredOption::Figures);
    EXPECT_TRUE(state.figuresRunning());
    EXPECT_TRUE(f.messages->shown.empty());
}

TEST_F(StoreFixture, LoadHourlyBeepOption_SwitchesTheBeepTimerAndNeverTheCaption) {
    const struct {
        std::uint32_t stored;
        bool before;
        bool after;
    } cases[] = {{0, true, false}, {1, false, true}, {7, false, false}, {7, true, true}};
    for (const auto& c : cases) {
        state.setHourlyBeepArmed(c.before);
        f.registry->setDword(kKey, "hrbeep", c.stored);
        store.loadOption(StoredOption::HourlyBeep);
        EXPECT_EQ(state.optionCache(StoredOption::HourlyBeep), std::to_string(c.stored));
        EXPECT_EQ(state.hourlyBeepArmed(), c.after) << c.stored;
        EXPECT_EQ(state.caption(), "figures");
    }
}

TEST_F(StoreFixture, LoadFiguresOption_ValueGoneLater_KeepsTheCacheAndTimerWithoutMessage) {
    f.registry->setDword(kKey, "ShowMemCpu", 0);
    store.loadOption(StoredOption::Figures);
    f.registry->removeValue(kKey, "ShowMemCpu");
    state.setFiguresRunning(true);
    store.loadOption(StoredOption::Figures); // the cache still says 0: the timer stops again
    EXPECT_EQ(state.optionCache(StoredOption::Figures), "0");
    EXPECT_FALSE(state.figuresRunning());
    EXPECT_TRUE(f.messages->shown.empty());
    EXPECT_FALSE(f.process->ended());
}

TEST_F(StoreFixture, LoadReaders_NothingReadYet_InstallationError) {
    f.registry->makeKey(kKey);
    store.loadOption(StoredOption::HourlyBeep);
    ASSERT_EQ(f.messages->shown.size(), 1u);
    EXPECT_EQ(f.messages->shown[0].text, kInstallationError);
    EXPECT_EQ(f.process->immediateEnds, 1);
    EXPECT_TRUE(store.ended());
    EXPECT_EQ(state.optionCache(StoredOption::HourlyBeep), "hrbeepstatus");
}

TEST_F(StoreFixture, ReadOnTopAndReadTransparency_TextOrNothingEachCallAlone) {
    EXPECT_EQ(store.readOption(StoredOption::OnTop), std::nullopt); // no key at all
    f.registry->setDword(kKey, "Ontop", 1);
    EXPECT_EQ(store.readOption(StoredOption::OnTop), std::string("1"));
    EXPECT_EQ(store.readOption(StoredOption::Transparency), std::nullopt);
    f.registry->setDword(kKey, "tpme", 0);
    EXPECT_EQ(store.readOption(StoredOption::Transparency), std::string("0"));
    f.registry->removeValue(kKey, "Ontop");
    EXPECT_EQ(store.readOption(StoredOption::OnTop), std::nullopt);
    EXPECT_TRUE(f.messages->shown.empty());
    EXPECT_EQ(f.registry->openHandles(), 0u);
}

TEST_F(StoreFixture, Writers_StoreTheirNumberAndOnlyTheBeepWritersSwitchTheHourlyBeepTimer) {
    storeDefaultOptions(*f.registry);
    const struct {
        StoredOption option;
        const char* name;
        std::uint32_t value;
    } cases[] = {
        {StoredOption::Figures, "ShowMemCpu", 0}, {StoredOption::Figures, "ShowMemCpu", 1},
        {StoredOption::OnTop, "Ontop", 1},        {StoredOption::OnTop, "Ontop", 0},
        {StoredOption::Transparency, "tpme", 1},  {StoredOption::Transparency, "tpme", 0},
        {StoredOption::HourlyBeep, "hrbeep", 0},  {StoredOption::HourlyBeep, "hrbeep", 1},
    };
    state.setHourlyBeepArmed(false);
    for (const auto& c : cases) {
        const bool timer4Before = state.hourlyBeepArmed();
        const bool timer5Before = state.figuresRunning();
        store.storeOption(c.option, c.value == 1);
        EXPECT_EQ(f.registry->dword(kKey, c.name), c.value) << c.name;
        EXPECT_EQ(state.figuresRunning(), timer5Before) << c.name;
        if (std::string(c.name) == "hrbeep") {
            EXPECT_EQ(state.hourlyBeepArmed(), c.value == 1);
        } else {
            EXPECT_EQ(state.hourlyBeepArmed(), timer4Before) << c.name;
        }
    }
    EXPECT_EQ(f.registry->valueNames(kKey).size(), 5u);
    EXPECT_GE(indexOf(f.registry->calls, "open HKCU\\SOFTWARE\\Pellorin\\Corvane\\4.0 write"), 0);
}

TEST_F(StoreFixture, Writers_KeyNotWritable_ChangeNothingAndShowNothing) {
    storeDefaultOptions(*f.registry);
    f.registry->currentUserWritable = false;
    store.storeOption(StoredOption::HourlyBeep, false);
    EXPECT_TRUE(state.hourlyBeepArmed());
    state.setHourlyBeepArmed(false);
    store.storeOption(StoredOption::HourlyBeep, true);
    EXPECT_FALSE(state.hourlyBeepArmed());
    store.storeOption(StoredOption::Figures, false);
    store.storeOption(StoredOption::OnTop, true);
    store.storeOption(StoredOption::Transparency, true);
    EXPECT_EQ(f.registry->dword(kKey, "hrbeep"), 1u);
    EXPECT_EQ(f.registry->dword(kKey, "ShowMemCpu"), 1u);
    EXPECT_EQ(f.registry->dword(kKey, "Ontop"), 0u);
    EXPECT_EQ(f.registry->dword(kKey, "tpme"), 0u);
    EXPECT_TRUE(f.messages->shown.empty());
}

TEST_F(StoreFixture, FailuresOfTheFirstRun_TheirMessagesAndWhatFollows) {
    const std::string permission =
        "Unable to create necessary Registry values. You may not have enough permission.";
    const struct {
        const char* what;
        std::string failingCall;
        std::string message;
        MessageIcon icon;
        bool ends;
        std::size_t valuesAfter;
    } cases[] = {
        {"maker key", "create HKCU\\Software\\Pellorin", permission + "disk gone", MessageIcon::Exclamation,
         true, 0},
        {"product key", "create HKCU\\Software\\Pellorin\\Corvane", permission + "disk gone",
         MessageIcon::Exclamation, true, 0},
        {"version key", "create " + kKey,
         "Unable to create necessary Registry values. Contact support@pellorin.exampledisk gone",
         MessageIcon::Exclamation, true, 0},
        {"one default", "set " + kKey + " hrbeep", "disk gone", MessageIcon::Information, false, 4},
    };
    for (const auto& c : cases) {
        fakes::FakeServices g;
        core::AppState st;
        core::SettingsStore s(g.services, st);
        const std::string failing = c.failingCall;
        g.registry->onCall = [failing](const std::string& call) {
            if (call == failing) {
                throw std::runtime_error("disk gone");
            }
        };
        s.runFirstRunSequence("/usr/bin/corvane");
        EXPECT_EQ(g.messages->shown, fakes::oneBox(c.message, c.icon)) << c.what;
        EXPECT_EQ(s.ended(), c.ends) << c.what;
        EXPECT_EQ(g.process->immediateEnds, c.ends ? 1 : 0) << c.what;
        EXPECT_EQ(g.registry->valueNames(kKey).size(), c.valuesAfter) << c.what;
        // Nothing after an ending failure runs: no further key is made.
        if (c.ends) {
            EXPECT_EQ(g.registry->calls.back(), c.failingCall) << c.what;
        }
    }
}

TEST_F(StoreFixture, ReaderFailure_InstallationErrorAndTheEnd) {
    storeDefaultOptions(*f.registry);
    f.registry->onCall = [](const std::string& call) {
        if (call.rfind("query", 0) == 0 && call.find("Ontop") != std::string::npos) {
            throw std::runtime_error("broken");
        }
    };
    EXPECT_EQ(store.readOption(StoredOption::OnTop), std::nullopt);
    EXPECT_EQ(f.messages->shown, fakes::oneBox(kInstallationError, MessageIcon::Critical));
    EXPECT_TRUE(store.ended());
}

using SettingsStartUp = MainWindowCoreTest;

TEST_F(SettingsStartUp, FirstRunOnAnEmptyStore_AutostartFirstThenExactlyTheFiveDefaultsInOneWrite) {
    load();

    EXPECT_EQ(f.registry->valueNames(kKey),
              (std::vector<std::string>{"autoaddstp", "hrbeep", "Ontop", "ShowMemCpu", "tpme"}));
    const std::uint32_t expected[] = {1, 1, 0, 1, 0};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(f.registry->dword(kKey, f.registry->valueNames(kKey)[i]), expected[i]);
    }
    EXPECT_EQ(f.registry->text(kRun, "Corvane"), f.processes->ownExecutablePath());

    const auto& calls = f.registry->calls;
    EXPECT_EQ(calls.front(), "open HKCU\\Software\\Pellorin\\Corvane\\4.0 read");
    const auto autostart = indexOf(calls, "set " + kRun + " Corvane");
    const auto begin = indexOf(calls, "begin");
    const auto firstCreate = indexOf(calls, "create HKCU\\Software\\Pellorin");
    const auto commit = indexOf(calls, "commit");
    ASSERT_GE(autostart, 0);
    EXPECT_LT(autostart, begin);
    EXPECT_LT(begin, firstCreate);
    EXPECT_LT(indexOf(calls, "set " + kKey + " tpme"), commit);
    EXPECT_EQ(f.registry->openHandles(), 0u);

    // Then read back like on any other run.
    EXPECT_TRUE(f.messages->shown.empty());
    EXPECT_FALSE(f.process->ended());
    EXPECT_EQ(mainWindow->state().optionCache(StoredOption::Figures), "1");
    EXPECT_EQ(mainWindow->state().optionCache(StoredOption::HourlyBeep), "1");
    EXPECT_TRUE(mainWindow->hourlyBeepTimer().isActive());
    EXPECT_TRUE(mainWindow->captionTimer().isActive());
}

TEST_F(SettingsStartUp, KeyPresent_NoDefaultIsWrittenEvenWithValuesMissing) {
    f.registry->setDword(kKey, "hrbeep", 0);
    f.registry->setDword(kKey, "ShowMemCpu", 0);
    load();
    EXPECT_EQ(indexOf(f.registry->calls, "set "), -1);
    EXPECT_EQ(indexOf(f.registry->calls, "create "), -1);
    EXPECT_EQ(f.registry->valueNames(kKey), (std::vector<std::string>{"hrbeep", "ShowMemCpu"}));
    EXPECT_FALSE(mainWindow->hourlyBeepTimer().isActive());
    EXPECT_FALSE(mainWindow->captionTimer().isActive());
    EXPECT_TRUE(f.messages->shown.empty());
    // Readers spell the first level in capitals, the probe does not: the same key.
    EXPECT_GE(indexOf(f.registry->calls, "open HKCU\\SOFTWARE\\Pellorin\\Corvane\\4.0 read"), 0);
}

TEST_F(SettingsStartUp, KeyPresentButEmpty_InstallationErrorAndTheEnd) {
    f.registry->makeKey(kKey);
    load();
    EXPECT_EQ(f.messages->shown, fakes::oneBox(kInstallationError, MessageIcon::Critical));
    EXPECT_EQ(f.process->immediateEnds, 1);
    EXPECT_TRUE(f.process->terminations.empty()); // no unload handler
    EXPECT_TRUE(f.registry->valueNames(kKey).empty());
    // Nothing of start-up after the first reader: no tray icon.
    EXPECT_FALSE(view.trayIcon);
}

TEST(SettingsFirstRun, StoreHeldByAnotherProcess_WindowRunsFirstAndTheAnswerDecidesTheReaders) {
    for (const bool stored : {true, false}) {
        MainWindowCoreHarness h;
        h.f.registry->holdStores = true;
        h.load();
        EXPECT_TRUE(h.view.shown);
        EXPECT_TRUE(h.mainWindow->uptimeTimer().isActive());
        EXPECT_EQ(indexOf(h.f.registry->calls, "open HKCU\\SOFTWARE"), -1); // no reader yet
        EXPECT_FALSE(h.view.trayIcon);
        if (!stored) {
            for (const std::string& name : h.f.registry->valueNames(kKey)) {
                h.f.registry->removeValue(kKey, name);
            }
        }
        h.f.registry->releaseStores(stored);
        EXPECT_EQ(h.view.trayIcon, stored);
        EXPECT_EQ(h.f.messages->shown.empty(), stored);
        EXPECT_EQ(h.f.process->immediateEnds, stored ? 0 : 1);
    }
}

TEST(SettingsWait, ChangesHeldByAnotherProgram_TheUserIsToldOnceAfter10sAndAgainWhenStored) {
    // Steps: c a change (the on-top button), t the notice timer's tick (10 s after the first
    // change that waits), s the waiting changes stored, f given up (a failure the log tells).
    const std::string waiting = core::SettingsWaitNotice::kWaiting,
                      stored = core::SettingsWaitNotice::kStored;
    const struct {
        const char* steps;
        std::vector<std::string> notices;
    } cases[] = {
        {"c s t", {}},
        {"c t s t", {waiting, stored, ""}},
        {"c c t c t s", {waiting, stored}},
        {"c s c t", {waiting}},
        {"c t f t", {waiting, ""}},
        {"c t s c t s", {waiting, stored, waiting, stored}},
    };
    for (const auto& c : cases) {
        MainWindowCoreHarness h;
        storeDefaultOptions(*h.f.registry);
        h.load();
        h.f.registry->holdStores = true;
        const auto found = std::ranges::find(
            h.timers.made, std::chrono::milliseconds(core::SettingsWaitNotice::kTellAfterMs),
            &fakes::FakeTimer::period);
        ASSERT_NE(found, h.timers.made.end());
        fakes::FakeTimer* notice = *found;
        int clicks = 0;
        for (const char step : std::string(c.steps)) {
            if (step == 'c') {
                h.mainWindow->toggleOnTop();
                ++clicks;
            } else if (step == 't') {
                notice->fire();
            } else if (step == 's' || step == 'f') {
                h.f.registry->releaseStores(step == 's');
                h.f.registry->holdStores = true;
            }
        }
        EXPECT_EQ(h.view.notices, c.notices) << c.steps;
        // Every click reached the store, the last one included.
        EXPECT_EQ(h.f.registry->dword(kKey, "Ontop"), std::optional<std::uint32_t>(clicks % 2)) << c.steps;
    }
}

} // namespace
