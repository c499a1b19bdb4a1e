#pragma once

#include "core/main_window_view.h"
#include "shell/qt/picture_button.h"

#include <QWidget>

namespace qtshell {

/// The main window's four picture buttons (more or less information, always on top, minimize,
/// half transparent), placed in twips. MainWindow owns it, shows the pictures the core chooses
/// and hands the clicks to the core.
class WindowButtons final {
public:
    WindowButtons(QWidget& window, double twipsPerPixelX, double twipsPerPixelY);

    /// Moves the more/less button to the given top edge.
    void moveMoreLess(double topTwips);
    /// Moves the on-top button to the given place.
    void moveOnTop(double leftTwips, double topTwips);

    /// The more/less button's picture for what it offers.
    static int moreLessPicture(core::MoreLess offer) { return offer == core::MoreLess::More ? 4 : 3; }
    /// A toggle's picture on its list for a look; 0 for the design picture, which is none of the list's.
    static int togglePicture(core::ToggleLook look);

    // Pictures: the more/less and on-top list (moreLessButton, onTopButton); the transparency
    // list (transparencyButton).
    PictureButton* moreLessButton = nullptr;
    PictureButton* onTopButton = nullptr;
    PictureButton* minimizeButton = nullptr;
    PictureButton* transparencyButton = nullptr;

private:
    QWidget& m_window;
    double m_tppX = 15.0;
    double m_tppY = 15.0;
};

} // namespace qtshell
