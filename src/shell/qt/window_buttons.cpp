#include "shell/qt/window_buttons.h"

#include "shell/qt/control_names.h"
#include "shell/qt/pictures.h"
#include "shell/qt/twips.h"

namespace qtshell {

WindowButtons::WindowButtons(QWidget& window, double twipsPerPixelX, double twipsPerPixelY)
    : m_window(window), m_tppX(twipsPerPixelX), m_tppY(twipsPerPixelY) {
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

} // namespace qtshell
