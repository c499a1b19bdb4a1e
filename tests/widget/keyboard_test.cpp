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

/// A window's controls by their names, in order.
std::vector<QWidget*> controls(const QWidget* window, std::initializer_list<const char*> names) {
    std::vector<QWidget*> found;
    for (const char* name : names) {
        found.push_back(control(window, name));
    }
    return found;
}

struct KeyboardTest : LoadedMainWindowTest {
    qtshell::SchedulePage* page() {
        return control(mainWindow->optionsWindow(), "schedulePageFrame")->findChild<qtshell::SchedulePage*>();
    }
    template <typename Editor> Editor* openEditor(const QString& kind) {
        control<QComboBox>(page(), "kindBox")->setCurrentText(kind);
        page()->pickKind();
        return qobject_cast<Editor*>(qtshell::findTaskEditor(core::taskKindOf(kind.toStdString()).value()));
    }
};

} // namespace

TEST_F(KeyboardTest, TabOrder_ReachesEveryControlOfEachWindowInReadingOrder) {
    control(mainWindow.get(), "moreLessButton")->setFocus();
    EXPECT_EQ(tabCycle(mainWindow.get(), 4),
              controls(mainWindow.get(), {"moreLessButton", "onTopButton", "minimizeButton",
                                          "transparencyButton", "moreLessButton"}));

    // Each page opens with the focus on its first control; the links at the foot come last.
    mainWindow->openOptions();
    qtshell::OptionsWindow* optionsWindow = mainWindow->optionsWindow();
    EXPECT_EQ(tabCycle(optionsWindow, 13),
              controls(optionsWindow,
                       {"autostartCheck", "hourlyBeepCheck", "testLink", "applyAutostartButton",
                        "figuresCheck", "applyFiguresButton", "warningCheck", "warningApplyButton",
                        "helpLink", "aboutLink", "webLink", "optionsTab", "scheduleTab", "autostartCheck"}));
    mainWindow->openScheduleTask();
    control(optionsWindow, "optionsPage")->hide();
    EXPECT_EQ(
        tabCycle(optionsWindow, 14),
        controls(optionsWindow, {"scheduledCheck", "daysBox", "daysUpDown", "hoursBox", "hoursUpDown",
                                 "minutesBox", "minutesUpDown", "kindBox", "applyButton", "helpLink",
                                 "aboutLink", "webLink", "optionsTab", "scheduleTab", "scheduledCheck"}));

    auto* alert = openEditor<qtshell::AlertEditor>(QStringLiteral("Alert"));
    EXPECT_EQ(tabCycle(alert, 4),
              controls(alert, {"messageBox", "playSoundCheck", "testLink", "okButton", "messageBox"}));
    alert->close();
    auto* program = openEditor<qtshell::ProgramEditor>(QStringLiteral("Run Program"));
    EXPECT_EQ(tabCycle(program, 3), controls(program, {"pathBox", "browseButton", "okButton", "pathBox"}));
    program->close();
    auto* web = openEditor<qtshell::WebAddressEditor>(QStringLiteral("Visit Website"));
    EXPECT_EQ(tabCycle(web, 2), controls(web, {"addressBox", "okButton", "addressBox"}));
    web->close();
    mainWindow->openAbout();
    EXPECT_EQ(tabCycle(mainWindow->aboutWindow(), 1),
              controls(mainWindow->aboutWindow(), {"webLink", "webLink"}));
}

