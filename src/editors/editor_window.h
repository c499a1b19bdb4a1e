#pragma once

#include "common/picture_button.h"
#include "platform/services.h"

#include <QComboBox>
#include <QList>
#include <QPointer>
#include <QWidget>

#include <functional>

/// What the three task editors share: the look, the OK picture button with its hover pictures,
/// and the imitated modality. An editor is shown modeless; each time it becomes the active
/// window it disables the other windows it was given, and it enables them again when it closes.
/// Escape closes it the way its close box does.
class EditorWindow : public QWidget {
    Q_OBJECT

public:
    /// Each time the editor becomes the active window.
    virtual void activate() = 0;
    /// When the editor closes, by OK or by the close box.
    virtual void unload() = 0;

    /// The mouse moved over OK: its highlighted picture.
    void highlightOk();
    /// Whether the editor has been closed (it is then deleted soon).
    bool isClosed() const { return m_closed; }

    /// OK, showing picture 1 (normal) or 2 (highlighted) of its list.
    PictureButton* okButton = nullptr;

protected:
    EditorWindow(platform::Services& services, const QList<QWidget*>& windowsToDisable, QComboBox* kindBox);

    /// The caption "Corvane" and the background colour of the window and of the frame.
    void setLook(QWidget* frame);
    void disableOtherWindows();
    void enableOtherWindows();
    /// Empties the text of the task-kind box of the Schedule Task page, if it is still open.
    void clearTaskKind();
    /// A message box with the exclamation icon and the title "Corvane".
    void showWarning(const QString& text);
    /// Makes OK at a place in twips on the parent; its hover pictures follow the mouse.
    void makeOkButton(QWidget* parent, int leftTwips, int topTwips);
    /// Calls handler for every mouse move over the surface itself (not over its child windows).
    void watchMouseMoves(QWidget* surface, std::function<void()> handler);
    /// Return in the box presses OK; with needsControl only Ctrl+Return does (a box of several
    /// lines, where Return starts a new line).
    void pressOkOnReturn(QWidget* box, bool needsControl);
    /// Twips to pixels across and down.
    int pixelsAcross(double twips) const;
    int pixelsDown(double twips) const;

    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    platform::Services& m_services;

private:
    QList<QPointer<QWidget>> m_windowsToDisable;
    QPointer<QComboBox> m_kindBox;
    QPointer<QWidget> m_mouseSurface;
    std::function<void()> m_mouseHandler;
    QPointer<QWidget> m_returnBox;
    bool m_returnNeedsControl = false;
    bool m_closed = false;
    double m_twipsPerPixelX = 15.0;
    double m_twipsPerPixelY = 15.0;
};
