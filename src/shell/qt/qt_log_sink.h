#pragma once

namespace qtshell {

/// Sends the core's warnings into Qt's log, each under its category ("corvane.task").
void installQtLogSink();

} // namespace qtshell
