#ifndef CORVANESTYLECACHE_H
#define CORVANESTYLECACHE_H

#include <QRectF>
#include <QString>

#include <functional>
#include <type_traits>
#include <utility>

QT_BEGIN_NAMESPACE
class QBrush;
class QColor;
class QPainter;
QT_END_NAMESPACE

// The style's drawing cache. The antialiased shapes and the sheet elements
// are the costly part of the style; a drawing that depends only on its size,
// state bits and colours is painted once onto a transparent pixmap (in
// QPixmapCache) and blitted from then on. Nothing here needs a style object.
namespace CorvaneStyleCache {

// What a cached pixmap is found by: the drawing's name and every value it is
// painted from; drawWithKey() adds the size, the device position and the
// painter's render hints.
class Key
{
public:
    explicit Key(const char *what);
    Key &operator<<(bool value);
    Key &operator<<(quint64 value);
    template<typename Enum, std::enable_if_t<std::is_enum<Enum>::value, int> = 0>
    Key &operator<<(Enum value)
    {
        return *this << quint64(value);
    }
    Key &operator<<(const QString &text);
    Key &operator<<(const QColor &colour);
    // Only plain colours make a usable key: a textured or gradient brush is
    // drawn directly every time.
    Key &operator<<(const QBrush &brush);
    bool isUsable() const { return m_usable; }
    const QString &text() const { return m_text; }

private:
    QString m_text;
    bool m_usable = true;
};

enum class PainterSettings {
    Untouched, // the painting leaves the painter as it found it
    LeftByPainting // the painting sets pen, brush and hints and leaves them
};

// Draws paint, which paints area (grown by margin for pens reaching past it)
// in the painter's coordinates, through the cache where the painter allows: a
// raster device, no scaling or rotation beyond the device's pixel ratio, full
// opacity, source-over, the GUI thread. Otherwise paint runs directly on the
// painter. Either way the painter ends up with the settings the painting
// leaves. A cached painting starts from the painter's render hints. An
// edgeBand above 0 says that the painting touches only a band that wide
// along the edges of area (an outline): only that band of the pixmap is
// drawn, not the transparent inside.
void drawWithKey(QPainter *painter, Key key, const QRectF &area, qreal margin, qreal edgeBand,
                 PainterSettings settings, const std::function<void(QPainter *)> &paint);

namespace Detail {

template<typename Paint, typename... Values>
void drawWithValues(QPainter *painter, const char *what, const QRectF &area, qreal margin,
                    qreal edgeBand, PainterSettings settings, const Paint &paint,
                    const Values &...values)
{
    Key key(what);
    (key << ... << values);
    drawWithKey(painter, std::move(key), area, margin, edgeBand, settings,
                [&](QPainter *target) { paint(target, area, values...); });
}

} // namespace Detail

// The way the style caches a drawing: it works out the values the drawing
// depends on first (state bits, colours), then calls
// paint(painter, area, values...) through the cache, keyed on what and on
// those very values. The painting is given nothing else (it captures at most
// the style's fixed artwork), so a value it is painted from cannot be missing
// from its key.
template<typename Paint, typename... Values>
void draw(QPainter *painter, const char *what, const QRectF &area, qreal margin,
          PainterSettings settings, const Paint &paint, const Values &...values)
{
    Detail::drawWithValues(painter, what, area, margin, 0, settings, paint, values...);
}

// The same for an outline that stays inside area and within edgeBand of its
// edges: large outlines cost little more to draw than small ones.
template<typename Paint, typename... Values>
void drawOutline(QPainter *painter, const char *what, const QRectF &area, qreal edgeBand,
                 PainterSettings settings, const Paint &paint, const Values &...values)
{
    Detail::drawWithValues(painter, what, area, 0, edgeBand, settings, paint, values...);
}

} // namespace CorvaneStyleCache

#endif // CORVANESTYLECACHE_H
