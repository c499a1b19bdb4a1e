#include "core/trigger_number.h"

#include <charconv>
#include <limits>
#include <string>
#include <system_error>

namespace core {

double readTriggerNumber(std::string_view text) {
    std::string run;
    bool point = false;
    // Bytes of UTF-8: a character outside ASCII ends the run like any other non-digit.
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            run += c;
        } else if (c == '.' && !point) {
            point = true;
            run += '.';
        } else {
            break;
        }
    }
    if (run.find_first_of("0123456789") == std::string::npos) {
        return 0.0; // empty, or a lone point
    }
    // from_chars ignores the locale, so "1.5" reads the same under every decimal separator.
    double value = 0.0;
    const auto result = std::from_chars(run.data(), run.data() + run.size(), value, std::chars_format::fixed);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large when the whole part holds a digit other than 0, else too small to show.
        const std::string whole = run.substr(0, run.find('.'));
        const bool large = whole.find_first_not_of('0') != std::string::npos;
        return large ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return value;
}

} // namespace core
