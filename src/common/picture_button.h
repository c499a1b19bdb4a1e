#pragma once

#include <QLabel>
#include <QPixmap>
#include <QVector>

/// A picture that acts as a button: it shows one picture of its own list at a time and
/// reports clicks and mouse moves. Which picture it shows is its only state.
class PictureButton final : public QLabel {
    Q_OBJECT

public:
    explicit PictureButton(QWidget* parent = nullptr);

    /// Shows the picture with the given 1-based index of the list it was given.
    void setPicture(int index);
    /// The 1-based index of the picture shown, 0 when none.
    int picture() const { return m_picture; }
    void setPictures(const QVector<QPixmap>& pictures);

signals:
    void clicked();
    void mouseMoved();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QVector<QPixmap> m_pictures;
    int m_picture = 0;
};
