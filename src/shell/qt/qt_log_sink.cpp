#include "shell/qt/qt_log_sink.h"

#include "core/log.h"

#include <QDebug>
#include <QMessageLogger>
#include <QString>

#include <string>

namespace qtshell {

void installQtLogSink() {
    core::setLogSink([](std::string_view category, std::string_view text) {
        const std::string name(category);
        QMessageLogger(nullptr, 0, nullptr, name.c_str()).warning().noquote()
            << QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    });
}

} // namespace qtshell
