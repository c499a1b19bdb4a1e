// Every window without a mouse: the Tab order, the keys that press, close and accept, and
// what a screen reader is told about the picture buttons and the up time.
#include "fixtures.h"
#include "shell/qt/about_window.h"
#include "shell/qt/alert_editor.h"
#include "shell/qt/options_window.h"
#include "shell/qt/program_editor.h"
#include "shell/qt/schedule_page.h"
#include "shell/qt/task_editors.h"
#include "shell/qt/web_address_editor.h"

#include <QAccessible>
#include <QTest>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

/// The widgets that take the focus, Tab after Tab, starting from the window's focus widget;
/// the last entry is where the focus comes back round.
std::vector<QWidget*> tabCycle(QWidget* window, std::size_t presses) {
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
    SchedulePage* page() {
        return mainWindow->optionsWindow()->schedulePageFrame->findChild<SchedulePage*>();
    }
    template <typename Editor> Editor* openEditor(const QString& kind) {
        page()->kindBox->setCurrentText(kind);
        page()->pickKind();
        return qobject_cast<Editor*>(findTaskEditor(kind));
    }
};

} // namespace

TEST_F(KeyboardTest, TabOrder_ReachesEveryControlOfEachWindowInReadingOrder) {
    mainWindow->buttons.moreLessButton->setFocus();
    EXPECT_EQ(
        tabCycle(mainWindow.get(), 4),
        (std::vector<QWidget*>{mainWindow->buttons.moreLessButton, mainWindow->buttons.onTopButton,
                               mainWindow->buttons.minimizeButton, mainWindow->buttons.transparencyButton,
                               mainWindow->buttons.moreLessButton}));

    // Each page opens with the focus on its first control; the links at the foot come last.
    mainWindow->openOptions();
    OptionsWindow* optionsWindow = mainWindow->optionsWindow();
    EXPECT_EQ(tabCycle(optionsWindow, 13),
              (std::vector<QWidget*>{
                  optionsWindow->optionsPage->autostartCheck, optionsWindow->optionsPage->hourlyBeepCheck,
                  optionsWindow->optionsPage->testLink, optionsWindow->optionsPage->applyAutostartButton,
                  optionsWindow->optionsPage->figuresCheck, optionsWindow->optionsPage->applyFiguresButton,
                  optionsWindow->optionsPage->warningRow->check,
                  optionsWindow->optionsPage->warningRow->applyButton, optionsWindow->helpLink,
                  optionsWindow->aboutLink, optionsWindow->webLink, optionsWindow->optionsTab,
                  optionsWindow->scheduleTab, optionsWindow->optionsPage->autostartCheck}));
    mainWindow->openScheduleTask();
    optionsWindow->optionsPage->hide();
    SchedulePage* p = page();
    EXPECT_EQ(
        tabCycle(optionsWindow, 14),
        (std::vector<QWidget*>{p->scheduledCheck, p->daysBox, p->daysUpDown, p->hoursBox, p->hoursUpDown,
                               p->minutesBox, p->minutesUpDown, p->kindBox, p->applyButton,
                               optionsWindow->helpLink, optionsWindow->aboutLink, optionsWindow->webLink,
                               optionsWindow->optionsTab, optionsWindow->scheduleTab, p->scheduledCheck}));

    auto* alert = openEditor<AlertEditor>(QStringLiteral("Alert"));
    EXPECT_EQ(tabCycle(alert, 4),
              (std::vector<QWidget*>{alert->messageBox, alert->playSoundCheck, alert->testLink,
                                     alert->okButton, alert->messageBox}));
    alert->close();
    auto* program = openEditor<ProgramEditor>(QStringLiteral("Run Program"));
    EXPECT_EQ(tabCycle(program, 3), (std::vector<QWidget*>{program->pathBox, program->browseButton,
                                                           program->okButton, program->pathBox}));
    program->close();
    auto* web = openEditor<WebAddressEditor>(QStringLiteral("Visit Website"));
    EXPECT_EQ(tabCycle(web, 2), (std::vector<QWidget*>{web->addressBox, web->okButton, web->addressBox}));
    web->close();
    mainWindow->openAbout();
    EXPECT_EQ(
        tabCycle(mainWindow->aboutWindow(), 1),
        (std::vector<QWidget*>{mainWindow->aboutWindow()->webLink, mainWindow->aboutWindow()->webLink}));
}

