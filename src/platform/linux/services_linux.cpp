#include "platform/linux/linux_services.h"
#include "platform/linux/registry_linux.h"

namespace platform {

Services makeSystemServices() {
    Services s;
    s.clock = std::make_unique<LinuxClock>();
    s.processes = std::make_unique<LinuxProcesses>();
    s.process = std::make_unique<LinuxProcessControl>();
    s.screen = std::make_unique<LinuxScreen>();
    s.messages = std::make_unique<QtMessageBoxes>();
    s.fileDialog = std::make_unique<QtFileDialog>();
    s.power = std::make_unique<LinuxPower>();
    s.launcher = std::make_unique<LinuxLauncher>();
    s.registry = LinuxRegistry::fromEnvironment();
    s.folders = std::make_unique<LinuxFolders>();
    s.figures = std::make_unique<LinuxSystemFigures>();
    auto audio = std::make_shared<AudioModule>();
    s.tone = std::make_unique<LinuxToneGenerator>(audio);
    s.sound = std::make_unique<LinuxSoundPlayers>(audio);
    return s;
}

} // namespace platform
