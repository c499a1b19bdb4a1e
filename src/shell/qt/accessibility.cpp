#include "shell/qt/accessibility.h"

#include "shell/qt/picture_button.h"

#include <QAccessibleWidget>
#include <QPointer>

namespace qtshell {

namespace {

/// A picture button as a push button with the press action; a toggle as a check box, the
/// role whose on/off state screen readers speak (they say nothing of a push button's).
class PictureButtonAccessible final : public QAccessibleWidget {
public:
    explicit PictureButtonAccessible(PictureButton* button)
        : QAccessibleWidget(button, QAccessible::Button) {}

    QAccessible::Role role() const override {
        return button()->isToggle() ? QAccessible::CheckBox : QAccessible::Button;
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            return button()->spokenName();
        }
        if (t == QAccessible::Description && button()->accessibleDescription().isEmpty()) {
            const QString tip = button()->toolTip();
            return tip == button()->spokenName() ? QString() : tip;
        }
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = button()->isToggle();
        s.checked = button()->isChecked();
        return s;
    }

    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (button()->isEnabled()) {
            names.prepend(pressAction());
        }
        return names;
    }

    void doAction(const QString& action) override {
        if (action == pressAction() && button()->isEnabled()) {
            // After the client's call has its answer: a message box the press opens runs its own
            // loop until it is closed, and the client would wait for its answer all that time.
            QMetaObject::invokeMethod(
                button(),
                [b = QPointer<PictureButton>(button())] {
                    if (b != nullptr && b->isEnabled()) {
                        b->press();
                    }
                },
                Qt::QueuedConnection);
            return;
        }
        QAccessibleWidget::doAction(action);
    }

    QStringList keyBindingsForAction(const QString& action) const override {
        return action == pressAction() ? QStringList{QStringLiteral("Space")}
                                       : QAccessibleWidget::keyBindingsForAction(action);
    }

private:
    PictureButton* button() const { return static_cast<PictureButton*>(widget()); }
};

/// A phrase group: static text named by the group's accessible name, without children.
class PhraseGroupAccessible final : public QAccessibleWidget {
public:
    explicit PhraseGroupAccessible(PhraseGroup* group) : QAccessibleWidget(group, QAccessible::StaticText) {}
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
};

QAccessibleInterface* makeInterface(const QString&, QObject* object) {
    if (auto* button = qobject_cast<PictureButton*>(object)) {
        return new PictureButtonAccessible(button);
    }
    if (auto* group = qobject_cast<PhraseGroup*>(object)) {
        return new PhraseGroupAccessible(group);
    }
    if (auto* panel = qobject_cast<Panel*>(object)) {
        return new QAccessibleWidget(panel, QAccessible::Pane);
    }
    return nullptr;
}

} // namespace

void installAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(makeInterface);
        return true;
    }();
    (void)installed;
}

PhraseGroup::PhraseGroup(QWidget* parent) : QWidget(parent) {
    installAccessibility();
}

Panel::Panel(QWidget* parent) : QFrame(parent) {
    installAccessibility();
}

} // namespace qtshell
