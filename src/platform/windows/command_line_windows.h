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
/// is a quote); the first word is the program, looked up in the folders of PATH (with .exe
/// added when it has no extension) when it names no folder. Throws std::runtime_error saying
/// why no program can be started (nothing given, not found, a folder).
ProgramCall resolveCommandLine(const std::string& commandLine);

/// The command line CreateProcessW hands to the program: each word quoted where needed, so
/// that the program's own parser reads back exactly the words given.
std::wstring joinCommandLine(const ProgramCall& call);

/// The browser's registered command line (its %1 or %L standing for the address, which is
/// added at the end when neither is there) with the address in it as one argument: its quotes
/// and blanks percent-encoded, as an address may carry them.
std::wstring browserCommandLine(const std::wstring& command, const std::wstring& address);

} // namespace platform::win
