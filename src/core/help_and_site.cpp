#include "core/help_and_site.h"

#include "core/app_title.h"

#include <exception>

namespace core {

namespace {

// As the program has always said it (no blank after the first full stop).
const std::string kNotInstalled = "The help file is not installed correctly.Please Reinstall the program.";

} // namespace

bool openHelpFile(platform::Services& services) {
    const std::string path = services.folders->dataFolder() + services.folders->separator() + kHelpFileName;
    // The shell's convention: a result above 32 is success.
    if (services.launcher->openFile(path) > 32) {
        return true;
    }
    services.messages->show(kNotInstalled, kAppTitle, platform::MessageIcon::Exclamation);
    return false;
}

bool openMakerSite(platform::Services& services) {
    try {
        services.launcher->openUrl(kMakerSite);
        return true;
    } catch (const std::exception& failure) {
        services.messages->show(std::string("The web site ") + kMakerSite + " could not be opened. " +
                                    failure.what(),
                                kAppTitle, platform::MessageIcon::Exclamation);
        return false;
    }
}

} // namespace core
