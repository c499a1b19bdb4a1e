#include "platform/windows/registry_windows.h"
#include "platform/windows/windows_services.h"

namespace platform {

Services makeSystemServices() {
    Services s;
    s.clock = std::make_unique<WindowsClock>();
    s.processes = std::make_unique<WindowsProcesses>();
    s.process = std::make_unique<WindowsProcessControl>();
    s.screen = std::make_unique<WindowsScreen>();
    s.messages = std::make_unique<WindowsMessageBoxes>();
    s.fileDialog = std::make_unique<WindowsFileDialog>();
    s.power = std::make_unique<WindowsPower>();
    s.launcher = std::make_unique<WindowsLauncher>();
    s.registry = std::make_unique<WindowsRegistry>();
    s.folders = std::make_unique<WindowsFolders>();
    s.figures = std::make_unique<WindowsSystemFigures>();
    s.tone = std::make_unique<WindowsToneGenerator>();
    s.sound = std::make_unique<WindowsSoundPlayers>();
    return s;
}

} // namespace platform
