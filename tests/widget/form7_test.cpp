#include "editors/form7.h"
#include "fixtures.h"

#include <QTest>

namespace {

struct Form7Test : EditorFixture {
    EditorHolder<Form7> form;

    Form7Test() {
        pick(QStringLiteral("Run Program"));
        open();
    }
    void open() {
        delete form.get();
        form.editor =
            new Form7(f.services, task, {form1.get(), form2.get(), form3.get(), form4.get()}, kindBox);
        form->show();
    }
};

TEST_F(Form7Test, Open_EmptyPathEveryVisit) {
    EXPECT_EQ(form->windowTitle(), "Corvane");
    EXPECT_EQ(form->Frame1->palette().color(QPalette::Window), QColor(166, 193, 232));
    EXPECT_EQ(form->Frame1->title(), "Type the Name or Path of the program");
    EXPECT_EQ(form->Command1->text(), "Browse");
    EXPECT_EQ(form->Command1->toolTip(), "Browse for Programs");
    form->txtpath->setText(QStringLiteral("/usr/bin/xterm"));
    form->Image9_Click();
    EXPECT_EQ(task.lblexe, "/usr/bin/xterm");
    flushDeletes();
    open();
    EXPECT_EQ(form->txtpath->text(), "");
}

TEST_F(Form7Test, Browse_ChoiceAndCancelSequences) {
    // Each step: what the dialog hands back ("" is a cancel), what the user typed before it
    // (null: nothing), and the path box afterwards.
    struct Step {
        QString dialog;
        QString typedBefore;
        QString expected;
    };
    const std::vector<std::vector<Step>> sequences = {
        {{"/usr/bin/xterm", {}, "/usr/bin/xterm"}, {"", {}, "/usr/bin/xterm"}},
        {{"", "firefox", ""}},
        {{"/a/b.sh", {}, "/a/b.sh"}, {"", "typed over", "/a/b.sh"}, {"/c/d", {}, "/c/d"}, {"", {}, "/c/d"}},
    };
    for (const auto& sequence : sequences) {
        open();
        dialog->calls.clear();
        for (const Step& step : sequence) {
            SCOPED_TRACE((step.dialog + " after " + step.typedBefore).toStdString());
            if (!step.typedBefore.isNull()) {
                form->txtpath->clear();
                QTest::keyClicks(form->txtpath, step.typedBefore);
            }
            dialog->results.push_back(step.dialog);
            form->Command1_Click();
            EXPECT_EQ(form->txtpath->text(), step.expected);
        }
        // The dialog offers programs then shell scripts, and starts at the previous choice of this visit.
        ASSERT_EQ(dialog->calls.size(), sequence.size());
        EXPECT_EQ(dialog->calls[0].filters, (QStringList{"Programs (*)", "Shell scripts (*.sh)"}));
        EXPECT_EQ(dialog->calls[0].startPath, "");
        for (std::size_t i = 1; i < sequence.size(); ++i) {
            EXPECT_EQ(dialog->calls[i].startPath, sequence[i - 1].expected);
        }
    }
    EXPECT_EQ(task.lblexe, "lblexe");
}

TEST_F(Form7Test, Browse_NewVisitForgetsTheLastChoice) {
    dialog->results.push_back(QStringLiteral("/usr/bin/xterm"));
    form->Command1_Click();
    form->close();
    open();
    form->Command1_Click();
    EXPECT_EQ(dialog->calls.back().startPath, "");
    EXPECT_EQ(form->txtpath->text(), "");
}

TEST_F(Form7Test, Path_TypingStopsAt100ButALongerChoiceStaysWhole) {
    QTest::keyClicks(form->txtpath, QString(101, QChar('p')));
    EXPECT_EQ(form->txtpath->text(), QString(100, QChar('p')));
    form->Image9_Click();
    EXPECT_EQ(task.lblexe, QString(100, QChar('p')));

    open();
    const QString longPath = "/home/user/" + QString(140, QChar('d')) + "/run";
    dialog->results.push_back(longPath);
    form->Command1_Click();
    EXPECT_EQ(form->txtpath->text(), longPath);
    // Edits may shorten it; typing never makes it longer again.
    form->txtpath->end(false);
    QTest::keyClick(form->txtpath, Qt::Key_Backspace);
    QTest::keyClicks(form->txtpath, "xy");
    EXPECT_EQ(form->txtpath->text(), longPath.chopped(1));
    form->Image9_Click();
    EXPECT_EQ(task.lblexe, longPath.chopped(1));

    open();
    dialog->results.push_back(longPath);
    form->Command1_Click();
    form->txtpath->selectAll();
    QTest::keyClicks(form->txtpath, QString(105, QChar('q')));
    EXPECT_EQ(form->txtpath->text(), QString(100, QChar('q')));
}

TEST_F(Form7Test, Ok_TakesThePathUnchangedOrWarnsWhenEmpty) {
    const QString accepted[] = {QStringLiteral("xterm"), QStringLiteral(" /no/such/program "),
                                QStringLiteral("/bin/sh -c true")};
    for (const QString& path : accepted) {
        open();
        form->txtpath->setText(path);
        form->Image9_Click();
        EXPECT_EQ(task.lblexe, path);
        EXPECT_FALSE(form->isVisible());
        EXPECT_EQ(kindBox->currentText(), "Run Program");
    }
    EXPECT_TRUE(f.messages->shown.empty());

    open();
    form->Image9_Click();
    EXPECT_EQ(f.messages->shown,
              fakes::OneBox("Please select or type the program Name.", platform::MessageIcon::Exclamation));
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(task.lblexe, "/bin/sh -c true");
}

TEST_F(Form7Test, CloseBox_ClearsTheKindOnlyWhenThePathIsEmpty) {
    form->close();
    EXPECT_EQ(kindBox->currentText(), "");
    EXPECT_EQ(task.lblexe, "lblexe");
    // Nothing is chosen now: the next arrow key starts from the top, it opens no editor.
    QTest::keyClick(kindBox, Qt::Key_Down);
    EXPECT_EQ(kindBox->currentText(), "Turn Off Computer");

    pick(QStringLiteral("Run Program"));
    open();
    QTest::keyClicks(form->txtpath, "/usr/bin/xterm");
    form->close();
    EXPECT_EQ(kindBox->currentText(), "Run Program");
    EXPECT_EQ(task.lblexe, "lblexe");
}

TEST_F(Form7Test, Activation_DisablesTheOtherFourWindowsUntilTheEditorCloses) {
    form->activateWindow();
    QTRY_VERIFY(form->isActiveWindow());
    EXPECT_EQ(enabled({form1.get(), form2.get(), form3.get(), form4.get(), form7.get()}),
              (std::vector<bool>{false, false, false, false, true}));
    EXPECT_TRUE(form->isEnabled());
    form->Image9_Click(); // empty: warns, stays open, the others stay disabled
    EXPECT_FALSE(form1->isEnabled());
    form->close();
    EXPECT_EQ(enabled({form1.get(), form2.get(), form3.get(), form4.get()}),
              (std::vector<bool>{true, true, true, true}));
}

TEST_F(Form7Test, Hover_OkLightsUpUntilTheMouseMovesOverTheFrame) {
    moveMouseOver(form->Image9);
    EXPECT_EQ(form->Image9->picture(), 2);
    moveMouseOver(form->txtpath);
    EXPECT_EQ(form->Image9->picture(), 2);
    moveMouseOver(form->Frame1);
    EXPECT_EQ(form->Image9->picture(), 1);
}

} // namespace
