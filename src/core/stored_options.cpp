#include "core/stored_options.h"

#include <charconv>

namespace core {

std::string optionText(std::int32_t value, std::uint32_t size) {
    return std::to_string(value).substr(0, size);
}

std::optional<long long> wholeNumber(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\n\r\f\v";
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    text = text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
    if (text.size() > 1 && text.front() == '+' && text[1] != '-') {
        text.remove_prefix(1);
    }
    long long n = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return n;
}

std::optional<bool> storedSwitch(const std::optional<std::string>& text) {
    const std::optional<long long> n = text ? wholeNumber(*text) : std::nullopt;
    if (n == 0 || n == 1) {
        return *n == 1;
    }
    return std::nullopt;
}

} // namespace core
