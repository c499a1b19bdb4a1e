#include "shell/qt/options_look.h"

#include "shell/qt/pictures.h"
#include "shell/qt/twips.h"

#include <QStringList>

namespace qtshell {

QRect TwipsScale::rect(const core::design::Rect& twips) const {
    return {twipsToPixels(twips.left, x), twipsToPixels(twips.top, y), twipsToPixels(twips.width, x),
            twipsToPixels(twips.height, y)};
}

QLabel* makeOptionsLabel(QWidget* parent, const QString& text, const QRect& geometry) {
    auto* label = new QLabel(text, parent);
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(8.25);
    label->setFont(font);
    label->setGeometry(geometry);
    return label;
}

PictureButton* makeLink(QWidget* parent, const QString& text, const QRect& geometry, const QColor& colour) {
    auto* link = new PictureButton(parent);
    link->setText(text);
    link->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(8.25);
    font.setUnderline(true);
    link->setFont(font);
    QPalette palette = link->palette();
    palette.setColor(QPalette::WindowText, colour);
    link->setPalette(palette);
    link->setGeometry(geometry);
    return link;
}

PictureButton* makeListButton(QWidget* parent, const QRect& geometry, const QString& name) {
    static const QStringList kPictures = {
        QStringLiteral(":/pictures/page_tab.svg"), QStringLiteral(":/pictures/page_tab_selected.svg"),
        QStringLiteral(":/pictures/apply_normal.svg"), QStringLiteral(":/pictures/apply_highlighted.svg")};
    auto* button = new PictureButton(parent);
    QVector<QPixmap> pictures;
    for (const QString& file : kPictures) {
        pictures.append(renderPicture(file, geometry.size()));
    }
    button->setPictures(pictures);
    button->setGeometry(geometry);
    button->setAccessibleName(name);
    return button;
}

} // namespace qtshell
