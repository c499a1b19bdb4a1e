#pragma once

// The look that the Options and Schedule Task window shares with its two pages: the designed
// colours, controls placed in twips and placed anew at another density, links drawn as
// underlined text, tool tips, and names for screen readers.

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace win32 {

class NativeWindow;

/// The designed background of the pages, and the tab bar's blue.
constexpr COLORREF kDesignBackground = RGB(166, 193, 232);
constexpr COLORREF kTabBarColour = RGB(96, 143, 224);
/// The links on the tab bar: white does not read on its blue, so they take the nearest dark
/// shade of that blue that does (a contrast of 4.5).
constexpr COLORREF kTabBarLinkColour = RGB(15, 40, 79);
/// The Test link on the Options page.
constexpr COLORREF kPageLinkColour = RGB(0, 0, 255);

/// The windows' face for labels and links.
constexpr const wchar_t* kLabelFace = L"Tahoma";
constexpr double kLabelPoints = 8.25;

/// A picture of the window's list as a resource: 1 a tab not selected, 2 a tab selected, 3 and 4
/// Apply normal and highlighted.
int listPicture(int index);

/// A rectangle in twips.
struct Twips {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

/// A rectangle in twips as pixels at a window's density.
RECT pixels(const NativeWindow& window, const Twips& twips);

/// The controls of a surface and their places in twips, to be placed again at another density.
class TwipsLayout final {
public:
    HWND add(HWND control, const Twips& twips);
    void place(const NativeWindow& window) const;

private:
    std::vector<std::pair<HWND, Twips>> m_controls;
};

/// A solid brush the object owns.
class Brush final {
public:
    explicit Brush(COLORREF colour) : m_brush(CreateSolidBrush(colour)) {}
    ~Brush() { DeleteObject(m_brush); }
    Brush(const Brush&) = delete;
    Brush& operator=(const Brush&) = delete;
    HBRUSH handle() const { return m_brush; }

private:
    HBRUSH m_brush;
};

/// Paints a control's text in a colour over a brush (WM_CTLCOLORSTATIC / WM_CTLCOLORBTN).
LRESULT colourControl(WPARAM dc, COLORREF text, const Brush& background);

/// A link: an owner-drawn button that shows its text underlined in a colour; Tab reaches it,
/// Space presses it and a focus rectangle shows the keyboard focus.
HWND makeLink(HWND parent, int id, const std::wstring& text, COLORREF colour, const RECT& pixels);
/// Draws a link for WM_DRAWITEM; false for a control that is not a link.
bool drawLink(const DRAWITEMSTRUCT& item);
bool isLink(HWND control);
/// The hand over a link (WM_SETCURSOR); false for other controls.
bool setLinkCursor(HWND control);

/// A tool tip window for the controls of a surface.
HWND makeToolTips(HWND surface);
void addToolTip(HWND toolTips, HWND control, const std::wstring& text);

/// What a screen reader speaks for a control that shows no text of its own, and what it says
/// a control does.
void setAccessibleName(HWND control, const std::wstring& name);
void setAccessibleDescription(HWND control, const std::wstring& description);

/// The visible, enabled control of a surface that Tab reaches first, or null.
HWND firstTabStop(HWND surface);

/// A child window that holds a page's controls on the designed background: the dialog manager
/// walks into it with Tab. The derived page gets the messages the surface does not answer.
class PageSurface {
public:
    PageSurface() = default;
    virtual ~PageSurface();
    PageSurface(const PageSurface&) = delete;
    PageSurface& operator=(const PageSurface&) = delete;

    HWND hwnd() const { return m_hwnd; }

protected:
    /// Makes the surface, hidden, at a place in pixels.
    void create(HWND parent, const RECT& pixels);
    /// The page's messages; the default hands them to DefWindowProcW.
    virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    /// The mouse moved over the surface itself (not over one of its controls).
    virtual void mouseMoved() {}
    /// Paints what the surface shows besides its controls.
    virtual void paint(HDC /*dc*/) {}

    const Brush& background() const { return m_background; }

private:
    static LRESULT CALLBACK surfaceProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT surfaceMessage(UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hwnd = nullptr;
    Brush m_background{kDesignBackground};
};

} // namespace win32
