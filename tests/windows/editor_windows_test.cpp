// The task editors' and the About window on fake services under the system's window manager:
// OK, Enter, Tab, Escape and the close box reach the core's rules; a paste keeps the first line;
// Browse hands the window to the dialog; OK lights up under the mouse; a blocked editor stays.
#include "core/app_state.h"
#include "fakes/fake_services.h"
#include "shell/win32/about_window.h"
#include "shell/win32/alert_editor.h"
#include "shell/win32/program_editor.h"
#include "shell/win32/resource_ids.h"
#include "shell/win32/task_editor_windows.h"
#include "shell/win32/web_address_editor.h"

#include <gtest/gtest.h>

#include <objbase.h>

#include <string>
#include <vector>

namespace {

/// Records what is blocked and freed ("0 made off": the main window, made hidden when missing).
struct RecordingBlocker final : core::WindowBlocker {
    std::vector<std::string> log;
    void block(core::Window window, core::Window /*by*/, bool createMissing) override {
        log.push_back(std::to_string(static_cast<int>(window)) + (createMissing ? " made off" : " off"));
    }
    void free(core::Window window) override {
        log.push_back(std::to_string(static_cast<int>(window)) + " on");
    }
};

struct EditorWindowsTest : ::testing::Test, win32::ProgramWindows {
    fakes::FakeServices f;
    core::AppState state;
    RecordingBlocker blocking;
    std::vector<core::Window> closedWindows;
    int kindCleared = 0;

    EditorWindowsTest() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~EditorWindowsTest() override { CoUninitialize(); }
    void SetUp() override {
        // Without a display Wine makes windows only with its null graphics driver
        // (HKCU\Software\Wine\Drivers, Graphics = "null").
        HWND probe =
            CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        if (probe == nullptr) {
            GTEST_SKIP() << "the system makes no windows here";
        }
        DestroyWindow(probe);
    }
    void openAbout() override {}
    void openTaskEditor(core::TaskKind, HWND) override {}
    HWND find(core::Window, bool) override { return nullptr; }
    core::WindowBlocker& blocker() override { return blocking; }
    core::EditorContext editorContext() override {
        return {f.services, state, blocking, [this] { ++kindCleared; }};
    }
    void closed(core::Window window) override { closedWindows.push_back(window); }

    /// A key typed into a control of a shown editor, as the message loop hands it to the
    /// dialog manager.
    static void press(win32::TaskEditorWindow& editor, HWND control, WPARAM key) {
        editor.showAbove(nullptr);
        SetFocus(control);
        MSG message{control, WM_KEYDOWN, key, 1, 0, {}};
        IsDialogMessageW(editor.hwnd(), &message);
    }
    static void clickOk(win32::TaskEditorWindow& editor) {
        SendMessageW(editor.hwnd(), WM_COMMAND, MAKEWPARAM(win32::EditorWindow::kOkId, BN_CLICKED), 0);
    }
};

TEST_F(EditorWindowsTest, OkAndEnterTakeAValueEscapeAndABareValueLeaveTheRecord) {
    auto editor = win32::makeTaskEditor(core::TaskKind::VisitWebsite, *this);
    ASSERT_NE(editor, nullptr);
    HWND box = GetDlgItem(editor->hwnd(), win32::WebAddressEditor::kAddressId);
    EXPECT_EQ(GetWindowTextLengthW(box), 7); // "http://"
    EXPECT_FALSE(IsWindowVisible(editor->hwnd()));

    clickOk(*editor);
    EXPECT_EQ(f.messages->shown, fakes::oneBox("Please type the URL.", platform::MessageIcon::Exclamation));
    EXPECT_TRUE(closedWindows.empty());

    SetWindowTextW(box, L"http://example.org/");
    press(*editor, box, VK_RETURN);
    EXPECT_EQ(state.task().webAddress, "http://example.org/");
    EXPECT_EQ(closedWindows, std::vector<core::Window>{core::Window::WebAddressEditor});
    EXPECT_EQ(kindCleared, 0);

    closedWindows.clear();
    auto programEditor = win32::makeTaskEditor(core::TaskKind::RunProgram, *this);
    ASSERT_NE(programEditor, nullptr);
    const std::string before = state.task().program;
    press(*programEditor, GetDlgItem(programEditor->hwnd(), win32::ProgramEditor::kPathId), VK_ESCAPE);
    EXPECT_EQ(closedWindows, std::vector<core::Window>{core::Window::ProgramEditor});
    EXPECT_EQ(kindCleared, 1);
    EXPECT_EQ(state.task().program, before);
    EXPECT_EQ(win32::makeTaskEditor(core::TaskKind::Hibernate, *this), nullptr);
}

TEST_F(EditorWindowsTest, APasteKeepsTheFirstLineWithinTheLimitAndABlockedEditorStays) {
    auto editor = win32::makeTaskEditor(core::TaskKind::RunProgram, *this);
    ASSERT_NE(editor, nullptr);
    HWND box = GetDlgItem(editor->hwnd(), win32::ProgramEditor::kPathId);
    const std::wstring pasted = L"C:\\Tools\\run.exe\rsecond line\r\nthird";
    ASSERT_NE(OpenClipboard(editor->hwnd()), 0);
    EmptyClipboard();
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, (pasted.size() + 1) * sizeof(wchar_t));
    std::copy(pasted.c_str(), pasted.c_str() + pasted.size() + 1, static_cast<wchar_t*>(GlobalLock(data)));
    GlobalUnlock(data);
    SetClipboardData(CF_UNICODETEXT, data);
    CloseClipboard();

