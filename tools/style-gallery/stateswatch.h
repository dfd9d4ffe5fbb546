#ifndef STATESWATCH_H
#define STATESWATCH_H

#include <QWidget>

#include <functional>

QT_BEGIN_NAMESPACE
class QStyle;
QT_END_NAMESPACE

// A fixed-size patch painted by direct style calls. It shows the looks real
// widgets cannot be put into without a mouse: hovered, pressed, active parts.
class StateSwatch : public QWidget
{
public:
    using Paint = std::function<void(QPainter *painter, const QStyle *style, QWidget *swatch)>;

    StateSwatch(const QSize &size, Paint paint, QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QSize m_size;
    Paint m_paint;
};

#endif // STATESWATCH_H
