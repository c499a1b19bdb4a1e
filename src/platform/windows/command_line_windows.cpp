#include "platform/windows/command_line_windows.h"
#include "platform/windows/wide_text.h"

#include <windows.h>

#include <stdexcept>
#include <string_view>

namespace platform::win {

namespace {

[[noreturn]] void Refuse(const std::string& description) {
    throw std::runtime_error(description);
}

DWORD fileAttributes(const std::wstring& path) {
    return path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(path.c_str());
}

bool isFile(const std::wstring& path) {
    const DWORD attributes = fileAttributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::wstring fullPath(const std::wstring& path) {
    const DWORD length = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    std::wstring full(length, L'\0');
    const DWORD written = GetFullPathNameW(path.c_str(), length, full.data(), nullptr);
    if (written == 0 || written >= length) {
        return path;
    }
    full.resize(written);
    return full;
}

std::vector<std::wstring> splitWords(const std::wstring& text) {
    std::vector<std::wstring> words;
    std::wstring word;
    bool inWord = false;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c == L'"') {
            if (quoted && i + 1 < text.size() && text[i + 1] == L'"') {
                word += L'"';
                ++i;
            } else {
                quoted = !quoted;
            }
            inWord = true;
        } else if (!quoted && (c == L' ' || c == L'\t')) {
            if (inWord) {
                words.push_back(word);
                word.clear();
                inWord = false;
            }
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) {
        words.push_back(word);
    }
    return words;
}

std::wstring environmentVariable(const wchar_t* name) {
    const DWORD length = GetEnvironmentVariableW(name, nullptr, 0);
    std::wstring value(length, L'\0');
    value.resize(GetEnvironmentVariableW(name, value.data(), length));
    return value;
}

std::vector<std::wstring> splitList(const std::wstring& list) {
    std::vector<std::wstring> entries;
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = list.find(L';', start);
        if (end == std::wstring::npos) {
            end = list.size();
        }
        if (end > start) {
            entries.push_back(list.substr(start, end - start));
        }
        start = end + 1;
    }
    return entries;
}

std::wstring systemFolder(UINT (*folder)(LPWSTR, UINT)) {
    wchar_t path[MAX_PATH] = {};
    const UINT length = folder(path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(path, length) : std::wstring();
}

/// Where CreateProcess looks for a program named without a folder, in its order: the
/// program's own folder, the current folder, the system folder, the 16-bit system folder,
/// the Windows folder, then the folders of PATH.
std::vector<std::wstring> searchFolders() {
    std::vector<std::wstring> folders;
    wchar_t own[MAX_PATH] = {};
    const DWORD ownLength = GetModuleFileNameW(nullptr, own, MAX_PATH);
    std::wstring program(own, ownLength < MAX_PATH ? ownLength : 0);
    folders.push_back(program.substr(0, program.find_last_of(L"\\/") + 1));
    folders.push_back(fullPath(L"."));
    folders.push_back(systemFolder(GetSystemDirectoryW));
    const std::wstring windows = systemFolder(GetWindowsDirectoryW);
    folders.push_back(windows.empty() ? std::wstring() : windows + L"\\System");
    folders.push_back(windows);
    for (std::wstring& folder : splitList(environmentVariable(L"PATH"))) {
        folders.push_back(std::move(folder));
    }
    return folders;
}

/// The endings tried for a name without one: .exe first, as CreateProcess adds it, then the
/// others the system counts as programs (PATHEXT).
std::vector<std::wstring> programEndings() {
    std::vector<std::wstring> endings = {L".exe"};
    std::wstring listed = environmentVariable(L"PATHEXT");
    for (std::wstring& ending : splitList(listed.empty() ? std::wstring(L".COM;.EXE;.BAT;.CMD") : listed)) {
        if (CompareStringOrdinal(ending.c_str(), -1, L".exe", -1, TRUE) != CSTR_EQUAL) {
            endings.push_back(std::move(ending));
        }
    }
    return endings;
}

std::wstring foundInSearchFolders(const std::wstring& name) {
    const std::vector<std::wstring> endings =
        name.find(L'.') != std::wstring::npos ? std::vector<std::wstring>{L""} : programEndings();
    std::vector<std::wstring> folders = searchFolders();
    for (std::wstring& folder : folders) {
        if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/') {
            folder += L'\\';
        }
    }
    // Each ending through all folders: a program CreateProcess itself would find comes first.
    for (const std::wstring& ending : endings) {
        for (const std::wstring& folder : folders) {
            if (!folder.empty() && isFile(folder + name + ending)) {
                return fullPath(folder + name + ending);
            }
        }
    }
    return {};
}

std::wstring checkedProgram(const std::wstring& name) {
    if (name.find_first_of(L"\\/:") == std::wstring::npos) {
        std::wstring found = foundInSearchFolders(name);
        if (found.empty()) {
            Refuse("The program \"" + narrow(name) +
                   "\" was found neither beside this program, in the current folder, in the system's "
                   "folders nor in any folder of PATH.");
        }
        return found;
    }
    const DWORD attributes = fileAttributes(name);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        Refuse("The program \"" + narrow(name) + "\" does not exist.");
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        Refuse("\"" + narrow(name) + "\" is a folder, not a program.");
    }
    return fullPath(name);
}

