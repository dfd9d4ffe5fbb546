#include "corvanestyle.h"

#include "corvanestylecache.h"

#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>
#include <QSvgRenderer>

// Q_INIT_RESOURCE must be used outside any namespace; the library's loader
// has registered the bundle already, this only makes sure of it.
static void registerCorvaneStyleResources()
{
    Q_INIT_RESOURCE(corvanestyle);
}

CorvaneStyle::CorvaneStyle(int theme)
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Windows")))
    , m_theme(theme)
    , m_svgRenderer(nullptr)
    , m_elideText(false)
{
    registerCorvaneStyleResources();
    m_svgRenderer = new QSvgRenderer(QStringLiteral(":CorvaneStyle.svg"), this);
}

// The renderer is a child object and goes with the style.
CorvaneStyle::~CorvaneStyle() = default;

QRectF CorvaneStyle::shrunk(const QRectF &rect, qreal by)
{
    return rect.adjusted(by, by, -by, -by);
}

void CorvaneStyle::fillRoundedRect(QPainter *painter, const QRectF &shape, qreal radius,
                                   const QBrush &brush)
{
    painter->setBrush(brush);
    painter->drawRoundedRect(shape, radius, radius);
}

void CorvaneStyle::fillRingStep(QPainter *painter, QRectF &shape, qreal &radius, qreal width,
                                const QBrush &brush)
{
    fillRoundedRect(painter, shape, radius, brush);
    shape = shrunk(shape, width);
    radius -= width;
}

QLinearGradient CorvaneStyle::bottomToTopGradient(const QGradientStops &stops)
{
    QLinearGradient gradient(0, 1, 0, 0);
    gradient.setCoordinateMode(QGradient::ObjectBoundingMode);
    gradient.setStops(stops);
    return gradient;
}

void CorvaneStyle::fillHandleLine(QPainter *painter, const QStyleOption *option, QRect rect,
                                  int thickness)
{
    const int inset = (thickness - 1) / 2;
    if (inset > 0)
        rect.adjust(inset, inset, -inset, -inset);
    const QPalette::ColorRole role
        = option->state & State_MouseOver ? QPalette::Highlight : QPalette::Light;
    painter->fillRect(rect, option->palette.brush(role));
}

bool CorvaneStyle::isHighlightedButton(const QStyleOptionButton *option)
{
    const bool onOrDefault
        = (option->state & State_On) || (option->features & QStyleOptionButton::DefaultButton);
    return onOrDefault && !(option->state & State_Sunken);
}

void CorvaneStyle::renderSvgElement(QPainter *painter, const QString &elementId,
                                    const QRectF &target) const
{
    if (target.isEmpty() || !m_svgRenderer->isValid())
        return;
    // The element is stretched by its bounds without strokes, so outlines
    // reach a little past the target. The renderer saves and restores the
    // painter around its work.
    const qreal strokeMargin = qMax(target.width(), target.height()) / 4;
    CorvaneStyleCache::draw(
        painter, "svg", target, strokeMargin, CorvaneStyleCache::PainterSettings::Untouched,
        [this](QPainter *cachePainter, const QRectF &area, const QString &id) {
            m_svgRenderer->render(cachePainter, id, area);
        },
        elementId);
}
