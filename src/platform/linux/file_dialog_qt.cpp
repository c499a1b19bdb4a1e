#include "platform/linux/linux_services.h"
#include "platform/linux/program_files_proxy.h"

#include <QFileDialog>
#include <QFileSystemModel>

namespace platform {

std::string QtFileDialog::getOpenFileName(WindowHandle parent, const std::string& startPath,
                                          const std::vector<std::string>& filterEntries) {
    QStringList filters;
    for (const std::string& entry : filterEntries) {
        filters << QString::fromStdString(entry);
    }
    QFileDialog dialog(static_cast<QWidget*>(parent), QString(), QString::fromStdString(startPath));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(filters);
    // The programs entry ("(*)") lists executable files only; that needs Qt's own dialog,
    // whose list can be narrowed by a model.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    auto* proxy = new ProgramFilesProxy(&dialog);
    dialog.setProxyModel(proxy);
    // Files a filter leaves out are hidden, as the programs entry hides what cannot start.
    if (auto* files = qobject_cast<QFileSystemModel*>(proxy->sourceModel())) {
        files->setNameFilterDisables(false);
    }
    auto follow = [proxy](const QString& filter) {
        proxy->setProgramsOnly(filter.endsWith(QLatin1String("(*)")));
    };
    QObject::connect(&dialog, &QFileDialog::filterSelected, proxy, follow);
    if (!filters.isEmpty()) {
        dialog.selectNameFilter(filters.first());
        follow(filters.first());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().first().toStdString();
}

} // namespace platform
