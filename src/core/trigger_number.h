#pragma once

#include <string_view>

namespace core {

/// Reads a trigger text (days, hours or minutes) as a number: the longest leading run of the
/// digits 0-9 with at most one decimal point among them. An empty text, or one that starts with
/// anything else (a blank, a sign), reads as 0. "05" reads 5, "12:" 12, "3/4" 3, "1.2.3" 1.2.
/// A run too large for a double reads as infinity, so it fails every limit check.
double readTriggerNumber(std::string_view text);

} // namespace core
