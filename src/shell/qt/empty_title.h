#pragma once

#include "platform/screen.h"

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace qtshell {

/// Keeps the window system's title of a window empty while the window's own title is empty.
/// The toolkit writes the program's name in place of an empty title into every native window it
/// makes for the window (a new one at each change of the on-top band) and at every change of
/// the title; the guard clears it again after each, whatever their order.
class EmptyTitleGuard final : public QObject {
public:
    EmptyTitleGuard(QWidget& window, platform::Screen& screen);

    /// The id of the native window that shows window now, 0 while it has none. After a change
    /// of the band the widget's own id may still name the window that was.
    static WId nativeWindowId(const QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void clearIfEmpty();

    QWidget& m_window;
    platform::Screen& m_screen;
    QPointer<QWindow> m_watchedHandle;
    /// The native window whose title was cleared last, 0 while the title is not empty.
    WId m_cleared = 0;
};

} // namespace qtshell
