#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

namespace qtshell {

/// Renders one of the program's SVG pictures (a resource path such as ":/pictures/less.svg")
/// at the given size in pixels. An unknown picture gives an empty, transparent pixmap.
QPixmap renderPicture(const QString& resource, QSize size);

} // namespace qtshell
