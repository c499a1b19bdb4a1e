#include "common/picture_button.h"

#include <QMouseEvent>

PictureButton::PictureButton(QWidget* parent) : QLabel(parent) {
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    setAlignment(Qt::AlignCenter);
}

void PictureButton::setPictures(const QVector<QPixmap>& pictures) {
    m_pictures = pictures;
}

void PictureButton::setPicture(int index) {
    if (index < 1 || index > m_pictures.size()) {
        return;
    }
    m_picture = index;
    setPixmap(m_pictures.at(index - 1));
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
