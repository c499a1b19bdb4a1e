#pragma once

#include <functional>
#include <string_view>

namespace core {

/// Where the core's warnings go: a category ("corvane.task") and a line of text. The shell
/// routes them into its toolkit's log (Qt's message handler); until it does, they go to the
/// standard error stream.
using LogSink = std::function<void(std::string_view category, std::string_view text)>;

/// Sends the warnings from now on to sink; an empty sink restores the standard error stream.
void setLogSink(LogSink sink);

/// Logs a warning: a failure the user was told of only in general terms, with its reason.
void logWarning(std::string_view category, std::string_view text);

} // namespace core
