#include "corvanestyleshapes.h"

#include <QPainter>
#include <QStyleOption>

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

bool isHighlightedButton(const QStyleOptionButton *option)
{
    const bool onOrDefault = (option->state & QStyle::State_On)
        || (option->features & QStyleOptionButton::DefaultButton);
    return onOrDefault && !(option->state & QStyle::State_Sunken);
}

} // namespace CorvaneStyleShapes
