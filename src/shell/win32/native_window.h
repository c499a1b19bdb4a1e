#pragma once

#include <windows.h>

#include <string>

namespace win32 {

/// A top-level window of the program: a window class of its own, its messages handed to the
/// derived class, its size and fonts scaled for the monitor it is on. The object owns the
/// window: destroying the object destroys the window.
class NativeWindow {
public:
    NativeWindow() = default;
    virtual ~NativeWindow();
    NativeWindow(const NativeWindow&) = delete;
    NativeWindow& operator=(const NativeWindow&) = delete;

    HWND hwnd() const { return m_hwnd; }
    /// The dots per inch of the monitor the window is on (96 at 100 %).
    int dpi() const { return m_dpi; }
    /// Twips (1440 an inch) as whole pixels at the window's dots per inch.
    int px(double twips) const;
    /// Design pixels (at 96 dots per inch) as pixels at the window's dots per inch.
    int scaled(int designPixels) const;

protected:
    /// Makes the window; the class is registered on first use, with the program's icon.
    /// Position and size are in pixels. A top-level window with controls shows focus
    /// rectangles once the keyboard is used. Returns false when the system refuses.
    bool create(const wchar_t* className, DWORD style, DWORD exStyle, const std::wstring& title, HWND owner,
                int x, int y, int width, int height);
    /// Sizes the window for a client area of width by height pixels, its frame as its styles
    /// make it at the window's density.
    void setClientSize(int width, int height);
    /// The window's messages; the default hands them to DefWindowProcW.
    virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    /// After the window moved to a monitor of another density: fonts and layout anew. The
    /// window's rectangle is already the one the system suggested.
    virtual void dpiChanged() {}
    /// The window is gone (WM_NCDESTROY); hwnd() is null from here on.
    virtual void destroyed() {}

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hwnd = nullptr;
    int m_dpi = 96;
};

/// The executable's module, for its resources and window classes.
HINSTANCE instance();

/// The dots per inch of a window's monitor, or the system's when the window has none yet.
int dpiOf(HWND hwnd);

} // namespace win32
