#include "app/window_buttons.h"

#include "common/app_title.h"
#include "common/pictures.h"
#include "common/twips.h"
#include "monitor/window_appearance.h"

#include <string>

namespace {

// The on-top button sits this far higher and further left while the window is on top.
constexpr double kOnTopRiseTwips = 40;
constexpr double kOnTopShiftTwips = 10;

} // namespace

WindowButtons::WindowButtons(QWidget& window, platform::Services& services, core::SettingsStore& settings)
    : m_window(window), m_services(services), m_settings(settings) {
    m_tppX = m_services.screen->twipsPerPixelX();
    m_tppY = m_services.screen->twipsPerPixelY();
    auto make = [this](int left, int top, int width, int height, const QStringList& files,
                       const QString& name) {
        auto* button = new PictureButton(&m_window);
        const QSize size(twipsToPixels(width, m_tppX), twipsToPixels(height, m_tppY));
        QVector<QPixmap> pictures;
        for (const QString& file : files) {
            pictures.append(file.isEmpty() ? QPixmap() : renderPicture(file, size));
        }
        button->setPictures(pictures);
        button->setGeometry(twipsToPixels(left, m_tppX), twipsToPixels(top, m_tppY), size.width(),
                            size.height());
        button->setAccessibleName(name);
        button->setToolTip(name);
        return button;
    };
    // The more/less and on-top list: 1 and 2 the on-top looks, 3 offers less information, 4 offers more.
    const QStringList moreLessAndOnTopPictures = {
        QStringLiteral(":/pictures/ontop_off.svg"), QStringLiteral(":/pictures/ontop_on.svg"),
        QStringLiteral(":/pictures/less_info.svg"), QStringLiteral(":/pictures/more_info.svg")};
    const QStringList transparencyPictures = {QStringLiteral(":/pictures/transparency_off.svg"),
                                              QStringLiteral(":/pictures/transparency_on.svg")};
    moreLessButton =
        make(100, 656, 225, 150, moreLessAndOnTopPictures, QStringLiteral("More or less information"));
    // Picture 3 offers less information, picture 4 more: the name says what a press does.
    moreLessButton->setNameForPicture(3, QStringLiteral("Less information"));
    moreLessButton->setNameForPicture(4, QStringLiteral("More information"));
    onTopButton = make(350, 656, 180, 240, moreLessAndOnTopPictures, QStringLiteral("Always on top"));
    onTopButton->setToolTip(QStringLiteral("Always On Top"));
    minimizeButton =
        make(520, 656, 255, 150, {QStringLiteral(":/pictures/minimize.svg")}, QStringLiteral("Minimize"));
    minimizeButton->setPicture(1);
    transparencyButton = make(1630, 791, 195, 315, transparencyPictures, QStringLiteral("Half transparent"));
    transparencyButton->setToolTip(QStringLiteral("Window Transparent / Opaque."));
    // Until start-up applies a stored state, each shows a picture of its own, neither list
    // picture: with a stored value that is missing or odd, the button stays so and does nothing.
    onTopButton->setPixmap(renderPicture(QStringLiteral(":/pictures/ontop_design.svg"), onTopButton->size()));
    transparencyButton->setPixmap(
        renderPicture(QStringLiteral(":/pictures/transparency_design.svg"), transparencyButton->size()));
    // Picture 2 of each list is the "on" state: on top, transparent. Their names are their tool tips.
    onTopButton->setToggle(2);
    transparencyButton->setToggle(2);
    onTopButton->setAccessibleName(onTopButton->toolTip());
    transparencyButton->setAccessibleName(transparencyButton->toolTip());

    QObject::connect(onTopButton, &PictureButton::clicked, &m_window, [this] { toggleOnTop(); });
    QObject::connect(transparencyButton, &PictureButton::clicked, &m_window,
                     [this] { toggleTransparency(); });
}

void WindowButtons::moveMoreLess(double downTwips) {
    m_moreLessTopTwips += downTwips;
    moreLessButton->move(moreLessButton->x(), twipsToPixels(m_moreLessTopTwips, m_tppY));
}

void WindowButtons::moveOnTopButton(double rightTwips, double downTwips) {
    m_onTopLeftTwips += rightTwips;
    m_onTopTopTwips += downTwips;
    onTopButton->move(twipsToPixels(m_onTopLeftTwips, m_tppX), twipsToPixels(m_onTopTopTwips, m_tppY));
}

void WindowButtons::toggleOnTop() {
    // The picture first, the window second, the stored setting last.
    if (onTopButton->picture() == 1) {
        onTopButton->setPicture(2);
        moveOnTopButton(-kOnTopShiftTwips, -kOnTopRiseTwips);
        setWindowOnTop(m_window, true);
        m_settings.storeOption(core::StoredOption::OnTop, true);
    } else if (onTopButton->picture() == 2) {
        onTopButton->setPicture(1);
        moveOnTopButton(kOnTopShiftTwips, kOnTopRiseTwips);
        setWindowOnTop(m_window, false);
        m_settings.storeOption(core::StoredOption::OnTop, false);
    }
}

void WindowButtons::toggleTransparency() {
    try {
        if (transparencyButton->picture() == 1) {
            transparencyButton->setPicture(2);
            makeWindowTransparent(m_window, *m_services.screen);
            m_settings.storeOption(core::StoredOption::Transparency, true);
        } else if (transparencyButton->picture() == 2) {
            transparencyButton->setPicture(1);
            makeWindowOpaque(m_window, *m_services.screen);
            m_settings.storeOption(core::StoredOption::Transparency, false);
        }
    } catch (const AppearanceFailure& failure) {
        // What was done stays done: the picture may have changed, the window and tpme not.
        m_services.messages->show(std::to_string(failure.number()), kAppTitle.toStdString(),
                                  platform::MessageIcon::Exclamation);
    }
}

void WindowButtons::applyStoredOnTop(const std::optional<std::string>& stored) {
    const std::optional<bool> on = core::storedSwitch(stored);
    if (on == true) {
        onTopButton->setPicture(2);
        moveOnTopButton(-kOnTopShiftTwips, -kOnTopRiseTwips);
        setWindowOnTop(m_window, true);
    } else if (on == false) {
        onTopButton->setPicture(1);
        setWindowOnTop(m_window, false);
    }
}

void WindowButtons::applyStoredTransparency(const std::optional<std::string>& stored) {
    const std::optional<bool> on = core::storedSwitch(stored);
    try {
        if (on == true) {
            makeWindowTransparent(m_window, *m_services.screen);
            transparencyButton->setPicture(2);
        } else if (on == false) {
            makeWindowOpaque(m_window, *m_services.screen);
            transparencyButton->setPicture(1);
        }
    } catch (const AppearanceFailure&) {
        // Without the service the window stays opaque and the button on its design picture.
    }
}
