// The Options and Schedule Task window built on fake services and driven through its real
// controls: typed characters, up-down arrows, the kind list, the Apply buttons, the tabs and
// the close box.
#include "core/app_state.h"
#include "core/settings_store.h"
#include "core/task_kind.h"
#include "fakes/fake_services.h"
#include "fakes/fake_timers.h"
#include "shell/win32/accessibility.h"
#include "shell/win32/options_page.h"
#include "shell/win32/options_window.h"
#include "shell/win32/program_windows.h"
#include "shell/win32/resource_ids.h"
#include "shell/win32/schedule_page.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <oleacc.h>

#include <cstdio>
#include <iterator>
#include <string>
#include <tuple>

namespace {

using core::TriggerBox;

/// 10:00 (UTC) of 2024-10-04, day 20000 of the epoch.
constexpr std::int64_t kDay20000At10 = 20000LL * 86'400'000 + 10LL * 3'600'000;

class RecordedWindows final : public win32::ProgramWindows {
public:
    std::vector<core::TaskKind> editors;
    std::vector<core::Window> closedWindows;
    void openAbout() override {}
    void openTaskEditor(core::TaskKind kind, HWND) override { editors.push_back(kind); }
    HWND find(core::Window, bool) override { return nullptr; }
    core::WindowBlocker& blocker() override { throw std::logic_error("no blocking here"); }
    core::EditorContext editorContext() override { throw std::logic_error("no editors here"); }
    void closed(core::Window window) override { closedWindows.push_back(window); }
};

class OptionsWindowFixture : public ::testing::Test {
protected:
    OptionsWindowFixture() {
        INITCOMMONCONTROLSEX controls{sizeof controls,
                                      ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&controls);
        f.processes->ownPath = "C:\\Corvane\\Corvane4.0.exe";
        f.clock->now = kDay20000At10;
        f.registry->makeKey("HKCU\\Software\\Pellorin\\Corvane\\4.0");
        window.loadHidden();
    }

    win32::SchedulePage& page() { return window.schedulePage(); }
    void type(HWND control, const std::string& keys) {
        for (char key : keys) {
            SendMessageW(control, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(key)), 0);
        }
    }

    fakes::FakeServices f;
    core::AppState state;
    core::SettingsStore settings{f.services, state};
    fakes::FakeTimerFactory timers;
    RecordedWindows windows;
    win32::OptionsWindow window{f.services, state, settings, timers, windows};
};

