// The log-on list as the autostart folders: one desktop entry per value, valid for
// desktop-file-validate, whose Exec line starts the program from any path; the user's entry first,
// a system entry kept in step where it may be written and hidden for the user where it may not.
#include "registry_test_support.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <functional>

#include <gtest/gtest.h>

using namespace platform;
using regtest::Folders;
using regtest::setText;

namespace {

const std::string kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(AutostartFolder, ValueIsTheDesktopEntryAndReadsBackItsPath) {
    Folders f;
    auto r = f.registry();
    RegKey run = 0;
    // The folder does not exist yet: the key reads as empty and can be written.
    ASSERT_EQ(
        r->openKey(kHkeyLocalMachine, "SOFTWARE\\microsoft\\Windows\\CurrentVersion\\RUN", 0, kKeyRead, run),
        kErrorSuccess);
    std::uint8_t buffer[255];
    std::uint32_t size = 255, type = kRegSz;
    EXPECT_EQ(r->queryValue(run, "Corvane", type, buffer, size), kErrorFileNotFound);
    r->closeKey(run);

    ASSERT_EQ(r->openKey(kHkeyLocalMachine, kRun, 0, kKeyWrite, run), kErrorSuccess);
    // A program that is there: the desktops start nothing for an entry whose TryExec is missing.
    ASSERT_EQ(setText(*r, run, "Corvane", "/usr/bin/env"), kErrorSuccess);
    EXPECT_EQ(
        readFile(QString::fromStdString(f.autostartFolder + "/Corvane.desktop")),
        "[Desktop Entry]\nType=Application\nName=Corvane\nComment=Shows how long the computer has been up\n"
        "Exec=\"/usr/bin/env\"\nTryExec=/usr/bin/env\nIcon=corvane\nTerminal=false\n");
    EXPECT_EQ(QFileInfo(QString::fromStdString(f.autostartFolder + "/Corvane.desktop")).permissions() &
                  0x7777,
              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                  QFileDevice::WriteUser | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    r->closeKey(run);

    ASSERT_EQ(r->openKey(kHkeyLocalMachine, kRun, 0, kKeyRead, run), kErrorSuccess);
    size = 255;
    ASSERT_EQ(r->queryValue(run, "Corvane", type, buffer, size), kErrorSuccess);
    EXPECT_STREQ(reinterpret_cast<char*>(buffer), "/usr/bin/env");
    EXPECT_EQ(size, 13u);
    EXPECT_EQ(setText(*r, run, "Corvane", "/x"), kErrorAccessDenied); // opened for reading
    r->closeKey(run);

    // Deleting: once it goes, twice it is not there.
    ASSERT_EQ(r->openKey(kHkeyLocalMachine, kRun, 0, kKeyWrite, run), kErrorSuccess);
    EXPECT_EQ(r->deleteValue(run, "Corvane"), kErrorSuccess);
    EXPECT_EQ(r->deleteValue(run, "Corvane"), kErrorFileNotFound);
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(f.autostartFolder + "/Corvane.desktop")));
    // Only text values naming a file are kept.
    const std::uint8_t n[4] = {1, 0, 0, 0};
    EXPECT_EQ(r->setValue(run, "Corvane", kRegDword, n, 4), kErrorInvalidParameter);
    EXPECT_EQ(setText(*r, run, "a/b", "/x"), kErrorInvalidParameter);
    r->closeKey(run);
    // Other machine-wide keys are not kept.
    EXPECT_EQ(r->openKey(kHkeyLocalMachine, "Software\\Other", 0, kKeyRead, run), kErrorFileNotFound);
}

