#pragma once

#include "core/app_title.h"

#include <QString>

namespace qtshell {

/// The application title: every message box's title and the dialogs' caption.
inline const QString kAppTitle = QString::fromStdString(core::kAppTitle);

} // namespace qtshell
