#include "core/log.h"

#include <iostream>
#include <utility>

namespace core {

namespace {

LogSink& currentSink() {
    static LogSink sink;
    return sink;
}

} // namespace

void setLogSink(LogSink sink) {
    currentSink() = std::move(sink);
}

void logWarning(std::string_view category, std::string_view text) {
    if (const LogSink& sink = currentSink()) {
        sink(category, text);
    } else {
        std::cerr << category << ": " << text << '\n';
    }
}

} // namespace core
