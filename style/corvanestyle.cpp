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

CorvaneStyle::CorvaneStyle(CorvaneStyleTheme theme)
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
