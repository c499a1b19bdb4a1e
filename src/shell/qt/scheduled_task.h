#pragma once

#include "core/scheduled_task.h"
#include "core/task_kind.h"

#include <QString>
#include <QStringList>

namespace qtshell {

using core::ScheduledTask;

/// The seven task kinds' texts, in the order of the kind box.
inline const QStringList& taskKinds() {
    static const QStringList kinds = [] {
        QStringList texts;
        for (const core::TaskKind kind : core::kTaskKinds) {
            const std::string_view text = core::taskKindText(kind);
            texts << QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
        }
        return texts;
    }();
    return kinds;
}

} // namespace qtshell
