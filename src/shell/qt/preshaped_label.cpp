#include "shell/qt/preshaped_label.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>
#include <QStyle>

namespace qtshell {

bool PreshapedLabel::drawnByCharacter(const QString& text) {
    for (const QChar c : text) {
        const QChar::Script script = c.script();
        if ((script != QChar::Script_Common && script != QChar::Script_Latin) || c.isMark() ||
            c.isSurrogate() || c.direction() == QChar::DirR || c.direction() == QChar::DirAL) {
            return false;
        }
    }
    return true;
}

const PreshapedLabel::Glyph& PreshapedLabel::glyph(QChar c) {
    auto it = m_glyphs.find(c);
    if (it == m_glyphs.end()) {
        Glyph g;
        g.text.setText(QString(c));
        g.text.setTextFormat(Qt::PlainText);
        g.text.setPerformanceHint(QStaticText::AggressiveCaching);
        g.text.prepare(QTransform(), font());
        g.advance = QFontMetricsF(font()).horizontalAdvance(c);
        it = m_glyphs.insert(c, g);
    }
    return *it;
}

void PreshapedLabel::paintEvent(QPaintEvent* event) {
    const QString shown = text();
    if (!drawnByCharacter(shown) || wordWrap() || textFormat() == Qt::RichText) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));

    qreal width = 0;
    for (const QChar c : shown) {
        width += glyph(c).advance;
    }
    const QRectF area = contentsRect();
    const Qt::Alignment align = QStyle::visualAlignment(layoutDirection(), alignment());
    qreal x = area.left();
    if (align & Qt::AlignRight) {
        x = area.right() + 1 - width;
    } else if (align & Qt::AlignHCenter) {
        x = area.left() + (area.width() - width) / 2;
    }
    const qreal lineHeight = QFontMetricsF(font()).height();
    qreal y = area.top();
    if (align & Qt::AlignBottom) {
        y = area.bottom() + 1 - lineHeight;
    } else if (align & Qt::AlignVCenter) {
        y = area.top() + (area.height() - lineHeight) / 2;
    }
    for (const QChar c : shown) {
        const Glyph& g = glyph(c);
        painter.drawStaticText(QPointF(x, y), g.text);
        x += g.advance;
    }
}

void PreshapedLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        m_glyphs.clear();
    }
    QLabel::changeEvent(event);
}

} // namespace qtshell
