#include "shell/qt/warning_option_row.h"

#include "core/design/options_window_design.h"
#include "core/warning_option.h"
#include "shell/qt/control_names.h"

#include <QEvent>

namespace qtshell {

namespace design = core::design::options_page;

WarningOptionRow::WarningOptionRow(platform::Registry& registry, TwipsScale twips, QWidget* page)
    : QObject(page), m_registry(registry) {
    m_label =
        makeOptionsLabel(page, QString::fromUtf8(design::kWarning.text), twips.rect(design::kWarning.label));
    m_label->setWordWrap(true);
    m_check = new QCheckBox(page);
    m_check->setGeometry(twips.rect(design::kWarning.box));
    m_check->setAccessibleName(m_label->text());
    m_check->setChecked(core::readWarningOption(m_registry));
    m_applyButton =
        makeListButton(page, twips.rect(design::kApplyWarning), QString::fromUtf8(design::kApplyName));
    m_applyButton->setAccessibleDescription(QString::fromUtf8(design::kApplyWarningDescription));
    m_applyButton->setPicture(applyPicture(core::ButtonLook::Normal));
    connect(m_applyButton, &PictureButton::clicked, this, &WarningOptionRow::apply);
    connect(m_applyButton, &PictureButton::mouseMoved, this,
            [this] { m_applyButton->setPicture(applyPicture(core::ButtonLook::Highlighted)); });
    page->installEventFilter(this);
    nameControls(
        {{m_label, "warningLabel"}, {m_check, "warningCheck"}, {m_applyButton, "warningApplyButton"}});
}

void WarningOptionRow::apply() {
    core::storeWarningOption(m_registry, m_check->isChecked());
    m_check->setChecked(core::readWarningOption(m_registry));
}

bool WarningOptionRow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        m_applyButton->setPicture(applyPicture(core::ButtonLook::Normal));
    }
    return QObject::eventFilter(watched, event);
}

} // namespace qtshell
