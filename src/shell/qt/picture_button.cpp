#include "shell/qt/picture_button.h"

#include "shell/qt/accessibility.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace qtshell {

PictureButton::PictureButton(QWidget* parent) : QLabel(parent) {
    installAccessibility();
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    setAlignment(Qt::AlignCenter);
    // The keyboard's Tab reaches it; a mouse click does not leave a focus ring behind.
    setFocusPolicy(Qt::TabFocus);
}

void PictureButton::setPictures(const QVector<QPixmap>& pictures) {
    m_pictures = pictures;
}

void PictureButton::setPicture(int index) {
    if (index < 1 || index > m_pictures.size()) {
        return;
    }
    const bool wasChecked = isChecked();
    const QString oldName = spokenName();
    m_picture = index;
    setPixmap(m_pictures.at(index - 1));
    if (!QAccessible::isActive()) {
        return;
    }
    if (wasChecked != isChecked()) {
        QAccessible::State changed;
        changed.checked = true;
        changed.pressed = true;
        QAccessibleStateChangeEvent event(this, changed);
        QAccessible::updateAccessibility(&event);
    }
    if (oldName != spokenName()) {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void PictureButton::setNameForPicture(int index, const QString& name) {
    m_names.insert(index, name);
}

QString PictureButton::spokenName() const {
    for (const QString& name : {m_names.value(m_picture), accessibleName(), toolTip(), text()}) {
        if (!name.trimmed().isEmpty()) {
            return name.trimmed();
        }
    }
    return {};
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
    QLabel::mouseReleaseEvent(event);
}

void PictureButton::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved();
    // Taken here: passed on, the move would reach the surface below and undo a hover picture.
    event->accept();
}

void PictureButton::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    // The keypad's Enter carries a modifier of its own.
    if ((key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (!event->isAutoRepeat()) {
            emit clicked();
        }
        event->accept();
        return;
    }
    QLabel::keyPressEvent(event);
}

void PictureButton::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus()) {
        return;
    }
    QPainter painter(this);
    if (m_pictures.isEmpty()) {
        // A text link: a thin dotted ring in the text's colour at the very edge, clear of the
        // letters and the underline.
        painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        return;
    }
    // Two rings, dark dots over a light line, so the focus shows on light and dark pictures.
    const QRect ring = rect().adjusted(1, 1, -2, -2);
    painter.setPen(QPen(Qt::white, 2));
    painter.drawRect(ring);
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawRect(ring);
}

} // namespace qtshell
