#include "common/window_blocking.h"

namespace {

constexpr char kFocusProperty[] = "corvaneFocusWhenBlocked";

} // namespace

void blockWindow(QWidget* window) {
    if (window->isEnabled()) {
        window->setProperty(kFocusProperty, QVariant::fromValue<QObject*>(window->focusWidget()));
    }
    window->setEnabled(false);
}

void freeWindow(QWidget* window) {
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

QWidget* QtWindowBlocker::find(core::Window window, bool createMissing) const {
    const auto it = m_finders.find(window);
    return it == m_finders.end() || !it->second ? nullptr : it->second(createMissing);
}

void QtWindowBlocker::block(core::Window window, bool createMissing) {
    if (QWidget* w = find(window, createMissing)) {
        blockWindow(w);
    }
}

void QtWindowBlocker::free(core::Window window) {
    if (QWidget* w = find(window, false)) {
        freeWindow(w);
    }
}
