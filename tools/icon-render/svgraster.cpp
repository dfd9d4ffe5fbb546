#include "svgraster.h"

#include <QPainter>
#include <QSvgRenderer>

QImage rasteriseSvg(QSvgRenderer &renderer, const QSize &size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QImage rasteriseSvgFile(const QString &path, const QSize &size, QString *error)
{
    QSvgRenderer renderer;
    if (!renderer.load(path) || !renderer.isValid()) {
        *error = QStringLiteral("cannot load SVG %1").arg(path);
        return QImage();
    }
    return rasteriseSvg(renderer, size);
}
