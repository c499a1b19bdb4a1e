#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QToolButton>
#include <QWidget>

namespace qtshell {

/// A spin control bound to a text box: its arrows step the box's number by 1 between 0 and a
/// maximum and write the plain number into the box (no leading zero).
class UpDown final : public QWidget {
    Q_OBJECT

public:
    explicit UpDown(QWidget* parent = nullptr);

    void setBuddy(QLineEdit* buddy) { m_buddy = buddy; }
    void setMaximum(int maximum) { m_maximum = maximum; }
    int maximum() const { return m_maximum; }
    /// The number last written into the box.
    int value() const { return m_value; }

    /// One step up (+1) or down (-1) from the box's number, or from the last value written when
    /// the box holds no whole number; the result stays within 0 and the maximum.
    void step(int delta);

    QToolButton* upButton() const { return m_up; }
    QToolButton* downButton() const { return m_down; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QPointer<QLineEdit> m_buddy;
    QToolButton* m_up = nullptr;
    QToolButton* m_down = nullptr;
    int m_maximum = 100;
    int m_value = 0;
};

} // namespace qtshell
