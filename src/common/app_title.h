#pragma once

#include <QString>

/// The application title: every message box's title and the dialogs' caption.
inline const QString kAppTitle = QStringLiteral("Corvane");
