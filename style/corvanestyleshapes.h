#ifndef CORVANESTYLESHAPES_H
#define CORVANESTYLESHAPES_H

#include <QLinearGradient>
#include <QRect>

QT_BEGIN_NAMESPACE
class QBrush;
class QColor;
class QPainter;
class QPalette;
class QStyleOption;
class QStyleOptionButton;
QT_END_NAMESPACE

// The shapes and looks that several of the style's drawing files share. They
// paint only from what they are given; none needs a style object.
namespace CorvaneStyleShapes {

QRectF shrunk(const QRectF &rect, qreal by);
void fillRoundedRect(QPainter *painter, const QRectF &shape, qreal radius, const QBrush &brush);
// A vertical gradient over whatever it fills: stop 0 on the bottom edge,
// stop 1 on the top edge.
QLinearGradient bottomToTopGradient(const QGradientStops &stops);
// Fills rect shortened by (thickness - 1) / 2 at every side, leaving a line
// one or two pixels thick: highlight when hovered, light otherwise.
void fillHandleLine(QPainter *painter, const QStyleOption *option, QRect rect, int thickness);
// qDrawPlainRect's frame: lineWidth pixels of color inside rect.
void drawPlainFrame(QPainter *painter, const QRect &rect, const QColor &color, int lineWidth);
// qDrawWinButton's raised frame without a fill: light and button at the top
// and left, shadow and dark at the bottom and right.
void drawRaisedWinFrame(QPainter *painter, const QRect &rect, const QPalette &palette);
// A checked or default push button that is not being pressed wears the
// highlight colours.
bool isHighlightedButton(const QStyleOptionButton *option);

} // namespace CorvaneStyleShapes

#endif // CORVANESTYLESHAPES_H