TEST(AutostartFolder, PathLongerThanTheBuffer_Answers234) {
    Folders f;
    auto r = f.registry();
    RegKey run = 0, read = 0;
    ASSERT_EQ(r->openKey(kHkeyLocalMachine, kRun, 0, kKeyWrite, run), kErrorSuccess);
    ASSERT_EQ(r->openKey(kHkeyLocalMachine, kRun, 0, kKeyRead, read), kErrorSuccess);
    // Programs that are there, 254 characters long (with the NUL they fit in 255) and 255.
    const std::string folder = f.dir.path().toStdString() + "/";
    const std::string longPath = folder + std::string(254 - folder.size(), 'p');
    for (const std::string& path : {longPath, longPath.substr(0, longPath.size() - 1) + "qq"}) {
        QFile program(QString::fromStdString(path));
        ASSERT_TRUE(program.open(QIODevice::WriteOnly));
        program.setPermissions(program.permissions() | QFileDevice::ExeOwner);
        ASSERT_EQ(setText(*r, run, "Corvane", path), kErrorSuccess);
        std::uint8_t buffer[255];
        std::uint32_t size = 255, type = kRegSz;
        EXPECT_EQ(r->queryValue(read, "Corvane", type, buffer, size),
                  path.size() < 255 ? kErrorSuccess : kErrorMoreData);
        EXPECT_EQ(size, path.size() + 1);
    }
}

TEST(AutostartFolder, OddPaths_ValidEntriesThatStartTheProgram) {
    // GLib's launcher parses the entry as the desktops do (gio, a package of the project's list).
    ASSERT_FALSE(QStandardPaths::findExecutable(QStringLiteral("gio")).isEmpty());
    const QStringList folders = {
        QStringLiteral("plain"),
        QStringLiteral("with blanks  in it"),
        QStringLiteral("quotes \"double\" and 'single'"),
        QStringLiteral("percent 100% and %f %%u"),
        QStringLiteral("back\\slash\\\\twice"),
        QStringLiteral("shell $HOME `id` ;|&<>*?#()~"),
        QStringLiteral("unicode \u00e9t\u00e9"),
    };
    for (const QString& odd : folders) {
        Folders f;
        const QString dir = f.dir.path() + "/" + odd;
        ASSERT_TRUE(QDir().mkpath(dir)) << odd.toStdString();
        const QString program = dir + "/corvane";
        const QString marker = f.dir.path() + "/started";
        {
            QFile script(program);
            ASSERT_TRUE(script.open(QIODevice::WriteOnly));
            script.write(QStringLiteral("#!/bin/sh\nprintf '%s' \"$0\" > '%1'\n").arg(marker).toUtf8());
            script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
        }
        auto r = f.registry();
        RegKey run = 0;
        ASSERT_EQ(r->openKey(kHkeyLocalMachine, kRun, 0, kKeyWrite, run), kErrorSuccess);
        ASSERT_EQ(setText(*r, run, "Corvane", program.toStdString()), kErrorSuccess) << odd.toStdString();
        r->closeKey(run);

        // Read back exactly.
        ASSERT_EQ(r->openKey(kHkeyLocalMachine, kRun, 0, kKeyRead, run), kErrorSuccess);
        std::uint8_t buffer[512];
        std::uint32_t size = sizeof buffer, type = 0;
        ASSERT_EQ(r->queryValue(run, "Corvane", type, buffer, size), kErrorSuccess);
        EXPECT_EQ(QString::fromUtf8(reinterpret_cast<char*>(buffer)), program);

        const QString entry = QString::fromStdString(f.autostartFolder + "/Corvane.desktop");
        QProcess validate;
        validate.start(QStringLiteral("desktop-file-validate"), {entry});
        ASSERT_TRUE(validate.waitForFinished(20000));
        EXPECT_EQ(validate.exitCode(), 0)
            << odd.toStdString() << ": " << validate.readAllStandardOutput().toStdString();
        EXPECT_TRUE(validate.readAllStandardOutput().isEmpty()) << odd.toStdString();

        QProcess launch;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("disabled:"));
        launch.setProcessEnvironment(env);
        launch.start(QStringLiteral("gio"), {QStringLiteral("launch"), entry});
        ASSERT_TRUE(launch.waitForFinished(20000));
        EXPECT_EQ(launch.exitCode(), 0)
            << odd.toStdString() << ": " << launch.readAllStandardError().toStdString();
        // The marker exists before its text is in: wait for the text.
        for (int i = 0; i < 1000 && readFile(marker).isEmpty(); ++i) {
            QThread::msleep(10);
        }
        EXPECT_EQ(QString::fromUtf8(readFile(marker)), program) << odd.toStdString();

        // The program removed, the entry left behind starts nothing.
        ASSERT_TRUE(QFile::remove(marker) && QFile::remove(program));
        launch.start(QStringLiteral("gio"), {QStringLiteral("launch"), entry});
        ASSERT_TRUE(launch.waitForFinished(20000));
        EXPECT_NE(launch.exitCode(), 0) << odd.toStdString();
        EXPECT_FALSE(QFileInfo::exists(marker)) << odd.toStdString();
    }
}

