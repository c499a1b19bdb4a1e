#include "editors/alert_editor.h"
#include "fixtures.h"

#include <QTest>

namespace {

using platform::MessageIcon;

const QString kMissingSound = QStringLiteral(
    "The system sound file referred by 'Corvane' does not exist in your computer. it is recommend that you "
    "uncheck 'Play Sound' option and continue.");

struct AlertEditorTest : EditorFixture {
    EditorHolder<AlertEditor> form;

    AlertEditorTest() {
        pick(QStringLiteral("Alert"));
        open();
    }
    void open(const QString& soundFolder = QStringLiteral("/opt/corvane/share/corvane")) {
        delete form.get();
        form.editor =
            new AlertEditor(f.services, state, soundFolder, {mainWindow.get(), optionsWindow.get()}, kindBox);
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

TEST_F(AlertEditorTest, Ok_AcceptsAnyNonEmptyTextUnchanged) {
    struct Case {
        QString typed;
        bool playSound;
    };
    const Case cases[] = {
        {QStringLiteral("Meeting at ten"), true},
        {QStringLiteral("   "), false},
        {QString(200, QChar('x')), true},
        {QStringLiteral("two\nlines"), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        open();
        form->messageBox->setPlainText(c.typed);
        form->playSoundCheck->setChecked(c.playSound);
        form->accept();
        EXPECT_EQ(task.message, c.typed);
        EXPECT_EQ(task.playSound, c.playSound ? 1 : 0);
        EXPECT_FALSE(form->isVisible());
        EXPECT_EQ(kindBox->currentText(), "Alert");
        flushDeletes();
    }
    EXPECT_TRUE(f.messages->shown.empty());
}

TEST_F(AlertEditorTest, Ok_EmptyBoxWarnsAndChangesNothing) {
    form->playSoundCheck->setChecked(false);
    form->accept();
    EXPECT_EQ(f.messages->shown, fakes::oneBox("Please type the Message.", MessageIcon::Exclamation));
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(task.message, "message");
    EXPECT_EQ(task.playSound, 1);
    EXPECT_EQ(kindBox->currentText(), "Alert");
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
    EXPECT_EQ(task.message, "message");
    flushDeletes();

    pick(QStringLiteral("Alert"));
    open();
    QTest::keyClicks(form->messageBox, "not accepted");
    form->playSoundCheck->setChecked(false);
    form->close();
    EXPECT_EQ(kindBox->currentText(), "Alert");
    EXPECT_EQ(task.message, "message");
    EXPECT_EQ(task.playSound, 1);
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

TEST_F(AlertEditorTest, Test_PlaysTheSoundWhateverPlaySoundSaysAndTheEndClosesThePlayer) {
    form->playSoundCheck->setChecked(false);
    form->testSound();
    const std::string path = "/opt/corvane/share/corvane/Media/notify.wav";
    EXPECT_EQ(sound->log, (std::vector<std::string>{"create", "open " + path, "play"}));
    EXPECT_TRUE(form->isPlaying());

    sound->players.back()->finish();
    EXPECT_EQ(sound->log, (std::vector<std::string>{"create", "open " + path, "play", "stop", "close"}));
    EXPECT_FALSE(form->isPlaying());

    // A later Test opens the same player afresh.
    sound->log.clear();
    form->testSound();
    EXPECT_EQ(sound->log, (std::vector<std::string>{"open " + path, "play"}));
    EXPECT_TRUE(f.messages->shown.empty());
    EXPECT_EQ(task.playSound, 1);
}

TEST_F(AlertEditorTest, Test_DuringPlaybackStartsTheSoundAgainFromTheBeginning) {
    form->testSound();
    sound->log.clear();
    form->testSound();
    const std::string path = "/opt/corvane/share/corvane/Media/notify.wav";
    // The old player goes with its playback; a fresh one plays from the start.
    EXPECT_EQ(sound->log, (std::vector<std::string>{"create", "destroy", "open " + path, "play"}));
    EXPECT_TRUE(sound->players.back()->playing);

    sound->log.clear();
    sound->players.back()->finish();
    EXPECT_EQ(sound->log, (std::vector<std::string>{"stop", "close"}));
    EXPECT_FALSE(form->isPlaying());
}

TEST_F(AlertEditorTest, Test_AnyFailureShowsTheMissingFileWarningAndChangesNothing) {
    enum class Fault { NoSoundService, Open, Play };
    for (Fault fault : {Fault::NoSoundService, Fault::Open, Fault::Play}) {
        SCOPED_TRACE(static_cast<int>(fault));
        f.messages->shown.clear();
        sound->failOpen = fault == Fault::Open;
        sound->failPlay = fault == Fault::Play;
        std::unique_ptr<platform::SoundPlayers> saved;
        if (fault == Fault::NoSoundService) {
            saved = std::move(f.services.sound);
        }
        open();
        QTest::keyClicks(form->messageBox, "typed");
        form->testSound();

        EXPECT_EQ(f.messages->shown, fakes::oneBox(kMissingSound, MessageIcon::Exclamation));
        EXPECT_FALSE(form->isPlaying());
        EXPECT_TRUE(form->isVisible());
        EXPECT_EQ(form->messageBox->toPlainText(), "typed");
        EXPECT_TRUE(form->playSoundCheck->isChecked());
        EXPECT_EQ(task.message, "message");
        EXPECT_EQ(task.playSound, 1);
        EXPECT_EQ(kindBox->currentText(), "Alert");
        if (saved) {
            f.services.sound = std::move(saved);
        }
    }
}

TEST_F(AlertEditorTest, Test_JoinsTheSoundPathWithTheSystemSeparator) {
    f.folders->sep = "\\";
    open(QStringLiteral("C:\\WINDOWS"));
    form->testSound();
    EXPECT_EQ(sound->log.at(1), "open C:\\WINDOWS\\Media\\notify.wav");

    // Without a Windows directory the path starts at the root.
    open(QString());
    sound->log.clear();
    form->testSound();
    EXPECT_EQ(sound->log.at(1), "open \\Media\\notify.wav");
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
