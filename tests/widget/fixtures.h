#pragma once

// What the widget tests share: the main window on fake services, and the task editors with
// stand-ins for the windows they disable.

#include "core/app_state.h"
#include "core/task_editors.h"
#include "fakes/fake_services.h"
#include "shell/qt/editor_window.h"
#include "shell/qt/main_window.h"
#include "shell/qt/schedule_page.h"
#include "shell/qt/scheduled_task.h"
#include "shell/qt/window_blocking.h"

#include <QApplication>
#include <QComboBox>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

/// The core's UTF-8 texts against the windows' texts, in the tests' checks.
inline bool operator==(const std::string& core, const QString& shown) {
    return QString::fromStdString(core) == shown;
}

/// A window's control, found by the name the window gives it; a missing one fails the test.
template <typename Control = QWidget> Control* control(const QObject* window, const char* name) {
    auto* found = window->findChild<Control*>(QString::fromLatin1(name));
    if (found == nullptr) {
        throw std::invalid_argument(std::string("no control named ") + name);
    }
    return found;
}

/// Deletes the task editors still open (an editor deletes itself only when it closes).
inline void deleteEditorWindows() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (qobject_cast<qtshell::EditorWindow*>(window) != nullptr) {
            delete window;
        }
    }
}

/// The five options as the first run stores them, in the current user's settings key.
inline void storeDefaults(fakes::FakeRegistry& r) {
    const std::string key = "HKCU\\Software\\Pellorin\\Corvane\\4.0";
    r.setDword(key, "autoaddstp", 1);
    r.setDword(key, "hrbeep", 1);
    r.setDword(key, "Ontop", 0);
    r.setDword(key, "ShowMemCpu", 1);
    r.setDword(key, "tpme", 0);
}

/// The main window on fake services, on 2026-12-07 at 08:30:15 UTC.
struct MainWindowHarness {
    fakes::FakeServices f;
    std::unique_ptr<qtshell::MainWindow> mainWindow = std::make_unique<qtshell::MainWindow>(f.services);

    MainWindowHarness() { f.clock->now = 1'796'632'215'000LL; }
    ~MainWindowHarness() {
        deleteEditorWindows();
        mainWindow.reset();
    }
    /// Start-up, and figures in the caption as the figures' timer would put them.
    void load() {
        mainWindow->load();
        mainWindow->core().state().setCaption("M 512 CPU 3%");
    }
    /// The up-time refresh at a tick count.
    void refreshAt(std::uint64_t tick) {
        f.clock->tick = tick;
        mainWindow->core().refreshUptime();
    }
    /// One second of the program: the up-time refresh, then the trigger check.
    void secondAt(std::uint64_t tick) {
        refreshAt(tick);
        mainWindow->core().checkTrigger();
    }
    /// What a successful Apply leaves behind.
    void schedule(const QString& kind, const QString& daysText, const QString& hoursText,
                  const QString& minutesText) {
        mainWindow->core().state().changeTask([&](core::ScheduledTask& t) {
            t.scheduled = true;
            t.daysText = daysText.toStdString();
            t.hoursText = hoursText.toStdString();
            t.minutesText = minutesText.toStdString();
            t.kind = kind.toStdString();
        });
        mainWindow->core().state().setTriggerCheckRunning(true);
    }
    /// Closes the Options and Schedule Task window; it is deleted.
    void closeOptionsWindow() {
        mainWindow->optionsWindow()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

struct MainWindowTest : ::testing::Test, MainWindowHarness {};

/// The main window after start-up on an empty store (the first run).
struct LoadedMainWindowTest : MainWindowTest {
    void SetUp() override { load(); }
};

struct EditorFixture : ::testing::Test {
    fakes::FakeServices f;
    fakes::FakeSoundPlayers* sound = f.sound;
    fakes::FakeFileDialog* dialog = f.fileDialog;
    core::AppState state;
    // Stand-ins: MainWindow, OptionsWindow (holding the Schedule Task page), AlertEditor, AboutWindow,
    // ProgramEditor.
    std::unique_ptr<QWidget> mainWindow = std::make_unique<QWidget>();
    std::unique_ptr<QWidget> optionsWindow = std::make_unique<QWidget>();
    std::unique_ptr<QWidget> alertEditor = std::make_unique<QWidget>();
    std::unique_ptr<QWidget> aboutWindow = std::make_unique<QWidget>();
    std::unique_ptr<QWidget> programEditor = std::make_unique<QWidget>();
    qtshell::SchedulePage* page = nullptr;
    QComboBox* kindBox = nullptr;
    qtshell::QtWindowBlocker blocker;

    EditorFixture() {
        state.changeTask([](core::ScheduledTask& t) { t.playSound = true; });
        page = new qtshell::SchedulePage(state, f.services, optionsWindow.get());
        page->fillKinds();
        kindBox = control<QComboBox>(page, "kindBox");
        const std::pair<core::Window, QWidget*> standIns[] = {
            {core::Window::Main, mainWindow.get()},
            {core::Window::Options, optionsWindow.get()},
            {core::Window::AlertEditor, alertEditor.get()},
            {core::Window::About, aboutWindow.get()},
            {core::Window::ProgramEditor, programEditor.get()}};
        for (const auto& standIn : standIns) {
            blocker.setWindow(standIn.first, [widget = standIn.second](bool) { return widget; });
        }
    }

    /// What the editors touch: the services, the state, the stand-ins and the page's kind box.
    core::EditorContext context() {
        return {f.services, state, blocker, [page = QPointer<qtshell::SchedulePage>(page)] {
                    if (page) {
                        page->clearKind();
                    }
                }};
    }
    /// The task record as the editors leave it.
    const core::ScheduledTask& task() const { return state.task(); }

    /// The kind box as the user left it after picking a kind.
    void pick(const QString& kind) { kindBox->setCurrentText(kind); }

    /// Deletes the windows that closed with WA_DeleteOnClose.
    static void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    static void moveMouseOver(QWidget* widget) {
        const QPointF centre(widget->width() / 2.0, widget->height() / 2.0);
        QMouseEvent move(QEvent::MouseMove, centre, widget->mapToGlobal(centre), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
    }

    std::vector<bool> enabled(std::initializer_list<QWidget*> windows) const {
        std::vector<bool> states;
        for (QWidget* window : windows) {
            states.push_back(window->isEnabled());
        }
        return states;
    }
};

/// Owns an editor that deletes itself when it closes.
template <typename Editor> struct EditorHolder {
    QPointer<Editor> editor;
    ~EditorHolder() { delete editor.data(); }
    Editor* operator->() const { return editor.data(); }
    Editor* get() const { return editor.data(); }
};