TEST(AutostartFolder, WithoutRightsToTheFolder_ReadingWorksAndWritingAnswers5AndChangesNothing) {
    Folders f;
    {
        auto r = f.registry();
        RegKey run = 0;
        ASSERT_EQ(r->openKey(kHkeyLocalMachine, kRun, 0, kKeyWrite, run), kErrorSuccess);
        ASSERT_EQ(setText(*r, run, "Corvane", "/usr/bin/env"), kErrorSuccess);
    }
    const QString folder = QString::fromStdString(f.autostartFolder);
    const QString entry = folder + "/Corvane.desktop";
    const QByteArray before = readFile(entry);
    if (regtest::runningAsRoot()) {
        ASSERT_EQ(::chown(folder.toLocal8Bit().constData(), 65534, 65534), 0);
    }
    ::chmod(folder.toLocal8Bit().constData(), 0555);
    const std::string run = kRun;
    EXPECT_EQ(regtest::runTool(f, {"query", "hklm", QString::fromStdString(run), "Corvane"}, true),
              "open=0 query=0 data=/usr/bin/env");
    // The refusal is in the log with the error that made it.
    QProcess opening;
    regtest::startTool(opening, f, {"open", "hklm", QString::fromStdString(run), "write"}, true);
    opening.waitForFinished(30000);
    EXPECT_EQ(QString::fromUtf8(opening.readAllStandardOutput()).trimmed(), "open=5");
    EXPECT_TRUE(QString::fromUtf8(opening.readAllStandardError())
                    .contains("the autostart entry cannot be changed: cannot write in " + folder +
                              ": Permission denied (EACCES)"));
    EXPECT_EQ(regtest::runTool(f, {"set", "hklm", QString::fromStdString(run), "Corvane", "sz", "/elsewhere"},
                               true),
              "open=5 set=-1");
    // A folder not there yet under a parent that cannot be written.
    ::chmod(folder.toLocal8Bit().constData(), 0755);
    Folders g;
    const QString parent = QFileInfo(QString::fromStdString(g.autostartFolder)).path();
    QDir().mkpath(parent);
    if (regtest::runningAsRoot()) {
        ASSERT_EQ(::chown(parent.toLocal8Bit().constData(), 65534, 65534), 0);
    }
    ::chmod(parent.toLocal8Bit().constData(), 0555);
    EXPECT_EQ(regtest::runTool(g, {"open", "hklm", QString::fromStdString(run), "write"}, true), "open=5");
    EXPECT_EQ(regtest::runTool(g, {"query", "hklm", QString::fromStdString(run), "Corvane"}, true),
              "open=0 query=2 data=");
    ::chmod(parent.toLocal8Bit().constData(), 0755);
    EXPECT_EQ(readFile(entry), before);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"Corvane.desktop"});
}

