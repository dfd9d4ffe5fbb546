#ifndef SVGRASTER_H
#define SVGRASTER_H

#include <QImage>
#include <QString>

class QSvgRenderer;

// Renders a whole SVG document into a transparent image of the given size.
// The result is QImage::Format_ARGB32 (straight alpha), which is what the
// committed PNGs and the style's tinting work with.
QImage rasteriseSvg(QSvgRenderer &renderer, const QSize &size);

// Loads and renders a file; on failure returns a null image and sets *error.
QImage rasteriseSvgFile(const QString &path, const QSize &size, QString *error);

#endif // SVGRASTER_H
