#include "shell/qt/pictures.h"

#include <QPainter>
#include <QSvgRenderer>

namespace qtshell {

QPixmap renderPicture(const QString& resource, QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(resource);
    if (renderer.isValid()) {
        QPainter painter(&pixmap);
        renderer.render(&painter);
    }
    return pixmap;
}

} // namespace qtshell
