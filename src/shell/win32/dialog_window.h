#pragma once

#include "core/window_blocking.h"
#include "shell/win32/controls.h"
#include "shell/win32/native_window.h"
#include "shell/win32/program_windows.h"

#include <windows.h>

#include <string>

namespace win32 {

/// A window that blocks the program's other windows while it is active and frees them when it
/// closes: the About window and the task editors. It has no owner of its own (blocking the
/// others must not block it with them), the keyboard of a dialog (Escape closes it), a
/// background colour behind its controls, and on closing it tells the launcher.
class DialogWindow : public NativeWindow {
public:
    /// Which of the program's windows it is.
    core::Window window() const { return m_window; }

protected:
    DialogWindow(ProgramWindows& windows, core::Window window, COLORREF background);

    /// Makes the window, hidden; false when the system refuses it.
    bool createDialog(const wchar_t* className, const std::wstring& title);
    /// Centred on around (or on the screen) inside the work area of that monitor when it is
    /// not shown yet, then shown as the active window.
    void showCentredOn(HWND around);
    /// Closes the window as its close box does.
    void close();
    /// The background and the colour of the controls' texts on it.
    void setColours(COLORREF background, COLORREF text);
    HBRUSH background() const { return m_background.handle(); }

    /// The control that has the keyboard focus when the window first becomes active.
    virtual HWND firstFocus() const = 0;
    /// The core's rules: the window became active, the window closes.
    virtual void activate() = 0;
    virtual void unload() = 0;
    /// A command other than Escape's.
    virtual void command(int /*id*/, int /*code*/, HWND /*control*/) {}

    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    ProgramWindows& m_windows;

private:
    core::Window m_window;
    COLORREF m_backgroundColour;
    COLORREF m_textColour = RGB(0, 0, 0);
    Brush m_background;
    /// The control that had the focus when the window last went inactive.
    HWND m_lastFocus = nullptr;
    bool m_closed = false;
};

} // namespace win32
