#include "corvanestyleshapes.h"

#include <QPaintDevice>
#include <QPainter>
#include <QStyleOption>
#include <qdrawutil.h>

#include <cmath>
#include <initializer_list>

namespace {

// Whether filled rectangles cover exactly the device pixels that Qt's
// aliased one-pixel pen puts along them: the painter moves by whole pixels
// only, on a device of pixel ratio 1, and the colours are opaque, so that a
// pixel is written the same way whichever draws it. Qt's raster engine pens
// a line pixel by pixel, a span and a blend for each; a filled rectangle is
// one row fill per row, which made frames a tenth of a render.
bool fillsLikeAliasedPen(const QPainter *painter, std::initializer_list<QColor> colors)
{
    if (painter->testRenderHint(QPainter::Antialiasing)
        || painter->compositionMode() != QPainter::CompositionMode_SourceOver
        || painter->device()->devicePixelRatioF() != 1.0)
        return false;
    const QTransform transform = painter->deviceTransform();
    if (transform.type() > QTransform::TxTranslate || transform.dx() != std::round(transform.dx())
        || transform.dy() != std::round(transform.dy()))
        return false;
    for (const QColor &color : colors) {
        if (color.alpha() != 255)
            return false;
    }
    return true;
}

} // namespace

namespace CorvaneStyleShapes {

QRectF shrunk(const QRectF &rect, qreal by)
{
    return rect.adjusted(by, by, -by, -by);
}

void fillRoundedRect(QPainter *painter, const QRectF &shape, qreal radius, const QBrush &brush)
{
    painter->setBrush(brush);
    painter->drawRoundedRect(shape, radius, radius);
}

QLinearGradient bottomToTopGradient(const QGradientStops &stops)
{
    QLinearGradient gradient(0, 1, 0, 0);
    gradient.setCoordinateMode(QGradient::ObjectBoundingMode);
    gradient.setStops(stops);
    return gradient;
}

void fillHandleLine(QPainter *painter, const QStyleOption *option, QRect rect, int thickness)
{
    const int inset = (thickness - 1) / 2;
    if (inset > 0)
        rect.adjust(inset, inset, -inset, -inset);
    const QPalette::ColorRole role
        = option->state & QStyle::State_MouseOver ? QPalette::Highlight : QPalette::Light;
    painter->fillRect(rect, option->palette.brush(role));
}

void drawPlainFrame(QPainter *painter, const QRect &rect, const QColor &color, int lineWidth)
{
    const int x = rect.x();
    const int y = rect.y();
    const int w = rect.width();
    const int h = rect.height();
    if (lineWidth < 1 || w <= 2 * lineWidth || h <= 2 * lineWidth
        || !fillsLikeAliasedPen(painter, { color })) {
        qDrawPlainRect(painter, rect, color, lineWidth, nullptr);
        return;
    }
    painter->fillRect(QRect(x, y, w, lineWidth), color);
    painter->fillRect(QRect(x, y + h - lineWidth, w, lineWidth), color);
    painter->fillRect(QRect(x, y + lineWidth, lineWidth, h - 2 * lineWidth), color);
    painter->fillRect(QRect(x + w - lineWidth, y + lineWidth, lineWidth, h - 2 * lineWidth), color);
}

void drawRaisedWinFrame(QPainter *painter, const QRect &rect, const QPalette &palette)
{
    const QColor light = palette.light().color();
    const QColor shadow = palette.shadow().color();
    const QColor button = palette.button().color();
    const QColor dark = palette.dark().color();
    const int x = rect.x();
    const int y = rect.y();
    const int w = rect.width();
    const int h = rect.height();
    if (w <= 4 || h <= 4 || !fillsLikeAliasedPen(painter, { light, shadow, button, dark })) {
        qDrawWinButton(painter, rect, palette, false, nullptr);
        return;
    }
    // The outer ring, then the inner one; no two of these share a pixel.
    painter->fillRect(QRect(x, y, w - 1, 1), light);
    painter->fillRect(QRect(x, y + 1, 1, h - 2), light);
    painter->fillRect(QRect(x, y + h - 1, w, 1), shadow);
    painter->fillRect(QRect(x + w - 1, y, 1, h - 1), shadow);
    painter->fillRect(QRect(x + 1, y + 1, w - 3, 1), button);
    painter->fillRect(QRect(x + 1, y + 2, 1, h - 4), button);
    painter->fillRect(QRect(x + 1, y + h - 2, w - 2, 1), dark);
    painter->fillRect(QRect(x + w - 2, y + 1, 1, h - 3), dark);
}

bool isHighlightedButton(const QStyleOptionButton *option)
{
    const bool onOrDefault = (option->state & QStyle::State_On)
        || (option->features & QStyleOptionButton::DefaultButton);
    return onOrDefault && !(option->state & QStyle::State_Sunken);
}

} // namespace CorvaneStyleShapes
