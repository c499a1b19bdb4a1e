#pragma once

#include <QWidget>

namespace qtshell {

/// The hidden window that lends itself to the tray menu as the foreground window. TrayMenu
/// makes it at start-up and activates it before the menu opens.
class TrayMenuOwner final : public QWidget {
    Q_OBJECT

public:
    TrayMenuOwner() = default;
};

} // namespace qtshell
