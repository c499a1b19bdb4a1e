#include "platform/services.h"
#include "shell/qt/display_platform.h"
#include "shell/qt/end_signals.h"
#include "shell/qt/main_window.h"
#include "shell/qt/qt_log_sink.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    // The window repaints a few small labels every second. With shared-memory images Qt's X11
    // back end waits for a round trip to the server before it repaints what it drew the second
    // before, which doubles the idle wake-ups; plain image transfers of these small windows
    // cost nothing. Read when the display connection opens, so programs started later do not
    // inherit it.
    const bool shmChosen = qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM");
    if (!shmChosen) {
        qputenv("QT_XCB_NO_MITSHM", "1");
    }
    const QByteArray platform = qtshell::chooseDisplayPlatform(qtshell::currentSessionEnvironment());
    if (!platform.isEmpty()) {
        qputenv("QT_QPA_PLATFORM", platform);
    }
    QApplication app(argc, argv);
    if (!shmChosen) {
        qunsetenv("QT_XCB_NO_MITSHM");
    }
    if (!platform.isEmpty()) {
        qunsetenv("QT_QPA_PLATFORM");
    }
    qtshell::installQtLogSink();
    qtshell::reportPlatformLimits(QGuiApplication::platformName());
    QApplication::setApplicationName(QStringLiteral("Corvane"));
    QApplication::setApplicationVersion(QStringLiteral("4.0"));
    QApplication::setDesktopFileName(QStringLiteral("org.example.Corvane"));
    // The program lives in the tray: closing or hiding a window never quits it by itself.
    QApplication::setQuitOnLastWindowClosed(false);

    platform::Services services = platform::makeSystemServices();
    qtshell::MainWindow mainWindow(services);
    // The desktop's log-out (SIGTERM) and Ctrl+C close the window as the system would.
    const qtshell::EndSignals endSignals([&mainWindow] { mainWindow.unload(); });
    mainWindow.checkInstance();
    mainWindow.load();
    return QApplication::exec();
}
