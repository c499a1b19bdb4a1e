#include "core/task_editors.h"

#include "core/app_title.h"

#include <algorithm>

namespace core {

Excess excessOverLimit(std::size_t length, std::size_t cursor, std::size_t limit) {
    if (length <= limit) {
        return {};
    }
    const std::size_t count = length - limit;
    const std::size_t start = cursor > count ? cursor - count : 0;
    return {start, count};
}

std::size_t typingLimitFor(std::size_t limit, std::size_t currentLength) {
    return std::max(limit, currentLength);
}

std::string firstLineOf(const std::string& utf8) {
    std::size_t end = utf8.find_first_of("\r\n");
    // U+2028 and U+2029 in UTF-8.
    for (const char* separator : {"\xE2\x80\xA8", "\xE2\x80\xA9"}) {
        end = std::min(end, utf8.find(separator));
    }
    return utf8.substr(0, end);
}

std::size_t characterCount(const std::string& utf8) {
    std::size_t count = 0;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte & 0xC0U) != 0x80U) {
            count += byte >= 0xF0U ? 2 : 1; // a four-byte sequence is a surrogate pair
        }
    }
    return count;
}

void warn(platform::Services& services, const std::string& text) {
    services.messages->show(text, kAppTitle, platform::MessageIcon::Exclamation);
}

} // namespace core
