// The system's message box shows its text as typed: angle brackets and tags are no markup.
#include "platform/linux/linux_services.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

TEST(MessageBoxes, TextIsPlainTextExactlyAsTyped) {
    platform::QtMessageBoxes boxes;
    for (const QString& text : {QStringLiteral("Remember: a<b and c>d"), QStringLiteral("Meeting <br> today"),
                                QStringLiteral("<b>bold</b> &amp; <i>x</i>")}) {
        QString shown;
        Qt::TextFormat format = Qt::AutoText;
        QString title;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            ASSERT_NE(label, nullptr);
            shown = label->text();
            format = label->textFormat();
            title = box->windowTitle();
            box->accept();
        });
        boxes.show(text.toStdString(), "Corvane", platform::MessageIcon::Information);
        EXPECT_EQ(format, Qt::PlainText) << text.toStdString();
        EXPECT_EQ(shown, text);
        EXPECT_EQ(title, "Corvane");
    }
}
