#include "platform/windows/command_line_windows.h"
#include "platform/windows/wide_text.h"

#include <windows.h>

#include <stdexcept>

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

std::wstring foundInPath(const std::wstring& name) {
    const bool hasExtension = name.find(L'.') != std::wstring::npos;
    const DWORD length = GetEnvironmentVariableW(L"PATH", nullptr, 0);
    std::wstring path(length, L'\0');
    path.resize(GetEnvironmentVariableW(L"PATH", path.data(), length));
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find(L';', start);
        if (end == std::wstring::npos) {
            end = path.size();
        }
        std::wstring folder = path.substr(start, end - start);
        start = end + 1;
        if (folder.empty()) {
            continue;
        }
        if (folder.back() != L'\\' && folder.back() != L'/') {
            folder += L'\\';
        }
        for (const std::wstring& candidate : {folder + name, folder + name + L".exe"}) {
            if (isFile(candidate) && (hasExtension || candidate.size() > folder.size() + name.size())) {
                return fullPath(candidate);
            }
        }
    }
    return {};
}

std::wstring checkedProgram(const std::wstring& name) {
    if (name.find_first_of(L"\\/:") == std::wstring::npos) {
        // A bare name is looked up only in PATH, never in the current folder.
        std::wstring found = foundInPath(name);
        if (found.empty()) {
            Refuse("The program \"" + narrow(name) + "\" was not found in any folder of PATH.");
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
