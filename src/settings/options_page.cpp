#include "settings/options_page.h"

#include "common/pictures.h"
#include "core/autostart.h"
#include "core/hourly_beep.h"

#include <QMouseEvent>

#include <utility>

OptionsPage::OptionsPage(platform::Services& services, core::SettingsStore& settings, core::AppState& state,
                         TwipsScale twips, QWidget* parent)
    : Panel(parent), m_services(services), m_settings(settings), m_state(state) {
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
    applyAutostartButton->setPicture(3);

    figuresLabel = makeOptionsLabel(
        this, QStringLiteral("Show available physical Memory (mb) and CPU usage (%) in Title Bar."),
        twips.rect(1500, 1920, 3700, 510));
    figuresLabel->setWordWrap(true);
    figuresCheck = checkBox(2040, figuresLabel);
    applyFiguresButton = makeListButton(this, twips.rect(5310, 1980, 1200, 480), QStringLiteral("Apply"));
    applyFiguresButton->setAccessibleDescription(
        QStringLiteral("Applies the memory and CPU figures in the title bar"));
    applyFiguresButton->setPicture(3);

    connect(applyAutostartButton, &PictureButton::clicked, this, &OptionsPage::applyAutostartAndBeep);
    connect(applyFiguresButton, &PictureButton::clicked, this, &OptionsPage::applyFigures);
    connect(applyAutostartButton, &PictureButton::mouseMoved, this, &OptionsPage::highlightApplyAutostart);
    connect(applyFiguresButton, &PictureButton::mouseMoved, this, &OptionsPage::highlightApplyFigures);
    setMouseTracking(true);
}

void OptionsPage::mouseMoveEvent(QMouseEvent* event) {
    restoreApplyButtons();
    Panel::mouseMoveEvent(event);
}

void OptionsPage::highlightApplyAutostart() {
    applyAutostartButton->setPicture(4);
}

void OptionsPage::highlightApplyFigures() {
    applyFiguresButton->setPicture(4);
}

void OptionsPage::restoreApplyButtons() {
    applyAutostartButton->setPicture(3);
    applyFiguresButton->setPicture(3);
}

void OptionsPage::loadAutostartCheck() {
    if (const std::optional<bool> check = core::readAutostartCheck(*m_services.registry)) {
        autostartCheck->setChecked(*check);
    }
}

void OptionsPage::loadOptionCaches() {
    // The caches hold what start-up or the last Apply read; anything but 1 and 0 leaves a box.
    const std::pair<QCheckBox*, core::StoredOption> boxes[] = {{hourlyBeepCheck, core::StoredOption::HourlyBeep},
                                                               {figuresCheck, core::StoredOption::Figures}};
    for (const auto& [box, option] : boxes) {
        const std::string& cache = m_state.optionCache(option);
        if (cache == "1") {
            box->setChecked(true);
        } else if (cache == "0") {
            box->setChecked(false);
        }
    }
}

void OptionsPage::applyAutostartAndBeep() {
    if (autostartCheck->isChecked()) {
        core::registerAutostart(*m_services.registry, m_services.processes->ownExecutablePath());
    } else {
        core::unregisterAutostart(*m_services.registry, *m_services.messages);
    }
    // Both options every time; the read-back makes the cache and the beep follow the registry.
    m_settings.storeOption(core::StoredOption::HourlyBeep, hourlyBeepCheck->isChecked());
    m_settings.loadOption(core::StoredOption::HourlyBeep);
}

void OptionsPage::applyFiguresOption() {
    if (figuresCheck->isChecked()) {
        m_settings.storeOption(core::StoredOption::Figures, true);
        m_state.setFiguresRunning(true);
    } else {
        m_settings.storeOption(core::StoredOption::Figures, false);
        m_state.setCaption({});
        m_state.setFiguresRunning(false);
    }
    m_settings.loadOption(core::StoredOption::Figures);
}

void OptionsPage::testBeep() {
    // The window does not respond until the last tone ends (about a second).
    if (m_services.tone == nullptr) {
        return;
    }
    core::playToneSweep(*m_services.tone);
}
