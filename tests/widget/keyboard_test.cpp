// Every window without a mouse: the Tab order, the keys that press, close and accept, and
// what a screen reader is told about the picture buttons and the up time.
#include "about/form4.h"
#include "editors/form3.h"
#include "editors/form6.h"
#include "editors/form7.h"
#include "editors/task_editors.h"
#include "fixtures.h"
#include "scheduler/schedule_page.h"
#include "settings/form2.h"

#include <QAccessible>
#include <QTest>

#include <string>
#include <vector>

namespace {

/// The widgets that take the focus, Tab after Tab, starting from the window's focus widget;
/// the last entry is where the focus comes back round.
std::vector<QWidget*> TabCycle(QWidget* window, std::size_t presses) {
    window->show();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
    std::vector<QWidget*> seen{window->focusWidget()};
    for (std::size_t i = 0; i < presses; ++i) {
        QTest::keyClick(window->focusWidget(), Qt::Key_Tab);
        seen.push_back(window->focusWidget());
    }
    return seen;
}

struct KeyboardTest : LoadedMainWindowTest {
    SchedulePage* page() { return form1->form2()->Frame3->findChild<SchedulePage*>(); }
    template <typename Editor> Editor* openEditor(const QString& kind) {
        page()->Combo1->setCurrentText(kind);
        page()->Combo1_Click();
        return qobject_cast<Editor*>(FindTaskEditor(kind));
    }
};

} // namespace

TEST_F(KeyboardTest, TabOrder_ReachesEveryControlOfEachWindowInReadingOrder) {
    form1->Image3->setFocus();
    EXPECT_EQ(TabCycle(form1.get(), 4), (std::vector<QWidget*>{form1->Image3, form1->Image6, form1->Image4,
                                                               form1->Image10, form1->Image3}));

    // Each page opens with the focus on its first control; the links at the foot come last.
    form1->Options_Click();
    Form2* form2 = form1->form2();
    EXPECT_EQ(TabCycle(form2, 11),
              (std::vector<QWidget*>{form2->Check11, form2->Check2, form2->Label6, form2->Image1,
                                     form2->Check3, form2->Image9, form2->Label17, form2->Label18,
                                     form2->Label19, form2->Image7, form2->Image8, form2->Check11}));
    form1->shtask_Click();
    form2->Frame2->hide();
    SchedulePage* p = page();
    EXPECT_EQ(TabCycle(form2, 14),
              (std::vector<QWidget*>{p->Check1, p->dd, p->UpDown3, p->hr, p->UpDown2, p->mm, p->UpDown1,
                                     p->Combo1, p->Image6, form2->Label17, form2->Label18, form2->Label19,
                                     form2->Image7, form2->Image8, p->Check1}));

    auto* alert = openEditor<Form3>(QStringLiteral("Alert"));
    EXPECT_EQ(TabCycle(alert, 4), (std::vector<QWidget*>{alert->message, alert->Check1, alert->Label1,
                                                         alert->Image9, alert->message}));
    alert->close();
    auto* program = openEditor<Form7>(QStringLiteral("Run Program"));
    EXPECT_EQ(TabCycle(program, 3), (std::vector<QWidget*>{program->txtpath, program->Command1,
                                                           program->Image9, program->txtpath}));
    program->close();
    auto* web = openEditor<Form6>(QStringLiteral("Visit Website"));
    EXPECT_EQ(TabCycle(web, 2), (std::vector<QWidget*>{web->txtpath, web->Image9, web->txtpath}));
    web->close();
    form1->about_Click();
    EXPECT_EQ(TabCycle(form1->form4(), 1),
              (std::vector<QWidget*>{form1->form4()->Label9, form1->form4()->Label9}));
}

