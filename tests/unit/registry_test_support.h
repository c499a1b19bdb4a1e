#pragma once

// Temporary folders standing for the user's configuration and a system configuration folder, and
// a second registry process (tests/tools/hive_tool.cpp), run as an ordinary user when the tests
// run as root, because root may write whatever the folder's mode says.

#include "platform/linux/registry_linux.h"
#include "tools/registry_values.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <string>

namespace regtest {

struct Folders {
    QTemporaryDir dir;
    std::string hivePath;
    std::string autostartFolder;       // the user's
    std::string systemAutostartFolder; // the system's

    Folders() {
        // Open to the ordinary user that runs the second process.
        ::chmod(dir.path().toLocal8Bit().constData(), 0755);
        hivePath = (dir.path() + "/config/corvane/user.reg").toStdString();
        autostartFolder = (dir.path() + "/config/autostart").toStdString();
        systemAutostartFolder = (dir.path() + "/xdg/autostart").toStdString();
    }
    platform::AutostartList autostart() const { return {autostartFolder, {systemAutostartFolder}}; }
    std::unique_ptr<platform::LinuxRegistry> registry() const {
        return std::make_unique<platform::LinuxRegistry>(hivePath, autostart());
    }
    QByteArray hiveText() const {
        QFile f(QString::fromStdString(hivePath));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void writeHive(const QByteArray& text) const {
        QDir().mkpath(QString::fromStdString(hivePath).section('/', 0, -2));
        QFile f(QString::fromStdString(hivePath));
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(text);
    }
};

inline bool RunningAsRoot() {
    return ::geteuid() == 0;
}

/// Starts the tool with the folders and arguments; as the user nobody when the test runs as root.
inline void StartTool(QProcess& process, const Folders& f, const QStringList& args,
                      bool unprivileged = false) {
    QStringList all = {QString::fromStdString(f.hivePath),
                       QString::fromStdString(f.autostartFolder + ":" + f.systemAutostartFolder)};
    all += args;
    if (unprivileged && RunningAsRoot()) {
        all.prepend(QStringLiteral(CORVANE_HIVE_TOOL));
        all.prepend(QStringLiteral("--clear-groups"));
        all.prepend(QStringLiteral("--regid=65534"));
        all.prepend(QStringLiteral("--reuid=65534"));
        process.start(QStringLiteral("setpriv"), all);
    } else {
        process.start(QStringLiteral(CORVANE_HIVE_TOOL), all);
    }
}

/// Runs the tool to its end and gives its output, trimmed.
inline QString RunTool(const Folders& f, const QStringList& args, bool unprivileged = false) {
    QProcess process;
    StartTool(process, f, args, unprivileged);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

/// The log lines of this process while it lives.
struct Warnings {
    static inline QStringList seen;
    QtMessageHandler previous;
    Warnings() {
        seen.clear();
        previous = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext&, const QString& text) { seen << text; });
    }
    ~Warnings() { qInstallMessageHandler(previous); }
};

using regvalues::Dword;
using regvalues::SetDword;
using regvalues::SetText;

} // namespace regtest
