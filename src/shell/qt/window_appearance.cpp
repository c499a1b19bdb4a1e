#include "shell/qt/window_appearance.h"

#include <QEvent>
#include <QPoint>
#include <QPointer>
#include <QWindow>

namespace qtshell {

void setWindowAlpha(QWidget& window, int alpha) {
    // Qt keeps eight bits and cuts off the rest: 128 / 255.0 gives exactly 128.
    window.setWindowOpacity(alpha / 255.0);
}

namespace {

/// Makes the window active again, with the focus on the widget that had it, once its new
/// native window is on screen: a window manager that does not focus new windows by itself
/// ignores a request for a window it has not taken on yet.
class RefocusWhenShown final : public QObject {
public:
    RefocusWhenShown(QWidget& window, QWidget* focus) : QObject(&window), m_window(window), m_focus(focus) {
        window.windowHandle()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
            m_window.activateWindow();
            if (m_focus) {
                m_focus->setFocus(Qt::OtherFocusReason);
            }
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

private:
    QWidget& m_window;
    QPointer<QWidget> m_focus;
};

} // namespace

void setWindowOnTop(QWidget& window, bool onTop) {
    // Changing the hint makes a new native window, which the window manager would place anew
    // and need not make active: a switch made from the keyboard leaves the focus where it was,
    // on the button.
    const QPoint place = window.pos();
    // The window system's word: after an earlier switch the toolkit's active window may be unset
    // while the window has the focus.
    const bool wasActive = window.windowHandle() != nullptr && window.windowHandle()->isActive();
    QWidget* const focus = window.focusWidget();
    window.setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    window.move(place);
    window.show();
    if (wasActive && window.windowHandle() != nullptr) {
        new RefocusWhenShown(window, focus);
    }
}

} // namespace qtshell