TEST(AutostartFolder, EntryThatIsALinkIsReplacedItselfAndOnlyTheExactNameIsOurs) {
    Folders f;
    const QString folder = QString::fromStdString(f.autostartFolder);
    QDir().mkpath(folder);
    const QString entry = folder + "/Corvane.desktop", target = folder + "/../elsewhere.txt";
    const QByteArray other = "[Desktop Entry]\nType=Application\nName=Other\nExec=/usr/bin/other\n";
    for (const QString& file : {target, folder + "/CORVANE.desktop"}) {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(other);
    }
    auto r = f.registry();
    RegKey run = 0;
    ASSERT_EQ(r->openKey(kHkeyLocalMachine, kRun, 0, kKeyAllAccess, run), kErrorSuccess);
    std::uint8_t buffer[255];
    std::uint32_t size = 255, type = kRegSz;
    EXPECT_EQ(r->queryValue(run, "Corvane", type, buffer, size), kErrorFileNotFound);
    EXPECT_EQ(r->deleteValue(run, "Corvane"), kErrorFileNotFound);
    for (const QString& pointsTo : {target, folder + "/../not-there"}) {
        QFile::remove(entry);
        ASSERT_TRUE(QFile::link(pointsTo, entry));
        ASSERT_EQ(setText(*r, run, "Corvane", "/usr/bin/env"), kErrorSuccess);
        EXPECT_FALSE(QFileInfo(entry).isSymLink());
        EXPECT_TRUE(readFile(entry).contains("Exec=\"/usr/bin/env\"\n"));
        QFile::remove(entry);
        ASSERT_TRUE(QFile::link(pointsTo, entry));
        // A dangling link is no entry (nothing was registered), yet it goes.
        EXPECT_EQ(r->deleteValue(run, "Corvane"), pointsTo == target ? kErrorSuccess : kErrorFileNotFound);
    }
    EXPECT_EQ(readFile(target), other);
    EXPECT_FALSE(QFileInfo::exists(folder + "/../not-there"));
    EXPECT_EQ(readFile(folder + "/CORVANE.desktop"), other);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System),
              QStringList{"CORVANE.desktop"});
}

TEST(AutostartFolder, PathNotUtf8OrWithTabOrLineBreak_NoEntryAndALogLine) {
    const std::pair<std::string, const char*> cases[] = {
        {"/opt/caf\xe9/corvane", "not valid UTF-8"},
        {"", "unknown"},
        {"/opt/a\tb/corvane", "holds a tab"},
        {"/opt/a\nb/corvane", "holds a line break"},
    };
    Folders f;
    auto r = f.registry();
    RegKey run = 0;
    ASSERT_EQ(r->openKey(kHkeyLocalMachine, kRun, 0, kKeyWrite, run), kErrorSuccess);
    for (const auto& [path, reason] : cases) {
        regtest::Warnings log;
        EXPECT_EQ(setText(*r, run, "Corvane", path), kErrorInvalidParameter) << reason;
        ASSERT_EQ(log.seen.size(), 1) << reason;
        EXPECT_TRUE(log.seen[0].startsWith("no autostart entry written")) << log.seen[0].toStdString();
        EXPECT_TRUE(log.seen[0].contains(reason)) << log.seen[0].toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(f.autostartFolder + "/Corvane.desktop")));
}

namespace {

const QByteArray kHidden = "[Desktop Entry]\nType=Application\nName=Corvane\nHidden=true\n";

QByteArray entry(const char* program) {
    return QByteArray("[Desktop Entry]\nType=Application\nName=Corvane\nExec=\"") + program + "\"\n";
}

void writeEntry(const std::string& folder, const QByteArray& text, const QString& name = "Corvane.desktop") {
    QDir().mkpath(QString::fromStdString(folder));
    QFile out(QString::fromStdString(folder) + "/" + name);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write(text);
}

std::string query(const AutostartList& list, long expected) {
    std::vector<std::uint8_t> data;
    EXPECT_EQ(list.query("Corvane", data), expected);
    return data.empty() ? std::string() : std::string(reinterpret_cast<const char*>(data.data()));
}

} // namespace