TEST_F(KeyboardTest, Keys_PressTheFocusedButtonCloseAnEditorAndAcceptItsText) {
    // Space and Return press a picture button with its own click handler.
    mainWindow->buttons.moreLessButton->setFocus();
    QTest::keyClick(mainWindow->buttons.moreLessButton, Qt::Key_Space);
    EXPECT_EQ(mainWindow->buttons.moreLessButton->picture(), 4);
    QTest::keyClick(mainWindow->buttons.moreLessButton, Qt::Key_Return);
    EXPECT_EQ(mainWindow->buttons.moreLessButton->picture(), 3);
    mainWindow->openOptions();
    QTest::keyClick(mainWindow->optionsWindow()->helpLink, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(mainWindow->optionsWindow()->helpLink, Qt::Key_Space, Qt::ShiftModifier); // not a press
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
         false, fakes::oneBox("Please type the Message.", platform::MessageIcon::Exclamation)},
        {"Return in the program box is OK", "Run Program", "/bin/true", Qt::Key_Return, {}, true, {}},
        {"Escape in the program box", "Run Program", "", Qt::Key_Escape, {}, true, {}},
        {"Return in the bare web address warns as OK does",
         "Visit Website",
         "http://",
         Qt::Key_Return,
         {},
         false,
         fakes::oneBox("Please type the URL.", platform::MessageIcon::Exclamation)},
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
        page()->kindBox->setFocus();
        EditorWindow* editor = openEditor<EditorWindow>(c.kind);
        ASSERT_NE(editor, nullptr) << c.what;
        editor->activate();
        QWidget* box = nullptr;
        if (auto* alert = qobject_cast<AlertEditor*>(editor)) {
            alert->messageBox->setPlainText(c.text);
            alert->messageBox->moveCursor(QTextCursor::End);
            box = alert->messageBox;
        } else {
            auto* line = editor->findChild<QLineEdit*>();
            line->setText(c.text);
            box = line;
        }
        QTest::keyClick(box, c.key, c.modifiers);
        EXPECT_EQ(editor->isClosed(), c.closed) << c.what;
        EXPECT_EQ(f.messages->shown, c.messages) << c.what;
        EXPECT_EQ(mainWindow->optionsWindow()->isEnabled(), c.closed) << c.what;
        // Freed again, the window has its focus where the user left it.
        EXPECT_EQ(mainWindow->optionsWindow()->focusWidget() == page()->kindBox, c.closed) << c.what;
        if (!c.closed) {
            editor->close();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    EXPECT_EQ(mainWindow->scheduledTask().message, "a");
    EXPECT_EQ(mainWindow->scheduledTask().program, "/bin/true");
    EXPECT_EQ(mainWindow->scheduledTask().webAddress, "http://x.example");
}

TEST_F(KeyboardTest, ScreenReader_PictureButtonsArePushButtonsTogglesCheckBoxesWithNamesStatesAndPress) {
    mainWindow->openOptions();
    OptionsWindow* optionsWindow = mainWindow->optionsWindow();
    mainWindow->openAbout();
    std::vector<PictureButton*> buttons;
    for (QWidget* window : {static_cast<QWidget*>(mainWindow.get()), static_cast<QWidget*>(optionsWindow),
                            static_cast<QWidget*>(mainWindow->aboutWindow()),
                            static_cast<QWidget*>(openEditor<AlertEditor>(QStringLiteral("Alert")))}) {
        for (PictureButton* b : window->findChildren<PictureButton*>()) {
            buttons.push_back(b);
        }
    }
    EXPECT_EQ(buttons.size(), 4u + 10u + 1u + 2u);
    for (PictureButton* b : buttons) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(b);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->role(), b->isToggle() ? QAccessible::CheckBox : QAccessible::Button)
            << b->spokenName().toStdString();
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
        QCoreApplication::sendPostedEvents(); // the press runs once the client has its answer
    };
    EXPECT_EQ(name(mainWindow->buttons.moreLessButton), "Less information");
    press(mainWindow->buttons.moreLessButton);
    EXPECT_EQ(name(mainWindow->buttons.moreLessButton), "More information");
    for (auto [toggle, tip] :
         {std::pair(mainWindow->buttons.onTopButton, "Always On Top"),
          std::pair(mainWindow->buttons.transparencyButton, "Window Transparent / Opaque.")}) {
        EXPECT_EQ(name(toggle), tip);
        EXPECT_TRUE(QAccessible::queryAccessibleInterface(toggle)->state().checkable);
        EXPECT_FALSE(checked(toggle)) << tip;
        press(toggle);
        EXPECT_TRUE(checked(toggle)) << tip;
    }
    EXPECT_EQ(std::pair(checked(optionsWindow->optionsTab), checked(optionsWindow->scheduleTab)),
              std::pair(true, false));
    press(optionsWindow->scheduleTab);
    EXPECT_EQ(std::pair(checked(optionsWindow->optionsTab), checked(optionsWindow->scheduleTab)),
              std::pair(false, true));

    // A box that a press opens (Apply's failed removal) opens after the client's call returned.
    f.registry->onCall = [](const std::string& call) {
        if (call.rfind("delete ", 0) == 0) {
            throw std::runtime_error("refused");
        }
    };
    f.messages->shown.clear();
    optionsWindow->optionsPage->autostartCheck->setChecked(false);
    QAccessible::queryAccessibleInterface(optionsWindow->optionsPage->applyAutostartButton)
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(f.messages->shown.empty());
    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(f.messages->shown.size(), 1u);
    EXPECT_EQ(f.messages->shown[0].text, "Unable to schedule the Task. Access Denied.");
}

