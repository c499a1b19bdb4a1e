#pragma once

#include <QObject>
#include <QString>

#include <initializer_list>
#include <utility>

namespace qtshell {

/// Names a window's controls by what the window calls them. A window keeps its controls to
/// itself; whoever must reach one from outside (the tests) finds it by its name.
inline void nameControls(std::initializer_list<std::pair<QObject*, const char*>> controls) {
    for (const auto& [control, name] : controls) {
        control->setObjectName(QLatin1String(name));
    }
}

} // namespace qtshell
