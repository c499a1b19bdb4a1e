// Performs one power or launcher action through the real Linux services, for the end-to-end
// tests: services_probe poweroff|reboot|hibernate|logoff|run|url|file [argument]
// It prints what happened on stdout. Power off and restart end the process right after the
// request, as the program does; hibernate and log off keep it running (the caller ends it).
#include "platform/linux/linux_services.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTimer>

#include <cstdio>
#include <stdexcept>
#include <string>

#include <unistd.h>

namespace {

void say(const std::string& line) {
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    const std::string action = argc > 1 ? argv[1] : "";
    const std::string argument = argc > 2 ? argv[2] : "";
    platform::LinuxPower power;
    platform::LinuxLauncher launcher;
    try {
        QElapsedTimer clock;
        clock.start();
        if (action == "poweroff" || action == "reboot") {
            action == "poweroff" ? power.powerOff() : power.reboot();
            say("returned after " + std::to_string(clock.elapsed()) + " ms");
            ::_exit(0);
        } else if (action == "hibernate" || action == "logoff") {
            action == "hibernate" ? power.hibernate() : power.logOff();
            say("requested in " + std::to_string(clock.elapsed()) + " ms");
            // Stays up for the answers; a forgotten probe still ends by itself.
            QTimer::singleShot(30000, &app, &QCoreApplication::quit);
            return QGuiApplication::exec();
        } else if (action == "run") {
            launcher.runProgram(argument);
            say("started");
        } else if (action == "url") {
            launcher.openUrl(argument);
            say("opened");
        } else if (action == "file") {
            say("result " + std::to_string(launcher.openFile(argument)));
        } else {
            say("unknown action");
            return 1;
        }
    } catch (const std::runtime_error& e) {
        say(std::string("refused: ") + e.what());
        return 2;
    }
    return 0;
}