TEST(AutostartList, TheEntryOfTheFirstFolderCountsUnlessItSaysHidden) {
    const QByteArray app = "[Desktop Entry]\nType=Application\n";
    const struct {
        const char* what;
        QByteArray user, system, secondSystem;
        long result;
        const char* program;
    } cases[] = {
        {"none", {}, {}, {}, kErrorFileNotFound, ""},
        {"a system entry alone", {}, {}, entry("/s2"), kErrorSuccess, "/s2"},
        {"the user's before the system's", entry("/u"), entry("/s"), {}, kErrorSuccess, "/u"},
        {"the user's hides the system's", kHidden, entry("/s"), {}, kErrorFileNotFound, ""},
        {"hidden as 1", app + "Hidden = 1\nExec=/u\n", entry("/s"), {}, kErrorFileNotFound, ""},
        {"Hidden=false", app + "Hidden=true\nExec=/u\nHidden=false\n", {}, {}, kErrorSuccess, "/u"},
        {"switched off in GNOME's way",
         app + "Exec=/u\nX-GNOME-Autostart-enabled=false\n",
         entry("/s"),
         {},
         kErrorFileNotFound,
         ""},
        {"Hidden in another group",
         app + "Exec=/u\n[Desktop Action a]\nHidden=true\n",
         {},
         {},
         kErrorSuccess,
         "/u"},
        {"the first system folder hides the second", {}, kHidden, entry("/s2"), kErrorFileNotFound, ""},
    };
    for (const auto& c : cases) {
        Folders f;
        const std::string second = f.dir.path().toStdString() + "/xdg2/autostart";
        for (const auto& [folder, text] : {std::pair{f.autostartFolder, c.user},
                                           {f.systemAutostartFolder, c.system},
                                           {second, c.secondSystem}}) {
            if (!text.isEmpty()) {
                writeEntry(folder, text);
            }
        }
        EXPECT_EQ(query(AutostartList(f.autostartFolder, {f.systemAutostartFolder, second}), c.result),
                  c.program)
            << c.what;
    }
    // A link is read through, as the desktops read it.
    Folders f;
    writeEntry(f.systemAutostartFolder, kHidden);
    QDir().mkpath(QString::fromStdString(f.autostartFolder));
    ASSERT_TRUE(QFile::link(QString::fromStdString(f.systemAutostartFolder + "/Corvane.desktop"),
                            QString::fromStdString(f.autostartFolder + "/Corvane.desktop")));
    query(f.autostart(), kErrorFileNotFound);
}

