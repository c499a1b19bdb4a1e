#include "fixtures.h"
#include "shell/qt/program_editor.h"

#include <QTest>

namespace {

struct ProgramEditorTest : EditorFixture {
    EditorHolder<qtshell::ProgramEditor> form;

    ProgramEditorTest() {
        pick(QStringLiteral("Run Program"));
        open();
    }
    void open() {
        delete form.get();
        form.editor = new qtshell::ProgramEditor(context());
        form->show();
    }

    // The editor's controls.
    QGroupBox* pathFrame() const { return control<QGroupBox>(form.get(), "pathFrame"); }
    QLineEdit* pathBox() const { return control<QLineEdit>(form.get(), "pathBox"); }
    QPushButton* browseButton() const { return control<QPushButton>(form.get(), "browseButton"); }
    qtshell::PictureButton* okButton() const {
        return control<qtshell::PictureButton>(form.get(), "okButton");
    }
};

TEST_F(ProgramEditorTest, Open_EmptyPathEveryVisit) {
    EXPECT_EQ(form->windowTitle(), "Corvane");
    EXPECT_EQ(pathFrame()->palette().color(QPalette::Window), QColor(166, 193, 232));
    EXPECT_EQ(pathFrame()->title(), "Type the Name or Path of the program");
    EXPECT_EQ(browseButton()->text(), "Browse");
    EXPECT_EQ(browseButton()->toolTip(), "Browse for Programs");
    pathBox()->setText(QStringLiteral("/usr/bin/xterm"));
    form->accept();
    EXPECT_EQ(task().program, "/usr/bin/xterm");
    flushDeletes();
    open();
    EXPECT_EQ(pathBox()->text(), "");
}

TEST_F(ProgramEditorTest, Browse_NewVisitForgetsTheLastChoice) {
    dialog->results.emplace_back("/usr/bin/xterm");
    form->browse();
    form->close();
    open();
    form->browse();
    EXPECT_EQ(dialog->calls.back().startPath, "");
    EXPECT_EQ(pathBox()->text(), "");
}

TEST_F(ProgramEditorTest, Path_TypingStopsAt100ButALongerChoiceStaysWhole) {
    QTest::keyClicks(pathBox(), QString(101, QChar('p')));
    EXPECT_EQ(pathBox()->text(), QString(100, QChar('p')));
    form->accept();
    EXPECT_EQ(QString::fromStdString(task().program), QString(100, QChar('p')));

    open();
    const QString longPath = "/home/user/" + QString(140, QChar('d')) + "/run";
    dialog->results.push_back(longPath.toStdString());
    form->browse();
    EXPECT_EQ(pathBox()->text(), longPath);
    // Edits may shorten it; typing never makes it longer again.
    pathBox()->end(false);
    QTest::keyClick(pathBox(), Qt::Key_Backspace);
    QTest::keyClicks(pathBox(), "xy");
    EXPECT_EQ(pathBox()->text(), longPath.chopped(1));
    form->accept();
    EXPECT_EQ(QString::fromStdString(task().program), longPath.chopped(1));

    open();
    dialog->results.push_back(longPath.toStdString());
    form->browse();
    pathBox()->selectAll();
    QTest::keyClicks(pathBox(), QString(105, QChar('q')));
    EXPECT_EQ(pathBox()->text(), QString(100, QChar('q')));
}

TEST_F(ProgramEditorTest, CloseBox_ClearsTheKindOnlyWhenThePathIsEmpty) {
    form->close();
    EXPECT_EQ(kindBox->currentText(), "");
    EXPECT_EQ(task().program, "lblexe");
    // Nothing is chosen now: the next arrow key starts from the top, it opens no editor.
    QTest::keyClick(kindBox, Qt::Key_Down);
    EXPECT_EQ(kindBox->currentText(), "Turn Off Computer");

    pick(QStringLiteral("Run Program"));
    open();
    QTest::keyClicks(pathBox(), "/usr/bin/xterm");
    form->close();
    EXPECT_EQ(kindBox->currentText(), "Run Program");
    EXPECT_EQ(task().program, "lblexe");
}

TEST_F(ProgramEditorTest, Activation_DisablesTheOtherFourWindowsUntilTheEditorCloses) {
    form->activateWindow();
    QTRY_VERIFY(form->isActiveWindow());
    EXPECT_EQ(enabled({mainWindow.get(), optionsWindow.get(), alertEditor.get(), aboutWindow.get(),
                       programEditor.get()}),
              (std::vector<bool>{false, false, false, false, true}));
    EXPECT_TRUE(form->isEnabled());
    form->accept(); // empty: warns, stays open, the others stay disabled
    EXPECT_FALSE(mainWindow->isEnabled());
    form->close();
    EXPECT_EQ(enabled({mainWindow.get(), optionsWindow.get(), alertEditor.get(), aboutWindow.get()}),
              (std::vector<bool>{true, true, true, true}));
}

TEST_F(ProgramEditorTest, Hover_OkLightsUpUntilTheMouseMovesOverTheFrame) {
    moveMouseOver(okButton());
    EXPECT_EQ(okButton()->picture(), 2);
    moveMouseOver(pathBox());
    EXPECT_EQ(okButton()->picture(), 2);
    moveMouseOver(pathFrame());
    EXPECT_EQ(okButton()->picture(), 1);
}

} // namespace
