#ifndef CORVANESTYLECACHE_H
#define CORVANESTYLECACHE_H

#include <QRectF>
#include <QString>

#include <functional>

QT_BEGIN_NAMESPACE
class QBrush;
class QPainter;
QT_END_NAMESPACE

// The style's drawing cache. The antialiased shapes and the sheet elements
// are the costly part of the style; a drawing that depends only on its size,
// state bits and colours is painted once onto a transparent pixmap (in
// QPixmapCache) and blitted from then on. Nothing here needs a style object.
namespace CorvaneStyleCache {

// What a cached pixmap is found by: the drawing's name and every value it is
// painted from; the size and the device position are added by draw().
class Key
{
public:
    explicit Key(const char *what);
    Key &operator<<(quint64 value);
    Key &operator<<(const QString &text);
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
// leaves.
void draw(QPainter *painter, Key key, const QRectF &area, qreal margin, PainterSettings settings,
          const std::function<void(QPainter *)> &paint);

} // namespace CorvaneStyleCache

#endif // CORVANESTYLECACHE_H
