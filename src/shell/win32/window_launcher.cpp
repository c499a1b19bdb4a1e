#include "shell/win32/window_launcher.h"

#include "shell/win32/about_window.h"
#include "shell/win32/options_window.h"
#include "shell/win32/task_editor_windows.h"

#include <commctrl.h>

#include <optional>

namespace win32 {

namespace {

constexpr UINT_PTR kBlockedSubclass = 0x424c4b; // any id of this program's own
/// The child of a blocked window that had the keyboard focus, to have it back.
constexpr const wchar_t* kFocusProperty = L"CorvaneFocusWhenBlocked";

LRESULT CALLBACK blockedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                             DWORD_PTR data);

/// Gives a window's remembered focus back and stops watching it.
void restoreFocus(HWND window) {
    auto* child = static_cast<HWND>(RemovePropW(window, kFocusProperty));
    RemoveWindowSubclass(window, blockedProc, kBlockedSubclass);
    if (child != nullptr && IsChild(window, child) != FALSE) {
        SetFocus(child);
    }
}

/// A blocked window: close requests refused while it is disabled; once freed, the focus given
/// back to the child that had it, the next time the window is active.
LRESULT CALLBACK blockedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR /*id*/,
                             DWORD_PTR /*data*/) {
    const bool closing = message == WM_CLOSE || (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE);
    if (closing && IsWindowEnabled(window) == FALSE) {
        return 0;
    }
    if (message == WM_NCDESTROY) {
        RemovePropW(window, kFocusProperty);
        RemoveWindowSubclass(window, blockedProc, kBlockedSubclass);
    } else if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE && IsWindowEnabled(window) != FALSE) {
        const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
        restoreFocus(window);
        return result;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

/// The window of a kind's editor; nothing for the kinds without one.
std::optional<core::Window> editorWindowOf(core::TaskKind kind) {
    switch (kind) {
    case core::TaskKind::Alert:
        return core::Window::AlertEditor;
    case core::TaskKind::RunProgram:
        return core::Window::ProgramEditor;
    case core::TaskKind::VisitWebsite:
        return core::Window::WebAddressEditor;
    default:
        return std::nullopt;
    }
}

} // namespace

void blockWindow(HWND window) {
    // Blocked once more, a window keeps the focus it remembered the first time.
    if (IsWindowEnabled(window) != FALSE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(window, focus) != FALSE) {
            SetPropW(window, kFocusProperty, focus);
        } else {
            RemovePropW(window, kFocusProperty);
        }
    }
    SetWindowSubclass(window, blockedProc, kBlockedSubclass, 0);
    EnableWindow(window, FALSE);
}

void freeWindow(HWND window) {
    EnableWindow(window, TRUE);
    // The focus comes back now if the window is active, else when it is next activated.
    if (GetActiveWindow() == window || GetPropW(window, kFocusProperty) == nullptr) {
        restoreFocus(window);
    }
}

WindowLauncher::WindowLauncher(HWND mainWindow, platform::Services& services, core::AppState& state,
                               core::SettingsStore& settings, core::TimerFactory& timers)
    : m_mainWindow(mainWindow), m_services(services), m_state(state), m_settings(settings), m_timers(timers) {
}

WindowLauncher::~WindowLauncher() {
    m_about.reset();
    m_editors.clear();
    m_options.reset();
    m_closed.clear();
}

OptionsWindow& WindowLauncher::optionsWindow() {
    if (!m_options) {
        m_options = std::make_unique<OptionsWindow>(m_services, m_state, m_settings, m_timers, *this);
    }
    return *m_options;
}

void WindowLauncher::openOptions() {
    optionsWindow().openOnOptionsPage();
}

void WindowLauncher::openScheduleTask() {
    optionsWindow().openOnSchedulePage();
}

void WindowLauncher::openAbout() {
    if (!m_about) {
        m_about = std::make_unique<AboutWindow>(m_services, *this);
    }
    m_about->show();
}

TaskEditorWindow* WindowLauncher::taskEditor(core::TaskKind kind) {
    const std::optional<core::Window> window = editorWindowOf(kind);
    if (!window) {
        return nullptr;
    }
    auto& editor = m_editors[*window];
    if (!editor) {
        editor = makeTaskEditor(kind, *this);
    }
    return editor.get();
}

void WindowLauncher::openTaskEditor(core::TaskKind kind, HWND owner) {
    if (TaskEditorWindow* editor = taskEditor(kind)) {
        editor->showAbove(owner);
    }
}

HWND WindowLauncher::find(core::Window window, bool createMissing) {
    switch (window) {
    case core::Window::Main:
        return m_mainWindow;
    case core::Window::Options:
        if (createMissing && !m_options) {
            optionsWindow().loadHidden();
        }
        return m_options ? m_options->hwnd() : nullptr;
    case core::Window::About:
        return m_about ? m_about->hwnd() : nullptr;
    case core::Window::AlertEditor:
        if (createMissing && !m_editors[window]) {
            taskEditor(core::TaskKind::Alert);
        }
        break;
    case core::Window::ProgramEditor:
    case core::Window::WebAddressEditor:
        break;
    }
    const auto editor = m_editors.find(window);
    return editor != m_editors.end() && editor->second ? editor->second->hwnd() : nullptr;
}

core::EditorContext WindowLauncher::editorContext() {
    return {m_services, m_state, *this, [this] {
                if (m_options) {
                    m_options->clearTaskKind();
                }
            }};
}

void WindowLauncher::block(core::Window window, core::Window /*blockedBy*/, bool createMissing) {
    if (HWND found = find(window, createMissing)) {
        blockWindow(found);
    }
}

void WindowLauncher::free(core::Window window) {
    if (HWND found = find(window, false)) {
        freeWindow(found);
    }
}

bool WindowLauncher::isHidden(core::Window window) {
    HWND found = find(window, false);
    return found != nullptr && IsWindowVisible(found) == FALSE;
}

void WindowLauncher::close(core::Window window) {
    closed(window);
}

void WindowLauncher::retire(std::shared_ptr<void> window) {
    if (window) {
        m_closed.push_back(std::move(window));
        PostMessageW(m_mainWindow, kDeleteClosedMessage, 0, 0);
    }
}

void WindowLauncher::closed(core::Window window) {
    switch (window) {
    case core::Window::Main:
        return;
    case core::Window::Options:
        retire(std::move(m_options));
        core::closeTiedWindows(*this, window);
        return;
    case core::Window::About:
        retire(std::move(m_about));
        return;
    case core::Window::AlertEditor:
    case core::Window::ProgramEditor:
    case core::Window::WebAddressEditor:
        if (const auto editor = m_editors.find(window); editor != m_editors.end()) {
            retire(std::move(editor->second));
            m_editors.erase(editor);
        }
        return;
    }
}

void WindowLauncher::deleteClosed() {
    // Moved out first: deleting a window may report another one closed.
    std::vector<std::shared_ptr<void>> closing = std::move(m_closed);
    m_closed.clear();
    closing.clear();
}

} // namespace win32
