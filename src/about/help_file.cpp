#include "about/help_file.h"

#include "common/app_title.h"

namespace {

// As the program has always said it (no blank after the first full stop).
const QString kNotInstalled =
    QStringLiteral("The help file is not installed correctly.Please Reinstall the program.");

} // namespace

bool openHelpFile(platform::Services& services) {
    const std::string path =
        services.folders->dataFolder() + services.folders->separator() + kHelpFileName.toStdString();
    // The shell's convention: a result above 32 is success.
    if (services.launcher->openFile(path) > 32) {
        return true;
    }
    services.messages->show(kNotInstalled.toStdString(), kAppTitle.toStdString(),
                            platform::MessageIcon::Exclamation);
    return false;
}
