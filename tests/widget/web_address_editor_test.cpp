#include "fixtures.h"
#include "shell/qt/web_address_editor.h"

#include <QTest>

namespace {

struct WebAddressEditorTest : EditorFixture {
    EditorHolder<qtshell::WebAddressEditor> form;

    WebAddressEditorTest() {
        pick(QStringLiteral("Visit Website"));
        open();
    }
    void open() {
        delete form.get();
        form.editor = new qtshell::WebAddressEditor(context());
        form->show();
    }

    // The editor's controls.
    QGroupBox* addressFrame() const { return control<QGroupBox>(form.get(), "addressFrame"); }
    QLineEdit* addressBox() const { return control<QLineEdit>(form.get(), "addressBox"); }
    qtshell::PictureButton* okButton() const {
        return control<qtshell::PictureButton>(form.get(), "okButton");
    }
};

TEST_F(WebAddressEditorTest, Open_StartsFromThePrefixEveryVisit) {
    EXPECT_EQ(addressFrame()->title(), "Type URL (Web  Address)");
    EXPECT_EQ(addressBox()->text(), "http://");
    addressBox()->setText(QStringLiteral("http://example.org"));
    form->accept();
    flushDeletes();
    open();
    EXPECT_EQ(addressBox()->text(), "http://");
}

TEST_F(WebAddressEditorTest, CloseBox_ClearsTheKindForThePrefixOrNothing) {
    const std::pair<QString, bool> cases[] = {
        {QStringLiteral("http://"), false},
        {QString(), false},
        {QStringLiteral("http://typed.but.not.accepted"), true},
    };
    for (const auto& [text, kept] : cases) {
        SCOPED_TRACE(text.toStdString());
        pick(QStringLiteral("Visit Website"));
        open();
        addressBox()->setText(text);
        form->close();
        EXPECT_EQ(kindBox->currentText(), kept ? "Visit Website" : "");
        EXPECT_EQ(task().webAddress, "URL");
    }
}

TEST_F(WebAddressEditorTest, Address_TakesAtMost100TypedCharacters) {
    QTest::keyClicks(addressBox(), QString(94, QChar('a')));
    EXPECT_EQ(addressBox()->text(), "http://" + QString(93, QChar('a')));
    form->accept();
    EXPECT_EQ(task().webAddress.size(), 100u);
}

TEST_F(WebAddressEditorTest, Activation_SetsTheLookAndDisablesFiveWindowsUntilClosed) {
    form->activateWindow();
    QTRY_VERIFY(form->isActiveWindow());
    EXPECT_EQ(form->windowTitle(), "Corvane");
    EXPECT_EQ(form->palette().color(QPalette::Window), QColor(166, 193, 232));
    EXPECT_EQ(addressFrame()->palette().color(QPalette::Window), QColor(166, 193, 232));
    EXPECT_EQ(enabled({mainWindow.get(), optionsWindow.get(), alertEditor.get(), aboutWindow.get(),
                       programEditor.get()}),
              (std::vector<bool>{false, false, false, false, false}));
    form->close();
    EXPECT_EQ(enabled({mainWindow.get(), optionsWindow.get(), alertEditor.get(), aboutWindow.get(),
                       programEditor.get()}),
              (std::vector<bool>{true, true, true, true, true}));
}

TEST_F(WebAddressEditorTest, Hover_OkLightsUpUntilTheMouseMovesOverTheFrame) {
    moveMouseOver(okButton());
    EXPECT_EQ(okButton()->picture(), 2);
    moveMouseOver(addressFrame());
    EXPECT_EQ(okButton()->picture(), 1);
}

} // namespace
