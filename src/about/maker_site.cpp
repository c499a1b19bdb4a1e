#include "about/maker_site.h"

#include "common/app_title.h"

#include <stdexcept>

bool openMakerSite(platform::Services& services) {
    try {
        services.launcher->openUrl(kMakerSite.toStdString());
        return true;
    } catch (const std::exception& failure) {
        services.messages->show(QStringLiteral("The web site %1 could not be opened. %2")
                                    .arg(kMakerSite, QString::fromStdString(failure.what()))
                                    .toStdString(),
                                kAppTitle.toStdString(), platform::MessageIcon::Exclamation);
        return false;
    }
}
