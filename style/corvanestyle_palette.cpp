#include "corvanestyle.h"

#include <QApplication>

QPalette CorvaneStyle::standardPalette() const
{
    return QProxyStyle::standardPalette();
}

void CorvaneStyle::polish(QPalette &palette)
{
    QProxyStyle::polish(palette);
}

void CorvaneStyle::polish(QApplication *app)
{
    QProxyStyle::polish(app);
}

void CorvaneStyle::polish(QWidget *widget)
{
    QProxyStyle::polish(widget);
}

void CorvaneStyle::unpolish(QWidget *widget)
{
    QProxyStyle::unpolish(widget);
}
