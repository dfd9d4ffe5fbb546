#include "corvanestyle.h"

#include <QStyleOption>

int CorvaneStyle::pixelMetric(PixelMetric metric, const QStyleOption *option,
                              const QWidget *widget) const
{
    return QProxyStyle::pixelMetric(metric, option, widget);
}

QSize CorvaneStyle::sizeFromContents(ContentsType type, const QStyleOption *option,
                                     const QSize &size, const QWidget *widget) const
{
    return QProxyStyle::sizeFromContents(type, option, size, widget);
}

QRect CorvaneStyle::subControlRect(ComplexControl control, const QStyleOptionComplex *option,
                                   SubControl subControl, const QWidget *widget) const
{
    return QProxyStyle::subControlRect(control, option, subControl, widget);
}

QRect CorvaneStyle::subElementRect(SubElement element, const QStyleOption *option,
                                   const QWidget *widget) const
{
    return QProxyStyle::subElementRect(element, option, widget);
}
