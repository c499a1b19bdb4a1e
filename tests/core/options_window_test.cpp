// The Options and Schedule Task window's rules on fake views: the page tabs, the order of
// loading, the Options page's boxes, its two Apply buttons and the Test link, the status bar's
// figures.
#include "core/options_page.h"
#include "core/options_window.h"
#include "core/schedule_page.h"
#include "core/settings_store.h"
#include "core_fixture.h"
#include "fake_options_window_view.h"

#include <algorithm>
#include <map>
#include <stdexcept>

namespace {

using core::OptionBox;
using core::Page;
using core::TabPicture;

const std::string kKey = "HKCU\\Software\\Pellorin\\Corvane\\4.0";
const std::string kRun = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kProgram = "/opt/corvane/bin/corvane";

struct FakeOptionsPage final : core::OptionsPageView {
    std::map<OptionBox, bool> boxes{
        {OptionBox::Autostart, false}, {OptionBox::HourlyBeep, false}, {OptionBox::Figures, false}};
    bool isChecked(OptionBox box) const override { return boxes.at(box); }
    void setChecked(OptionBox box, bool checked) override { boxes[box] = checked; }
};

// After the first run: defaults 1, 1, 0, 1, 0 and the autostart entry.
struct OptionsWindowTest : CoreFixture {
    FakeOptionsPage pageView;
    FakeOptionsWindow windowView;
    core::SettingsStore settings{f.services, state};
    core::OptionsPage optionsPage{pageView, f.services, settings, state};
    core::OptionsWindow window{windowView, f.services, state, timers};

