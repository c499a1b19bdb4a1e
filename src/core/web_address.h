#pragma once

// What Visit Website hands to the browser: web addresses only.

#include <optional>
#include <string>

namespace core {

/// The address to open for what the user typed, read as a browser's address bar reads it:
/// an http or https address as it is, a name without a scheme (www.example.org, or with a
/// port, localhost:8080) as http://, and an empty address as empty (a new, blank browser
/// window). Nothing for an address of any other scheme (file:, javascript:, ms-settings:, ...)
/// or with a control character: it would start something other than a browser page.
/// Blanks around the address are dropped.
std::optional<std::string> webAddressToOpen(const std::string& typed);

} // namespace core
