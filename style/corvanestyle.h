#ifndef CORVANESTYLE_H
#define CORVANESTYLE_H

#include "corvanestylemetrics.h"
#include "corvanestyletheme.h"

#include <QHash>
#include <QIcon>
#include <QProxyStyle>

QT_BEGIN_NAMESPACE
class QStyleOptionButton;
class QStyleOptionComboBox;
class QStyleOptionDockWidget;
class QStyleOptionGroupBox;
class QStyleOptionSlider;
class QStyleOptionToolButton;
class QSvgRenderer;
QT_END_NAMESPACE

// A proxy over Qt's "Windows" style with three colour themes
// (CorvaneStyleTheme). It draws buttons, indicators, scroll bars,
// sliders, combo boxes, tool buttons, group boxes and dock titles itself and
// leaves everything else to the base style.
//
// The operations live in one file per family:
//   corvanestyle.cpp             construction, the sheet elements
//   corvanestyletheme.cpp        the themes and their factory keys
//   corvanestylecache.cpp        the drawing cache (no style object needed)
//   corvanestyleshapes.cpp       shapes the drawing files share (no style object)
//   corvanestylemetrics.h        the table of the style's sizes
//   corvanestylecolors.h         the table of the style's colours
//   corvanestyle_palette.cpp     palettes, fonts, widget polish
//   corvanestyle_primitives.cpp  drawPrimitive and its panels and indicators
//   corvanestyle_controls.cpp    drawControl, drawItemText
//   corvanestyle_complex.cpp     drawComplexControl and its controls
//   corvanestyle_metrics.cpp     metrics, sizes, sub-rectangles
//   corvanestyle_icons.cpp       standard icons, tinted icon pixmaps
//
// No Q_OBJECT: the style's meta-object stays QProxyStyle's.
class CorvaneStyle : public QProxyStyle
{
public:
    explicit CorvaneStyle(CorvaneStyleTheme theme);
    ~CorvaneStyle() override;

    // The operations the style replaces, in QStyle's order.
    void polish(QWidget *widget) override;
    void unpolish(QWidget *widget) override;
    void polish(QApplication *app) override;
    using QProxyStyle::unpolish; // unpolish(QApplication*) stays the base's
    void polish(QPalette &palette) override;

    void drawItemText(QPainter *painter, const QRect &rect, int flags, const QPalette &palette,
                      bool enabled, const QString &text,
                      QPalette::ColorRole textRole = QPalette::NoRole) const override;

    QPalette standardPalette() const override;

    // The option rule of the drawing, geometry and metric operations below:
    // a case takes the option as the type it needs only when
    // qstyleoption_cast accepts it (type and version), and a missing option
    // is one of no type. A case given no option it can use does what it
    // does for any option of another type: the few that then draw nothing,
    // answer 0 or give an empty rectangle do so for a missing option too;
    // every other case hands the request unchanged to the base style. Cases
    // that read only the common QStyleOption part go to the base without an
    // option. Requests the style has no case for go to the base as they are.
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
    QRect subElementRect(SubElement element, const QStyleOption *option,
                         const QWidget *widget) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                            QPainter *painter, const QWidget *widget = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex *option,
                         SubControl subControl, const QWidget *widget) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                           const QWidget *widget) const override;

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
    QPixmap generatedIconPixmap(QIcon::Mode iconMode, const QPixmap &pixmap,
                                const QStyleOption *option) const override;

    // The one point every fixed size of the style that follows the display's
    // scale (radii, metrics, font sizes) passes through.
    static qreal scaled(qreal size) { return size; }
    static qreal scaled(CorvaneStyleMetrics::Scaled size) { return scaled(size.unscaled); }

