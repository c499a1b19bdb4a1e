// Performs one power or launcher action through the real Linux services, for the end-to-end
// tests: services_probe poweroff|reboot|hibernate|logoff|run|url|file [argument]
// It prints what happened on stdout. Power off and restart end the process right after the
// request, as the program does; hibernate and log off keep it running (the caller ends it).
// Before the answer to a power request it prints how long it came and how often a 100 ms timer
// ticked meanwhile: the requests must not hold up the event loop.
#include "core/web_address.h"
#include "platform/linux/linux_services.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTimer>

#include <cstdio>
#include <optional>
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
    QElapsedTimer clock;
    clock.start();
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
    ticker.start(100);
    // A refusal ends the probe with status 2, as it does whenever the answer comes.
    const auto refused = [&](const platform::PowerAnswer& answer) {
        say("answered after " + std::to_string(clock.elapsed()) + " ms, " + std::to_string(ticks) + " ticks");
        if (answer.outcome == platform::PowerOutcome::Accepted) {
            return false;
        }
        say("refused: " + answer.reason);
        ::_exit(2);
    };
    try {
        if (action == "poweroff" || action == "reboot") {
            const auto accepted = [&](const platform::PowerAnswer& answer) {
                refused(answer);
                say("returned after " + std::to_string(clock.elapsed()) + " ms");
                ::_exit(0);
            };
            action == "poweroff" ? power.powerOff(accepted) : power.reboot(accepted);
            return QGuiApplication::exec();
        } else if (action == "hibernate" || action == "logoff") {
            const auto requested = [&](const platform::PowerAnswer& answer) {
                refused(answer);
                say("requested in " + std::to_string(clock.elapsed()) + " ms");
            };
            action == "hibernate" ? power.hibernate(requested) : power.logOff(requested);
            // Stays up for the answers; a forgotten probe still ends by itself.
            QTimer::singleShot(30000, &app, &QCoreApplication::quit);
            return QGuiApplication::exec();
        } else if (action == "run") {
            launcher.runProgram(argument);
            say("started");
        } else if (action == "url") {
            // As Visit Website does: the address the core's rule gives, or a refusal.
            const std::optional<std::string> address = core::webAddressToOpen(argument);
            if (!address) {
                throw std::runtime_error("no web address");
            }
            launcher.openUrl(*address);
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