/// One word as the C runtime's parser reads it back: quotes where there are blanks or quotes,
/// backslashes doubled before a quote.
std::wstring quotedWord(const std::wstring& word) {
    if (!word.empty() && word.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
        return word;
    }
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : word) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    return quoted + L"\"";
}

} // namespace

ProgramCall resolveCommandLine(const std::string& commandLine) {
    const std::wstring text = widen(commandLine);
    const std::size_t first = text.find_first_not_of(L" \t");
    const std::size_t last = text.find_last_not_of(L" \t");
    const std::wstring trimmed =
        first == std::wstring::npos ? std::wstring() : text.substr(first, last - first + 1);
    for (const std::wstring& whole : {text, trimmed}) {
        if (whole.find_first_of(L"\\/") != std::wstring::npos && isFile(whole)) {
            return {fullPath(whole), {}};
        }
    }
    std::vector<std::wstring> words = splitWords(text);
    if (words.empty()) {
        Refuse("No program was given.");
    }
    ProgramCall call{checkedProgram(words.front()), {}};
    call.arguments.assign(words.begin() + 1, words.end());
    return call;
}

bool isBatchFile(const std::wstring& program) {
    const std::size_t dot = program.find_last_of(L'.');
    if (dot == std::wstring::npos || program.find_first_of(L"\\/", dot) != std::wstring::npos) {
        return false;
    }
    const wchar_t* ending = program.c_str() + dot;
    return CompareStringOrdinal(ending, -1, L".bat", -1, TRUE) == CSTR_EQUAL ||
           CompareStringOrdinal(ending, -1, L".cmd", -1, TRUE) == CSTR_EQUAL;
}

std::wstring batchCommandLine(const ProgramCall& call) {
    // The shell takes the text after /c without its first and last quote: the file in quotes of
    // its own, then the words, as they were given.
    std::wstring line = L"cmd.exe /d /e:ON /v:OFF /c \"\"" + call.program + L"\"";
    for (const std::wstring& word : call.arguments) {
        if (word.find_first_of(L"\r\n") != std::wstring::npos) {
            Refuse("An argument of the batch file \"" + narrow(call.program) + "\" holds a line break.");
        }
        bool quote = word.empty() || word.back() == L'\\';
        for (const wchar_t c : word) {
            const bool plain = (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') ||
                               (c >= L'0' && c <= L'9') || c >= 0x80 ||
                               std::wstring_view(L"#$*+-./:?@\\_").find(c) != std::wstring_view::npos;
            quote = quote || !plain;
        }
        line += quote ? L" \"" : L" ";
        std::size_t backslashes = 0;
        for (const wchar_t c : word) {
            if (c == L'\\') {
                ++backslashes;
            } else {
                if (c == L'"') {
                    line.append(backslashes, L'\\'); // doubled before a quote
                    line += L'"';                    // a quote doubled
                } else if (c == L'%') {
                    // "%%cd:~,%" expands to "%" alone: no variable's name follows a % any more.
                    line += L"%%cd:~,";
                }
                backslashes = 0;
            }
            line += c;
        }
        if (quote) {
            line.append(backslashes, L'\\');
            line += L'"';
        }
    }
    return line + L"\"";
}

std::wstring joinCommandLine(const ProgramCall& call) {
    // The program's name is quoted without escapes, as the system reads the first word.
    std::wstring line = L"\"" + call.program + L"\"";
    for (const std::wstring& argument : call.arguments) {
        line += L' ';
        line += quotedWord(argument);
    }
    return line;
}

} // namespace platform::win
