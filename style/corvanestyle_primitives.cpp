#include "corvanestyle.h"

#include <QPainter>
#include <QStyleOption>

void CorvaneStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option,
                                 QPainter *painter, const QWidget *widget) const
{
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}
