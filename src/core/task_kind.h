#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace core {

/// The seven kinds of task, in the order of the Schedule Task page's kind box.
enum class TaskKind { TurnOff, LogOff, Restart, Hibernate, Alert, RunProgram, VisitWebsite };

inline constexpr std::array<TaskKind, 7> kTaskKinds = {
    TaskKind::TurnOff, TaskKind::LogOff,     TaskKind::Restart,     TaskKind::Hibernate,
    TaskKind::Alert,   TaskKind::RunProgram, TaskKind::VisitWebsite};

/// The kind's text as the kind box lists it and the task record stores it ("Turn Off Computer").
std::string_view taskKindText(TaskKind kind);

/// The kind whose text this is, exactly and with case; nothing for any other text.
std::optional<TaskKind> taskKindOf(std::string_view text);

} // namespace core
