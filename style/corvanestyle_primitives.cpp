#include "corvanestyle.h"
#include "corvanestylecache.h"
#include "corvanestylecolors.h"
#include "corvanestyleshapes.h"

#include <QPainter>
#include <QStyleOption>
#include <QSvgRenderer>
#include <QWidget>
#include <qdrawutil.h>

namespace {

// A title button of a floating dock widget sits on the plain window frame Qt
// draws around it, so it gets the classic bevel.
bool isFloatingTitleButton(const QWidget *widget)
{
    return widget && widget->inherits("QDockWidgetTitleButton") && widget->parentWidget()
        && widget->parentWidget()->isWindow();
}

using Metrics = CorvaneStyleMetrics;
using Colors = CorvaneStyleColors;
using PainterSettings = CorvaneStyleCache::PainterSettings;
using CorvaneStyleShapes::bottomToTopGradient;
using CorvaneStyleShapes::drawPlainFrame;
using CorvaneStyleShapes::drawRaisedWinFrame;
using CorvaneStyleShapes::fillHandleLine;
using CorvaneStyleShapes::fillRoundedRect;
using CorvaneStyleShapes::isHighlightedButton;
using CorvaneStyleShapes::shrunk;

// The hover and pressed looks of an auto-raise tool button: a soft white halo
// around a translucent dark outline, filled while pressed or checked.

void paintAutoRaisePanel(QPainter *painter, const QRectF &rect, bool down)
{
    const qreal radius = CorvaneStyle::scaled(Metrics::ToolButton_Radius);
    const QColor halo = QColor::fromRgba(Colors::ToolButton_Halo);
    const QColor outline = QColor::fromRgba(Colors::ToolButton_Outline);
    const qreal insetX = Metrics::ToolButton_PanelInsetX;
    const qreal insetY = Metrics::ToolButton_PanelInsetY;
    QRectF shape = rect.adjusted(insetX, insetY, -insetX, -insetY);

    painter->setRenderHint(QPainter::Antialiasing);
    painter->setBrush(Qt::NoBrush);
    if (down) {
        painter->setPen(QPen(halo, Metrics::ToolButton_HaloWidthDown));
        painter->drawRoundedRect(shape, radius, radius);
        shape = shrunk(shape, Metrics::ToolButton_OutlineInsetDown);
        painter->setPen(QPen(outline, Metrics::ToolButton_OutlineWidth));
        painter->setBrush(outline);
    } else {
        painter->setPen(QPen(halo, Metrics::ToolButton_HaloWidth));
        painter->drawRoundedRect(shape, radius, radius);
        painter->setPen(QPen(outline, Metrics::ToolButton_OutlineWidth));
    }
    painter->drawRoundedRect(shape, radius, radius);
}

// One ring of a layered rounded shape: fills shape with brush, then shrinks
// shape and radius by width for the next ring.
void fillRingStep(QPainter *painter, QRectF &shape, qreal &radius, qreal width, const QBrush &brush)
{
    fillRoundedRect(painter, shape, radius, brush);
    shape = shrunk(shape, width);
    radius -= width;
}

// A flat button is only a dark fill, translucent unless hovered.
void fillFlatPanel(QPainter *painter, QColor dark, const QRectF &shape, qreal radius, bool hover)
{
    if (!hover)
        dark.setAlpha(Colors::PushButton_FlatFillAlpha);
    fillRoundedRect(painter, shape, radius, dark);
}

// A pressed (or disabled) face: dark bands at both edges.
void fillPressedFace(QPainter *painter, const QColor &face, const QRectF &shape, qreal radius)
{
    fillRoundedRect(painter, shape, radius,
                    bottomToTopGradient({ { 0, face.darker(150) },
                                          { 0.1, face },
                                          { 0.8, face },
                                          { 0.9, face.darker(150) },
                                          { 1, face.darker(200) } }));
}

// A checked or default face in the highlight colour, with a white gloss on
// its upper half.
void fillHighlightedFace(QPainter *painter, const QColor &highlight, QRectF shape, qreal radius)
{
    fillRoundedRect(painter, shape, radius,
                    bottomToTopGradient({ { 0, highlight.darker(150) }, { 1, highlight } }));
    shape.setHeight(shape.height() / 2);
    fillRoundedRect(painter, shape, radius,
                    bottomToTopGradient({ { 0, QColor::fromRgba(Colors::PushButton_GlossBottom) },
                                          { 1, QColor::fromRgba(Colors::PushButton_GlossTop) } }));
}

// A raised face, dark to mid, with a gloss of the button colour on its upper
// half.
void fillRaisedFace(QPainter *painter, const QColor &dark, const QColor &mid, const QColor &button,
                    QRectF shape, qreal radius)
{
    fillRoundedRect(painter, shape, radius, bottomToTopGradient({ { 0, dark }, { 1, mid } }));
    shape.setHeight(shape.height() / 2);
    fillRoundedRect(painter, shape, radius,
                    bottomToTopGradient({ { 0, button }, { 1, button.lighter(200) } }));
}

// The push-button panel: up to two rings (outer rim, inner edge) around a
// vertical gradient face with a gloss on its upper half. A flat button is
// only a translucent dark fill.
void paintCommandPanel(QPainter *painter, const QRectF &rect, bool hover, bool flat, bool sunken,
                       bool enabled, bool on, bool highlighted, const QBrush &light,
                       const QBrush &midlight, const QBrush &mid, const QBrush &dark,
                       const QBrush &button, const QBrush &highlight)
{
    QRectF shape = rect;
    qreal radius = CorvaneStyle::scaled(Metrics::PushButton_Radius);
    const qreal outerRing
        = hover ? Metrics::PushButton_OuterRingWidthHovered : Metrics::PushButton_OuterRingWidth;
    const qreal innerRing = Metrics::PushButton_RingsWidth - outerRing;

    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    if (highlighted) {
        fillRingStep(painter, shape, radius, outerRing, light);
        fillRingStep(painter, shape, radius, innerRing, hover ? highlight : button);
    } else if (!flat && enabled) {
        fillRingStep(painter, shape, radius, outerRing, sunken ? light : midlight);
        fillRingStep(painter, shape, radius, innerRing, hover ? highlight : sunken ? mid : dark);
    }
    if (flat) {
        fillFlatPanel(painter, dark.color(), shape, radius, hover);
        return;
    }
    const bool pressed = sunken || !enabled;
    if (pressed)
        fillPressedFace(painter, (on ? highlight : dark).color(), shape, radius);
    else if (highlighted)
        fillHighlightedFace(painter, highlight.color(), shape, radius);
    else
        fillRaisedFace(painter, dark.color(), mid.color(), button.color(), shape, radius);
}

// A group box's rounded outline; the pen stays inside rect.
void paintGroupBoxOutline(QPainter *painter, const QRectF &rect, const QBrush &light)
{
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(light, Metrics::GroupBox_OutlineWidth));
    painter->setBrush(Qt::NoBrush);
    const qreal radius = CorvaneStyle::scaled(Metrics::GroupBox_Radius);
    painter->drawRoundedRect(shrunk(rect, Metrics::GroupBox_OutlineInset), radius, radius);
}

