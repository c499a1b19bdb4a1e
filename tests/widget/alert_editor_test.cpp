#include "fixtures.h"
#include "shell/qt/alert_editor.h"

#include <QTest>

namespace {

struct AlertEditorTest : EditorFixture {
    EditorHolder<qtshell::AlertEditor> form;

    AlertEditorTest() {
        pick(QStringLiteral("Alert"));
        open();
    }
    void open() {
        delete form.get();
        form.editor = new qtshell::AlertEditor(context());
        form->show();
    }

    // The editor's controls.
    QGroupBox* messageFrame() const { return control<QGroupBox>(form.get(), "messageFrame"); }
    QPlainTextEdit* messageBox() const { return control<QPlainTextEdit>(form.get(), "messageBox"); }
    QCheckBox* playSoundCheck() const { return control<QCheckBox>(form.get(), "playSoundCheck"); }
    QLabel* playSoundLabel() const { return control<QLabel>(form.get(), "playSoundLabel"); }
    qtshell::PictureButton* testLink() const {
        return control<qtshell::PictureButton>(form.get(), "testLink");
    }
    qtshell::PictureButton* okButton() const {
        return control<qtshell::PictureButton>(form.get(), "okButton");
    }
};

TEST_F(AlertEditorTest, Open_EmptyBoxAndPlaySoundMirrorsTheRecord) {
    EXPECT_EQ(form->windowTitle(), "Corvane");
    EXPECT_EQ(form->palette().color(QPalette::Window), QColor(166, 193, 232));
    EXPECT_EQ(messageFrame()->palette().color(QPalette::Window), QColor(166, 193, 232));
    EXPECT_EQ(messageFrame()->title(), " Please type your Message here.");
    EXPECT_EQ(testLink()->text(), "Test ");
    EXPECT_EQ(testLink()->toolTip(), "Click to play the Sound");
    EXPECT_EQ(playSoundLabel()->text(), "Play Sound");
    EXPECT_TRUE(messageBox()->toPlainText().isEmpty());
    EXPECT_TRUE(playSoundCheck()->isChecked());

    // An accepted message is not shown again; an unchecked sound choice is.
    QTest::keyClicks(messageBox(), "Wake up");
    playSoundCheck()->setChecked(false);
    form->accept();
    flushDeletes();
    ASSERT_TRUE(form.get() == nullptr);
    open();
    EXPECT_TRUE(messageBox()->toPlainText().isEmpty());
    EXPECT_FALSE(playSoundCheck()->isChecked());
}

TEST_F(AlertEditorTest, Message_TakesAtMost200Characters) {
    QTest::keyClicks(messageBox(), QString(199, QChar('a')));
    QTest::keyClicks(messageBox(), "bc");
    EXPECT_EQ(messageBox()->toPlainText(), QString(199, QChar('a')) + "b");

    // A paste keeps what fits, up to the cursor.
    messageBox()->clear();
    QTest::keyClicks(messageBox(), "head");
    messageBox()->moveCursor(QTextCursor::Start);
    messageBox()->insertPlainText(QString(250, QChar('p')));
    EXPECT_EQ(messageBox()->toPlainText(), QString(196, QChar('p')) + "head");
    EXPECT_EQ(messageBox()->textCursor().position(), 196);
}

TEST_F(AlertEditorTest, CloseBox_ClearsTheKindOnlyWhenTheBoxIsEmpty) {
    form->close();
    EXPECT_EQ(kindBox->currentText(), "");
    EXPECT_EQ(task().message, "message");
    flushDeletes();

    pick(QStringLiteral("Alert"));
    open();
    QTest::keyClicks(messageBox(), "not accepted");
    playSoundCheck()->setChecked(false);
    form->close();
    EXPECT_EQ(kindBox->currentText(), "Alert");
    EXPECT_EQ(task().message, "message");
    EXPECT_TRUE(task().playSound);
}

TEST_F(AlertEditorTest, Activation_DisablesTheMainAndOptionsWindowsUntilTheEditorCloses) {
    form->activateWindow();
    QTRY_VERIFY(form->isActiveWindow());
    EXPECT_EQ(enabled({mainWindow.get(), optionsWindow.get(), alertEditor.get()}),
              (std::vector<bool>{false, false, true}));
    EXPECT_TRUE(form->isEnabled());
    form->close();
    EXPECT_EQ(enabled({mainWindow.get(), optionsWindow.get()}), (std::vector<bool>{true, true}));
}

TEST_F(AlertEditorTest, ClosingDuringPlaybackEndsThePlayer) {
    form->testSound();
    form->close();
    flushDeletes();
    EXPECT_EQ(sound->log.back(), "destroy");
}

TEST_F(AlertEditorTest, Hover_OkLightsUpUntilTheMouseMovesOverTheWindow) {
    EXPECT_EQ(okButton()->picture(), 1);
    moveMouseOver(okButton());
    EXPECT_EQ(okButton()->picture(), 2);
    // A move over the frame is not a move over the window itself.
    moveMouseOver(messageFrame());
    EXPECT_EQ(okButton()->picture(), 2);
    moveMouseOver(form.get());
    EXPECT_EQ(okButton()->picture(), 1);
}

} // namespace
