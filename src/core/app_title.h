#pragma once

#include <string>

namespace core {

/// The application title: every message box's title and the dialogs' caption.
inline const std::string kAppTitle = "Corvane";

} // namespace core
