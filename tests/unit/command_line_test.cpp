#include "platform/linux/command_line.h"
#include "platform/linux/linux_services.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using platform::resolveCommandLine;

void writeFile(const QString& path, const QByteArray& text, bool executable) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(text);
    file.setPermissions(executable ? QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                   : QFile::ReadOwner | QFile::WriteOwner);
}

// Sets an environment variable and the current folder for one test, and puts them back.
class CommandLineTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        d = m_dir.path();
        ASSERT_TRUE(QDir(d).mkpath(QStringLiteral("my tools")));
        ASSERT_TRUE(QDir(d).mkpath(QStringLiteral("bin")));
        ASSERT_TRUE(QDir(d).mkpath(QStringLiteral("folder")));
        writeFile(d + "/mark.sh", "#!/bin/sh\n", true);
        writeFile(d + "/my tools/run me.sh", "#!/bin/sh\n", true);
        writeFile(d + "/bin/tool", "#!/bin/sh\n", true);
        writeFile(d + "/plain.txt", "text\n", false);
        m_path = qgetenv("PATH");
        m_cwd = QDir::currentPath();
        qputenv("PATH", QFile::encodeName(d + "/bin"));
    }
    void TearDown() override {
        qputenv("PATH", m_path);
        QDir::setCurrent(m_cwd);
    }

public:
    /// The test's folder.
    QString d;

private:
    QTemporaryDir m_dir;
    QByteArray m_path;
    QString m_cwd;
};

struct StartCase {
    QString commandLine;
    QString program; // empty: refused
    QStringList arguments;
    QString refusal; // part of the description when refused
};

TEST_F(CommandLineTest, ProgramsArgumentsAndRefusals) {
    const QString runMe = d + "/my tools/run me.sh";
    const StartCase cases[] = {
        {d + "/mark.sh", d + "/mark.sh", {}, {}},
        {d + "/mark.sh one two", d + "/mark.sh", {"one", "two"}, {}},
        // A path with blanks: the whole text naming a file, as the file dialog gives it...
        {runMe, runMe, {}, {}},
        {"  " + runMe + " ", runMe, {}, {}},
        // ...or quoted, followed by arguments; quotes group an argument too.
        {"\"" + runMe + "\" --x \"two words\"", runMe, {"--x", "two words"}, {}},
        // An unquoted path with blanks and arguments cannot be told apart: the first word is missing.
        {runMe + " --x", {}, {}, "does not exist"},
        // Shell syntax is not interpreted: it stays in the words.
        {d + "/mark.sh $(touch " + d + "/pwned) `id` > out | cat && x",
         d + "/mark.sh",
         {"$(touch", d + "/pwned)", "`id`", ">", "out", "|", "cat", "&&", "x"},
         {}},
        {d + "/mark.sh; touch " + d + "/pwned", {}, {}, "mark.sh;\" does not exist"},
        // A bare name comes from PATH, never from the current folder.
        {"tool --help", d + "/bin/tool", {"--help"}, {}},
        {"mark.sh", {}, {}, "not found in any folder of PATH"},
        {"", {}, {}, "No program was given."},
        {"   ", {}, {}, "No program was given."},
        {d + "/missing.sh", {}, {}, "does not exist"},
        {d + "/plain.txt", {}, {}, "is not marked as executable"},
        {d + "/folder", {}, {}, "is a folder"},
    };
    QDir::setCurrent(d);
    for (const StartCase& c : cases) {
        SCOPED_TRACE(c.commandLine.toStdString());
        if (c.program.isEmpty()) {
            try {
                resolveCommandLine(c.commandLine);
                ADD_FAILURE() << "accepted";
            } catch (const std::runtime_error& e) {
                EXPECT_NE(std::string(e.what()).find(c.refusal.toStdString()), std::string::npos) << e.what();
            }
        } else {
            const platform::ProgramCall call = resolveCommandLine(c.commandLine);
            EXPECT_EQ(call.program, c.program);
            EXPECT_EQ(call.arguments, c.arguments);
        }
    }
    EXPECT_FALSE(QFile::exists(d + "/pwned"));
}

TEST_F(CommandLineTest, FileTheSystemCannotRunIsRefusedNotHandedToAShell) {
    // Executable, but no "#!" line: a shell would run it, execv refuses it.
    writeFile(d + "/script", "touch " + QFile::encodeName(d) + "/ran\n", true);
    platform::LinuxLauncher launcher;
    EXPECT_THROW(launcher.runProgram((d + "/script").toStdString()), std::runtime_error);
    EXPECT_FALSE(QFile::exists(d + "/ran"));
}

TEST_F(CommandLineTest, OpenFileAndUrlRefusals) {
    platform::LinuxLauncher launcher;
    EXPECT_LE(launcher.openFile((d + "/corvanehelp.htm").toStdString()), 32);
    EXPECT_LE(launcher.openFile((d + "/folder").toStdString()), 32);
    EXPECT_THROW(launcher.openUrl("http://[no host"), std::runtime_error);
}

} // namespace
