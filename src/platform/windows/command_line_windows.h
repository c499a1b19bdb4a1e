#pragma once

#include <string>
#include <vector>

namespace platform::win {

/// A program to start and its arguments, never passed through a shell.
struct ProgramCall {
    std::wstring program; ///< full path of an existing file
    std::vector<std::wstring> arguments;
};

/// Reads a command line as the user gave it. When the whole text (or the text without its
/// surrounding blanks) names an existing file, that is the program, blanks and all, with no
/// arguments. Otherwise blanks separate words and double quotes group them ("" inside quotes
/// is a quote); the first word is the program. A name without a folder is looked for where
/// CreateProcess looks: beside this program, in the current folder, the system folders, the
/// Windows folder, then the folders of PATH; a name without an ending is looked for with .exe
/// in all of them first, then with each other ending of PATHEXT. Throws std::runtime_error
/// saying why no program can be started (nothing given, not found, a folder).
ProgramCall resolveCommandLine(const std::string& commandLine);

/// The command line CreateProcessW hands to the program: each word quoted where needed, so
/// that the program's own parser reads back exactly the words given.
std::wstring joinCommandLine(const ProgramCall& call);

/// Whether the program is a batch file (.bat, .cmd), which runs in the command shell.
bool isBatchFile(const std::wstring& program);

/// The command shell's arguments that run a batch file with exactly the words given: cmd.exe
/// /d /e:ON /v:OFF /c and the file and its words in one pair of quotes, each word quoted
/// where it holds anything but letters, digits and #$*+-./:?@\_, quotes doubled and each %
/// kept from expansion, so that no word is read as the shell's syntax. Throws
/// std::runtime_error for a word with a line break, which would end the command.
std::wstring batchCommandLine(const ProgramCall& call);
/// The browser's registered command line (its %1 or %L standing for the address, which is
/// added at the end when neither is there) with the address in it as one argument: its quotes
/// and blanks percent-encoded, as an address may carry them.
std::wstring browserCommandLine(const std::wstring& command, const std::wstring& address);

} // namespace platform::win
