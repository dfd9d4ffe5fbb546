#include "stateswatch.h"

#include <QPainter>

StateSwatch::StateSwatch(const QSize &size, Paint paint, QWidget *parent)
    : QWidget(parent)
    , m_size(size)
    , m_paint(std::move(paint))
{
    setFixedSize(size);
}

QSize StateSwatch::sizeHint() const
{
    return m_size;
}

void StateSwatch::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    m_paint(&painter, style(), this);
}
