#pragma once

#include <QLabel>
#include <QMap>
#include <QPixmap>
#include <QVector>

namespace qtshell {

/// A picture that acts as a button: it shows one picture of its own list at a time and
/// reports clicks and mouse moves. Which picture it shows is its only state.
///
/// The keyboard reaches it with Tab; Space and Return press it as a click does, and a ring
/// shows the focus. Screen readers see a push button named by its accessible name (or its
/// tool tip); a toggle reads as a check box, checked while it shows its "on" picture.
class PictureButton final : public QLabel {
    Q_OBJECT

public:
    explicit PictureButton(QWidget* parent = nullptr);

    /// Shows the picture with the given 1-based index of the list it was given.
    void setPicture(int index);
    /// The 1-based index of the picture shown, 0 when none.
    int picture() const { return m_picture; }
    void setPictures(const QVector<QPixmap>& pictures);

    /// Makes the button a toggle for screen readers: checked while picture onPicture shows.
    void setToggle(int onPicture) { m_onPicture = onPicture; }
    bool isToggle() const { return m_onPicture > 0; }
    bool isChecked() const { return m_onPicture > 0 && m_picture == m_onPicture; }
    /// The name a screen reader speaks while the given picture shows (for a button whose
    /// pictures say different things).
    void setNameForPicture(int index, const QString& name);
    /// The name a screen reader speaks: the picture's own, else the accessible name, else the
    /// tool tip, else the text.
    QString spokenName() const;

    /// A press from the keyboard or a screen reader: the same as a click.
    void press() { emit clicked(); }

signals:
    void clicked();
    void mouseMoved();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QVector<QPixmap> m_pictures;
    QMap<int, QString> m_names;
    int m_picture = 0;
    int m_onPicture = 0;
};

} // namespace qtshell
