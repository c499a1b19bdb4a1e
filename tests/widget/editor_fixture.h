#pragma once

// What the editor tests share: fake services, stand-ins for the windows an editor disables,
// and the Schedule Task page's kind box.

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

struct EditorFixture : ::testing::Test {
    fakes::FakeServices f;
    fakes::FakeSoundPlayers* sound = nullptr;
    fakes::FakeFileDialog* dialog = nullptr;
    ScheduledTask task;
    // Stand-ins: Form1, Form2 (holding the kind box), Form3, Form4, Form7.
    std::unique_ptr<QWidget> form1 = std::make_unique<QWidget>();
    std::unique_ptr<QWidget> form2 = std::make_unique<QWidget>();
    std::unique_ptr<QWidget> form3 = std::make_unique<QWidget>();
    std::unique_ptr<QWidget> form4 = std::make_unique<QWidget>();
    std::unique_ptr<QWidget> form7 = std::make_unique<QWidget>();
    QComboBox* kindBox = nullptr;

    EditorFixture() {
        sound = f.sound;
        auto files = std::make_unique<fakes::FakeFileDialog>();
        dialog = files.get();
        f.services.fileDialog = std::move(files);
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
