#include "platform/linux/command_line.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <stdexcept>

namespace platform {

namespace {

[[noreturn]] void refuse(const QString& description) {
    throw std::runtime_error(description.toStdString());
}

QString checkedProgram(const QString& name) {
    if (!name.contains(QLatin1Char('/'))) {
        // A bare name is looked up only in PATH, never in the current folder.
        QString found = QStandardPaths::findExecutable(name);
        if (found.isEmpty()) {
            refuse(QStringLiteral("The program \"%1\" was not found in any folder of PATH.").arg(name));
        }
        return found;
    }
    const QFileInfo file(name);
    if (!file.exists()) {
        refuse(QStringLiteral("The program \"%1\" does not exist.").arg(name));
    }
    if (file.isDir()) {
        refuse(QStringLiteral("\"%1\" is a folder, not a program.").arg(name));
    }
    if (!file.isExecutable()) {
        refuse(QStringLiteral("\"%1\" is not marked as executable.").arg(name));
    }
    return file.absoluteFilePath();
}

} // namespace

ProgramCall resolveCommandLine(const QString& commandLine) {
    for (const QString& whole : {commandLine, commandLine.trimmed()}) {
        if (whole.contains(QLatin1Char('/')) && QFileInfo::exists(whole)) {
            return {checkedProgram(whole), {}};
        }
    }
    QStringList words = QProcess::splitCommand(commandLine);
    if (words.isEmpty()) {
        refuse(QStringLiteral("No program was given."));
    }
    const QString program = words.takeFirst();
    return {checkedProgram(program), words};
}

} // namespace platform
