#include "corvanestyle.h"
#include "corvanestylecache.h"

#include <QPainter>
#include <QStyleOption>
#include <QSvgRenderer>
#include <QWidget>
#include <qdrawutil.h>

#include <utility>

namespace {

// A title button of a floating dock widget sits on the plain window frame Qt
// draws around it, so it gets the classic bevel.
bool isFloatingTitleButton(const QWidget *widget)
{
    return widget && widget->inherits("QDockWidgetTitleButton") && widget->parentWidget()
        && widget->parentWidget()->isWindow();
}

} // namespace

void CorvaneStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option,
                                 QPainter *painter, const QWidget *widget) const
{
    if (!option) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    switch (element) {
    case PE_FrameDefaultButton:
    case PE_FrameFocusRect:
        // The default button shows in its colours; focus is never outlined.
        return;
    case PE_Frame:
        qDrawPlainRect(painter, option->rect, option->palette.color(QPalette::Light), 1, nullptr);
        return;
    case PE_FrameGroupBox:
        if (qstyleoption_cast<const QStyleOptionFrame *>(option)) {
            painter->setRenderHint(QPainter::Antialiasing);
            painter->setPen(QPen(option->palette.light(), 1.5));
            painter->setBrush(Qt::NoBrush);
            const qreal radius = scaled(6);
            painter->drawRoundedRect(shrunk(QRectF(option->rect), 1.5), radius, radius);
        }
        return;
    case PE_FrameButtonTool:
    case PE_PanelButtonTool:
        if (isFloatingTitleButton(widget)) {
            const bool sunken = option->state & (State_Sunken | State_On);
            qDrawWinButton(painter, option->rect.adjusted(1, 1, 0, 0), option->palette, sunken,
                           &option->palette.button());
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
        // Partially checked (State_NoChange) shows the mark as well.
        drawCheckIndicator(painter, option->palette, option->rect, !(option->state & State_Off));
        return;
    case PE_IndicatorRadioButton:
        drawRadioIndicator(painter, option->palette, option->rect, !(option->state & State_Off),
                           option->state & State_Enabled);
        return;
    case PE_IndicatorDockWidgetResizeHandle:
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

// The hover and pressed looks of an auto-raise tool button: a soft white halo
// around a translucent dark outline, filled while pressed or checked.
void CorvaneStyle::drawAutoRaisePanel(QPainter *painter, const QPalette &palette, const QRect &rect,
                                      bool sunken, bool on) const
{
    Q_UNUSED(palette) // the halo and outline are fixed translucent colours
    const bool down = sunken || on;
    // The halo's pen reaches past the rectangle by up to 1.3 pixels.
    CorvaneStyleCache::draw(painter, CorvaneStyleCache::Key("autoraise") << down, QRectF(rect), 2,
                            CorvaneStyleCache::PainterSettings::LeftByPainting, [&](QPainter *p) {
                                const qreal radius = scaled(3);
                                const QColor halo(255, 255, 255, 48);
                                const QColor outline(0, 0, 0, 128);
                                QRectF shape = QRectF(rect).adjusted(1.2, 0.2, -1.2, -0.2);

                                p->setRenderHint(QPainter::Antialiasing);
                                p->setBrush(Qt::NoBrush);
                                if (down) {
                                    p->setPen(QPen(halo, 2));
                                    p->drawRoundedRect(shape, radius, radius);
                                    shape = shrunk(shape, 1);
                                    p->setPen(QPen(outline, 1));
                                    p->setBrush(outline);
                                } else {
                                    p->setPen(QPen(halo, 3));
                                    p->drawRoundedRect(shape, radius, radius);
                                    p->setPen(QPen(outline, 1));
                                }
                                p->drawRoundedRect(shape, radius, radius);
                            });
}

// The push-button panel: up to two rings (outer rim, inner edge) around a
// vertical gradient face with a gloss on its upper half. A flat button is
// only a translucent dark fill.
void CorvaneStyle::drawCommandPanel(QPainter *painter, const QStyleOptionButton *option) const
{
    const QPalette &palette = option->palette;
    const bool hover = option->state & State_MouseOver;
    const bool flat = option->features & QStyleOptionButton::Flat;
    const bool sunken = option->state & State_Sunken;
    const bool enabled = option->state & State_Enabled;
    const bool on = option->state & State_On;
    const bool highlighted = isHighlightedButton(option);

    CorvaneStyleCache::Key key("panel");
    key << (hover | flat << 1 | sunken << 2 | enabled << 3 | on << 4 | highlighted << 5)
        << palette.light() << palette.midlight() << palette.mid() << palette.dark()
        << palette.button() << palette.highlight();
    CorvaneStyleCache::draw(painter, std::move(key), QRectF(option->rect), 0,
                            CorvaneStyleCache::PainterSettings::LeftByPainting, [&](QPainter *p) {
                                QRectF shape(option->rect);
                                qreal radius = scaled(7);
                                const qreal outerRing = hover ? 1.0 : 1.5;
                                const qreal innerRing = 3 - outerRing;

                                p->setRenderHint(QPainter::Antialiasing);
                                p->setPen(Qt::NoPen);
                                if (highlighted) {
                                    fillRingStep(p, shape, radius, outerRing, palette.light());
                                    fillRingStep(p, shape, radius, innerRing,
                                                 hover ? palette.highlight() : palette.button());
                                } else if (!flat && enabled) {
                                    fillRingStep(p, shape, radius, outerRing,
                                                 sunken ? palette.light() : palette.midlight());
                                    fillRingStep(p, shape, radius, innerRing,
                                                 hover        ? palette.highlight()
                                                     : sunken ? palette.mid()
                                                              : palette.dark());
                                }
                                if (flat)
                                    fillFlatPanel(p, palette, shape, radius, hover);
                                else
                                    fillPanelFace(p, palette, shape, radius, sunken || !enabled, on,
                                                  highlighted);
                            });
}

// A flat button is only a dark fill, translucent unless hovered.
void CorvaneStyle::fillFlatPanel(QPainter *painter, const QPalette &palette, const QRectF &shape,
                                 qreal radius, bool hover)
{
    QColor fill = palette.color(QPalette::Dark);
    if (!hover)
        fill.setAlpha(128);
    fillRoundedRect(painter, shape, radius, fill);
}

// The gradient face inside the rings: a pressed (or disabled) face with dark
// bands at both edges, or a raised face with a gloss on its upper half.
void CorvaneStyle::fillPanelFace(QPainter *painter, const QPalette &palette, QRectF shape,
                                 qreal radius, bool pressed, bool on, bool highlighted)
{
    if (pressed) {
        const QColor face = palette.color(on ? QPalette::Highlight : QPalette::Dark);
        fillRoundedRect(painter, shape, radius,
                        bottomToTopGradient({ { 0, face.darker(150) },
                                              { 0.1, face },
                                              { 0.8, face },
                                              { 0.9, face.darker(150) },
                                              { 1, face.darker(200) } }));
        return;
    }

    QGradientStops face;
    QGradientStops gloss;
    if (highlighted) {
        const QColor highlight = palette.color(QPalette::Highlight);
        face = { { 0, highlight.darker(150) }, { 1, highlight } };
        gloss = { { 0, QColor(255, 255, 255, 64) }, { 1, QColor(255, 255, 255, 196) } };
    } else {
        const QColor button = palette.color(QPalette::Button);
        face = { { 0, palette.color(QPalette::Dark) }, { 1, palette.color(QPalette::Mid) } };
        gloss = { { 0, button }, { 1, button.lighter(200) } };
    }
    fillRoundedRect(painter, shape, radius, bottomToTopGradient(face));
    shape.setHeight(shape.height() / 2);
    fillRoundedRect(painter, shape, radius, bottomToTopGradient(gloss));
}

void CorvaneStyle::drawCheckIndicator(QPainter *painter, const QPalette &palette, const QRect &rect,
                                      bool checked) const
{
    CorvaneStyleCache::Key key("check");
    key << checked << palette.midlight() << palette.dark() << palette.mid();
    CorvaneStyleCache::draw(
        painter, std::move(key), QRectF(rect), 0,
        CorvaneStyleCache::PainterSettings::LeftByPainting, [&](QPainter *p) {
            const QRectF shape(rect);
            p->setRenderHint(QPainter::Antialiasing);
            p->setPen(Qt::NoPen);
            p->setBrush(palette.midlight());
            p->drawRoundedRect(shape, 40, 40, Qt::RelativeSize);
            p->setPen(palette.color(QPalette::Dark));
            p->setBrush(palette.mid());
            p->drawRoundedRect(shrunk(shape, 1.5), 40, 40, Qt::RelativeSize);

            if (checked) {
                const QString mark = QStringLiteral("checkmark");
                renderSvgElement(p, mark, mapElementRect(shape, QStringLiteral("checkbox"), mark));
            }
        });
}

void CorvaneStyle::drawRadioIndicator(QPainter *painter, const QPalette &palette, const QRect &rect,
                                      bool checked, bool enabled) const
{
    const QString mark = QStringLiteral("radiomark");
    const QRectF shape(rect);
    // Where the mark goes; a disabled, unchecked button is only a small
    // hollow of that size.
    auto markRect = [&] { return mapElementRect(shape, QStringLiteral("radiobutton"), mark); };
    const bool paintsDisc = enabled || (!checked && !markRect().isEmpty());

    CorvaneStyleCache::Key key("radio");
    key << (checked | enabled << 1) << palette.midlight() << palette.dark() << palette.mid();
    CorvaneStyleCache::draw(painter, std::move(key), shape, 0,
                            paintsDisc ? CorvaneStyleCache::PainterSettings::LeftByPainting
                                       : CorvaneStyleCache::PainterSettings::Untouched,
                            [&](QPainter *p) {
                                if (enabled) {
                                    drawRadioDisc(p, palette, shape);
                                    if (checked)
                                        renderSvgElement(p, mark, markRect());
                                } else if (checked) {
                                    renderSvgElement(p, mark, markRect());
                                } else if (paintsDisc) {
                                    drawRadioDisc(p, palette, markRect());
                                }
                            });
}

// The radio indicator's hollow: a midlight rim around a dark-outlined mid
// face.
void CorvaneStyle::drawRadioDisc(QPainter *painter, const QPalette &palette, const QRectF &rect)
{
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(palette.midlight());
    painter->drawEllipse(rect);
    painter->setPen(palette.color(QPalette::Dark));
    painter->setBrush(palette.mid());
    painter->drawEllipse(shrunk(rect, 1.5));
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
