#ifndef TEXTRECORDER_H
#define TEXTRECORDER_H

#include <QColor>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPen>
#include <QStringList>

// A paint device that keeps the texts drawn on it and throws everything else
// away, so a test can see the exact string a style drew (elided or not).
// Its engine is not a raster engine, so styles draw on it directly, never
// from a pixmap cache.
class TextRecorder : public QPaintDevice
{
public:
    explicit TextRecorder(const QSize &size = QSize(400, 200))
        : m_engine(this)
        , m_size(size)
    { }

    QPaintEngine *paintEngine() const override { return &m_engine; }
    QStringList texts() const { return m_texts; }
    // The pen colour each text was drawn with.
    QList<QColor> textColours() const { return m_colours; }
    void clear()
    {
        m_texts.clear();
        m_colours.clear();
    }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return m_size.width();
        case PdmHeight:
            return m_size.height();
        case PdmWidthMM:
            return m_size.width() * 254 / 960;
        case PdmHeightMM:
            return m_size.height() * 254 / 960;
        case PdmNumColors:
            return INT_MAX;
        case PdmDepth:
            return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        }
        return 0;
    }

private:
    class Engine : public QPaintEngine
    {
    public:
        explicit Engine(TextRecorder *recorder)
            : QPaintEngine(AllFeatures)
            , m_recorder(recorder)
        { }
        bool begin(QPaintDevice *) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState &state) override
        {
            if (state.state() & DirtyPen)
                m_pen = state.pen();
        }
        void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override { }
        void drawImage(const QRectF &, const QImage &, const QRectF &,
                       Qt::ImageConversionFlags) override
        { }
        void drawPath(const QPainterPath &) override { }
        void drawPolygon(const QPointF *, int, PolygonDrawMode) override { }
        void drawTextItem(const QPointF &, const QTextItem &textItem) override
        {
            m_recorder->m_texts.append(textItem.text());
            m_recorder->m_colours.append(m_pen.color());
        }
        Type type() const override { return User; }

    private:
        TextRecorder *m_recorder;
        QPen m_pen;
    };

    mutable Engine m_engine;
    QSize m_size;
    QStringList m_texts;
    QList<QColor> m_colours;
};

#endif // TEXTRECORDER_H
