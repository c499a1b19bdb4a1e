// The task editors' windows on fake services under the system's window manager: OK, Enter,
// Escape and the close box reach the core's rules; a paste keeps the first line; a blocked
// editor stays open.
#include "core/app_state.h"
#include "shell/win32/program_editor.h"
#include "shell/win32/task_editor_windows.h"
#include "shell/win32/web_address_editor.h"

#include <gtest/gtest.h>

#include <objbase.h>

#include <string>
#include <vector>

namespace {

struct RecordedBoxes final : platform::MessageBoxes {
    std::vector<std::string> texts;
    void show(const std::string& text, const std::string& /*title*/,
              platform::MessageIcon /*icon*/) override {
        texts.push_back(text);
    }
};

struct NoBlocking final : core::WindowBlocker {
    void block(core::Window, core::Window, bool) override {}
    void free(core::Window) override {}
};

struct EditorWindowsTest : ::testing::Test, win32::ProgramWindows {
    platform::Services services;
    RecordedBoxes* boxes = nullptr;
    core::AppState state;
    NoBlocking blocking;
    std::vector<core::Window> closedWindows;
    int kindCleared = 0;

    EditorWindowsTest() {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        auto recorded = std::make_unique<RecordedBoxes>();
        boxes = recorded.get();
        services.messages = std::move(recorded);
    }
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
        return {services, state, blocking, [this] { ++kindCleared; }};
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
};

TEST_F(EditorWindowsTest, OkAndEnterTakeAValueEscapeAndABareValueLeaveTheRecord) {
    auto editor = win32::makeTaskEditor(core::TaskKind::VisitWebsite, *this);
    ASSERT_NE(editor, nullptr);
    HWND box = GetDlgItem(editor->hwnd(), win32::WebAddressEditor::kAddressId);
    EXPECT_EQ(GetWindowTextLengthW(box), 7); // "http://"
    EXPECT_FALSE(IsWindowVisible(editor->hwnd()));

    SendMessageW(editor->hwnd(), WM_COMMAND, MAKEWPARAM(win32::EditorWindow::kOkId, BN_CLICKED), 0);
    EXPECT_EQ(boxes->texts, std::vector<std::string>{"Please type the URL."});
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

} // namespace
