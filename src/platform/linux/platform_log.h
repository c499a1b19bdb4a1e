#pragma once

#include <QLoggingCategory>

// Failures of the platform services that are not reported to the user are logged here.
Q_DECLARE_LOGGING_CATEGORY(lcPlatform)
