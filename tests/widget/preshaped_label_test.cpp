// The clock's labels drawn from their characters' cache look as a plain label draws them.
#include "shell/qt/preshaped_label.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

/// The box of the pixels that differ from the background.
QRect inked(QWidget& widget) {
    QImage image(widget.size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

TEST(PreshapedLabel, DrawsWhereAPlainLabelDraws) {
    const Qt::Alignment alignments[] = {Qt::AlignLeft | Qt::AlignVCenter, Qt::AlignRight | Qt::AlignVCenter,
                                        Qt::AlignHCenter | Qt::AlignVCenter};
    for (const Qt::Alignment align : alignments) {
        for (const QString text : {"08:31:15", "11:59:59 PM", "00", ":", "12:05 \u0645"}) {
            SCOPED_TRACE(text.toStdString() + " " + std::to_string(align));
            QLabel plain(text);
            qtshell::PreshapedLabel cached(text);
            for (QLabel* label : {&plain, static_cast<QLabel*>(&cached)}) {
                QFont font(QStringLiteral("Tahoma"));
                font.setBold(true);
                font.setPointSizeF(8.25);
                label->setFont(font);
                label->setAlignment(align);
                label->resize(120, 20);
            }
            const QRect a = inked(plain);
            const QRect b = inked(cached);
            EXPECT_FALSE(b.isEmpty());
            const QMargins apart(a.left() - b.left(), a.top() - b.top(), a.right() - b.right(),
                                 a.bottom() - b.bottom());
            EXPECT_LE(std::max({std::abs(apart.left()), std::abs(apart.top()), std::abs(apart.right()),
                                std::abs(apart.bottom())}),
                      1)
                << a.left() << "," << a.top() << " " << b.left() << "," << b.top();
        }
    }
}

} // namespace
