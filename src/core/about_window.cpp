#include "core/about_window.h"

#include "core/help_and_site.h"

namespace core {

AboutWindow::AboutWindow(AboutWindowView& view, platform::Services& services, WindowBlocker& blocker)
    : m_view(view), m_services(services), m_blocker(blocker) {}

void AboutWindow::load() {
    m_view.showLook(AboutLook::Loading);
}

void AboutWindow::activate() {
    m_view.showLook(AboutLook::Active);
    blockOthers(m_blocker, Window::About);
}

void AboutWindow::unload() {
    freeOthers(m_blocker, Window::About);
}

void AboutWindow::openWebAddress() {
    openMakerSite(m_services);
}

} // namespace core
