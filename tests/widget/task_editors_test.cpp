#include "fixtures.h"
#include "shell/qt/alert_editor.h"
#include "shell/qt/program_editor.h"
#include "shell/qt/task_editors.h"
#include "shell/qt/web_address_editor.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

namespace {

struct OpenTaskEditorTest : EditorFixture {
    ~OpenTaskEditorTest() override { deleteEditorWindows(); }
    qtshell::EditorWindow* openEditor(core::TaskKind kind) {
        state.setSoundFolder("/data");
        // The editors of this test are the real ones: blocking finds them open.
        blocker.setWindow(core::Window::AlertEditor,
                          [](bool) -> QWidget* { return qtshell::findTaskEditor(core::TaskKind::Alert); });
        blocker.setWindow(core::Window::ProgramEditor, [](bool) -> QWidget* {
            return qtshell::findTaskEditor(core::TaskKind::RunProgram);
        });
        return qtshell::openTaskEditor(kind, context(), optionsWindow.get());
    }
};

TEST_F(OpenTaskEditorTest, EachKindWithAParameterOpensItsEditor) {
    qtshell::EditorWindow* alert = openEditor(core::TaskKind::Alert);
    EXPECT_NE(qobject_cast<qtshell::AlertEditor*>(alert), nullptr);
    EXPECT_NE(qobject_cast<qtshell::ProgramEditor*>(openEditor(core::TaskKind::RunProgram)), nullptr);
    EXPECT_NE(qobject_cast<qtshell::WebAddressEditor*>(openEditor(core::TaskKind::VisitWebsite)), nullptr);
    for (const core::TaskKind kind : {core::TaskKind::TurnOff, core::TaskKind::LogOff,
                                      core::TaskKind::Restart, core::TaskKind::Hibernate}) {
        EXPECT_EQ(openEditor(kind), nullptr) << core::taskKindText(kind);
    }
    // An open editor is brought forward as it stands, not made again.
    control<QPlainTextEdit>(alert, "messageBox")->setPlainText(QStringLiteral("kept"));
    EXPECT_EQ(openEditor(core::TaskKind::Alert), alert);
    EXPECT_EQ(control<QPlainTextEdit>(alert, "messageBox")->toPlainText(), "kept");
    EXPECT_TRUE(alert->isVisible());
}

TEST_F(OpenTaskEditorTest, TheAlertEditorTouchesTheRecordAndTheKindBox) {
    auto* alert = qobject_cast<qtshell::AlertEditor*>(openEditor(core::TaskKind::Alert));
    control<QPlainTextEdit>(alert, "messageBox")->setPlainText(QStringLiteral("Stand up"));
    alert->testSound();
    EXPECT_EQ(sound->log.at(1), "open /data/Media/notify.wav");
    alert->accept();
    EXPECT_EQ(task().message, "Stand up");

    pick(QStringLiteral("Alert"));
    QPointer<qtshell::EditorWindow> again = openEditor(core::TaskKind::Alert);
    QTRY_VERIFY(again->isActiveWindow());
    EXPECT_FALSE(optionsWindow->isEnabled());
    again->close();
    EXPECT_EQ(kindBox->currentText(), "");
    EXPECT_TRUE(optionsWindow->isEnabled());
}

TEST_F(OpenTaskEditorTest, TheProgramEditorDisablesAnOpenAlertEditor) {
    QPointer<qtshell::EditorWindow> alert = openEditor(core::TaskKind::Alert);
    QPointer<qtshell::EditorWindow> program = openEditor(core::TaskKind::RunProgram);
    QTRY_VERIFY(program->isActiveWindow());
    EXPECT_FALSE(alert->isEnabled());
    EXPECT_FALSE(aboutWindow->isEnabled());
    program->close();
    EXPECT_TRUE(alert->isEnabled());
    EXPECT_TRUE(aboutWindow->isEnabled());

    QPointer<qtshell::EditorWindow> web = openEditor(core::TaskKind::VisitWebsite);
    QTRY_VERIFY(web->isActiveWindow());
    EXPECT_FALSE(alert->isEnabled());
    web->close();
    EXPECT_TRUE(alert->isEnabled());
}

} // namespace

TEST_F(OpenTaskEditorTest, ASinglelineBoxTakesOnlyTheFirstLineOfAPaste) {
    auto* program = qobject_cast<qtshell::ProgramEditor*>(openEditor(core::TaskKind::RunProgram));
    auto* web = qobject_cast<qtshell::WebAddressEditor*>(openEditor(core::TaskKind::VisitWebsite));
    const struct {
        const char *before, *pasted, *after;
        int cursor; // where the paste goes in before
    } cases[] = {
        {"", "/usr/bin/top\n/bin/rm -rf ~", "/usr/bin/top", 0},
        {"ab", "X\r\nY", "aXb", 1},
        {"", "\nsecond", "", 0},
        {"http://", "example.org\u2029other", "http://example.org", 7},
        {"", "one line", "one line", 0},
    };
    for (QLineEdit* box : {control<QLineEdit>(program, "pathBox"), control<QLineEdit>(web, "addressBox")}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.pasted));
            box->setText(QString::fromUtf8(c.before));
            box->setCursorPosition(c.cursor);
            QGuiApplication::clipboard()->setText(QString::fromUtf8(c.pasted));
            box->paste();
            EXPECT_EQ(box->text(), QString::fromUtf8(c.after));
            EXPECT_EQ(box->cursorPosition(),
                      c.cursor + QString::fromUtf8(c.after).size() - QString::fromUtf8(c.before).size());
        }
    }
}
