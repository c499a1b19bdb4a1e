#include "platform/linux/linux_services.h"

#include <QFileDialog>

namespace platform {

QString QtFileDialog::getOpenFileName(QWidget* parent, const QString& startPath, const QStringList& filters) {
    return QFileDialog::getOpenFileName(parent, QString(), startPath, filters.join(QStringLiteral(";;")));
}

} // namespace platform
