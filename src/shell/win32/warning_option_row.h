#pragma once

#include "platform/services.h"
#include "shell/win32/options_look.h"

#include <windows.h>

namespace win32 {

/// The Options page's fourth row: whether the minute's warning before the task turns off, logs
/// off, restarts or hibernates the computer is shown, with an Apply of its own. As on the rest
/// of the page, ticking the box changes nothing until its Apply stores it.
class WarningOptionRow final {
public:
    /// The row's controls' ids on the page.
    enum Control : int { Check = 121, Apply };

    /// Places the row on page below the three rows there, in its layout.
    WarningOptionRow(const NativeWindow& window, HWND page, TwipsLayout& layout,
                     platform::Services& services);

    /// Shows the stored option in the box, as the window loads.
    void load();
    /// Stores the box's state, then shows what is stored.
    void apply();
    /// The Apply picture, highlighted while the mouse is over it.
    void highlight(bool highlighted);

    HWND check() const { return m_check; }
    HWND applyButton() const { return m_apply; }

private:
    platform::Services& m_services;
    HWND m_check = nullptr;
    HWND m_apply = nullptr;
};

} // namespace win32
