#pragma once

#include "core/design/task_editors_design.h"
#include "core/hover_pictures.h"
#include "shell/win32/controls.h"
#include "shell/win32/task_editor_windows.h"

#include <string>

namespace win32 {

/// What the three task editors' windows share: the caption "Corvane" and the designed
/// background, OK as a picture button with its hover pictures, and Enter as each editor
/// decides.
class EditorWindow : public TaskEditorWindow, public core::HoverView {
public:
    void showAbove(HWND owner) override;

    // core::HoverView
    void showButtonPicture(core::HoverButton button, core::ButtonLook look) override;

    /// The OK picture button's command id; Enter reaches the window as IDOK instead.
    static constexpr int kOkId = 100;

protected:
    /// The editor as designed, and the rectangle in twips of the surface whose mouse moves
    /// restore OK.
    EditorWindow(ProgramWindows& windows, core::Window window, core::HoverButton okHover,
                 core::HoverSurface okSurface, const core::design::task_editors::Editor& look,
                 const core::design::Rect& okSurfaceTwips);
    ~EditorWindow() override;

    /// Makes the window hidden, then its controls (makeControls, in Tab order) and places them.
    bool createEditor(const wchar_t* className);
    /// Makes the controls with ids; their places follow from placeControls.
    virtual void makeControls() = 0;
    /// Places every control at the window's density.
    virtual void placeControls() = 0;
    /// The box that has the focus when the editor opens, and in which Enter presses OK (in a
    /// box of several lines, Ctrl+Enter: Enter starts a new line there).
    virtual HWND mainBox() const = 0;
    HWND firstFocus() const override { return mainBox(); }
    /// The core's rule for OK.
    virtual void accept() = 0;
    /// A control's command other than OK and the keyboard's Enter and Escape.
    virtual void controlCommand(int /*id*/, int /*code*/, HWND /*control*/) {}

    /// Makes OK, showing its normal picture.
    HWND makeOkButton();
    /// Places a control at a rectangle in twips of the client area.
    void place(HWND control, const core::design::Rect& twips) const;
    HWND toolTips() const { return m_toolTips; }
    const Font& font() const { return m_font; }

    void command(int id, int code, HWND control) override;
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void dpiChanged() override;

private:
    void layOut();
    /// Enter: OK in the main box, a press on the button that has the focus, else nothing.
    void enterPressed(HWND focus);
    /// OK's picture for a look.
    static int okPictureId(core::ButtonLook look);

    core::HoverButton m_okHover;
    core::HoverSurface m_okSurface;
    const core::design::task_editors::Editor& m_design;
    core::design::Rect m_okSurfaceTwips;
    Font m_font;
    HWND m_okButton = nullptr;
    HWND m_toolTips = nullptr;
};

} // namespace win32
