#include "shell/qt/window_buttons.h"

#include "core/design/main_window_design.h"
#include "shell/qt/control_names.h"
#include "shell/qt/pictures.h"
#include "shell/qt/twips.h"

namespace qtshell {

namespace {

namespace design = core::design::main_window;

} // namespace

WindowButtons::WindowButtons(QWidget& window, double twipsPerPixelX, double twipsPerPixelY)
    : m_window(window), m_tppX(twipsPerPixelX), m_tppY(twipsPerPixelY) {
    auto make = [this](const design::Button& look, const QStringList& files) {
        auto* button = new PictureButton(&m_window);
        const core::design::Rect& place = look.place;
        const QSize size(twipsToPixels(place.width, m_tppX), twipsToPixels(place.height, m_tppY));
        QVector<QPixmap> pictures;
        for (const QString& file : files) {
            pictures.append(file.isEmpty() ? QPixmap() : renderPicture(file, size));
        }
        button->setPictures(pictures);
        button->setGeometry(twipsToPixels(place.left, m_tppX), twipsToPixels(place.top, m_tppY), size.width(),
                            size.height());
        const QString name = QString::fromUtf8(look.tip);
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
    moreLessButton = make(design::kMoreLess, moreLessAndOnTopPictures);
    // Picture 3 offers less information, picture 4 more: the name says what a press does.
    moreLessButton->setNameForPicture(3, QString::fromUtf8(design::kLessInformation));
    moreLessButton->setNameForPicture(4, QString::fromUtf8(design::kMoreInformation));
    onTopButton = make(design::kOnTop, moreLessAndOnTopPictures);
    minimizeButton = make(design::kMinimize, {QStringLiteral(":/pictures/minimize.svg")});
    minimizeButton->setPicture(1);
    transparencyButton = make(design::kTransparency, transparencyPictures);
    // Until start-up applies a stored state, each shows a picture of its own, neither list
    // picture: with a stored value that is missing or odd, the button stays so and does nothing.
    onTopButton->setPixmap(renderPicture(QStringLiteral(":/pictures/ontop_design.svg"), onTopButton->size()));
    transparencyButton->setPixmap(
        renderPicture(QStringLiteral(":/pictures/transparency_design.svg"), transparencyButton->size()));
    // Picture 2 of each list is the "on" state: on top, transparent.
    onTopButton->setToggle(2);
    transparencyButton->setToggle(2);
    nameControls({{moreLessButton, "moreLessButton"},
                  {onTopButton, "onTopButton"},
                  {minimizeButton, "minimizeButton"},
                  {transparencyButton, "transparencyButton"}});
}

void WindowButtons::moveMoreLess(double topTwips) {
    moreLessButton->move(moreLessButton->x(), twipsToPixels(topTwips, m_tppY));
}

void WindowButtons::moveOnTop(double leftTwips, double topTwips) {
    onTopButton->move(twipsToPixels(leftTwips, m_tppX), twipsToPixels(topTwips, m_tppY));
}

int WindowButtons::togglePicture(core::ToggleLook look) {
    switch (look) {
    case core::ToggleLook::Off:
        return 1;
    case core::ToggleLook::On:
        return 2;
    case core::ToggleLook::Design:
        break;
    }
    return 0;
}
} // namespace qtshell
