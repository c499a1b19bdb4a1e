#pragma once

#include "platform/services.h"

#include <QString>

/// The help page's file name in the program's data folder.
inline const QString kHelpFileName = QStringLiteral("corvanehelp.htm");

/// Opens the help page from the data folder with the desktop's default viewer; when that
/// fails, warns that the help file is not installed correctly. Returns whether it opened.
bool openHelpFile(platform::Services& services);
