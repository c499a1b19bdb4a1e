// Shows the alert editor on the real services of this system, for the end-to-end test of its
// Test button: editor_sound_probe <windows-directory> <lifetime-ms>
// The test clicks Test with the mouse; the probe prints one line for each thing it sees:
//   window <id> test <x> <y>   the editor's X window and the centre of Test inside it
//   click <ms>                  Test was clicked (ms since the probe started)
//   playing <ms> | ended <ms>   the editor's player started / reported the end of playback
//   message <ms> <text>         a message box came up; the probe reads and closes it
// After the lifetime, or on SIGTERM, it closes the editor (a playback may still run), lets the
// audio system wind down, prints "done <ms>" and ends with status 0.
#include "core/app_state.h"
#include "platform/services.h"
#include "shell/qt/alert_editor.h"
#include "shell/qt/window_blocking.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>
#include <QWindow>

#include <csignal>
#include <cstdio>
#include <string>

#include <unistd.h>

namespace {

QElapsedTimer gClock;
int gTermPipe[2] = {-1, -1};

void onTerm(int) {
    const char byte = 1;
    if (::write(gTermPipe[1], &byte, 1) < 0) {
        // Nothing to do in a signal handler.
    }
}

void say(const QString& line) {
    std::fputs(QStringLiteral("%1\n").arg(line).toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
}

QString now() {
    return QString::number(gClock.elapsed());
}

/// Reports a click on Test before the editor handles it (a warning box would come first).
class ClickWatch final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease) {
            say("click " + now());
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s WINDOWS-DIRECTORY LIFETIME-MS\n", argv[0]);
        return 2;
    }
    gClock.start();
    platform::Services services = platform::makeSystemServices();
    core::AppState state;
    state.changeTask([](core::ScheduledTask& task) { task.playSound = true; });
    state.setSoundFolder(argv[1]);
    // Nothing to block and no kind box: the editor alone.
    qtshell::QtWindowBlocker noWindows;

    QPointer<qtshell::AlertEditor> form =
        new qtshell::AlertEditor(core::EditorContext{services, state, noWindows, {}});
    auto* testLink = form->findChild<qtshell::PictureButton*>(QStringLiteral("testLink"));
    ClickWatch clickWatch;
    testLink->installEventFilter(&clickWatch);
    form->show();

    bool announced = false;
    bool playing = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!form) {
            return;
        }
        if (!announced && form->windowHandle() != nullptr && form->windowHandle()->isExposed()) {
            announced = true;
            const QPoint centre = testLink->geometry().center();
            say(QStringLiteral("window %1 test %2 %3").arg(form->winId()).arg(centre.x()).arg(centre.y()));
        }
        if (form->isPlaying() != playing) {
            playing = form->isPlaying();
            say((playing ? "playing " : "ended ") + now());
        }
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            say("message " + now() + " " + box->windowTitle() + " | " + box->text());
            box->accept();
        }
    });
    watch.start(2);

    bool ending = false;
    auto end = [&] {
        if (ending) {
            return;
        }
        ending = true;
        if (form) {
            form->close();
        }
        // Qt's audio clean-up races the sound server's thread at exit unless it has a moment.
        QTimer::singleShot(300, [] {
            say("done " + now());
            QApplication::quit();
        });
    };
    if (::pipe(gTermPipe) != 0) {
        return 1;
    }
    std::signal(SIGTERM, onTerm);
    QSocketNotifier term(gTermPipe[0], QSocketNotifier::Read);
    QObject::connect(&term, &QSocketNotifier::activated, end);
    QTimer::singleShot(std::stoi(argv[2]), end);
    return QApplication::exec();
}
