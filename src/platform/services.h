#pragma once

#include "clock.h"
#include "file_dialog.h"
#include "folders.h"
#include "launcher.h"
#include "message_boxes.h"
#include "power.h"
#include "process_control.h"
#include "processes.h"
#include "registry.h"
#include "screen.h"
#include "sound_player.h"
#include "system_figures.h"
#include "tone.h"

#include <memory>

namespace platform {

/// Every operating-system service the program uses. main() fills it with the real
/// implementations; tests fill it with fakes. Windows receive it in their constructor.
struct Services {
    std::unique_ptr<Clock> clock;
    std::unique_ptr<Processes> processes;
    std::unique_ptr<ProcessControl> process;
    std::unique_ptr<Screen> screen;
    std::unique_ptr<MessageBoxes> messages;
    std::unique_ptr<FileDialog> fileDialog;
    std::unique_ptr<Folders> folders;
    std::unique_ptr<ToneGenerator> tone;
    std::unique_ptr<SoundPlayers> sound;
    std::unique_ptr<Power> power;
    std::unique_ptr<Launcher> launcher;
    std::unique_ptr<Registry> registry;
    std::unique_ptr<SystemFigures> figures;
};

/// The services of the system the program was built for.
Services makeSystemServices();

} // namespace platform