TEST(AutostartList, EntriesCountAsTheDesktopsReadThem_AnyOtherIsNoEntryAndApplyWritesAValidOne) {
    // The user's entry of each kind over a system entry that starts /s: "/u" when the user's
    // starts, "/s" when it counts as no entry (GLib's reader refuses it), "" when it is hidden.
    using Make = std::function<void(const QString& at)>;
    const auto text = [](const QByteArray& bytes) -> Make {
        return [bytes](const QString& at) {
            QFile out(at);
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            out.write(bytes);
        };
    };
    const auto link = [](const QString& target) -> Make {
        return [target](const QString& at) { ASSERT_TRUE(QFile::link(target, at)); };
    };
    const QByteArray valid = entry("/u");
    const QByteArray comments = QByteArray("# a line of comment to fill the entry\n").repeated(1800); // 68 KB
    const QByteArray noise = QByteArray("\x8f\x00\xff\x13[\xc3=\x7f\n\x01", 10).repeated(400);
    const QByteArray toTheBound = valid + "Hidden=true\n";
    const QByteArray nearTheBound =
        valid + QByteArray("#").repeated(qsizetype{1024} * 1024 - toTheBound.size() - 1) + "\nHidden=true\n";
    const struct {
        const char* what;
        Make make;
        const char* reads;
    } cases[] = {
        {"no entry", [](const QString&) {}, "/s"},
        {"a valid entry", text(valid), "/u"},
        {"TryExec an absolute program", text(valid + "TryExec=/bin/sh\n"), "/u"},
        {"TryExec a program on PATH", text(valid + "TryExec=sh\n"), "/u"},
        {"TryExec empty", text(valid + "TryExec=\n"), "/u"},
        {"TryExec a program that is not there", text(valid + "TryExec=/nonexistent/corvane\n"), "/s"},
        {"TryExec a name not on PATH", text(valid + "TryExec=corvane-not-installed\n"), "/s"},
        {"TryExec a file that may not be run",
         [&](const QString& at) { text(valid + "TryExec=" + at.toUtf8() + "\n")(at); }, "/s"},
        {"TryExec a folder", text(valid + "TryExec=/tmp\n"), "/s"},
        {"Hidden=true", text(valid + "Hidden=true\n"), ""},
        {"X-GNOME-Autostart-enabled=false", text(valid + "X-GNOME-Autostart-enabled=false\n"), ""},
        {"X-GNOME-Autostart-enabled not a boolean", text(valid + "X-GNOME-Autostart-enabled=maybe\n"), ""},
        {"Hidden=true after 64 KB", text(valid + comments + "Hidden=true\n"), ""},
        {"Hidden=true at the end of 1 MB", text(nearTheBound), ""},
        {"larger than 1 MB", text(nearTheBound + "#\n"), "/s"},
        {"Type=Link", text("[Desktop Entry]\nType=Link\nName=Corvane\nURL=file:///u\nExec=/u\n"), "/s"},
        {"no Type", text("[Desktop Entry]\nName=Corvane\nExec=/u\n"), "/s"},
        {"another group first", text("[Desktop Action a]\nName=A\n" + valid), "/s"},
        {"comments before the group", text("# made by hand\n\n" + valid), "/u"},
        {"random bytes", text(noise), "/s"},
        {"empty", text({}), "/s"},
        {"a folder", [](const QString& at) { ASSERT_TRUE(QDir().mkdir(at)); }, "/s"},
        {"a FIFO", [](const QString& at) { ASSERT_EQ(::mkfifo(at.toLocal8Bit().constData(), 0644), 0); },
         "/s"},
        {"a link to /dev/zero", link("/dev/zero"), "/s"},
        {"a dangling link", link("/nonexistent/Corvane.desktop"), "/s"},
        {"a link to a valid entry",
         [&](const QString& at) {
             text(valid)(at + ".target");
             link(at + ".target")(at);
         },
         "/u"},
        {"a file the user may not read",
         [&](const QString& at) {
             text(valid)(at);
             ::chmod(at.toLocal8Bit().constData(), 0);
         },
         "/s"},
    };
    const std::string program = QCoreApplication::applicationFilePath().toStdString();
    for (const auto& c : cases) {
        Folders f;
        writeEntry(f.systemAutostartFolder, entry("/s"));
        QDir().mkpath(QString::fromStdString(f.autostartFolder));
        const QString at = QString::fromStdString(f.autostartFolder + "/Corvane.desktop");
        c.make(at);
        const AutostartList list = f.autostart();
        const long found = std::string(c.reads).empty() ? kErrorFileNotFound : kErrorSuccess;
        if (std::string(c.what) == "a file the user may not read" && regtest::runningAsRoot()) {
            // Root reads any file: the reader runs as an ordinary user.
            EXPECT_EQ(regtest::runTool(f, {"query", "hklm", QString::fromStdString(kRun), "Corvane"}, true),
                      QString("open=0 query=%1 data=%2").arg(found).arg(c.reads))
                << c.what;
        } else {
            EXPECT_EQ(query(list, found), c.reads) << c.what;
        }
        // Apply with the box ticked: a valid entry of the user's that starts this program.
        EXPECT_EQ(list.set("Corvane", kRegSz, {program.begin(), program.end()}), kErrorSuccess) << c.what;
        EXPECT_EQ(query(list, kErrorSuccess), program) << c.what;
    }
}