TEST_F(KeyboardTest, Keys_PressTheFocusedButtonCloseAnEditorAndAcceptItsText) {
    // Space and Return press a picture button with its own click handler.
    auto* moreLess = control<qtshell::PictureButton>(mainWindow.get(), "moreLessButton");
    moreLess->setFocus();
    QTest::keyClick(moreLess, Qt::Key_Space);
    EXPECT_EQ(moreLess->picture(), 4);
    QTest::keyClick(moreLess, Qt::Key_Return);
    EXPECT_EQ(moreLess->picture(), 3);
    mainWindow->openOptions();
    QWidget* helpLink = control(mainWindow->optionsWindow(), "helpLink");
    QTest::keyClick(helpLink, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(helpLink, Qt::Key_Space, Qt::ShiftModifier); // not a press
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
        control(page(), "kindBox")->setFocus();
        qtshell::EditorWindow* editor = openEditor<qtshell::EditorWindow>(c.kind);
        ASSERT_NE(editor, nullptr) << c.what;
        editor->activate();
        QWidget* box = nullptr;
        if (auto* alert = qobject_cast<qtshell::AlertEditor*>(editor)) {
            auto* message = control<QPlainTextEdit>(alert, "messageBox");
            message->setPlainText(c.text);
            message->moveCursor(QTextCursor::End);
            box = message;
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
        EXPECT_EQ(mainWindow->optionsWindow()->focusWidget() == control(page(), "kindBox"), c.closed)
            << c.what;
        if (!c.closed) {
            editor->close();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    EXPECT_EQ(mainWindow->core().state().task().message, "a");
    EXPECT_EQ(mainWindow->core().state().task().program, "/bin/true");
    EXPECT_EQ(mainWindow->core().state().task().webAddress, "http://x.example");
}

TEST_F(KeyboardTest, ScreenReader_PictureButtonsArePushButtonsTogglesCheckBoxesWithNamesStatesAndPress) {
    mainWindow->openOptions();
    qtshell::OptionsWindow* optionsWindow = mainWindow->optionsWindow();
    mainWindow->openAbout();
    std::vector<qtshell::PictureButton*> buttons;
    for (QWidget* window :
         {static_cast<QWidget*>(mainWindow.get()), static_cast<QWidget*>(optionsWindow),
          static_cast<QWidget*>(mainWindow->aboutWindow()),
          static_cast<QWidget*>(openEditor<qtshell::AlertEditor>(QStringLiteral("Alert")))}) {
        for (qtshell::PictureButton* b : window->findChildren<qtshell::PictureButton*>()) {
            buttons.push_back(b);
        }
    }
    EXPECT_EQ(buttons.size(), 4u + 10u + 1u + 2u);
    for (qtshell::PictureButton* b : buttons) {
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
    QWidget* moreLess = control(mainWindow.get(), "moreLessButton");
    EXPECT_EQ(name(moreLess), "Less information");
    press(moreLess);
    EXPECT_EQ(name(moreLess), "More information");
    for (auto [toggle, tip] :
         {std::pair(control(mainWindow.get(), "onTopButton"), "Always On Top"),
          std::pair(control(mainWindow.get(), "transparencyButton"), "Window Transparent / Opaque.")}) {
        EXPECT_EQ(name(toggle), tip);
        EXPECT_TRUE(QAccessible::queryAccessibleInterface(toggle)->state().checkable);
        EXPECT_FALSE(checked(toggle)) << tip;
        press(toggle);
        EXPECT_TRUE(checked(toggle)) << tip;
    }
    QWidget* optionsTab = control(optionsWindow, "optionsTab");
    QWidget* scheduleTab = control(optionsWindow, "scheduleTab");
    EXPECT_EQ(std::pair(checked(optionsTab), checked(scheduleTab)), std::pair(true, false));
    press(scheduleTab);
    EXPECT_EQ(std::pair(checked(optionsTab), checked(scheduleTab)), std::pair(false, true));

    // A box that a press opens (Apply's failed removal) opens after the client's call returned.
    f.registry->onCall = [](const std::string& call) {
        if (call.rfind("delete ", 0) == 0) {
            throw std::runtime_error("refused");
        }
    };
    f.messages->shown.clear();
    control<QCheckBox>(optionsWindow, "autostartCheck")->setChecked(false);
    QAccessible::queryAccessibleInterface(control(optionsWindow, "applyAutostartButton"))
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(f.messages->shown.empty());
    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(f.messages->shown.size(), 1u);
    EXPECT_EQ(f.messages->shown[0].text, "Unable to schedule the Task. Access Denied.");
}

TEST_F(KeyboardTest, ScreenReader_TheUpTimeReadsAsOnePhrase) {
    QAccessibleInterface* display =
        QAccessible::queryAccessibleInterface(control(mainWindow.get(), "phraseGroup"));
    EXPECT_EQ(display->text(QAccessible::Name), "up 0 days, 0 hours, 0 minutes");
    refreshAt((26 * 60 + 1) * 60'000ULL); // 1 day, 2 hours, 1 minute
    EXPECT_EQ(display->text(QAccessible::Name), "up 1 day, 2 hours, 1 minute");
    refreshAt((23 * 60 + 59) * 60'000ULL + 59'999);
    EXPECT_EQ(display->text(QAccessible::Name), "up 0 days, 23 hours, 59 minutes");
    EXPECT_EQ(display->childCount(), 0);
    EXPECT_EQ(display->role(), QAccessible::StaticText);
    EXPECT_EQ(control<QLabel>(mainWindow.get(), "hoursLabel")->text(), "23"); // the labels stay as drawn
}

TEST_F(KeyboardTest, ScreenReader_PagesAndBarsArePanelsInsideTheirWindowAndWindowsSayWhatTheyAre) {
    mainWindow->openScheduleTask();
    qtshell::OptionsWindow* options = mainWindow->optionsWindow();
    // A frame reads as a window of its own, whose controls' focus screen readers drop.
    for (QWidget* surface : {control(options, "optionsPage"), static_cast<QWidget*>(page()),
                             control(options, "schedulePageFrame"), control(options, "tabBar")}) {
        EXPECT_EQ(QAccessible::queryAccessibleInterface(surface)->role(), QAccessible::Pane)
            << surface->metaObject()->className();
    }
    const std::pair<QWidget*, QString> windows[] = {
        {mainWindow.get(), "Corvane up time"},
        {openEditor<qtshell::AlertEditor>(QStringLiteral("Alert")), "Alert message editor"},
        {openEditor<qtshell::ProgramEditor>(QStringLiteral("Run Program")), "Run Program editor"},
        {openEditor<qtshell::WebAddressEditor>(QStringLiteral("Visit Website")), "Visit Website editor"}};
    for (const auto& [window, name] : windows) {
        ASSERT_NE(window, nullptr) << name.toStdString();
        EXPECT_EQ(QAccessible::queryAccessibleInterface(window)->text(QAccessible::Name), name);
        EXPECT_NE(window->windowTitle(), name); // the caption stays as it is
    }
}
