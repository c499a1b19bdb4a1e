#pragma once

#include "platform/services.h"

#include <QString>

/// The maker's web site, which the About window and the Options window link to.
inline const QString kMakerSite = QStringLiteral("https://www.pellorin.example/corvane/");

/// Opens the maker's web site in the desktop's default browser; a failure is told in a
/// message box. Returns whether the browser was started.
bool openMakerSite(platform::Services& services);
