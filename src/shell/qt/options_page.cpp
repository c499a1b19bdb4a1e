#include "shell/qt/options_page.h"

#include "shell/qt/control_names.h"
#include "shell/qt/pictures.h"

#include <QMouseEvent>

namespace qtshell {

OptionsPage::OptionsPage(platform::Services& services, core::SettingsStore& settings, core::AppState& state,
                         TwipsScale twips, QWidget* parent)
    : Panel(parent), m_rules(*this, services, settings, state) {
    setAccessibleName(QStringLiteral("Options page"));

    auto decoration = [this, twips](double top, const QString& file) {
        auto* picture = new QLabel(this);
        picture->setGeometry(twips.rect(240, top, 840, 840));
        picture->setPixmap(renderPicture(file, picture->size()));
        return picture;
    };
    auto checkBox = [this, twips](double top, QLabel* label) {
        auto* box = new QCheckBox(this);
        box->setGeometry(twips.rect(1200, top, 255, 255));
        box->setAccessibleName(label->text());
        return box;
    };
    startupPicture = decoration(420, QStringLiteral(":/pictures/options_startup.svg"));
    monitorPicture = decoration(1860, QStringLiteral(":/pictures/options_monitor.svg"));

    autostartLabel = makeOptionsLabel(this, QStringLiteral("Load 'Corvane' at Startup."),
                                      twips.rect(1500, 480, 3300, 255));
    autostartCheck = checkBox(480, autostartLabel);
    hourlyBeepLabel =
        makeOptionsLabel(this, QStringLiteral("Beep on every Hour."), twips.rect(1500, 1020, 2300, 255));
    hourlyBeepCheck = checkBox(1020, hourlyBeepLabel);

    testLink = makeLink(this, QStringLiteral("Test "), twips.rect(3900, 1020, 600, 255), Qt::blue);
    testLink->setAccessibleDescription(QStringLiteral("Plays the hourly beep"));
    connect(testLink, &PictureButton::clicked, this, &OptionsPage::testBeep);

    applyAutostartButton = makeListButton(this, twips.rect(5310, 660, 1200, 480), QStringLiteral("Apply"));
    applyAutostartButton->setAccessibleDescription(
        QStringLiteral("Applies loading at start-up and the hourly beep"));
    applyAutostartButton->setPicture(core::normalPicture(core::HoverButton::ApplyAutostart));

    figuresLabel = makeOptionsLabel(
        this, QStringLiteral("Show available physical Memory (mb) and CPU usage (%) in Title Bar."),
        twips.rect(1500, 1920, 3700, 510));
    figuresLabel->setWordWrap(true);
    figuresCheck = checkBox(2040, figuresLabel);
    applyFiguresButton = makeListButton(this, twips.rect(5310, 1980, 1200, 480), QStringLiteral("Apply"));
    applyFiguresButton->setAccessibleDescription(
        QStringLiteral("Applies the memory and CPU figures in the title bar"));
    applyFiguresButton->setPicture(core::normalPicture(core::HoverButton::ApplyFigures));

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

void OptionsPage::showButtonPicture(core::HoverButton button, int picture) {
    (button == core::HoverButton::ApplyAutostart ? applyAutostartButton : applyFiguresButton)
        ->setPicture(picture);
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
