#include "editors/form3.h"
#include "fixtures.h"

#include <QTest>

namespace {

using platform::MessageIcon;

const QString kMissingSound = QStringLiteral(
    "The system sound file referred by 'Corvane' does not exist in your computer. it is recommend that you "
    "uncheck 'Play Sound' option and continue.");

struct Form3Test : EditorFixture {
    EditorHolder<Form3> form;

    Form3Test() {
        pick(QStringLiteral("Alert"));
        open();
    }
    void open(const QString& windowsDirectory = QStringLiteral("/opt/corvane/share/corvane")) {
        delete form.get();
        form.editor = new Form3(f.services, task, windowsDirectory, {form1.get(), form2.get()}, kindBox);
        form->show();
    }
};

TEST_F(Form3Test, Open_EmptyBoxAndPlaySoundMirrorsTheRecord) {
    EXPECT_EQ(form->windowTitle(), "Corvane");
    EXPECT_EQ(form->palette().color(QPalette::Window), QColor(166, 193, 232));
    EXPECT_EQ(form->Frame1->palette().color(QPalette::Window), QColor(166, 193, 232));
    EXPECT_EQ(form->Frame1->title(), " Please type your Message here.");
    EXPECT_EQ(form->Label1->text(), "Test ");
    EXPECT_EQ(form->Label1->toolTip(), "Click to play the Sound");
    EXPECT_EQ(form->Label7->text(), "Play Sound");
    EXPECT_TRUE(form->message->toPlainText().isEmpty());
    EXPECT_TRUE(form->Check1->isChecked());

    // An accepted message is not shown again; an unchecked sound choice is.
    QTest::keyClicks(form->message, "Wake up");
    form->Check1->setChecked(false);
    form->Image9_Click();
    flushDeletes();
    ASSERT_TRUE(form.get() == nullptr);
    open();
    EXPECT_TRUE(form->message->toPlainText().isEmpty());
    EXPECT_FALSE(form->Check1->isChecked());
}

TEST_F(Form3Test, Ok_AcceptsAnyNonEmptyTextUnchanged) {
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
        form->message->setPlainText(c.typed);
        form->Check1->setChecked(c.playSound);
        form->Image9_Click();
        EXPECT_EQ(task.message, c.typed);
        EXPECT_EQ(task.soundcheck, c.playSound ? 1 : 0);
        EXPECT_FALSE(form->isVisible());
        EXPECT_EQ(kindBox->currentText(), "Alert");
        flushDeletes();
    }
    EXPECT_TRUE(f.messages->shown.empty());
}

TEST_F(Form3Test, Ok_EmptyBoxWarnsAndChangesNothing) {
    form->Check1->setChecked(false);
    form->Image9_Click();
    EXPECT_EQ(f.messages->shown, fakes::OneBox("Please type the Message.", MessageIcon::Exclamation));
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(task.message, "message");
    EXPECT_EQ(task.soundcheck, 1);
    EXPECT_EQ(kindBox->currentText(), "Alert");
}

TEST_F(Form3Test, Message_TakesAtMost200Characters) {
    QTest::keyClicks(form->message, QString(199, QChar('a')));
    QTest::keyClicks(form->message, "bc");
    EXPECT_EQ(form->message->toPlainText(), QString(199, QChar('a')) + "b");

    // A paste keeps what fits, up to the cursor.
    form->message->clear();
    QTest::keyClicks(form->message, "head");
    form->message->moveCursor(QTextCursor::Start);
    form->message->insertPlainText(QString(250, QChar('p')));
    EXPECT_EQ(form->message->toPlainText(), QString(196, QChar('p')) + "head");
    EXPECT_EQ(form->message->textCursor().position(), 196);
}

TEST_F(Form3Test, CloseBox_ClearsTheKindOnlyWhenTheBoxIsEmpty) {
    form->close();
    EXPECT_EQ(kindBox->currentText(), "");
    EXPECT_EQ(task.message, "message");
    flushDeletes();

    pick(QStringLiteral("Alert"));
    open();
    QTest::keyClicks(form->message, "not accepted");
    form->Check1->setChecked(false);
    form->close();
    EXPECT_EQ(kindBox->currentText(), "Alert");
    EXPECT_EQ(task.message, "message");
    EXPECT_EQ(task.soundcheck, 1);
}

