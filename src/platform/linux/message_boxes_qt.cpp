#include "platform/linux/linux_services.h"

#include <QMessageBox>

namespace platform {

void QtMessageBoxes::show(const std::string& text, const std::string& title, MessageIcon icon) {
    QMessageBox::Icon qtIcon = QMessageBox::Information;
    switch (icon) {
    case MessageIcon::Information:
        qtIcon = QMessageBox::Information;
        break;
    case MessageIcon::Exclamation:
        qtIcon = QMessageBox::Warning;
        break;
    case MessageIcon::Critical:
        qtIcon = QMessageBox::Critical;
        break;
    }
    QMessageBox box(qtIcon, QString::fromStdString(title), QString::fromStdString(text), QMessageBox::Ok);
    // The text as typed: an alert such as "a<b and c>d" is no markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace platform
