#include "shell/qt/options_page.h"

#include "shell/qt/control_names.h"
#include "shell/qt/pictures.h"

#include <QMouseEvent>

namespace {

namespace design = core::design::options_page;

} // namespace

namespace qtshell {

OptionsPage::OptionsPage(platform::Services& services, core::SettingsStore& settings, core::AppState& state,
                         TwipsScale twips, QWidget* parent)
    : Panel(parent), m_rules(*this, services, settings, state) {
    setAccessibleName(QString::fromUtf8(design::kAccessibleName));

    auto decoration = [this, twips](const core::design::Rect& place, const QString& file) {
        auto* picture = new QLabel(this);
        picture->setGeometry(twips.rect(place));
        picture->setPixmap(renderPicture(file, picture->size()));
        return picture;
    };
    // A label, and the check box after it that it names.
    auto option = [this, twips](const design::Option& look, QLabel*& label) {
        label = makeOptionsLabel(this, QString::fromUtf8(look.text), twips.rect(look.label));
        auto* box = new QCheckBox(this);
        box->setGeometry(twips.rect(look.box));
        box->setAccessibleName(label->text());
        return box;
    };
    auto applyButton = [this, twips](const core::design::Rect& place, const char* description) {
        PictureButton* button =
            makeListButton(this, twips.rect(place), QString::fromUtf8(design::kApplyName));
        button->setAccessibleDescription(QString::fromUtf8(description));
        return button;
    };
    startupPicture = decoration(design::kStartupPicture, QStringLiteral(":/pictures/options_startup.svg"));
    monitorPicture = decoration(design::kMonitorPicture, QStringLiteral(":/pictures/options_monitor.svg"));

    autostartCheck = option(design::kAutostart, autostartLabel);
    hourlyBeepCheck = option(design::kHourlyBeep, hourlyBeepLabel);

    testLink = makeLink(this, QString::fromUtf8(design::kTestText), twips.rect(design::kTestLink),
                        toQColor(design::kTestColour));
    testLink->setAccessibleDescription(QString::fromUtf8(design::kTestDescription));
    connect(testLink, &PictureButton::clicked, this, &OptionsPage::testBeep);

    applyAutostartButton = applyButton(design::kApplyAutostart, design::kApplyAutostartDescription);
    applyAutostartButton->setPicture(applyPicture(core::ButtonLook::Normal));

    figuresCheck = option(design::kFigures, figuresLabel);
    figuresLabel->setWordWrap(true);
    applyFiguresButton = applyButton(design::kApplyFigures, design::kApplyFiguresDescription);
    applyFiguresButton->setPicture(applyPicture(core::ButtonLook::Normal));

    warningRow = new WarningOptionRow(*services.registry, twips, this);

    connect(applyAutostartButton, &PictureButton::clicked, this, &OptionsPage::applyAutostartAndBeep);
    connect(applyFiguresButton, &PictureButton::clicked, this, &OptionsPage::applyFigures);
    connect(applyAutostartButton, &PictureButton::mouseMoved, this, &OptionsPage::highlightApplyAutostart);
    connect(applyFiguresButton, &PictureButton::mouseMoved, this, &OptionsPage::highlightApplyFigures);
    setMouseTracking(true);
    nameControls({{autostartCheck, "autostartCheck"},
                  {autostartLabel, "autostartLabel"},
                  {hourlyBeepCheck, "hourlyBeepCheck"},
                  {hourlyBeepLabel, "hourlyBeepLabel"},
                  {testLink, "testLink"},
                  {applyAutostartButton, "applyAutostartButton"},
                  {figuresCheck, "figuresCheck"},
                  {figuresLabel, "figuresLabel"},
                  {applyFiguresButton, "applyFiguresButton"},
                  {startupPicture, "startupPicture"},
                  {monitorPicture, "monitorPicture"}});
}

void OptionsPage::mouseMoveEvent(QMouseEvent* event) {
    restoreApplyButtons();
    Panel::mouseMoveEvent(event);
}

void OptionsPage::highlightApplyAutostart() {
    core::highlightButton(*this, core::HoverButton::ApplyAutostart);
}

void OptionsPage::highlightApplyFigures() {
    core::highlightButton(*this, core::HoverButton::ApplyFigures);
}

void OptionsPage::restoreApplyButtons() {
    core::restoreButtons(*this, core::HoverSurface::OptionsPage);
}

void OptionsPage::showButtonPicture(core::HoverButton button, core::ButtonLook look) {
    (button == core::HoverButton::ApplyAutostart ? applyAutostartButton : applyFiguresButton)
        ->setPicture(applyPicture(look));
}

QCheckBox* OptionsPage::box(core::OptionBox which) const {
    switch (which) {
    case core::OptionBox::Autostart:
        return autostartCheck;
    case core::OptionBox::HourlyBeep:
        return hourlyBeepCheck;
    case core::OptionBox::Figures:
        break;
    }
    return figuresCheck;
}

bool OptionsPage::isChecked(core::OptionBox which) const {
    return box(which)->isChecked();
}

void OptionsPage::setChecked(core::OptionBox which, bool checked) {
    box(which)->setChecked(checked);
}

} // namespace qtshell
