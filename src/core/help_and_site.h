#pragma once

// The help page and the maker's web site, which the Options window's links and the About
// window open.

#include "platform/services.h"

#include <string>

namespace core {

/// The help page's file name in the program's data folder.
inline constexpr const char* kHelpFileName = "corvanehelp.htm";
/// The maker's web site.
inline constexpr const char* kMakerSite = "https://www.pellorin.example/corvane/";

/// Opens the help page from the data folder with the desktop's default viewer; when that
/// fails, warns that the help file is not installed correctly. Returns whether it opened.
bool openHelpFile(platform::Services& services);

/// Opens the maker's web site in the desktop's default browser; a failure is told in a
/// message box. Returns whether the browser was started.
bool openMakerSite(platform::Services& services);

} // namespace core