TEST_F(OptionsWindowFixture, TriggerBoxesTakeOnlyWhatTheirFilterLetsThroughUpToTwoCharacters) {
    ASSERT_NE(window.hwnd(), nullptr);
    struct Case {
        TriggerBox box;
        const char* typed;
        const char* shown;
        std::size_t refusals;
    };
    const Case cases[] = {{TriggerBox::Days, "a1/2", "1/", 1},
                          {TriggerBox::Hours, "2\b3:", "3:", 0},
                          {TriggerBox::Minutes, "/5-", "5", 2},
                          {TriggerBox::Minutes, ".9", ".9", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        HWND box = page().triggerBox(c.box);
        SetWindowTextW(box, L"");
        f.tone->tones.clear();
        type(box, c.typed);
        EXPECT_EQ(win32::textOf(box), c.shown);
        EXPECT_EQ(f.tone->tones.size(), c.refusals);
    }
}

TEST_F(OptionsWindowFixture, UpDownArrowsStepTheBoxWithinItsLimits) {
    struct Case {
        TriggerBox box;
        const wchar_t* before;
        UINT key;
        int presses;
        const char* after;
    };
    const Case cases[] = {{TriggerBox::Days, L"30", VK_UP, 3, "31"},
                          {TriggerBox::Hours, L"00", VK_UP, 2, "2"},
                          {TriggerBox::Minutes, L"1", VK_DOWN, 3, "0"},
                          // No number in the box: on from the one the arrows wrote last.
                          {TriggerBox::Hours, L"x", VK_UP, 1, "3"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.after);
        SetWindowTextW(page().triggerBox(c.box), c.before);
        for (int i = 0; i < c.presses; ++i) {
            SendMessageW(page().upDown(c.box), WM_KEYDOWN, c.key, 0);
            SendMessageW(page().upDown(c.box), WM_KEYUP, c.key, 0);
        }
        EXPECT_EQ(win32::textOf(page().triggerBox(c.box)), c.after);
    }
}

TEST_F(OptionsWindowFixture, KindChosenFromTheListOpensItsEditorAndApplySchedulesIt) {
    window.openOnSchedulePage();
    EXPECT_EQ(window.panelText(1), "Task Scheduled : No");
    EXPECT_EQ(win32::textOf(page().kindBox()), "Pick a Task");
    // The field takes no typed character.
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_NE(GetComboBoxInfo(page().kindBox(), &info), 0);
    type(info.hwndItem, "x\b");
    EXPECT_EQ(win32::textOf(page().kindBox()), "Pick a Task");
    // Delete types no character: it erases one, and Apply then finds no kind.
    SendMessageW(info.hwndItem, EM_SETSEL, 0, 0);
    SendMessageW(info.hwndItem, WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(win32::textOf(page().kindBox()), "ick a Task");
    SendMessageW(page().scheduledCheck(), BM_CLICK, 0, 0);
    SetWindowTextW(page().triggerBox(TriggerBox::Minutes), L"5");
    SendMessageW(page().applyButton(), BM_CLICK, 0, 0);
    EXPECT_EQ(f.messages->shown,
              fakes::oneBox("Please Select a Task to Schedule.", platform::MessageIcon::Exclamation));
    EXPECT_FALSE(state.task().scheduled);

    SendMessageW(page().kindBox(), CB_SETCURSEL, static_cast<WPARAM>(core::TaskKind::Alert), 0);
    SendMessageW(page().hwnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(page().kindBox()), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(page().kindBox()));
    EXPECT_EQ(windows.editors, std::vector<core::TaskKind>{core::TaskKind::Alert});

    SendMessageW(page().applyButton(), BM_CLICK, 0, 0);
    EXPECT_TRUE(state.task().scheduled);
    EXPECT_EQ(state.task().kind, "Alert");
    EXPECT_EQ(state.task().minutesText, "5");
    EXPECT_EQ(window.panelText(1), "Task Scheduled : Yes");
    EXPECT_EQ(window.panelText(2), "Task Name : Alert");

    window.clearTaskKind();
    EXPECT_EQ(win32::textOf(page().kindBox()), "");
}

TEST_F(OptionsWindowFixture, TabsShowOnePageAndTheStatusBarFollowsTheFigures) {
    // A screen reader hears the tab of the page shown as a checked check box.
    auto checked = [](HWND tab) { return (win32::checkBoxState(tab) & STATE_SYSTEM_CHECKED) != 0; };
    window.openOnSchedulePage();
    EXPECT_TRUE(IsWindowVisible(page().hwnd()));
    EXPECT_FALSE(IsWindowVisible(window.optionsPage().hwnd()));
    EXPECT_TRUE(checked(window.scheduleTab()));
    EXPECT_FALSE(checked(window.optionsTab()));
    SendMessageW(window.optionsTab(), BM_CLICK, 0, 0);
    EXPECT_TRUE(IsWindowVisible(window.optionsPage().hwnd()));
    EXPECT_FALSE(IsWindowVisible(page().hwnd()));
    EXPECT_EQ(window.rules().tabPicture(core::Page::Options), core::TabPicture::Selected);
    EXPECT_TRUE(checked(window.optionsTab()));
    EXPECT_FALSE(checked(window.scheduleTab()));

    state.setCpuText("CPU 7%");
    f.figures->availableBytes = 300ULL * 1024 * 1024;
    fakes::FakeTimerFactory::fake(window.rules().statusBarTimer()).fire();
    EXPECT_EQ(window.panelText(3), " Mem 300  CPU 7%");
}

TEST_F(OptionsWindowFixture, FiguresApplyFollowsItsBox) {
    for (const bool on : {false, true}) {
        SendMessageW(window.optionsPage().figuresCheck(), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
        SendMessageW(window.optionsPage().applyFiguresButton(), BM_CLICK, 0, 0);
        EXPECT_EQ(state.figuresRunning(), on);
        EXPECT_EQ(state.optionCache(core::StoredOption::Figures), on ? "1" : "0");
    }
}

TEST_F(OptionsWindowFixture, ABlockedWindowRefusesToCloseAndAFreeOneTellsItClosed) {
    EnableWindow(window.hwnd(), FALSE);
    SendMessageW(window.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(window.hwnd()));
    EXPECT_TRUE(windows.closedWindows.empty());

    EnableWindow(window.hwnd(), TRUE);
    core::Timer& statusBarTimer = window.rules().statusBarTimer();
    SendMessageW(window.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(window.hwnd(), nullptr);
    EXPECT_EQ(windows.closedWindows, std::vector<core::Window>{core::Window::Options});
    EXPECT_FALSE(statusBarTimer.isActive());
}

TEST_F(OptionsWindowFixture, AWindowLoadedLaterShowsTheScheduledTaskAndTheOptionCaches) {
    state.changeTask([](core::ScheduledTask& task) {
        task.scheduled = true;
        task.daysText = "1";
        task.hoursText = "2";
        task.minutesText = "30";
        task.kind = "Run Program";
    });
    state.setOptionCache(core::StoredOption::HourlyBeep, "1");
    state.setOptionCache(core::StoredOption::Figures, "7"); // neither on nor off: the box stays
    win32::OptionsWindow loaded{f.services, state, settings, timers, windows};
    loaded.openOnSchedulePage();
    win32::SchedulePage& shown = loaded.schedulePage();
    EXPECT_EQ(SendMessageW(shown.scheduledCheck(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(win32::textOf(shown.triggerBox(TriggerBox::Days)), "1");
    EXPECT_EQ(win32::textOf(shown.triggerBox(TriggerBox::Hours)), "2");
    EXPECT_EQ(win32::textOf(shown.triggerBox(TriggerBox::Minutes)), "30");
    EXPECT_EQ(win32::textOf(shown.kindBox()), "Run Program");
    EXPECT_EQ(SendMessageW(shown.kindBox(), CB_GETCURSEL, 0, 0),
              static_cast<LRESULT>(core::TaskKind::RunProgram));
    EXPECT_EQ(loaded.panelText(2), "Task Name : Run Program");
    EXPECT_EQ(SendMessageW(loaded.optionsPage().hourlyBeepCheck(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(loaded.optionsPage().figuresCheck(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_TRUE(windows.editors.empty());
}

TEST_F(OptionsWindowFixture, TheMouseLightsAnApplyButtonAndItsPageTurnsItOff) {
    const std::pair<HWND, HWND> buttons[] = {
        {window.optionsPage().applyAutostartButton(), window.optionsPage().hwnd()},
        {window.optionsPage().applyFiguresButton(), window.optionsPage().hwnd()},
        {page().applyButton(), page().hwnd()},
        {window.optionsPage().warningRow().applyButton(), window.optionsPage().hwnd()}};
    for (const auto& [button, surface] : buttons) {
        EXPECT_EQ(win32::picture_button::picture(button), CORVANE_PICTURE_APPLY_NORMAL);
        SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
        EXPECT_EQ(win32::picture_button::picture(button), CORVANE_PICTURE_APPLY_HIGHLIGHTED);
        SendMessageW(surface, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
        EXPECT_EQ(win32::picture_button::picture(button), CORVANE_PICTURE_APPLY_NORMAL);
    }
}

TEST_F(OptionsWindowFixture, TheTriggerBoxesTipsTellWhenTheirUpTimeIsReachedOnTheClock) {
    struct Case {
        const wchar_t* trigger[3];
        std::uint64_t upMinutes;
        const wchar_t* clockLine; ///< none for a trigger Apply refuses
    };
    const Case cases[] = {
        {{L"0", L"1", L"30"}, 0, L"Reached at about 11:30 today"},
        {{L"2", L"4", L"0"}, 0, L"Reached at about 14:00 on 2024-10-06"},
        {{L"0", L"1", L"0"}, 61, L"Already passed"},
        {{L"0", L"0", L"0"}, 0, nullptr},
    };
    const TriggerBox boxes[] = {TriggerBox::Days, TriggerBox::Hours, TriggerBox::Minutes};
    const std::wstring names[] = {L"Days", L"Hours", L"Minutes"};
    for (const Case& c : cases) {
        f.clock->tick = c.upMinutes * 60'000;
        // Each box's change is heard: the last one's tip holds for all three.
        for (std::size_t i = 0; i < 3; ++i) {
            SetWindowTextW(page().triggerBox(boxes[i]), c.trigger[i]);
        }
        for (std::size_t i = 0; i < 3; ++i) {
            wchar_t tip[128] = {};
            TTTOOLINFOW tool{};
            tool.cbSize = sizeof tool;
            tool.hwnd = page().hwnd();
            tool.uId = reinterpret_cast<UINT_PTR>(page().triggerBox(boxes[i]));
            tool.lpszText = tip;
            SendMessageW(page().toolTips(), TTM_GETTEXTW, std::size(tip), reinterpret_cast<LPARAM>(&tool));
            EXPECT_EQ(tip, c.clockLine == nullptr ? names[i] : names[i] + L"\n" + c.clockLine) << c.clockLine;
        }
    }
}

TEST_F(OptionsWindowFixture, TheWarningsApplyStoresItsBoxAndShowsWhatIsStored) {
    win32::WarningOptionRow& row = window.optionsPage().warningRow();
    auto checked = [&row] { return SendMessageW(row.check(), BM_GETCHECK, 0, 0) == BST_CHECKED; };
    EXPECT_TRUE(checked()); // absent, it is on
    // A key that takes no value keeps the last one, and the box shows it.
    for (const auto& [ticked, writable, stored] :
         {std::tuple{false, true, 0U}, std::tuple{true, true, 1U}, std::tuple{false, false, 1U}}) {
        f.registry->currentUserWritable = writable;
        SendMessageW(row.check(), BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
        SendMessageW(row.applyButton(), BM_CLICK, 0, 0);
        EXPECT_EQ(f.registry->dword("HKCU\\Software\\Pellorin\\Corvane\\4.0", "TaskWarning"), stored);
        EXPECT_EQ(checked(), stored == 1U);
    }
}

} // namespace
