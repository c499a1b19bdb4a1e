#include "shell/qt/empty_title.h"

#include <QEvent>

namespace qtshell {

EmptyTitleGuard::EmptyTitleGuard(QWidget& window, platform::Screen& screen)
    : QObject(&window), m_window(window), m_screen(screen) {
    m_window.installEventFilter(this);
}

WId EmptyTitleGuard::nativeWindowId(const QWidget& window) {
    const QWindow* handle = window.windowHandle();
    // winId() would make a native window where there is none yet.
    return handle != nullptr && handle->handle() != nullptr ? handle->winId() : 0;
}

bool EmptyTitleGuard::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_window) {
        switch (event->type()) {
        case QEvent::WindowTitleChange:
        case QEvent::WinIdChange:
        case QEvent::Show:
            if (m_window.windowHandle() != m_watchedHandle) {
                m_watchedHandle = m_window.windowHandle();
                if (m_watchedHandle) {
                    m_watchedHandle->installEventFilter(this);
                }
            }
            clearIfEmpty();
            break;
        default:
            break;
        }
    } else if (watched == m_watchedHandle && event->type() == QEvent::Expose &&
               nativeWindowId(m_window) != m_cleared) {
        // On X11 a change of the on-top band makes a new native window while the window is
        // shown, and nothing but its first exposure tells of it.
        clearIfEmpty();
    }
    return false;
}

void EmptyTitleGuard::clearIfEmpty() {
    m_cleared = 0;
    if (m_window.windowTitle().isEmpty()) {
        m_cleared = nativeWindowId(m_window);
        if (m_cleared != 0) {
            m_screen.clearWindowTitle(m_cleared);
        }
    }
}

} // namespace qtshell