    SetWindowTextW(box, L"[]");
    SendMessageW(box, EM_SETSEL, 1, 1);
    SendMessageW(box, WM_PASTE, 0, 0);
    EXPECT_EQ(win32::textOf(box), "[C:\\Tools\\run.exe]");
    SetWindowTextW(box, std::wstring(95, L'x').c_str());
    SendMessageW(box, EM_SETSEL, 95, 95);
    SendMessageW(box, WM_PASTE, 0, 0);
    EXPECT_EQ(win32::textOf(box), std::string(95, 'x') + "C:\\To"); // typing stops at 100 characters

    EnableWindow(editor->hwnd(), FALSE);
    SendMessageW(editor->hwnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(closedWindows.empty());
    EnableWindow(editor->hwnd(), TRUE);
    SendMessageW(editor->hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(closedWindows, std::vector<core::Window>{core::Window::ProgramEditor});
    EXPECT_EQ(kindCleared, 0); // the path box is not empty
}

TEST_F(EditorWindowsTest, TheAlertBoxKeepsEnterAndPassesTabAndOkTakesTheMessageAndSound) {
    auto editor = win32::makeTaskEditor(core::TaskKind::Alert, *this);
    ASSERT_NE(editor, nullptr);
    HWND box = GetDlgItem(editor->hwnd(), win32::AlertEditor::kMessageId);
    clickOk(*editor);
    EXPECT_EQ(f.messages->shown,
              fakes::oneBox("Please type the Message.", platform::MessageIcon::Exclamation));

    SetWindowTextW(box, L"Back up\r\nnow");
    press(*editor, box, VK_RETURN); // a new line, not OK
    EXPECT_TRUE(closedWindows.empty());
    press(*editor, box, VK_TAB);
    HWND playSound = GetDlgItem(editor->hwnd(), win32::AlertEditor::kPlaySoundId);
    EXPECT_EQ(GetFocus(), playSound);
    const bool played = state.task().playSound;
    SendMessageW(playSound, BM_CLICK, 0, 0);
    clickOk(*editor);
    EXPECT_EQ(state.task().message, "Back up\r\nnow");
    EXPECT_EQ(state.task().playSound, !played);
    EXPECT_EQ(closedWindows, std::vector<core::Window>{core::Window::AlertEditor});
}

TEST_F(EditorWindowsTest, BrowseAsksOverTheEditorAndALongerChoiceStaysWhole) {
    auto editor = win32::makeTaskEditor(core::TaskKind::RunProgram, *this);
    ASSERT_NE(editor, nullptr);
    const std::string chosen = "C:\\Programs\\" + std::string(110, 'p') + ".exe";
    f.fileDialog->results.push_back(chosen);
    SendMessageW(editor->hwnd(), WM_COMMAND, MAKEWPARAM(win32::ProgramEditor::kBrowseId, BN_CLICKED), 0);
    ASSERT_EQ(f.fileDialog->calls.size(), 1U);
    EXPECT_EQ(f.fileDialog->calls[0].parent, editor->hwnd());
    HWND box = GetDlgItem(editor->hwnd(), win32::ProgramEditor::kPathId);
    EXPECT_EQ(win32::textOf(box), chosen);
    SendMessageW(box, WM_CHAR, L'x', 0); // typing stops at the chosen path's length
    EXPECT_EQ(win32::textOf(box), chosen);
}

TEST_F(EditorWindowsTest, OkLightsUpUnderTheMouseAndTheFrameRestoresIt) {
    auto editor = win32::makeTaskEditor(core::TaskKind::VisitWebsite, *this);
    ASSERT_NE(editor, nullptr);
    HWND ok = GetDlgItem(editor->hwnd(), win32::EditorWindow::kOkId);
    const struct {
        HWND over;
        POINT at;
        int picture;
    } moves[] = {{ok, {5, 5}, CORVANE_PICTURE_OK_HIGHLIGHTED},
                 {editor->hwnd(), {2, 2}, CORVANE_PICTURE_OK_HIGHLIGHTED}, // the margin around the frame
                 {editor->hwnd(), {editor->px(360), editor->px(1200)}, CORVANE_PICTURE_OK_NORMAL}};
    for (const auto& move : moves) {
        SendMessageW(move.over, WM_MOUSEMOVE, 0, MAKELPARAM(move.at.x, move.at.y));
        EXPECT_EQ(win32::picture_button::picture(ok), move.picture) << move.at.x << "," << move.at.y;
    }
}

TEST_F(EditorWindowsTest, TheAboutWindowBlocksWhileActiveAndEscapeFreesAndClosesIt) {
    win32::AboutWindow about(f.services, *this);
    about.show();
    EXPECT_EQ(blocking.log, (std::vector<std::string>{"0 made off", "1 made off", "2 made off"}));
    blocking.log.clear();
    MSG escape{GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1, 0, {}};
    IsDialogMessageW(about.hwnd(), &escape);
    EXPECT_EQ(blocking.log, (std::vector<std::string>{"0 on", "1 on", "2 on"}));
    EXPECT_EQ(closedWindows, std::vector<core::Window>{core::Window::About});
    EXPECT_FALSE(IsWindowVisible(about.hwnd()));
}

} // namespace
