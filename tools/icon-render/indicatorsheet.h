#ifndef INDICATORSHEET_H
#define INDICATORSHEET_H

#include <QImage>
#include <QRectF>
#include <QStringList>
#include <QSvgRenderer>

class QPainter;
class QPalette;
class QTextStream;

// The style's indicator sheet: five elements looked up by id. Element bounds
// are taken the way the style takes them, through each element's transform,
// so what this class checks and previews is what the style will paint.
class IndicatorSheet
{
public:
    static const QStringList &elementIds();

    bool load(const QString &path);
    QRectF documentBounds(const QString &id) const;
    // Places an element within a target rectangle by its position relative to
    // a frame element, as the painted check and radio indicators do.
    QRectF mapElementRect(const QRectF &target, const QString &frameId,
                          const QString &elementId) const;

    // Prints the size and element bounds; returns false on any problem.
    bool check(QTextStream &out) const;
    // Check boxes, radio buttons and slider handles in the three palettes of
    // the style, at each of the given sizes in pixels.
    QImage paintPreview(const QList<int> &sizes) const;

private:
    void paintCheckIndicator(QPainter *painter, const QPalette &palette, const QRect &rect,
                             bool checked) const;
    void paintRadioIndicator(QPainter *painter, const QPalette &palette, const QRect &rect,
                             bool checked, bool enabled) const;
    void paintSlider(QPainter *painter, const QPalette &palette, const QRect &rect) const;
    void paintPreviewRow(QPainter *painter, const QPalette &palette, const QList<int> &sizes,
                         int top) const;

    mutable QSvgRenderer m_renderer;
};

#endif // INDICATORSHEET_H
