#pragma once

// What the widget tests share: the main window on fake services, and the task editors with
// stand-ins for the windows they disable.

#include "app/form1.h"
#include "common/scheduled_task.h"
#include "editors/editor_window.h"
#include "fakes/fake_services.h"

#include <QApplication>
#include <QComboBox>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

/// Deletes the task editors still open (an editor deletes itself only when it closes).
inline void DeleteEditorWindows() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (qobject_cast<EditorWindow*>(window) != nullptr) {
            delete window;
        }
    }
}

/// The five options as the first run stores them, in the current user's settings key.
inline void StoreDefaults(fakes::FakeRegistry& r) {
    const std::string key = "HKCU\\Software\\Pellorin\\Corvane\\4.0";
    r.setDword(key, "autoaddstp", 1);
    r.setDword(key, "hrbeep", 1);
    r.setDword(key, "Ontop", 0);
    r.setDword(key, "ShowMemCpu", 1);
    r.setDword(key, "tpme", 0);
}

/// The main window on fake services, on 2026-12-07 at 08:30:15 UTC.
struct MainWindow {
    fakes::FakeServices f;
    std::unique_ptr<Form1> form1 = std::make_unique<Form1>(f.services);

    MainWindow() { f.clock->now = 1'796'632'215'000LL; }
    ~MainWindow() {
        DeleteEditorWindows();
        form1.reset();
    }
    /// Start-up, and figures in the caption as the figures' timer would put them.
    void load() {
        form1->Form_Load();
        form1->setWindowTitle(QStringLiteral("M 512 CPU 3%"));
    }
    /// The up-time refresh at a tick count.
    void refreshAt(std::uint64_t tick) {
        f.clock->tick = tick;
        form1->Timer1_Timer();
    }
    /// One second of the program: the up-time refresh, then the trigger check.
    void secondAt(std::uint64_t tick) {
        refreshAt(tick);
        form1->Timer2_Timer();
    }
    /// What a successful Apply leaves behind.
    void schedule(const QString& kind, const QString& dd, const QString& hr, const QString& mm) {
        ScheduledTask& t = form1->scheduledTask;
        t.Check1 = 1;
        t.dd = dd;
        t.hr = hr;
        t.mm = mm;
        t.task = kind;
        form1->Timer2.start();
    }
    /// Closes the Options and Schedule Task window; it is deleted.
    void closeForm2() {
        form1->form2()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

struct MainWindowTest : ::testing::Test, MainWindow {};

/// The main window after start-up on an empty store (the first run).
struct LoadedMainWindowTest : MainWindowTest {
    void SetUp() override { load(); }
};

struct EditorFixture : ::testing::Test {
    fakes::FakeServices f;
    fakes::FakeSoundPlayers* sound = f.sound;
    fakes::FakeFileDialog* dialog = f.fileDialog;
    ScheduledTask task;
    // Stand-ins: Form1, Form2 (holding the kind box), Form3, Form4, Form7.
    std::unique_ptr<QWidget> form1 = std::make_unique<QWidget>();
    std::unique_ptr<QWidget> form2 = std::make_unique<QWidget>();
    std::unique_ptr<QWidget> form3 = std::make_unique<QWidget>();
    std::unique_ptr<QWidget> form4 = std::make_unique<QWidget>();
    std::unique_ptr<QWidget> form7 = std::make_unique<QWidget>();
    QComboBox* kindBox = nullptr;

    EditorFixture() {
        task.soundcheck = 1;
        kindBox = new QComboBox(form2.get());
        kindBox->setEditable(true);
        kindBox->addItems(TaskKinds());
    }

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
