#include "core/web_address.h"

#include <algorithm>
#include <cctype>

namespace core {

namespace {

bool isSchemeCharacter(unsigned char c) {
    return std::isalnum(c) != 0 || c == '+' || c == '-' || c == '.';
}

bool sameLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

/// Whether what follows a name and its colon is a port: digits up to the end or a path.
bool isPort(std::string_view rest) {
    const std::size_t end = rest.find_first_of("/?#");
    const std::string_view digits = rest.substr(0, end);
    return !digits.empty() &&
           std::all_of(digits.begin(), digits.end(), [](unsigned char c) { return std::isdigit(c) != 0; });
}

} // namespace

std::optional<std::string> webAddressToOpen(const std::string& typed) {
    const std::size_t first = typed.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return std::string();
    }
    const std::string address = typed.substr(first, typed.find_last_not_of(" \t") - first + 1);
    if (std::any_of(address.begin(), address.end(), [](unsigned char c) { return c < 0x20 || c == 0x7f; })) {
        return std::nullopt;
    }
    // A scheme is a letter, then letters, digits, + - or ., then a colon.
    std::size_t colon = 0;
    while (colon < address.size() && isSchemeCharacter(static_cast<unsigned char>(address[colon]))) {
        ++colon;
    }
    const bool scheme = colon > 0 && colon < address.size() && address[colon] == ':' &&
                        std::isalpha(static_cast<unsigned char>(address[0])) != 0;
    if (!scheme || isPort(std::string_view(address).substr(colon + 1))) {
        return "http://" + address;
    }
    const std::string_view name = std::string_view(address).substr(0, colon);
    if (sameLetters(name, "http") || sameLetters(name, "https")) {
        return address;
    }
    return std::nullopt;
}

} // namespace core
