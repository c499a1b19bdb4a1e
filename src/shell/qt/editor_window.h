#pragma once

#include "core/design/task_editors_design.h"
#include "core/hover_pictures.h"
#include "platform/services.h"
#include "shell/qt/picture_button.h"

#include <QPointer>
#include <QWidget>

#include <functional>

namespace qtshell {

/// The OK button the three editors share, kept to the editors themselves (a protected base);
/// the tests find it by its name.
struct EditorOkButton {
    /// OK, showing picture 1 (normal) or 2 (highlighted) of its list.
    PictureButton* okButton = nullptr;
};

/// What the three task editors' windows share: the look, the OK picture button with its hover
/// pictures, Escape and the window events that the core's editor rules hear of. An editor is
/// shown modeless; each time it becomes the active window it blocks the windows its rules name,
/// and it frees them again when it closes.
class EditorWindow : public QWidget, public core::HoverView, protected EditorOkButton {
    Q_OBJECT

public:
    /// Each time the editor becomes the active window.
    virtual void activate() = 0;
    /// When the editor closes, by OK or by the close box.
    virtual void unload() = 0;

    /// The mouse moved over OK: its highlighted picture.
    void highlightOk();
    /// The mouse moved over the surface that holds OK: its normal picture.
    void restoreOk();
    /// Whether the editor has been closed (it is then deleted soon).
    bool isClosed() const { return m_closed; }

    // core::HoverView
    void showButtonPicture(core::HoverButton button, core::ButtonLook look) override;

protected:
    /// okHover and okSurface name OK and the surface that restores it in the hover table.
    EditorWindow(platform::Services& services, core::HoverButton okHover, core::HoverSurface okSurface);

    /// The caption "Corvane" and the background colour of the window and of the frame.
    void setLook(QWidget* frame);
    /// Makes OK as designed on the parent, at the place within it; its hover pictures follow
    /// the mouse.
    void makeOkButton(QWidget* parent, const core::design::task_editors::Editor& look,
                      const core::design::Rect& within = {});
    /// Restores OK for every mouse move over the surface itself (not over its child windows).
    void watchMouseMoves(QWidget* surface);
    /// Return in the box presses OK; with needsControl only Ctrl+Return does (a box of several
    /// lines, where Return starts a new line).
    void pressOkOnReturn(QWidget* box, bool needsControl);
    /// Twips to pixels across and down.
    int pixelsAcross(double twips) const;
    int pixelsDown(double twips) const;
    /// A rectangle of the client area in twips as pixels on a child placed at within.
    QRect pixels(const core::design::Rect& twips, const core::design::Rect& within = {}) const;

    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    platform::Services& m_services;

private:
    core::HoverButton m_okHover;
    core::HoverSurface m_okSurface;
    QPointer<QWidget> m_mouseSurface;
    QPointer<QWidget> m_returnBox;
    bool m_returnNeedsControl = false;
    bool m_closed = false;
    double m_twipsPerPixelX = 15.0;
    double m_twipsPerPixelY = 15.0;
};

} // namespace qtshell
