#pragma once

// Helpers every window of the Windows shell builds its controls with: fonts at the window's
// density, standard child controls placed in pixels, UTF-8 texts, and owner-drawn picture
// buttons that draw the program's pictures.

#include "core/design/design.h"

#include <windows.h>

#include <functional>
#include <string>

namespace win32 {

/// A GDI object (a font, a brush) the object owns: DeleteObject when it goes.
template <typename Handle> class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : m_handle(handle) {}
    ~GdiObject() { release(); }
    GdiObject(GdiObject&& other) noexcept : m_handle(other.m_handle) { other.m_handle = nullptr; }
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) {
            release();
            m_handle = other.m_handle;
            other.m_handle = nullptr;
        }
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    Handle handle() const { return m_handle; }

private:
    void release() {
        if (m_handle != nullptr) {
            DeleteObject(m_handle);
        }
    }

    Handle m_handle = nullptr;
};

class Font final : public GdiObject<HFONT> {
public:
    Font() = default;
    /// The face at a size in points, at dots per inch dpi.
    Font(const wchar_t* face, double points, int dpi, bool bold = false, bool underline = false);
};

/// A solid brush.
class Brush final : public GdiObject<HBRUSH> {
public:
    explicit Brush(COLORREF colour) : GdiObject(CreateSolidBrush(colour)) {}
};

/// A colour of the design.
constexpr COLORREF colorref(core::design::Colour colour) {
    return RGB(colour.red, colour.green, colour.blue);
}

/// The designed background of the editors, the pages and their frames.
constexpr COLORREF kDesignBackground = colorref(core::design::kPageBackground);

/// Paints a control's text in a colour over a brush: the answer to WM_CTLCOLORSTATIC and
/// WM_CTLCOLORBTN.
LRESULT colourControl(WPARAM dc, COLORREF text, const Brush& background);

/// The system's font for dialogs ("Segoe UI" 9 pt, as message boxes use), at a density.
Font dialogFont(int dpi);

/// A child control: a window class (WC_STATIC, WC_BUTTON, WC_EDIT, WC_COMBOBOX, ...), its
/// text, styles (WS_CHILD | WS_VISIBLE are added), command id and rectangle in pixels.
HWND makeControl(HWND parent, const wchar_t* className, const std::wstring& text, DWORD style, int id,
                 const RECT& pixels, DWORD exStyle = 0);
/// Sets a window's or control's font (and redraws it).
void setFont(HWND control, const Font& font);

/// A window's or control's text as UTF-8, and back.
std::string textOf(HWND window);
void setText(HWND window, const std::string& utf8);
std::wstring wide(const std::string& utf8);

/// A check box without a text of its own (a separate label names it) shows the keyboard focus
/// around its box, where the system would draw it around the text.
void showFocusAroundBox(HWND checkBox);

/// Whether a control is an owner-drawn BUTTON: a picture button or a text link.
bool isOwnerDrawnButton(HWND control);
/// WM_SETCURSOR in the owner: the pointing hand over its owner-drawn buttons. Returns whether
/// it set the pointer.
bool setHandCursor(HWND over, LPARAM hitTest);

/// Owner-drawn picture buttons (a BUTTON with BS_OWNERDRAW): the owner forwards WM_DRAWITEM
/// here. The button keeps the resource id of the picture it shows; Space and Enter press it as
/// any button, and a focus rectangle shows the keyboard focus.
namespace picture_button {
/// Makes one showing a picture (resource id), with a tool tip's text for screen readers.
HWND make(HWND parent, int id, int pictureId, const RECT& pixels, const std::wstring& accessibleName);
/// Makes a button one of two states for screen readers (a check box), checked while it shows
/// the picture checkedPictureId.
void makeToggle(HWND button, int checkedPictureId);
void setPicture(HWND button, int pictureId);
int picture(HWND button);
/// Draws a button for WM_DRAWITEM; returns false for a control that is not a picture button.
bool draw(const DRAWITEMSTRUCT& item);
/// Calls onMouseMove whenever the mouse moves over the button (its hover picture).
void onMouseMove(HWND button, std::function<void()> onMouseMove);
} // namespace picture_button

} // namespace win32
