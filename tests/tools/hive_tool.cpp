// A small registry client for tests that need a second process: one that writes while another
// writes too, one that is killed in the middle of writing, one without the rights of the test.
//
// AUTOSTART is the user's autostart folder, then the system's, joined by colons.
//
//   hive_tool HIVE AUTOSTART open  hkcu|hklm PATH read|write      -> open=N
//   hive_tool HIVE AUTOSTART set   hkcu|hklm PATH NAME dword|sz DATA -> open=N set=N
//   hive_tool HIVE AUTOSTART query hkcu|hklm PATH NAME              -> open=N query=N data=TEXT
//   hive_tool HIVE AUTOSTART delete hkcu|hklm PATH NAME             -> open=N delete=N
//   hive_tool HIVE AUTOSTART count PATH NAME N    sets NAME to 1 .. N, one write each
//   hive_tool HIVE AUTOSTART loop  PATH           forever: a, b, c and pad set to the same
//                                                 number in one write; "ready" after the first
#include "platform/linux/registry_linux.h"
#include "tools/registry_values.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>
#include <cstring>
#include <string>

using namespace platform;
using regvalues::SetDword;

namespace {

RegKey Root(const std::string& name) {
    return name == "hklm" ? kHkeyLocalMachine : kHkeyCurrentUser;
}

/// Waits until the changes that found the file locked are stored or given up.
bool WaitStored(LinuxRegistry& registry) {
    bool answered = false, stored = true;
    registry.whenStored([&](bool ok) {
        answered = true;
        stored = ok;
    });
    while (!answered) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return stored;
}

int Usage() {
    std::fprintf(stderr, "usage: hive_tool HIVE AUTOSTART open|set|query|delete|count|loop ...\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 5) {
        return Usage();
    }
    QStringList system = QString::fromLocal8Bit(argv[2]).split(':');
    const std::string user = system.takeFirst().toStdString();
    std::vector<std::string> systemFolders;
    for (const QString& folder : system) {
        systemFolders.push_back(folder.toStdString());
    }
    LinuxRegistry registry(argv[1], AutostartList(user, systemFolders));
    const std::string command = argv[3];
    RegKey key = 0;

    if (command == "open" && argc == 7) {
        const bool write = std::strcmp(argv[6], "write") == 0;
        std::printf("open=%ld\n",
                    registry.openKey(Root(argv[4]), argv[5], 0, write ? kKeyWrite : kKeyRead, key));
        return 0;
    }
    if (command == "set" && argc == 9) {
        const long opened = registry.openKey(Root(argv[4]), argv[5], 0, kKeyWrite, key);
        long set = -1;
        if (opened == kErrorSuccess) {
            if (std::strcmp(argv[7], "dword") == 0) {
                set = SetDword(registry, key, argv[6], static_cast<std::uint32_t>(std::stoul(argv[8])));
            } else {
                set = regvalues::SetText(registry, key, argv[6], argv[8]);
            }
            registry.closeKey(key);
            if (set == kErrorSuccess && !WaitStored(registry)) {
                set = kErrorAccessDenied;
            }
        }
        std::printf("open=%ld set=%ld\n", opened, set);
        return 0;
    }
    if (command == "query" && argc == 7) {
        const long opened = registry.openKey(Root(argv[4]), argv[5], 0, kKeyRead, key);
        long query = -1;
        std::string text;
        if (opened == kErrorSuccess) {
            std::uint8_t buffer[1024] = {};
            std::uint32_t type = 0;
            std::uint32_t size = sizeof buffer;
            query = registry.queryValue(key, argv[6], type, buffer, size);
            if (query == kErrorSuccess) {
                text = type == kRegDword ? std::to_string(regvalues::Dword(buffer))
                                         : std::string(reinterpret_cast<char*>(buffer));
            }
            registry.closeKey(key);
        }
        std::printf("open=%ld query=%ld data=%s\n", opened, query, text.c_str());
        return 0;
    }
    if (command == "delete" && argc == 7) {
        const long opened = registry.openKey(Root(argv[4]), argv[5], 0, kKeyWrite, key);
        long deleted = -1;
        if (opened == kErrorSuccess) {
            deleted = registry.deleteValue(key, argv[6]);
            registry.closeKey(key);
        }
        std::printf("open=%ld delete=%ld\n", opened, deleted);
        return 0;
    }
    if (command == "count" && argc == 7) {
        if (registry.createKey(kHkeyCurrentUser, argv[4], key) != kErrorSuccess) {
            return 1;
        }
        const unsigned long count = std::stoul(argv[6]);
        for (std::uint32_t i = 1; i <= count; ++i) {
            if (SetDword(registry, key, argv[5], i) != kErrorSuccess) {
                return 1;
            }
        }
        return WaitStored(registry) ? 0 : 1;
    }
    if (command == "loop" && argc == 5) {
        for (std::uint32_t i = 1;; ++i) {
            registry.beginTransaction();
            if (registry.createKey(kHkeyCurrentUser, argv[4], key) != kErrorSuccess) {
                return 1;
            }
            for (const char* name : {"a", "b", "c"}) {
                SetDword(registry, key, name, i);
            }
            // A value of some kilobytes, so that a write takes long enough to be cut by a kill.
            regvalues::SetText(registry, key, "pad",
                               std::string(2000 + (i % 7) * 500, static_cast<char>('a' + i % 26)));
            registry.closeKey(key);
            if (registry.commitTransaction() != kErrorSuccess) {
                return 1;
            }
            if (i == 1) {
                if (!WaitStored(registry)) {
                    return 1;
                }
                std::printf("ready\n");
                std::fflush(stdout);
            }
        }
    }
    return Usage();
}
