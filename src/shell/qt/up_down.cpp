#include "shell/qt/up_down.h"

#include "core/schedule_page.h"

#include <QAccessibleWidget>
#include <QKeyEvent>

namespace qtshell {

namespace {

/// A screen reader's view: a spin button whose two actions step the number.
class UpDownAccessible final : public QAccessibleWidget {
public:
    explicit UpDownAccessible(UpDown* upDown) : QAccessibleWidget(upDown, QAccessible::SpinBox) {}

    QStringList actionNames() const override {
        return QStringList{increaseAction(), decreaseAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        auto* upDown = static_cast<UpDown*>(widget());
        if (action == increaseAction() || action == decreaseAction()) {
            upDown->step(action == increaseAction() ? 1 : -1);
            return;
        }
        QAccessibleWidget::doAction(action);
    }
};

QAccessibleInterface* makeUpDownInterface(const QString&, QObject* object) {
    auto* upDown = qobject_cast<UpDown*>(object);
    return upDown != nullptr ? new UpDownAccessible(upDown) : nullptr;
}

} // namespace

UpDown::UpDown(QWidget* parent) : QWidget(parent) {
    static const bool accessible = (QAccessible::installFactory(makeUpDownInterface), true);
    (void)accessible;
    setFocusPolicy(Qt::StrongFocus);
    auto makeArrow = [this](Qt::ArrowType arrow, const QString& name) {
        auto* button = new QToolButton(this);
        button->setArrowType(arrow);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setAccessibleName(name);
        return button;
    };
    m_up = makeArrow(Qt::UpArrow, QStringLiteral("Up"));
    m_down = makeArrow(Qt::DownArrow, QStringLiteral("Down"));
    connect(m_up, &QToolButton::clicked, this, [this] { step(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { step(-1); });
}

void UpDown::step(int delta) {
    if (!m_buddy) {
        return;
    }
    m_value = core::SchedulePage::stepSpin(m_buddy->text().toStdString(), m_value, delta, m_maximum);
    m_buddy->setText(QString::number(m_value));
}

void UpDown::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up) {
        step(1);
    } else if (event->key() == Qt::Key_Down) {
        step(-1);
    } else {
        QWidget::keyPressEvent(event);
    }
}

void UpDown::resizeEvent(QResizeEvent*) {
    const int half = height() / 2;
    m_up->setGeometry(0, 0, width(), half);
    m_down->setGeometry(0, half, width(), height() - half);
}

} // namespace qtshell
