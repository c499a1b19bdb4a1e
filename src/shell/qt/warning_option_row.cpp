#include "shell/qt/warning_option_row.h"

#include "core/design/options_window_design.h"
#include "core/warning_option.h"

#include <QEvent>

namespace design = core::design::options_page;

WarningOptionRow::WarningOptionRow(platform::Registry& registry, TwipsScale twips, QWidget* page)
    : QObject(page), m_registry(registry) {
    label =
        makeOptionsLabel(page, QString::fromUtf8(design::kWarning.text), twips.rect(design::kWarning.label));
    label->setWordWrap(true);
    check = new QCheckBox(page);
    check->setGeometry(twips.rect(design::kWarning.box));
    check->setAccessibleName(label->text());
    check->setChecked(core::readWarningOption(m_registry));
    applyButton =
        makeListButton(page, twips.rect(design::kApplyWarning), QString::fromUtf8(design::kApplyName));
    applyButton->setAccessibleDescription(QString::fromUtf8(design::kApplyWarningDescription));
    applyButton->setPicture(applyPicture(core::ButtonLook::Normal));
    connect(applyButton, &PictureButton::clicked, this, &WarningOptionRow::apply);
    connect(applyButton, &PictureButton::mouseMoved, this,
            [this] { applyButton->setPicture(applyPicture(core::ButtonLook::Highlighted)); });
    page->installEventFilter(this);
}

void WarningOptionRow::apply() {
    core::storeWarningOption(m_registry, check->isChecked());
    check->setChecked(core::readWarningOption(m_registry));
}

bool WarningOptionRow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        applyButton->setPicture(applyPicture(core::ButtonLook::Normal));
    }
    return QObject::eventFilter(watched, event);
}