TEST_F(KeyboardTest, ScreenReader_TheUpTimeReadsAsOnePhrase) {
    QAccessibleInterface* display = QAccessible::queryAccessibleInterface(mainWindow->display.phraseGroup);
    EXPECT_EQ(display->text(QAccessible::Name), "up 0 days, 0 hours, 0 minutes");
    refreshAt((26 * 60 + 1) * 60'000ULL); // 1 day, 2 hours, 1 minute
    EXPECT_EQ(display->text(QAccessible::Name), "up 1 day, 2 hours, 1 minute");
    refreshAt((23 * 60 + 59) * 60'000ULL + 59'999);
    EXPECT_EQ(display->text(QAccessible::Name), "up 0 days, 23 hours, 59 minutes");
    EXPECT_EQ(display->childCount(), 0);
    EXPECT_EQ(display->role(), QAccessible::StaticText);
    EXPECT_EQ(mainWindow->display.hoursLabel->text(), "23"); // the labels stay as drawn
}

TEST_F(KeyboardTest, ScreenReader_PagesAndBarsArePanelsInsideTheirWindowAndWindowsSayWhatTheyAre) {
    mainWindow->openScheduleTask();
    OptionsWindow* options = mainWindow->optionsWindow();
    // A frame reads as a window of its own, whose controls' focus screen readers drop.
    for (QWidget* surface :
         {static_cast<QWidget*>(options->optionsPage), static_cast<QWidget*>(page()),
          static_cast<QWidget*>(options->schedulePageFrame), static_cast<QWidget*>(options->tabBar)}) {
        EXPECT_EQ(QAccessible::queryAccessibleInterface(surface)->role(), QAccessible::Pane)
            << surface->metaObject()->className();
    }
    const std::pair<QWidget*, QString> windows[] = {
        {mainWindow.get(), "Corvane up time"},
        {openEditor<AlertEditor>(QStringLiteral("Alert")), "Alert message editor"},
        {openEditor<ProgramEditor>(QStringLiteral("Run Program")), "Run Program editor"},
        {openEditor<WebAddressEditor>(QStringLiteral("Visit Website")), "Visit Website editor"}};
    for (const auto& [window, name] : windows) {
        ASSERT_NE(window, nullptr) << name.toStdString();
        EXPECT_EQ(QAccessible::queryAccessibleInterface(window)->text(QAccessible::Name), name);
        EXPECT_NE(window->windowTitle(), name); // the caption stays as it is
    }
}
