#pragma once

#include "core/window_blocking.h"
#include "platform/services.h"

namespace core {

/// The About window's two looks: as it loads, and while it is the active window.
enum class AboutLook { Loading, Active };

/// The About window as its rules see it.
class AboutWindowView {
public:
    virtual ~AboutWindowView() = default;
    virtual void showLook(AboutLook look) = 0;
};

/// The About window: shown modeless, it blocks the main window, the Options and Schedule Task
/// window and the alert editor while it is active (making missing ones hidden), and frees them
/// again in that order when it closes.
class AboutWindow final {
public:
    AboutWindow(AboutWindowView& view, platform::Services& services, WindowBlocker& blocker);

    void load();
    void activate();
    void unload();
    /// The web link: the maker's site.
    void openWebAddress();

private:
    AboutWindowView& m_view;
    platform::Services& m_services;
    WindowBlocker& m_blocker;
};

} // namespace core
