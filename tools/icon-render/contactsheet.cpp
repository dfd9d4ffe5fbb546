#include "contactsheet.h"

#include "iconset.h"
#include "svgraster.h"

#include <QDir>
#include <QPainter>
#include <QVector>

namespace {

const int margin = 12;
const int labelWidth = 124;
const QColor darkGround(0x44, 0x44, 0x44);
const QColor blueGround(0x1C, 0x56, 0x93);
const QColor lightGround(0xF4, 0xF3, 0xF4);

// The style's rule for generated icon pixmaps: pure white pixels take the
// tint's colour and keep their alpha; everything else stays.
QImage tinted(const QImage &source, const QColor &tint)
{
    QImage image = source.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] & 0x00FFFFFF) == 0x00FFFFFF)
                line[x] = qRgba(tint.red(), tint.green(), tint.blue(), qAlpha(line[x]));
        }
    }
    return image;
}

QVector<QImage> renderSet(const QString &iconsDir, const QString &set, int size)
{
    QVector<QImage> images;
    for (const QString &name : IconSet::vectorIconNames()) {
        QString error;
        const QString path = QDir(iconsDir).filePath(QStringLiteral("%1/%2.svg").arg(set, name));
        QImage image = rasteriseSvgFile(path, QSize(size, size), &error);
        if (image.isNull()) {
            image = QImage(size, size, QImage::Format_ARGB32);
            image.fill(Qt::red);
        }
        images.append(image);
    }
    return images;
}

QVector<QImage> loadMessageBoxIcons(const QString &iconsDir, int size)
{
    QVector<QImage> images;
    for (const QString &name : IconSet::messageBoxIconNames()) {
        QImage image(QDir(iconsDir).filePath(QStringLiteral("%1x%1/%2.png").arg(size).arg(name)));
        if (image.isNull()) {
            image = QImage(size, size, QImage::Format_ARGB32);
            image.fill(Qt::red);
        }
        images.append(image);
    }
    return images;
}

// Lays out rows of images on coloured bands, one label per row.
class SheetBuilder
{
public:
    void addRow(const QString &label, const QColor &ground, const QVector<QImage> &images, int cell)
    {
        m_rows.append({ label, ground, images, cell });
    }

    QImage paint() const
    {
        int width = 0;
        int height = 0;
        for (const Row &row : m_rows) {
            width = qMax(width, labelWidth + row.images.size() * (row.cell + margin) + margin);
            height += row.cell + 2 * margin;
        }
        QImage sheet(width, height, QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&sheet);
        int top = 0;
        for (const Row &row : m_rows) {
            const int rowHeight = row.cell + 2 * margin;
            painter.fillRect(0, top, width, rowHeight, row.ground);
            painter.setPen(row.ground.lightness() > 128 ? Qt::black : Qt::white);
            painter.drawText(QRect(margin, top, labelWidth - margin, rowHeight),
                             Qt::AlignVCenter | Qt::AlignLeft, row.label);
            int x = labelWidth;
            for (const QImage &image : row.images) {
                const QRect cell(x, top + margin, row.cell, row.cell);
                QRect target(QPoint(0, 0), image.size());
                target.moveCenter(cell.center());
                painter.drawImage(target.topLeft(), image);
                x += row.cell + margin;
            }
            top += rowHeight;
        }
        painter.end();
        return sheet;
    }

private:
    struct Row
    {
        QString label;
        QColor ground;
        QVector<QImage> images;
        int cell;
    };
    QVector<Row> m_rows;
};

QVector<QImage> magnified(const QVector<QImage> &images, int zoom)
{
    QVector<QImage> result;
    for (const QImage &image : images)
        result.append(
            image.scaled(image.size() * zoom, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    return result;
}

} // namespace

namespace ContactSheet {

QImage paintOverview(const QString &iconsDir)
{
    SheetBuilder builder;
    for (int size : { 16, 24, 32, 48 })
        builder.addRow(QStringLiteral("white %1").arg(size), darkGround,
                       renderSet(iconsDir, QStringLiteral("svg"), size), size);
    const QVector<QImage> white16 = renderSet(iconsDir, QStringLiteral("svg"), 16);
    QVector<QImage> disabled;
    QVector<QImage> selected;
    for (const QImage &image : white16) {
        disabled.append(tinted(image, darkGround.lighter(200)));
        selected.append(tinted(image, QColor(0xFD, 0xEE, 0x24)));
    }
    builder.addRow(QStringLiteral("disabled 16"), darkGround, disabled, 16);
    builder.addRow(QStringLiteral("selected 16"), darkGround, selected, 16);
    builder.addRow(QStringLiteral("white 16"), blueGround, white16, 16);
    for (int size : { 16, 24, 32, 48 })
        builder.addRow(QStringLiteral("black %1").arg(size), lightGround,
                       renderSet(iconsDir, QStringLiteral("svg-black"), size), size);

    for (const QColor &ground : { darkGround, blueGround, lightGround, QColor(Qt::white) }) {
        QVector<QImage> boxes = loadMessageBoxIcons(iconsDir, 16);
        boxes += loadMessageBoxIcons(iconsDir, 32);
        builder.addRow(QStringLiteral("PNG 16, 32"), ground, boxes, 32);
    }
    return builder.paint();
}

QImage paintZoomed(const QString &iconsDir, int zoom)
{
    SheetBuilder builder;
    const QVector<QImage> white = renderSet(iconsDir, QStringLiteral("svg"), 16);
    const QVector<QImage> black = renderSet(iconsDir, QStringLiteral("svg-black"), 16);
    const int cell = 16 * zoom;
    builder.addRow(QStringLiteral("white 16"), darkGround, magnified(white.mid(0, 8), zoom), cell);
    builder.addRow(QStringLiteral("white 16"), darkGround, magnified(white.mid(8), zoom), cell);
    builder.addRow(QStringLiteral("black 16"), lightGround, magnified(black.mid(0, 8), zoom), cell);
    builder.addRow(QStringLiteral("black 16"), lightGround, magnified(black.mid(8), zoom), cell);
    QVector<QImage> boxes = magnified(loadMessageBoxIcons(iconsDir, 16), zoom);
    boxes += magnified(loadMessageBoxIcons(iconsDir, 32), qMax(1, zoom / 2));
    builder.addRow(QStringLiteral("PNG 16, 32"), darkGround, boxes, cell);
    builder.addRow(QStringLiteral("PNG 16, 32"), lightGround, boxes, cell);
    return builder.paint();
}

} // namespace ContactSheet
