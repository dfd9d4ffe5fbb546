#include "corvanestylecache.h"

#include <QBrush>
#include <QColor>
#include <QCoreApplication>
#include <QHash>
#include <QPaintEngine>
#include <QPainter>
#include <QPixmapCache>
#include <QThread>

#include <cmath>

namespace CorvaneStyleCache {

Key::Key(const char *what)
{
    m_text.reserve(96);
    m_text += QLatin1String("corvane-");
    m_text += QLatin1String(what);
    m_text += QLatin1Char('-');
}

Key &Key::operator<<(bool value)
{
    m_text.append(QChar(ushort(value)));
    return *this;
}

Key &Key::operator<<(const QString &text)
{
    m_text += text;
    m_text += QLatin1Char('-');
    return *this;
}

// Keys are never shown: values go in as raw 16-bit units, no formatting.
Key &Key::operator<<(quint64 value)
{
    for (int shift = 0; shift < 64; shift += 16)
        m_text.append(QChar(ushort(value >> shift)));
    return *this;
}

Key &Key::operator<<(const QColor &colour)
{
    return *this << quint64(colour.rgba64());
}

Key &Key::operator<<(const QBrush &brush)
{
    if (brush.style() != Qt::SolidPattern && brush.style() != Qt::NoBrush)
        m_usable = false;
    return *this << brush.style() << brush.color();
}

namespace {

// A cached pixmap lands on the device exactly as the direct painting would
// only on a raster device, with no rotation or scaling beyond the device's
// own pixel ratio, at full opacity, composed source-over, with the brush
// origin untouched. QPixmap belongs to the GUI thread.
bool canUseCache(QPainter *painter)
{
    const QPaintEngine *engine = painter->paintEngine();
    return engine && engine->type() == QPaintEngine::Raster
        && painter->worldTransform().type() <= QTransform::TxTranslate && painter->opacity() >= 1.0
        && painter->compositionMode() == QPainter::CompositionMode_SourceOver
        && painter->brushOrigin().isNull() && QCoreApplication::instance()
        && QThread::currentThread() == QCoreApplication::instance()->thread();
}

// What a cached painting leaves on its painter, applied to the real painter
// whenever its pixmap is drawn.
struct LeftSettings
{
    QPen pen;
    QBrush brush;
    QPainter::RenderHints addedHints;
};

QHash<QString, LeftSettings> &leftSettingsCache()
{
    static QHash<QString, LeftSettings> cache;
    return cache;
}

// Sizes and offsets in the key, to 1/4096 of a device pixel.
quint64 keyOfLength(qreal length)
{
    return quint64(qRound64(length * 4096));
}

// Draws pixmap at position, or only the band of it that many device pixels
// wide along its edges (0: all of it). Blending transparent pixels changes
// nothing, but reading them costs as much as any: an outline's pixmap is
// mostly inside.
void drawPixmapEdges(QPainter *painter, const QPointF &position, const QPixmap &pixmap, int band)
{
    const int width = pixmap.width();
    const int height = pixmap.height();
    if (band <= 0 || 2 * band >= width || 2 * band >= height) {
        painter->drawPixmap(position, pixmap);
        return;
    }
    const QRect edges[] = { QRect(0, 0, width, band), QRect(0, height - band, width, band),
                            QRect(0, band, band, height - 2 * band),
                            QRect(width - band, band, band, height - 2 * band) };
    const qreal ratio = pixmap.devicePixelRatioF();
    for (const QRect &edge : edges) {
        const QRectF source(edge);
        const QRectF target(position + source.topLeft() / ratio, source.size() / ratio);
        painter->drawPixmap(target, pixmap, source);
    }
}

} // namespace

void drawWithKey(QPainter *painter, Key key, const QRectF &area, qreal margin, qreal edgeBand,
                 PainterSettings settings, const std::function<void(QPainter *)> &paint)
{
    // A drawing inside one that is being cached goes straight into that
    // pixmap: caching it again would only add a second rounding of its
    // translucent pixels.
    static int cachingDepth = 0;
    const QRectF bounds = area.adjusted(-margin, -margin, margin, margin);
    // The thread is checked first: the depth belongs to the GUI thread.
    if (!canUseCache(painter) || cachingDepth > 0 || !key.isUsable() || bounds.isEmpty()) {
        paint(painter);
        return;
    }

    // Where the bounds land in device pixels: a whole-pixel origin, and the
    // fraction the painting is shifted by inside the pixmap.
    // The device transform, not the world transform: a widget painted for
    // another (QWidget::render(), grab()) is placed by the painter's
    // redirection offset, which at a fractional pixel ratio puts it between
    // device pixels.
    const qreal ratio = painter->device()->devicePixelRatioF();
    const QTransform &toDevice = painter->deviceTransform();
    const QPointF deviceTopLeft = toDevice.map(bounds.topLeft());
    const QPointF origin(std::floor(deviceTopLeft.x()), std::floor(deviceTopLeft.y()));
    const QPointF fraction = deviceTopLeft - origin;
    const QSizeF deviceSize = bounds.size() * ratio;
    // Huge drawings would crowd everything else out of the cache.
    const qreal largestCachedArea = 512 * 512;
    if (deviceSize.width() * deviceSize.height() > largestCachedArea) {
        paint(painter);
        return;
    }
    // A painting that leaves a hint as it finds it (the combo box frame's
    // antialiasing, say) looks different with and without it.
    const QPainter::RenderHints hints = painter->renderHints();
    key << keyOfLength(deviceSize.width()) << keyOfLength(deviceSize.height())
        << keyOfLength(fraction.x()) << keyOfLength(fraction.y()) << keyOfLength(ratio)
        << quint64(hints);

    const bool leavesSettings = settings == PainterSettings::LeftByPainting;
    QHash<QString, LeftSettings> &settingsCache = leftSettingsCache();
    QPixmap pixmap;
    LeftSettings left;
    bool found = QPixmapCache::find(key.text(), &pixmap);
    if (found && leavesSettings) {
        const auto settingsEntry = settingsCache.constFind(key.text());
        found = settingsEntry != settingsCache.constEnd();
        if (found)
            left = *settingsEntry;
    }
    if (!found) {
        pixmap = QPixmap(int(std::ceil(fraction.x() + deviceSize.width())),
                         int(std::ceil(fraction.y() + deviceSize.height())));
        pixmap.fill(Qt::transparent);
        QPainter pixmapPainter(&pixmap);
        pixmapPainter.setRenderHints(pixmapPainter.renderHints(), false);
        pixmapPainter.setRenderHints(hints);
        pixmapPainter.translate(fraction);
        pixmapPainter.scale(ratio, ratio);
        pixmapPainter.translate(-bounds.topLeft());
        ++cachingDepth;
        paint(&pixmapPainter);
        --cachingDepth;
        left = { pixmapPainter.pen(), pixmapPainter.brush(), pixmapPainter.renderHints() & ~hints };
        pixmapPainter.end();
        pixmap.setDevicePixelRatio(ratio);
        QPixmapCache::insert(key.text(), pixmap);
        if (leavesSettings) {
            // The settings are tiny, but sizes vary without end: start over
            // now and then.
            if (settingsCache.size() >= 4096)
                settingsCache.clear();
            settingsCache.insert(key.text(), left);
        }
    }

    // The band grows by the pixel the painting may be shifted by inside the
    // pixmap.
    const int band = edgeBand > 0 ? int(std::ceil(edgeBand * ratio)) + 1 : 0;
    drawPixmapEdges(painter, toDevice.inverted().map(origin), pixmap, band);
    if (leavesSettings) {
        painter->setPen(left.pen);
        painter->setBrush(left.brush);
        painter->setRenderHints(left.addedHints);
    }
}

} // namespace CorvaneStyleCache
