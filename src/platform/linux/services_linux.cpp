#include "platform/linux/linux_services.h"
#include "platform/linux/registry_linux.h"

namespace platform {

namespace {
constexpr int kEndStoreMs = 1000;
} // namespace

Services makeSystemServices() {
    Services s;
    s.clock = std::make_unique<LinuxClock>();
    s.processes = std::make_unique<LinuxProcesses>();
    auto process = std::make_unique<LinuxProcessControl>();
    s.screen = std::make_unique<LinuxScreen>();
    s.messages = std::make_unique<QtMessageBoxes>();
    s.fileDialog = std::make_unique<QtFileDialog>();
    s.power = std::make_unique<LinuxPower>();
    s.launcher = std::make_unique<LinuxLauncher>();
    auto registry = LinuxRegistry::fromEnvironment();
    // At the end, changes that wait for another program's lock get one more second.
    process->setBeforeEnd([r = registry.get()] { r->storeAtEnd(kEndStoreMs); });
    s.process = std::move(process);
    s.registry = std::move(registry);
    s.folders = std::make_unique<LinuxFolders>();
    s.figures = std::make_unique<LinuxSystemFigures>();
    auto audio = std::make_shared<AudioModule>();
    s.tone = std::make_unique<LinuxToneGenerator>(audio);
    s.sound = std::make_unique<LinuxSoundPlayers>(audio);
    return s;
}

} // namespace platform
