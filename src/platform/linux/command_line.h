#pragma once

#include <QString>
#include <QStringList>

namespace platform {

/// A program to start and its arguments, never passed through a shell.
struct ProgramCall {
    QString program; ///< absolute path of an executable file
    QStringList arguments;
};

/// Reads a command line as the user gave it. When the whole text (or the text without its
/// surrounding blanks) is the path of an existing file or folder, that is the program, blanks
/// and all, with no arguments: a path picked in the file dialog comes unquoted. Otherwise the
/// text is split into words (QProcess::splitCommand: blanks separate, double quotes group,
/// nothing else is special), the first word being the program. A program named without a "/"
/// is looked up in PATH. Throws std::runtime_error describing why no program can be started
/// (nothing given, not found, a folder, not executable).
ProgramCall resolveCommandLine(const QString& commandLine);

} // namespace platform
