#include "shell/qt/window_blocking.h"

#include <QCloseEvent>
#include <QPointer>

namespace qtshell {

namespace {

constexpr char kFocusProperty[] = "corvaneFocusWhenBlocked";

/// Refuses close requests to its window while the window is disabled.
class CloseGuard final : public QObject {
public:
    CloseGuard(QWidget* window, QWidget* blockedBy) : QObject(window), blocker(blockedBy) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* window = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::Close && !window->isEnabled()) {
            event->ignore();
            return true;
        }
        return false;
    }

    QPointer<QWidget> blocker;
};

CloseGuard* guardOf(QWidget* window) {
    for (QObject* child : window->children()) {
        if (auto* guard = dynamic_cast<CloseGuard*>(child)) {
            return guard;
        }
    }
    return nullptr;
}

} // namespace

void blockWindow(QWidget* window, QWidget* blocker) {
    if (window->isEnabled()) {
        window->setProperty(kFocusProperty, QVariant::fromValue<QObject*>(window->focusWidget()));
    }
    if (CloseGuard* guard = guardOf(window)) {
        guard->blocker = blocker;
    } else {
        window->installEventFilter(new CloseGuard(window, blocker));
    }
    window->setEnabled(false);
}

void freeWindow(QWidget* window) {
    delete guardOf(window);
    window->setEnabled(true);
    auto* saved = window->property(kFocusProperty).value<QObject*>();
    window->setProperty(kFocusProperty, QVariant());
    // Compared, never followed: the widget may be gone meanwhile.
    for (QWidget* child : window->findChildren<QWidget*>()) {
        if (child == saved) {
            child->setFocus();
            return;
        }
    }
}

void showWindow(QWidget* window) {
    window->show();
    const CloseGuard* guard = window->isEnabled() ? nullptr : guardOf(window);
    QWidget* blocker = guard != nullptr ? guard->blocker.data() : nullptr;
    if (blocker != nullptr && blocker->isVisible()) {
        blocker->raise();
        blocker->activateWindow();
        return;
    }
    window->raise();
    window->activateWindow();
}

QWidget* QtWindowBlocker::find(core::Window window, bool createMissing) const {
    const auto it = m_finders.find(window);
    return it == m_finders.end() || !it->second ? nullptr : it->second(createMissing);
}

void QtWindowBlocker::block(core::Window window, core::Window blockedBy, bool createMissing) {
    if (QWidget* w = find(window, createMissing)) {
        blockWindow(w, find(blockedBy, false));
    }
}

void QtWindowBlocker::free(core::Window window) {
    if (QWidget* w = find(window, false)) {
        freeWindow(w);
    }
}

bool QtWindowBlocker::isHidden(core::Window window) {
    const QWidget* w = find(window, false);
    return w != nullptr && !w->isVisible();
}

void QtWindowBlocker::close(core::Window window) {
    if (QWidget* w = find(window, false)) {
        w->close();
    }
}
} // namespace qtshell
