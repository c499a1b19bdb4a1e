#include "shell/qt/warning_option_row.h"

#include "core/warning_option.h"

#include <QEvent>

namespace {

// The Apply pictures of the window's image list.
constexpr int kApplyNormal = 3;
constexpr int kApplyHighlighted = 4;

} // namespace

WarningOptionRow::WarningOptionRow(platform::Registry& registry, TwipsScale twips, QWidget* page)
    : QObject(page), m_registry(registry) {
    label = makeOptionsLabel(
        page, QStringLiteral("Warn a minute before the task turns off, logs off, restarts or hibernates."),
        twips.rect(1500, 2760, 3700, 510));
    label->setWordWrap(true);
    check = new QCheckBox(page);
    check->setGeometry(twips.rect(1200, 2880, 255, 255));
    check->setAccessibleName(label->text());
    check->setChecked(core::readWarningOption(m_registry));
    applyButton = makeListButton(page, twips.rect(5310, 2820, 1200, 480), QStringLiteral("Apply"));
    applyButton->setAccessibleDescription(QStringLiteral("Applies the warning before the task"));
    applyButton->setPicture(kApplyNormal);
    connect(applyButton, &PictureButton::clicked, this, &WarningOptionRow::apply);
    connect(applyButton, &PictureButton::mouseMoved, this,
            [this] { applyButton->setPicture(kApplyHighlighted); });
    page->installEventFilter(this);
}

void WarningOptionRow::apply() {
    core::storeWarningOption(m_registry, check->isChecked());
    check->setChecked(core::readWarningOption(m_registry));
}

bool WarningOptionRow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        applyButton->setPicture(kApplyNormal);
    }
    return QObject::eventFilter(watched, event);
}
