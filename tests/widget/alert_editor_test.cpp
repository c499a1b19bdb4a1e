#include "fixtures.h"
#include "shell/qt/alert_editor.h"

#include <QTest>

namespace {

struct AlertEditorTest : EditorFixture {
    EditorHolder<AlertEditor> form;

    AlertEditorTest() {
        pick(QStringLiteral("Alert"));
        open();
    }
    void open() {
        delete form.get();
        form.editor = new AlertEditor(context());
        form->show();
    }
};

TEST_F(AlertEditorTest, Open_EmptyBoxAndPlaySoundMirrorsTheRecord) {
    EXPECT_EQ(form->windowTitle(), "Corvane");
    EXPECT_EQ(form->palette().color(QPalette::Window), QColor(166, 193, 232));
    EXPECT_EQ(form->messageFrame->palette().color(QPalette::Window), QColor(166, 193, 232));
    EXPECT_EQ(form->messageFrame->title(), " Please type your Message here.");
    EXPECT_EQ(form->testLink->text(), "Test ");
    EXPECT_EQ(form->testLink->toolTip(), "Click to play the Sound");
    EXPECT_EQ(form->playSoundLabel->text(), "Play Sound");
    EXPECT_TRUE(form->messageBox->toPlainText().isEmpty());
    EXPECT_TRUE(form->playSoundCheck->isChecked());

    // An accepted message is not shown again; an unchecked sound choice is.
    QTest::keyClicks(form->messageBox, "Wake up");
    form->playSoundCheck->setChecked(false);
    form->accept();
    flushDeletes();
    ASSERT_TRUE(form.get() == nullptr);
    open();
    EXPECT_TRUE(form->messageBox->toPlainText().isEmpty());
    EXPECT_FALSE(form->playSoundCheck->isChecked());
}

TEST_F(AlertEditorTest, Message_TakesAtMost200Characters) {
    QTest::keyClicks(form->messageBox, QString(199, QChar('a')));
    QTest::keyClicks(form->messageBox, "bc");
    EXPECT_EQ(form->messageBox->toPlainText(), QString(199, QChar('a')) + "b");

    // A paste keeps what fits, up to the cursor.
    form->messageBox->clear();
    QTest::keyClicks(form->messageBox, "head");
    form->messageBox->moveCursor(QTextCursor::Start);
    form->messageBox->insertPlainText(QString(250, QChar('p')));
    EXPECT_EQ(form->messageBox->toPlainText(), QString(196, QChar('p')) + "head");
    EXPECT_EQ(form->messageBox->textCursor().position(), 196);
}

TEST_F(AlertEditorTest, CloseBox_ClearsTheKindOnlyWhenTheBoxIsEmpty) {
    form->close();
    EXPECT_EQ(kindBox->currentText(), "");
    EXPECT_EQ(task().message, "message");
    flushDeletes();

    pick(QStringLiteral("Alert"));
    open();
    QTest::keyClicks(form->messageBox, "not accepted");
    form->playSoundCheck->setChecked(false);
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
    EXPECT_EQ(form->okButton->picture(), 1);
    moveMouseOver(form->okButton);
    EXPECT_EQ(form->okButton->picture(), 2);
    // A move over the frame is not a move over the window itself.
    moveMouseOver(form->messageFrame);
    EXPECT_EQ(form->okButton->picture(), 2);
    moveMouseOver(form.get());
    EXPECT_EQ(form->okButton->picture(), 1);
}

} // namespace
