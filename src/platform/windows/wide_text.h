#pragma once

// UTF-8 at the interfaces, UTF-16 for the system's wide-character calls.

#include <string>
#include <string_view>

namespace platform::win {

/// UTF-16 of a UTF-8 text; invalid sequences become U+FFFD.
std::wstring widen(std::string_view utf8);
/// UTF-8 of a UTF-16 text; unpaired surrogates become U+FFFD.
std::string narrow(std::wstring_view wide);
/// The system's description of an error code, in UTF-8, without the trailing line break.
std::string errorText(unsigned long code);

} // namespace platform::win