TEST_F(KeyboardTest, Keys_PressTheFocusedButtonCloseAnEditorAndAcceptItsText) {
    // Space and Return press a picture button with its own click handler.
    form1->Image3->setFocus();
    QTest::keyClick(form1->Image3, Qt::Key_Space);
    EXPECT_EQ(form1->Image3->picture(), 4);
    QTest::keyClick(form1->Image3, Qt::Key_Return);
    EXPECT_EQ(form1->Image3->picture(), 3);
    form1->Options_Click();
    QTest::keyClick(form1->form2()->Label17, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(form1->form2()->Label17, Qt::Key_Space, Qt::ShiftModifier); // not a press
    EXPECT_EQ(f.launcher->files.size(), 1u);

    struct Case {
        const char* what;
        QString kind;
        QString text;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        bool closed;
        std::vector<fakes::RecordedMessage> messages;
    };
    const Case cases[] = {
        {"Escape in the alert's message", "Alert", "kept?", Qt::Key_Escape, {}, true, {}},
        {"Return in the alert's message starts a line", "Alert", "a", Qt::Key_Return, {}, false, {}},
        {"Ctrl+Return in the alert's message is OK",
         "Alert",
         "a",
         Qt::Key_Return,
         Qt::ControlModifier,
         true,
         {}},
        {"Ctrl+Return on an empty message warns as OK does", "Alert", "", Qt::Key_Return, Qt::ControlModifier,
         false, fakes::OneBox("Please type the Message.", platform::MessageIcon::Exclamation)},
        {"Return in the program box is OK", "Run Program", "/bin/true", Qt::Key_Return, {}, true, {}},
        {"Escape in the program box", "Run Program", "", Qt::Key_Escape, {}, true, {}},
        {"Return in the bare web address warns as OK does",
         "Visit Website",
         "http://",
         Qt::Key_Return,
         {},
         false,
         fakes::OneBox("Please type the URL.", platform::MessageIcon::Exclamation)},
        {"Return in the web address is OK",
         "Visit Website",
         "http://x.example",
         Qt::Key_Return,
         {},
         true,
         {}},
    };
    for (const Case& c : cases) {
        f.messages->shown.clear();
        page()->Combo1->setFocus();
        EditorWindow* editor = openEditor<EditorWindow>(c.kind);
        ASSERT_NE(editor, nullptr) << c.what;
        editor->Form_Activate();
        QWidget* box = nullptr;
        if (auto* alert = qobject_cast<Form3*>(editor)) {
            alert->message->setPlainText(c.text);
            alert->message->moveCursor(QTextCursor::End);
            box = alert->message;
        } else {
            auto* line = editor->findChild<QLineEdit*>();
            line->setText(c.text);
            box = line;
        }
        QTest::keyClick(box, c.key, c.modifiers);
        EXPECT_EQ(editor->isClosed(), c.closed) << c.what;
        EXPECT_EQ(f.messages->shown, c.messages) << c.what;
        EXPECT_EQ(form1->form2()->isEnabled(), c.closed) << c.what;
        // Freed again, the window has its focus where the user left it.
        EXPECT_EQ(form1->form2()->focusWidget() == page()->Combo1, c.closed) << c.what;
        if (!c.closed) {
            editor->close();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    EXPECT_EQ(form1->scheduledTask.message, "a");
    EXPECT_EQ(form1->scheduledTask.lblexe, "/bin/true");
    EXPECT_EQ(form1->scheduledTask.Label8, "http://x.example");
}

TEST_F(KeyboardTest, ScreenReader_PictureButtonsArePushButtonsWithNamesStatesAndPress) {
    form1->Options_Click();
    Form2* form2 = form1->form2();
    form1->about_Click();
    std::vector<PictureButton*> buttons;
    for (QWidget* window : {static_cast<QWidget*>(form1.get()), static_cast<QWidget*>(form2),
                            static_cast<QWidget*>(form1->form4()),
                            static_cast<QWidget*>(openEditor<Form3>(QStringLiteral("Alert")))}) {
        for (PictureButton* b : window->findChildren<PictureButton*>()) {
            buttons.push_back(b);
        }
    }
    EXPECT_EQ(buttons.size(), 4u + 9u + 1u + 2u);
    for (PictureButton* b : buttons) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(b);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->role(), QAccessible::Button) << b->spokenName().toStdString();
        EXPECT_FALSE(a->text(QAccessible::Name).isEmpty()) << b->objectName().toStdString();
        EXPECT_TRUE(a->state().focusable);
        EXPECT_TRUE(a->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    }

    // Pressed through the screen reader: the click handler; the name and state follow the picture.
    auto name = [](QWidget* w) { return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name); };
    auto checked = [](QWidget* w) -> bool {
        return QAccessible::queryAccessibleInterface(w)->state().checked;
    };
    auto press = [](QWidget* w) {
        QAccessible::queryAccessibleInterface(w)->actionInterface()->doAction(
            QAccessibleActionInterface::pressAction());
    };
    EXPECT_EQ(name(form1->Image3), "Less information");
    press(form1->Image3);
    EXPECT_EQ(name(form1->Image3), "More information");
    for (auto [toggle, tip] : {std::pair(form1->Image6, "Always On Top"),
                               std::pair(form1->Image10, "Window Transparent / Opaque.")}) {
        EXPECT_EQ(name(toggle), tip);
        EXPECT_TRUE(QAccessible::queryAccessibleInterface(toggle)->state().checkable);
        EXPECT_FALSE(checked(toggle)) << tip;
        press(toggle);
        EXPECT_TRUE(checked(toggle)) << tip;
    }
    EXPECT_EQ(std::pair(checked(form2->Image7), checked(form2->Image8)), std::pair(true, false));
    press(form2->Image8);
    EXPECT_EQ(std::pair(checked(form2->Image7), checked(form2->Image8)), std::pair(false, true));
}

TEST_F(KeyboardTest, ScreenReader_TheUpTimeReadsAsOnePhrase) {
    QAccessibleInterface* display = QAccessible::queryAccessibleInterface(form1->uptimeDisplay);
    EXPECT_EQ(display->text(QAccessible::Name), "up 0 days, 0 hours, 0 minutes");
    refreshAt((26 * 60 + 1) * 60'000ULL); // 1 day, 2 hours, 1 minute
    EXPECT_EQ(display->text(QAccessible::Name), "up 1 day, 2 hours, 1 minute");
    refreshAt((23 * 60 + 59) * 60'000ULL + 59'999);
    EXPECT_EQ(display->text(QAccessible::Name), "up 0 days, 23 hours, 59 minutes");
    EXPECT_EQ(display->childCount(), 0);
    EXPECT_EQ(display->role(), QAccessible::StaticText);
    EXPECT_EQ(form1->lhh->text(), "23"); // the labels stay as drawn
}
