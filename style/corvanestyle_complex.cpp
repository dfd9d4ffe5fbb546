#include "corvanestyle.h"

#include <QPainter>
#include <QStyleOption>

void CorvaneStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                                      QPainter *painter, const QWidget *widget) const
{
    QProxyStyle::drawComplexControl(control, option, painter, widget);
}
