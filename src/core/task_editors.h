#pragma once

// The rules of the three task editors (alert, program, web address): what each starts with,
// what OK accepts and writes into the task record, what closing leaves in the kind box, and
// which windows each blocks while it is active. The shell's editor windows are views over them.

#include "core/window_blocking.h"
#include "platform/services.h"

#include <cstddef>
#include <functional>
#include <string>

namespace core {

class AppState;

/// What the editors touch beside their own window. All of it outlives the editors.
struct EditorContext {
    platform::Services& services;
    AppState& state;        ///< the task record and the sound folder
    WindowBlocker& blocker; ///< the windows an editor blocks while active
    /// Empties the Schedule Task page's kind box, if the page is still open.
    std::function<void()> clearTaskKind;
};

/// What an edit beyond a length limit leaves: the characters to drop, ending at the cursor.
struct Excess {
    std::size_t start = 0;
    std::size_t count = 0;
};
/// The characters to drop from a text of a length with the cursor at a position, so that it
/// keeps at most limit characters; count 0 when it fits.
Excess excessOverLimit(std::size_t length, std::size_t cursor, std::size_t limit);

/// How many characters a single-line box takes by typing: typing stops at the limit, but a
/// longer text that was put there whole (a dialog's choice) may stay; edits only shorten it.
std::size_t typingLimitFor(std::size_t limit, std::size_t currentLength);

/// What a single-line box takes of a text pasted or dropped into it: what comes before the
/// first line break (line feed, carriage return, or the line and paragraph separators).
std::string firstLineOf(const std::string& utf8);

/// The length of a UTF-8 text as a text box counts it (UTF-16 units: a character beyond the
/// basic plane counts two).
std::size_t characterCount(const std::string& utf8);

/// The message box every editor warns with: the exclamation icon and the title "Corvane".
void warn(platform::Services& services, const std::string& text);

} // namespace core