TEST(AutostartList, SystemEntryTheUserMayNotChange_HiddenForThatUserAndShownAsItIs) {
    Folders f;
    const QString config = QString::fromStdString(f.autostartFolder).section('/', 0, -2);
    QDir().mkpath(config);
    writeEntry(f.systemAutostartFolder, entry("/usr/bin/corvane-old"));
    const QString system = QString::fromStdString(f.systemAutostartFolder);
    if (regtest::runningAsRoot()) {
        ASSERT_EQ(::chown(config.toLocal8Bit().constData(), 65534, 65534), 0);
    } else {
        ::chmod(system.toLocal8Bit().constData(), 0555);
    }
    const QString run = QString::fromStdString(kRun);
    const auto tool = [&](const QString& command, const QStringList& rest = {}) {
        return regtest::runTool(f, QStringList{command, "hklm", run, "Corvane"} + rest, true);
    };
    const QString user = QString::fromStdString(f.autostartFolder + "/Corvane.desktop");
    EXPECT_EQ(tool("query"), "open=0 query=0 data=/usr/bin/corvane-old");
    EXPECT_EQ(tool("delete"), "open=0 delete=0");
    EXPECT_EQ(readFile(user), kHidden);
    EXPECT_EQ(tool("query"), "open=0 query=2 data=");
    EXPECT_EQ(tool("delete"), "open=0 delete=2");
    EXPECT_EQ(tool("set", {"sz", "/usr/bin/env"}), "open=0 set=0");
    EXPECT_EQ(tool("query"), "open=0 query=0 data=/usr/bin/env");
    EXPECT_EQ(readFile(system + "/Corvane.desktop"), entry("/usr/bin/corvane-old"));
    ::chmod(system.toLocal8Bit().constData(), 0755);
}

TEST(AutostartList, SystemEntryTheUserMayChange_KeptInStep) {
    Folders f;
    writeEntry(f.systemAutostartFolder, entry("/usr/bin/corvane-old"));
    const AutostartList list = f.autostart();
    ASSERT_EQ(list.set("Corvane", kRegSz, {'/', 'b', 'i', 'n', '/', 's', 'h', 0}), kErrorSuccess);
    const QByteArray entry = QByteArray::fromStdString(AutostartFolder::desktopEntry("Corvane", "/bin/sh"));
    for (const std::string& folder : {f.autostartFolder, f.systemAutostartFolder}) {
        EXPECT_EQ(readFile(QString::fromStdString(folder + "/Corvane.desktop")), entry) << folder;
    }
    EXPECT_EQ(list.remove("Corvane"), kErrorSuccess);
    EXPECT_EQ(list.remove("Corvane"), kErrorFileNotFound);
    for (const std::string& folder : {f.autostartFolder, f.systemAutostartFolder}) {
        EXPECT_TRUE(QDir(QString::fromStdString(folder)).isEmpty()) << folder;
    }
}

TEST(AutostartFolder, TemporariesOfAKilledWriter_RemovedByTheNextChangeNotThoseOfAWriterAtWork) {
    Folders f;
    const QString folder = QString::fromStdString(f.autostartFolder);
    const QString stale = ".Corvane.desktop.Ab12Cd.corvane-tmp";
    const QStringList others = {".Corvane.desktop.Ab12C.corvane-tmp", ".Other.desktop.Ab12Cd.corvane-tmp",
                                "notes.txt"};
    for (const QString& name : others + QStringList{stale}) {
        writeEntry(f.autostartFolder, "x", name);
    }
    const AutostartList list = f.autostart();
    {
        // A writer at work holds the folder's lock: what may be its file stays.
        const int held = ::open(folder.toLocal8Bit().constData(), O_RDONLY | O_DIRECTORY);
        ASSERT_EQ(::flock(held, LOCK_EX), 0);
        EXPECT_EQ(list.set("Corvane", kRegSz, {'/', 'b', 'i', 'n', '/', 's', 'h', 0}), kErrorSuccess);
        ::close(held);
        EXPECT_TRUE(QFileInfo::exists(folder + "/" + stale));
    }
    EXPECT_EQ(list.set("Corvane", kRegSz, {'/', 'b', 'i', 'n', '/', 's', 'h', 0}), kErrorSuccess);
    const auto files = [&] {
        QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden);
        names.removeOne("Corvane.desktop");
        names.sort();
        return names;
    };
    EXPECT_EQ(files(), others);
    writeEntry(f.autostartFolder, "x", stale);
    EXPECT_EQ(list.remove("Corvane"), kErrorSuccess);
    EXPECT_EQ(files(), others);
}