private:
    // Where a drawing is cached, its draw function works out what it depends
    // on and its paint function paints it from those values alone, through
    // the drawing cache (corvanestylecache.h). Paint functions that need no
    // style object are local to the file that draws with them.

    // Primitives (corvanestyle_primitives.cpp)
    void drawCommandPanel(QPainter *painter, const QStyleOptionButton *option) const;
    void drawAutoRaisePanel(QPainter *painter, const QPalette &palette, const QRect &rect,
                            bool sunken, bool on) const;
    void drawCheckIndicator(QPainter *painter, const QPalette &palette, const QRect &rect,
                            bool checked) const;
    void paintCheckIndicator(QPainter *painter, const QRectF &rect, bool checked,
                             const QBrush &midlight, const QBrush &dark, const QBrush &mid) const;
    void drawRadioIndicator(QPainter *painter, const QPalette &palette, const QRect &rect,
                            bool checked, bool enabled) const;
    void paintRadioIndicator(QPainter *painter, const QRectF &rect, bool checked, bool enabled,
                             const QBrush &midlight, const QBrush &dark, const QBrush &mid) const;
    // Where the radio mark goes in an indicator on rect.
    QRectF radioMarkRect(const QRectF &rect) const;
    // Where the sheet element elementId lands when the sheet element frameId
    // is stretched onto target.
    QRectF mapElementRect(const QRectF &target, const QString &frameId,
                          const QString &elementId) const;
    // The element's bounds in the coordinates of the whole sheet.
    QRectF elementBounds(const QString &id) const;

    // Controls (corvanestyle_controls.cpp)
    void drawPushButtonBevel(const QStyleOptionButton *option, QPainter *painter,
                             const QWidget *widget) const;
    // Returns false when the base style should draw the title instead.
    bool drawDockWidgetTitle(const QStyleOptionDockWidget *option, QPainter *painter,
                             const QWidget *widget) const;
    void drawScrollBarArrow(QPainter *painter, const QPalette &palette, const QRect &rect,
                            bool horizontal, bool toStart, State state) const;
    void drawScrollBarHandle(QPainter *painter, const QPalette &palette, const QRect &rect,
                             bool horizontal, State state) const;

    // Complex controls (corvanestyle_complex.cpp)
    void drawComboBox(const QStyleOptionComboBox *option, QPainter *painter,
                      const QWidget *widget) const;
    void drawGroove(QPainter *painter, const QPalette &palette, const QRect &rect,
                    Qt::Orientation orientation, const QWidget *widget) const;
    void drawScrollBar(const QStyleOptionSlider *option, QPainter *painter,
                       const QWidget *widget) const;
    void drawSlider(const QStyleOptionSlider *option, QPainter *painter,
                    const QWidget *widget) const;
    void drawToolButton(const QStyleOptionToolButton *option, QPainter *painter,
                        const QWidget *widget) const;
    void drawGroupBox(const QStyleOptionGroupBox *option, QPainter *painter,
                      const QWidget *widget) const;
    void drawGroupBoxFrame(const QStyleOptionGroupBox *option, QPainter *painter,
                           const QWidget *widget, const QRect &labelRect,
                           const QRect &checkRect) const;

    // Geometry (corvanestyle_metrics.cpp)
    QRect sliderHandleRect(const QStyleOptionSlider *option, const QWidget *widget) const;
    QRect groupBoxSubControlRect(const QStyleOptionGroupBox *option, SubControl subControl,
                                 const QWidget *widget) const;
    // The four SE_DockWidget* rectangles: close and float buttons, icon, text.
    QRect dockWidgetTitleBarRect(SubElement element, const QStyleOption *option,
                                 const QWidget *widget) const;

    // Sheet elements (corvanestyle.cpp)
    // Renders a sheet element stretched onto target, through the drawing
    // cache; an empty target draws nothing.
    void renderSvgElement(QPainter *painter, const QString &elementId, const QRectF &target) const;

    CorvaneStyleTheme m_theme;
    QSvgRenderer *m_svgRenderer;
    mutable QHash<uint, QIcon> m_iconCache; // filled lazily by the const standardIcon
    mutable bool m_elideText;
};

#endif // CORVANESTYLE_H
