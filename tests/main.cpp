// One QApplication for every unit and widget test, on the offscreen platform.
#include "shell/qt/qt_log_sink.h"

#include <QApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    qtshell::installQtLogSink();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