// The radio indicator's hollow: a midlight rim around a dark-outlined mid
// face.
void paintRadioDisc(QPainter *painter, const QRectF &rect, const QBrush &midlight,
                    const QBrush &dark, const QBrush &mid)
{
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(midlight);
    painter->drawEllipse(rect);
    painter->setPen(dark.color());
    painter->setBrush(mid);
    painter->drawEllipse(shrunk(rect, Metrics::Indicator_RimWidth));
}

} // namespace

void CorvaneStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option,
                                 QPainter *painter, const QWidget *widget) const
{
    // The option rule of corvanestyle.h: a missing option is one of no type.
    switch (element) {
    case PE_FrameDefaultButton:
    case PE_FrameFocusRect:
        // The default button shows in its colours; focus is never outlined.
        return;
    case PE_Frame:
        if (!option)
            break;
        drawPlainFrame(painter, option->rect, option->palette.color(QPalette::Light),
                       Metrics::Frame_Width);
        return;
    case PE_FrameTabWidget:
        // The base style's frame, drawn faster.
        if (!option)
            break;
        drawRaisedWinFrame(painter, option->rect, option->palette);
        return;
    case PE_FrameGroupBox:
        if (qstyleoption_cast<const QStyleOptionFrame *>(option)) {
            // Stroked anew, the outline was the costliest shape of a window.
            // It stays within its corners' reach of the edges.
            const qreal reach = scaled(Metrics::GroupBox_Radius) + Metrics::GroupBox_OutlineInset
                + Metrics::GroupBox_OutlineWidth / 2;
            CorvaneStyleCache::drawOutline(painter, "groupbox", QRectF(option->rect), reach,
                                           PainterSettings::LeftByPainting, paintGroupBoxOutline,
                                           option->palette.light());
        }
        return;
    case PE_FrameButtonTool:
    case PE_PanelButtonTool:
        if (!option)
            break;
        if (isFloatingTitleButton(widget)) {
            const bool sunken = option->state & (State_Sunken | State_On);
            const int offset = Metrics::TitleButton_BevelOffset;
            qDrawWinButton(painter, option->rect.adjusted(offset, offset, 0, 0), option->palette,
                           sunken, &option->palette.button());
        } else if (!(option->state & State_AutoRaise)) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
        } else if (option->state & (State_Raised | State_Sunken | State_On)) {
            drawAutoRaisePanel(painter, option->palette, option->rect, option->state & State_Sunken,
                               option->state & State_On);
        }
        return;
    case PE_PanelButtonCommand:
        if (const auto *button = qstyleoption_cast<const QStyleOptionButton *>(option)) {
            // A flat button on a widget that fills its own background shows
            // that background.
            const bool flat = button->features & QStyleOptionButton::Flat;
            if (!(flat && widget && widget->autoFillBackground()))
                drawCommandPanel(painter, button);
            return;
        }
        break;
    case PE_IndicatorCheckBox:
        if (!option)
            break;
        // Partially checked (State_NoChange) shows the mark as well.
        drawCheckIndicator(painter, option->palette, option->rect, !(option->state & State_Off));
        return;
    case PE_IndicatorRadioButton:
        if (!option)
            break;
        drawRadioIndicator(painter, option->palette, option->rect, !(option->state & State_Off),
                           option->state & State_Enabled);
        return;
    case PE_IndicatorDockWidgetResizeHandle:
        if (!option)
            break;
        if (option->state & State_Enabled) {
            const int thickness
                = option->state & State_Horizontal ? option->rect.height() : option->rect.width();
            fillHandleLine(painter, option, option->rect, thickness);
        }
        return;
    default:
        break;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void CorvaneStyle::drawAutoRaisePanel(QPainter *painter, const QPalette &palette, const QRect &rect,
                                      bool sunken, bool on) const
{
    Q_UNUSED(palette) // the halo and outline are fixed translucent colours
    // The halo's pen reaches past the rectangle by up to 1.3 pixels.
    CorvaneStyleCache::draw(painter, "autoraise", QRectF(rect), 2, PainterSettings::LeftByPainting,
                            paintAutoRaisePanel, sunken || on);
}

void CorvaneStyle::drawCommandPanel(QPainter *painter, const QStyleOptionButton *option) const
{
    const QPalette &palette = option->palette;
    const bool hover = option->state & State_MouseOver;
    const bool flat = option->features & QStyleOptionButton::Flat;
    const bool sunken = option->state & State_Sunken;
    const bool enabled = option->state & State_Enabled;
    const bool on = option->state & State_On;
    const bool highlighted = isHighlightedButton(option);
    CorvaneStyleCache::draw(painter, "panel", QRectF(option->rect), 0,
                            PainterSettings::LeftByPainting, paintCommandPanel, hover, flat, sunken,
                            enabled, on, highlighted, palette.light(), palette.midlight(),
                            palette.mid(), palette.dark(), palette.button(), palette.highlight());
}

void CorvaneStyle::drawCheckIndicator(QPainter *painter, const QPalette &palette, const QRect &rect,
                                      bool checked) const
{
    // The painting reads the artwork besides its values.
    CorvaneStyleCache::draw(
        painter, "check", QRectF(rect), 0, PainterSettings::LeftByPainting,
        [this](auto &&...look) { paintCheckIndicator(look...); }, checked, palette.midlight(),
        palette.dark(), palette.mid());
}

void CorvaneStyle::paintCheckIndicator(QPainter *painter, const QRectF &rect, bool checked,
                                       const QBrush &midlight, const QBrush &dark,
                                       const QBrush &mid) const
{
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(midlight);
    const qreal roundness = Metrics::CheckBox_Roundness;
    painter->drawRoundedRect(rect, roundness, roundness, Qt::RelativeSize);
    painter->setPen(dark.color());
    painter->setBrush(mid);
    painter->drawRoundedRect(shrunk(rect, Metrics::Indicator_RimWidth), roundness, roundness,
                             Qt::RelativeSize);

    if (checked) {
        const QString mark = QStringLiteral("checkmark");
        renderSvgElement(painter, mark, mapElementRect(rect, QStringLiteral("checkbox"), mark));
    }
}

void CorvaneStyle::drawRadioIndicator(QPainter *painter, const QPalette &palette, const QRect &rect,
                                      bool checked, bool enabled) const
{
    // A disabled, unchecked button is only a small hollow the size of the
    // mark, and without artwork not even that.
    const bool paintsDisc = enabled || (!checked && !radioMarkRect(QRectF(rect)).isEmpty());
    CorvaneStyleCache::draw(
        painter, "radio", QRectF(rect), 0,
        paintsDisc ? PainterSettings::LeftByPainting : PainterSettings::Untouched,
        [this](auto &&...look) { paintRadioIndicator(look...); }, checked, enabled,
        palette.midlight(), palette.dark(), palette.mid());
}

void CorvaneStyle::paintRadioIndicator(QPainter *painter, const QRectF &rect, bool checked,
                                       bool enabled, const QBrush &midlight, const QBrush &dark,
                                       const QBrush &mid) const
{
    const QString mark = QStringLiteral("radiomark");
    if (enabled) {
        paintRadioDisc(painter, rect, midlight, dark, mid);
        if (checked)
            renderSvgElement(painter, mark, radioMarkRect(rect));
    } else if (checked) {
        renderSvgElement(painter, mark, radioMarkRect(rect));
    } else {
        const QRectF hollow = radioMarkRect(rect);
        if (!hollow.isEmpty())
            paintRadioDisc(painter, hollow, midlight, dark, mid);
    }
}

QRectF CorvaneStyle::radioMarkRect(const QRectF &rect) const
{
    return mapElementRect(rect, QStringLiteral("radiobutton"), QStringLiteral("radiomark"));
}

QRectF CorvaneStyle::mapElementRect(const QRectF &target, const QString &frameId,
                                    const QString &elementId) const
{
    const QRectF frame = elementBounds(frameId);
    if (frame.isEmpty())
        return QRectF(); // no sheet or no such frame: nothing to place the mark in
    const QRectF element = elementBounds(elementId);
    const qreal scaleX = target.width() / frame.width();
    const qreal scaleY = target.height() / frame.height();
    return QRectF(target.x() + (element.x() - frame.x()) * scaleX,
                  target.y() + (element.y() - frame.y()) * scaleY, element.width() * scaleX,
                  element.height() * scaleY);
}

// An element's bounds in the coordinates of the whole sheet.
QRectF CorvaneStyle::elementBounds(const QString &id) const
{
    return m_svgRenderer->transformForElement(id).mapRect(m_svgRenderer->boundsOnElement(id));
}