TEST_F(Form3Test, Activation_DisablesForm1AndForm2UntilTheEditorCloses) {
    form->activateWindow();
    QTRY_VERIFY(form->isActiveWindow());
    EXPECT_EQ(enabled({form1.get(), form2.get(), form3.get()}), (std::vector<bool>{false, false, true}));
    EXPECT_TRUE(form->isEnabled());
    form->close();
    EXPECT_EQ(enabled({form1.get(), form2.get()}), (std::vector<bool>{true, true}));
}

TEST_F(Form3Test, Test_PlaysTheSoundWhateverPlaySoundSaysAndTheEndClosesThePlayer) {
    form->Check1->setChecked(false);
    form->Label1_Click();
    const std::string path = "/opt/corvane/share/corvane/Media/notify.wav";
    EXPECT_EQ(sound->log, (std::vector<std::string>{"create", "open " + path, "play"}));
    EXPECT_TRUE(form->isPlaying());

    sound->players.back()->finish();
    EXPECT_EQ(sound->log, (std::vector<std::string>{"create", "open " + path, "play", "stop", "close"}));
    EXPECT_FALSE(form->isPlaying());

    // A later Test opens the same player afresh.
    sound->log.clear();
    form->Label1_Click();
    EXPECT_EQ(sound->log, (std::vector<std::string>{"open " + path, "play"}));
    EXPECT_TRUE(f.messages->shown.empty());
    EXPECT_EQ(task.soundcheck, 1);
}

TEST_F(Form3Test, Test_DuringPlaybackStartsTheSoundAgainFromTheBeginning) {
    form->Label1_Click();
    sound->log.clear();
    form->Label1_Click();
    const std::string path = "/opt/corvane/share/corvane/Media/notify.wav";
    // The old player goes with its playback; a fresh one plays from the start.
    EXPECT_EQ(sound->log, (std::vector<std::string>{"create", "destroy", "open " + path, "play"}));
    EXPECT_TRUE(sound->players.back()->playing);

    sound->log.clear();
    sound->players.back()->finish();
    EXPECT_EQ(sound->log, (std::vector<std::string>{"stop", "close"}));
    EXPECT_FALSE(form->isPlaying());
}

TEST_F(Form3Test, Test_AnyFailureShowsTheMissingFileWarningAndChangesNothing) {
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
        QTest::keyClicks(form->message, "typed");
        form->Label1_Click();

        EXPECT_EQ(f.messages->shown, fakes::OneBox(kMissingSound, MessageIcon::Exclamation));
        EXPECT_FALSE(form->isPlaying());
        EXPECT_TRUE(form->isVisible());
        EXPECT_EQ(form->message->toPlainText(), "typed");
        EXPECT_TRUE(form->Check1->isChecked());
        EXPECT_EQ(task.message, "message");
        EXPECT_EQ(task.soundcheck, 1);
        EXPECT_EQ(kindBox->currentText(), "Alert");
        if (saved) {
            f.services.sound = std::move(saved);
        }
    }
}

TEST_F(Form3Test, Test_JoinsTheSoundPathWithTheSystemSeparator) {
    f.folders->sep = "\\";
    open(QStringLiteral("C:\\WINDOWS"));
    form->Label1_Click();
    EXPECT_EQ(sound->log.at(1), "open C:\\WINDOWS\\Media\\notify.wav");

    // Without a Windows directory the path starts at the root.
    open(QString());
    sound->log.clear();
    form->Label1_Click();
    EXPECT_EQ(sound->log.at(1), "open \\Media\\notify.wav");
}

TEST_F(Form3Test, ClosingDuringPlaybackEndsThePlayer) {
    form->Label1_Click();
    form->close();
    flushDeletes();
    EXPECT_EQ(sound->log.back(), "destroy");
}

TEST_F(Form3Test, Hover_OkLightsUpUntilTheMouseMovesOverTheWindow) {
    EXPECT_EQ(form->Image9->picture(), 1);
    moveMouseOver(form->Image9);
    EXPECT_EQ(form->Image9->picture(), 2);
    // A move over the frame is not a move over the window itself.
    moveMouseOver(form->Frame1);
    EXPECT_EQ(form->Image9->picture(), 2);
    moveMouseOver(form.get());
    EXPECT_EQ(form->Image9->picture(), 1);
}

} // namespace
