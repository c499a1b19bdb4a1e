#include "editors/form6.h"
#include "fixtures.h"

#include <QTest>

namespace {

struct Form6Test : EditorFixture {
    EditorHolder<Form6> form;

    Form6Test() {
        pick(QStringLiteral("Visit Website"));
        open();
    }
    void open() {
        delete form.get();
        form.editor = new Form6(f.services, task,
                                {form1.get(), form2.get(), form3.get(), form4.get(), form7.get()}, kindBox);
        form->show();
    }
};

TEST_F(Form6Test, Open_StartsFromThePrefixEveryVisit) {
    EXPECT_EQ(form->Frame1->title(), "Type URL (Web  Address)");
    EXPECT_EQ(form->txtpath->text(), "http://");
    form->txtpath->setText(QStringLiteral("http://example.org"));
    form->Image9_Click();
    flushDeletes();
    open();
    EXPECT_EQ(form->txtpath->text(), "http://");
}

TEST_F(Form6Test, Ok_AcceptsAnythingButTheExactPrefix) {
    struct Case {
        QString text;
        bool kindKept; ///< whether closing leaves the kind in the box
    };
    const Case cases[] = {
        {QStringLiteral("http://example.org"), true}, {QStringLiteral("HTTP://"), true},
        {QStringLiteral("http:// "), true},           {QStringLiteral(" http://"), true},
        {QStringLiteral("www.example.org"), true},    {QString(), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        pick(QStringLiteral("Visit Website"));
        open();
        form->txtpath->setText(c.text);
        form->Image9_Click();
        EXPECT_EQ(task.Label8, c.text);
        EXPECT_FALSE(form->isVisible());
        EXPECT_EQ(kindBox->currentText(), c.kindKept ? "Visit Website" : "");
    }
    EXPECT_TRUE(f.messages->shown.empty());
}

TEST_F(Form6Test, Ok_TheBarePrefixWarnsAndChangesNothing) {
    form->Image9_Click();
    EXPECT_EQ(f.messages->shown, fakes::OneBox("Please type the URL.", platform::MessageIcon::Exclamation));
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(task.Label8, "URL");
    EXPECT_EQ(kindBox->currentText(), "Visit Website");
}

TEST_F(Form6Test, CloseBox_ClearsTheKindForThePrefixOrNothing) {
    const std::pair<QString, bool> cases[] = {
        {QStringLiteral("http://"), false},
        {QString(), false},
        {QStringLiteral("http://typed.but.not.accepted"), true},
    };
    for (const auto& [text, kept] : cases) {
        SCOPED_TRACE(text.toStdString());
        pick(QStringLiteral("Visit Website"));
        open();
        form->txtpath->setText(text);
        form->close();
        EXPECT_EQ(kindBox->currentText(), kept ? "Visit Website" : "");
        EXPECT_EQ(task.Label8, "URL");
    }
}

TEST_F(Form6Test, Address_TakesAtMost100TypedCharacters) {
    QTest::keyClicks(form->txtpath, QString(94, QChar('a')));
    EXPECT_EQ(form->txtpath->text(), "http://" + QString(93, QChar('a')));
    form->Image9_Click();
    EXPECT_EQ(task.Label8.size(), 100);
}

TEST_F(Form6Test, Activation_SetsTheLookAndDisablesFiveWindowsUntilClosed) {
    form->activateWindow();
    QTRY_VERIFY(form->isActiveWindow());
    EXPECT_EQ(form->windowTitle(), "Corvane");
    EXPECT_EQ(form->palette().color(QPalette::Window), QColor(166, 193, 232));
    EXPECT_EQ(form->Frame1->palette().color(QPalette::Window), QColor(166, 193, 232));
    EXPECT_EQ(enabled({form1.get(), form2.get(), form3.get(), form4.get(), form7.get()}),
              (std::vector<bool>{false, false, false, false, false}));
    form->close();
    EXPECT_EQ(enabled({form1.get(), form2.get(), form3.get(), form4.get(), form7.get()}),
              (std::vector<bool>{true, true, true, true, true}));
}

TEST_F(Form6Test, Hover_OkLightsUpUntilTheMouseMovesOverTheFrame) {
    moveMouseOver(form->Image9);
    EXPECT_EQ(form->Image9->picture(), 2);
    moveMouseOver(form->Frame1);
    EXPECT_EQ(form->Image9->picture(), 1);
}

} // namespace
