#include "shell/qt/design_colours.h"

#include <QPalette>

namespace qtshell {

void setDesignColours(QWidget* surface, const QColor& background, const QColor& text) {
    QPalette palette = surface->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, text);
    surface->setPalette(palette);
    surface->setAutoFillBackground(true);
}

} // namespace qtshell
