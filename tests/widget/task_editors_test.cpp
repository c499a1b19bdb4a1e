#include "editors/form3.h"
#include "editors/form6.h"
#include "editors/form7.h"
#include "editors/task_editors.h"
#include "fixtures.h"

#include <QTest>

namespace {

struct OpenTaskEditorTest : EditorFixture {
    ~OpenTaskEditorTest() override { DeleteEditorWindows(); }
    EditorWindow* openEditor(const QString& kind) {
        return OpenTaskEditor(kind, EditorContext{.services = f.services,
                                                  .task = task,
                                                  .windowsDirectory = QStringLiteral("/data"),
                                                  .form1 = form1.get(),
                                                  .form2 = form2.get(),
                                                  .form4 = form4.get(),
                                                  .kindBox = kindBox});
    }
};

TEST_F(OpenTaskEditorTest, EachKindWithAParameterOpensItsEditor) {
    EditorWindow* alert = openEditor(QStringLiteral("Alert"));
    EXPECT_NE(qobject_cast<Form3*>(alert), nullptr);
    EXPECT_NE(qobject_cast<Form7*>(openEditor(QStringLiteral("Run Program"))), nullptr);
    EXPECT_NE(qobject_cast<Form6*>(openEditor(QStringLiteral("Visit Website"))), nullptr);
    for (const QString& kind : {QStringLiteral("Turn Off Computer"), QStringLiteral("Hibernate"),
                                QStringLiteral("alert"), QStringLiteral("Alert "), QString()}) {
        EXPECT_EQ(openEditor(kind), nullptr) << kind.toStdString();
    }
    // An open editor is brought forward as it stands, not made again.
    qobject_cast<Form3*>(alert)->message->setPlainText(QStringLiteral("kept"));
    EXPECT_EQ(openEditor(QStringLiteral("Alert")), alert);
    EXPECT_EQ(qobject_cast<Form3*>(alert)->message->toPlainText(), "kept");
    EXPECT_TRUE(alert->isVisible());
}

TEST_F(OpenTaskEditorTest, TheAlertEditorTouchesTheRecordAndTheKindBox) {
    auto* alert = qobject_cast<Form3*>(openEditor(QStringLiteral("Alert")));
    alert->message->setPlainText(QStringLiteral("Stand up"));
    alert->Label1_Click();
    EXPECT_EQ(sound->log.at(1), "open /data/Media/notify.wav");
    alert->Image9_Click();
    EXPECT_EQ(task.message, "Stand up");

    pick(QStringLiteral("Alert"));
    QPointer<EditorWindow> again = openEditor(QStringLiteral("Alert"));
    QTRY_VERIFY(again->isActiveWindow());
    EXPECT_FALSE(form2->isEnabled());
    again->close();
    EXPECT_EQ(kindBox->currentText(), "");
    EXPECT_TRUE(form2->isEnabled());
}

TEST_F(OpenTaskEditorTest, TheProgramEditorDisablesAnOpenAlertEditor) {
    QPointer<EditorWindow> alert = openEditor(QStringLiteral("Alert"));
    QPointer<EditorWindow> program = openEditor(QStringLiteral("Run Program"));
    QTRY_VERIFY(program->isActiveWindow());
    EXPECT_FALSE(alert->isEnabled());
    EXPECT_FALSE(form4->isEnabled());
    program->close();
    EXPECT_TRUE(alert->isEnabled());
    EXPECT_TRUE(form4->isEnabled());

    QPointer<EditorWindow> web = openEditor(QStringLiteral("Visit Website"));
    QTRY_VERIFY(web->isActiveWindow());
    EXPECT_FALSE(alert->isEnabled());
    web->close();
    EXPECT_TRUE(alert->isEnabled());
}

} // namespace