    OptionsWindowTest() {
        window.setOptionsPage(&optionsPage);
        storeDefaultOptions(*f.registry);
        f.registry->setRaw(kRun, "Corvane", platform::kRegSz, {'/', 'x', 0});
        settings.loadOption(core::StoredOption::HourlyBeep);
        settings.loadOption(core::StoredOption::Figures);
        state.setCaption(" Mem 512  CPU 3%");
    }
    fakes::FakeTimer& statusBarTimer() { return fakes::FakeTimerFactory::fake(window.statusBarTimer()); }
};

TEST_F(OptionsWindowTest, Loading_CaptionTimerAndFiguresFromTheMainWindowsCaption) {
    window.load();
    EXPECT_EQ(windowView.caption, "Corvane");
    EXPECT_TRUE(statusBarTimer().active);
    EXPECT_EQ(statusBarTimer().interval(), std::chrono::milliseconds(500));
    EXPECT_EQ(windowView.figures, " Mem 512  CPU 3%");
    // The tabs still show their design pictures: no page was chosen.
    EXPECT_EQ(windowView.tabs[Page::Options], TabPicture::Design);
    EXPECT_EQ(windowView.pages[Page::Options], false);

    // Each tick copies the figures; a failure to read them stops the copy.
    f.figures->availableBytes = 1024ULL * 1024 * 300;
    state.setCpuText("CPU 7%");
    statusBarTimer().fire();
    EXPECT_EQ(windowView.figures, " Mem 300  CPU 7%");
    f.figures->failMemory = true;
    statusBarTimer().fire();
    EXPECT_FALSE(statusBarTimer().active);
    EXPECT_EQ(windowView.figures, " Mem 300  CPU 7%");

    window.load();
    window.unload();
    EXPECT_FALSE(statusBarTimer().active);
}

TEST_F(OptionsWindowTest, PageTabs_ClickingTheSelectedTabClosesItsPage) {
    // Before a page was chosen the tabs are in neither state: clicks change nothing.
    window.toggleOptionsPage();
    window.toggleSchedulePage();
    EXPECT_EQ(window.tabPicture(Page::Options), TabPicture::Design);
    EXPECT_EQ(window.tabPicture(Page::Schedule), TabPicture::Design);
    EXPECT_TRUE(windowView.log.empty());

    window.openOnOptionsPage();
    const struct {
        const char* step;
        Page tab;
        TabPicture optionsTab, scheduleTab;
        bool optionsPageShown, schedulePageShown;
    } steps[] = {
        {"Options tab while its page shows", Page::Options, TabPicture::NotSelected, TabPicture::NotSelected,
         false, false},
        {"Options tab again", Page::Options, TabPicture::Selected, TabPicture::NotSelected, true, false},
        {"Schedule Task tab", Page::Schedule, TabPicture::NotSelected, TabPicture::Selected, false, true},
        {"Schedule Task tab while its page shows", Page::Schedule, TabPicture::NotSelected,
         TabPicture::NotSelected, false, false},
        {"Options tab", Page::Options, TabPicture::Selected, TabPicture::NotSelected, true, false},
    };
    for (const auto& s : steps) {
        if (s.tab == Page::Options) {
            window.toggleOptionsPage();
        } else {
            window.toggleSchedulePage();
        }
        EXPECT_EQ(windowView.tabs[Page::Options], s.optionsTab) << s.step;
        EXPECT_EQ(windowView.tabs[Page::Schedule], s.scheduleTab) << s.step;
        EXPECT_EQ(windowView.pages[Page::Options], s.optionsPageShown) << s.step;
        EXPECT_EQ(windowView.pages[Page::Schedule], s.schedulePageShown) << s.step;
    }
}

TEST_F(OptionsWindowTest, MenuEntries_SelectTheTabAndShowThePageInTheirOrder) {
    window.openOnOptionsPage();
    EXPECT_EQ(windowView.log, (std::vector<std::string>{"options shown", "window", "focus"}));
    windowView.log.clear();
    window.openOnSchedulePage();
    // The window shows first, then the page; neither entry hides the other page.
    EXPECT_EQ(windowView.log, (std::vector<std::string>{"window", "schedule shown", "focus"}));
    EXPECT_EQ(windowView.tabs[Page::Schedule], TabPicture::Selected);
    EXPECT_EQ(windowView.tabs[Page::Options], TabPicture::NotSelected);
}

TEST_F(OptionsWindowTest, Loading_TheScheduleStepsAndTheBoxesAtTheirPlaces) {
    struct RecordingPage final : core::SchedulePageView {
        std::vector<std::string>* order;
        const FakeOptionsPage* options;
        bool isScheduledChecked() const override { return false; }
        void setScheduledChecked(bool) override {
            order->push_back(options->boxes.at(OptionBox::Autostart) ? "record after autostart" : "record");
        }
        std::string triggerText(core::TriggerBox) const override { return {}; }
        void setTriggerText(core::TriggerBox, const std::string&) override {}
        std::string kindText() const override { return {}; }
        void fillKinds(const std::vector<std::string>&, const std::string&) override {
            order->push_back("kinds");
        }
        void showKind(int, const std::string&) override {}
        void clearKind() override {}
        void showScheduleStatus(const std::string&, const std::string&) override {
            order->push_back(options->boxes.at(OptionBox::HourlyBeep) ? "status after caches" : "status");
        }
    };
    std::vector<std::string> order;
    RecordingPage recording;
    recording.order = &order;
    recording.options = &pageView;
    core::SchedulePage schedulePage(recording, f.services, state);
    window.setSchedulePage(&schedulePage);
    window.load();
    EXPECT_EQ(order, (std::vector<std::string>{"kinds", "record after autostart", "status after caches"}));
}

TEST_F(OptionsWindowTest, Loading_SetsTheBoxesFromTheAutostartEntryAndTheCachesOnly) {
    struct Case {
        const char* what;
        bool runValue;
        bool machineReadable;
        std::string hrbeep;
        std::string memCpu;
        bool before; // each box's state before loading
        bool autostartChecked, hourlyBeepChecked, figuresChecked;
    };
    const Case cases[] = {
        {"entry and both on", true, true, "1", "1", false, true, true, true},
        {"no entry and both off", false, true, "0", "0", true, false, false, false},
        {"list unreadable and other texts", true, false, "2", "hrbeepstatus", true, true, true, true},
        {"list unreadable and other texts, boxes clear", true, false, "1234", "-1", false, false, false,
         false},
    };
    for (const Case& c : cases) {
        if (!c.runValue) {
            f.registry->removeValue(kRun, "Corvane");
        }
        f.registry->machineReadable = c.machineReadable;
        state.setOptionCache(core::StoredOption::HourlyBeep, c.hrbeep);
        state.setOptionCache(core::StoredOption::Figures, c.memCpu);
        // The stored values say otherwise: the boxes follow the caches, not the registry.
        f.registry->setDword(kKey, "hrbeep", c.hrbeep == "1" ? 0 : 1);
        for (auto& [box, checked] : pageView.boxes) {
            checked = c.before;
        }
        window.load();
        EXPECT_EQ(pageView.boxes[OptionBox::Autostart], c.autostartChecked) << c.what;
        EXPECT_EQ(pageView.boxes[OptionBox::HourlyBeep], c.hourlyBeepChecked) << c.what;
        EXPECT_EQ(pageView.boxes[OptionBox::Figures], c.figuresChecked) << c.what;
        f.registry->machineReadable = true;
        f.registry->setRaw(kRun, "Corvane", platform::kRegSz, {'/', 'x', 0});
    }
}

TEST_F(OptionsWindowTest, ApplyAutostartAndBeep_StoresBothEveryTimeAndReadsTheBeepBack) {
    window.load();
    // Ticking alone changes nothing.
    pageView.boxes[OptionBox::HourlyBeep] = false;
    EXPECT_EQ(f.registry->dword(kKey, "hrbeep"), 1u);
    EXPECT_TRUE(state.hourlyBeepArmed());

    pageView.boxes[OptionBox::Autostart] = false;
    optionsPage.applyAutostartAndBeep();
    EXPECT_EQ(f.registry->text(kRun, "Corvane"), std::nullopt);
    EXPECT_EQ(f.registry->dword(kKey, "hrbeep"), 0u);
    EXPECT_EQ(state.optionCache(core::StoredOption::HourlyBeep), "0");
    EXPECT_FALSE(state.hourlyBeepArmed());

    pageView.boxes[OptionBox::Autostart] = true;
    pageView.boxes[OptionBox::HourlyBeep] = true;
    optionsPage.applyAutostartAndBeep();
    EXPECT_EQ(f.registry->text(kRun, "Corvane"), kProgram);
    EXPECT_EQ(f.registry->dword(kKey, "hrbeep"), 1u);
    EXPECT_EQ(state.optionCache(core::StoredOption::HourlyBeep), "1");
    EXPECT_TRUE(state.hourlyBeepArmed());
    EXPECT_TRUE(f.messages->shown.empty());
}

TEST_F(OptionsWindowTest, ApplyWithoutRights_TheBeepFollowsTheRegistryAndAutostartStaysSilently) {
    f.registry->setDword(kKey, "hrbeep", 0);
    settings.loadOption(core::StoredOption::HourlyBeep);
    f.registry->currentUserWritable = false;
    f.registry->machineWritable = false;
    window.load();
    pageView.boxes[OptionBox::Autostart] = false; // the entry exists and cannot be removed
    pageView.boxes[OptionBox::HourlyBeep] = true;
    optionsPage.applyAutostartAndBeep();
    EXPECT_EQ(f.registry->dword(kKey, "hrbeep"), 0u);
    EXPECT_EQ(state.optionCache(core::StoredOption::HourlyBeep), "0");
    EXPECT_FALSE(state.hourlyBeepArmed());
    EXPECT_TRUE(f.registry->text(kRun, "Corvane").has_value());
    EXPECT_FALSE(pageView.boxes[OptionBox::Autostart]); // what the user chose, until the next load
    EXPECT_TRUE(f.messages->shown.empty());
}

TEST_F(OptionsWindowTest, RemovingAutostartFailsOtherwise_AccessDeniedMessageAndTheBeepStillApplied) {
    window.load();
    f.registry->onCall = [](const std::string& call) {
        if (call.rfind("delete", 0) == 0) {
            throw std::runtime_error("broken");
        }
    };
    pageView.boxes[OptionBox::Autostart] = false;
    pageView.boxes[OptionBox::HourlyBeep] = false;
    optionsPage.applyAutostartAndBeep();
    EXPECT_EQ(f.messages->shown,
              fakes::oneBox("Unable to schedule the Task. Access Denied.", platform::MessageIcon::Critical));
    EXPECT_EQ(f.registry->dword(kKey, "hrbeep"), 0u);
}

TEST_F(OptionsWindowTest, ApplyFigures_StoresAndSwitchesTheFiguresAndTheCaption) {
    window.load();
    pageView.boxes[OptionBox::Figures] = false;
    optionsPage.applyFigures();
    EXPECT_EQ(f.registry->dword(kKey, "ShowMemCpu"), 0u);
    EXPECT_EQ(state.caption(), "");
    EXPECT_FALSE(state.figuresRunning());
    EXPECT_EQ(state.optionCache(core::StoredOption::Figures), "0");

    pageView.boxes[OptionBox::Figures] = true;
    optionsPage.applyFigures();
    EXPECT_EQ(f.registry->dword(kKey, "ShowMemCpu"), 1u);
    EXPECT_TRUE(state.figuresRunning());
    EXPECT_EQ(state.optionCache(core::StoredOption::Figures), "1");

    // Not writable: the figures run for a moment, then the old 0 is read back, they stop again
    // and the caption empties.
    pageView.boxes[OptionBox::Figures] = false;
    optionsPage.applyFigures();
    f.registry->currentUserWritable = false;
    state.setCaption(" Mem 512  CPU 3%");
    pageView.boxes[OptionBox::Figures] = true;
    heard.clear();
    optionsPage.applyFigures();
    EXPECT_EQ(f.registry->dword(kKey, "ShowMemCpu"), 0u);
    EXPECT_FALSE(state.figuresRunning());
    EXPECT_EQ(state.caption(), "");
    EXPECT_EQ(state.optionCache(core::StoredOption::Figures), "0");
    EXPECT_EQ(std::count(heard.begin(), heard.end(), core::Change::Figures), 2);
    EXPECT_TRUE(f.messages->shown.empty());
}

TEST_F(OptionsWindowTest, TestLink_PlaysTheSweepOf21TonesAndTouchesNothingElse) {
    window.load();
    const auto callsBefore = f.registry->calls.size();
    heard.clear();
    optionsPage.testBeep();
    ASSERT_EQ(f.tone->tones.size(), 21u);
    for (std::size_t i = 0; i < 21; ++i) {
        EXPECT_EQ(f.tone->tones[i].first, 500 - 10 * i);
        EXPECT_EQ(f.tone->tones[i].second, 50u);
    }
    EXPECT_TRUE(heard.empty());
    EXPECT_EQ(f.registry->calls.size(), callsBefore);

    // Without a tone generator the link does nothing (and does not crash).
    f.services.tone.reset();
    optionsPage.testBeep();
}

} // namespace
