#include "app/form1.h"
#include "platform/services.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvane"));
    QApplication::setApplicationVersion(QStringLiteral("4.0"));
    QApplication::setDesktopFileName(QStringLiteral("corvane"));
    // The program lives in the tray: closing or hiding a window never quits it by itself.
    QApplication::setQuitOnLastWindowClosed(false);

    platform::Services services = platform::makeSystemServices();
    Form1 form1(services);
    form1.Form_Initialize();
    form1.Form_Load();
    return QApplication::exec();
}
