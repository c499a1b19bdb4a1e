#include "core/task_kind.h"

namespace core {

std::string_view taskKindText(TaskKind kind) {
    switch (kind) {
    case TaskKind::TurnOff:
        return "Turn Off Computer";
    case TaskKind::LogOff:
        return "Log Off Computer";
    case TaskKind::Restart:
        return "Restart Computer";
    case TaskKind::Hibernate:
        return "Hibernate";
    case TaskKind::Alert:
        return "Alert";
    case TaskKind::RunProgram:
        return "Run Program";
    case TaskKind::VisitWebsite:
        return "Visit Website";
    }
    return {};
}

std::optional<TaskKind> taskKindOf(std::string_view text) {
    for (const TaskKind kind : kTaskKinds) {
        if (taskKindText(kind) == text) {
            return kind;
        }
    }
    return std::nullopt;
}

} // namespace core
