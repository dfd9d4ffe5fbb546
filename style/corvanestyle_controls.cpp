#include "corvanestyle.h"
#include "corvanestylecache.h"
#include "corvanestyleshapes.h"

#include <QCache>
#include <QCoreApplication>
#include <QFrame>
#include <QPainter>
#include <QStyleOption>
#include <QThread>
#include <QWidget>

namespace {

// Eliding lays the whole text out, which costs about half of drawing it, and
// tool buttons repaint the same labels over and over: elided texts are kept
// by text, font, resolution and width.
struct ElisionKey
{
    QString text;
    QFont font;
    int dpi;
    int width;

    bool operator==(const ElisionKey &other) const
    {
        return width == other.width && dpi == other.dpi && text == other.text && font == other.font;
    }
};

// Hash values and seeds are size_t in Qt 6 (uint in Qt 5, which takes this one as well).
size_t qHash(const ElisionKey &key, size_t seed = 0)
{
    return ::qHash(key.text, seed) ^ ::qHash(key.font, seed) ^ ::qHash(key.width * 1024 + key.dpi);
}

QString elidedText(const QPainter *painter, const QString &text, int width)
{
    const QFontMetrics metrics = painter->fontMetrics();
    // The cache belongs to the GUI thread, where the widgets are painted.
    const QCoreApplication *application = QCoreApplication::instance();
    if (!application || QThread::currentThread() != application->thread())
        return metrics.elidedText(text, Qt::ElideRight, width);

    static QCache<ElisionKey, QString> cache(256);
    const ElisionKey key { text, painter->font(), painter->device()->logicalDpiY(), width };
    if (const QString *elided = cache.object(key))
        return *elided;
    const QString elided = metrics.elidedText(text, Qt::ElideRight, width);
    cache.insert(key, new QString(elided));
    return elided;
}

using Metrics = CorvaneStyleMetrics;
using CorvaneStyleShapes::bottomToTopGradient;
using CorvaneStyleShapes::drawPlainFrame;
using CorvaneStyleShapes::fillHandleLine;
using CorvaneStyleShapes::isHighlightedButton;
using CorvaneStyleShapes::shrunk;

void paintScrollBarHandle(QPainter *painter, const QRectF &rect, bool horizontal,
                          const QColor &colour)
{
    const qreal thickness = horizontal ? rect.height() : rect.width();
    const qreal radius = thickness * 0.5 - Metrics::RoundEnd_RadiusInset;
    painter->setBrush(colour);
    painter->setRenderHint(QPainter::Antialiasing);

    QGradientStops stops { { 0, colour.darker(150) } };
    const qreal edge = horizontal ? 0.6 : radius / rect.height();
    QVector<qreal> plain { edge };
    if (!horizontal)
        plain.append(1 - edge);
    // A bar too thin or too short for its radius drops the stops that fall
    // outside the gradient.
    for (qreal position : plain) {
        if (position >= 0 && position <= 1)
            stops.append({ position, colour });
    }
    stops.append({ 1, colour.lighter(150) });

    QPen outline;
    outline.setBrush(bottomToTopGradient(stops));
    outline.setWidthF(Metrics::ScrollBar_HandleOutlineWidth);
    painter->setPen(outline);
    // The outline stays inside the handle.
    painter->drawRoundedRect(shrunk(rect, Metrics::ScrollBar_HandleOutlineWidth / 2), radius,
                             radius);
}

} // namespace

void CorvaneStyle::drawItemText(QPainter *painter, const QRect &rect, int flags,
                                const QPalette &palette, bool enabled, const QString &text,
                                QPalette::ColorRole textRole) const
{
    if (text.isEmpty())
        return;

    // Without a role the caller's pen decides the colour.
    const bool usesRole = textRole != QPalette::NoRole;
    const QPen callerPen = painter->pen();
    if (usesRole) {
        const QPalette::ColorGroup group = enabled ? QPalette::Active : QPalette::Disabled;
        painter->setPen(QPen(palette.brush(group, textRole), callerPen.widthF()));
    }
    // Only tool-button labels are elided (see drawToolButton).
    const QString shown = m_elideText ? elidedText(painter, text, rect.width()) : text;
    painter->drawText(rect, flags, shown);
    if (usesRole)
        painter->setPen(callerPen);
}

void CorvaneStyle::drawControl(ControlElement element, const QStyleOption *option,
                               QPainter *painter, const QWidget *widget) const
{
    // The option rule of corvanestyle.h: a missing option is one of no type.
    switch (element) {
    case CE_PushButtonBevel:
        if (const auto *button = qstyleoption_cast<const QStyleOptionButton *>(option))
            drawPushButtonBevel(button, painter, widget);
        return;
    case CE_PushButtonLabel:
        if (const auto *button = qstyleoption_cast<const QStyleOptionButton *>(option)) {
            if (isHighlightedButton(button)) {
                // The label must stay readable on the highlight-coloured face.
                QStyleOptionButton label = *button;
                label.palette.setBrush(QPalette::ButtonText,
                                       button->palette.brush(QPalette::HighlightedText));
                QProxyStyle::drawControl(element, &label, painter, widget);
                return;
            }
        }
        break;
    case CE_Splitter:
        if (!option)
            break;
        if (option->state & State_Enabled) {
            // A horizontal splitter's handle stands upright: its thin side is
            // its width.
            const int thickness
                = option->state & State_Horizontal ? option->rect.width() : option->rect.height();
            fillHandleLine(painter, option, option->rect, thickness);
        }
        return;
    case CE_DockWidgetTitle:
        if (const auto *dock = qstyleoption_cast<const QStyleOptionDockWidget *>(option)) {
            if (!drawDockWidgetTitle(dock, painter, widget))
                break;
        }
        return;
    case CE_ScrollBarAddLine:
    case CE_ScrollBarSubLine:
        if (const auto *slider = qstyleoption_cast<const QStyleOptionSlider *>(option)) {
            const bool horizontal = slider->orientation == Qt::Horizontal;
            bool toStart = element == CE_ScrollBarSubLine;
            if (horizontal && slider->direction == Qt::RightToLeft)
                toStart = !toStart;
            drawScrollBarArrow(painter, slider->palette, slider->rect, horizontal, toStart,
                               slider->state);
        }
        return;
    case CE_ScrollBarSlider:
        if (const auto *slider = qstyleoption_cast<const QStyleOptionSlider *>(option)) {
            drawScrollBarHandle(painter, slider->palette, slider->rect,
                                slider->orientation == Qt::Horizontal, slider->state);
        }
        return;
    case CE_ToolBar:
        if (!option)
            break;
        // Only a tool bar that promises to paint all of itself gets a fill.
        if (widget && widget->testAttribute(Qt::WA_OpaquePaintEvent))
            painter->fillRect(option->rect, option->palette.button());
        return;
    case CE_ShapedFrame:
        if (const auto *frame = qstyleoption_cast<const QStyleOptionFrame *>(option)) {
            if (frame->frameShape == QFrame::Box
                && !(frame->state & (State_Sunken | State_Raised))) {
                drawPlainFrame(painter, frame->rect, frame->palette.color(QPalette::Light),
                               frame->lineWidth);
                return;
            }
        }
        break;
    default:
        break;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

void CorvaneStyle::drawPushButtonBevel(const QStyleOptionButton *option, QPainter *painter,
                                       const QWidget *widget) const
{
    const int defaultIndicator = proxy()->pixelMetric(PM_ButtonDefaultIndicator, option, widget);
    if (option->features & QStyleOptionButton::DefaultButton)
        proxy()->drawPrimitive(PE_FrameDefaultButton, option, painter, widget);

    QRect rect = option->rect;
    if (option->features & QStyleOptionButton::AutoDefaultButton) {
        rect.setCoords(rect.left() + defaultIndicator, rect.top() + defaultIndicator,
                       rect.right() - defaultIndicator, rect.bottom() - defaultIndicator);
    }

    // A command link shows a panel only while it is touched or on.
    const bool commandLink = option->features & QStyleOptionButton::CommandLinkButton;
    if (!commandLink || (option->state & (State_Sunken | State_On | State_MouseOver))) {
        QStyleOptionButton panel = *option;
        panel.rect = rect;
        proxy()->drawPrimitive(PE_PanelButtonCommand, &panel, painter, widget);
    }

    if (option->features & QStyleOptionButton::HasMenu) {
        const int indicator = proxy()->pixelMetric(PM_MenuButtonIndicator, option, widget);
        QStyleOptionButton arrow = *option;
        const int side = indicator - Metrics::PushButton_MenuArrowShrink;
        arrow.rect
            = QRect(option->rect.right() - indicator + Metrics::PushButton_MenuArrowOffset,
                    option->rect.height() / 2 - indicator / 2 + Metrics::PushButton_MenuArrowDrop,
                    side, side);
        proxy()->drawPrimitive(PE_IndicatorArrowDown, &arrow, painter, widget);
    }
}

// A docked, horizontal title bar: a bar bright at the top and dark at the
// bottom with the title at its left. Floating and vertical title bars are the
// base style's.
bool CorvaneStyle::drawDockWidgetTitle(const QStyleOptionDockWidget *option, QPainter *painter,
                                       const QWidget *widget) const
{
    if (option->verticalTitleBar || (widget && widget->isWindow()))
        return false;

    const QColor button = option->palette.color(QPalette::Button);
    painter->fillRect(option->rect,
                      bottomToTopGradient({ { 0, button.darker(200) },
                                            { 0.1, button.darker(150) },
                                            { 0.5, button },
                                            { 0.55, button.lighter(150) },
                                            { 0.9, button.lighter(200) },
                                            { 1, button.lighter(300) } }));

    if (!option->title.isEmpty()) {
        const QRect textRect = subElementRect(SE_DockWidgetTitleBarText, option, widget);
        proxy()->drawItemText(
            painter, textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic,
            option->palette, option->state & State_Enabled, option->title, QPalette::WindowText);
    }
    return true;
}

// A triangle a third of the button's size from its centre, pointing to the
// start (left or up) or to the end of the bar.
void CorvaneStyle::drawScrollBarArrow(QPainter *painter, const QPalette &palette, const QRect &rect,
                                      bool horizontal, bool toStart, State state) const
{
    if (!rect.isValid())
        return;

    const QRectF shape(rect);
    const QPointF centre = shape.center();
    QPointF points[3];
    if (horizontal) {
        const qreal dx = toStart ? shape.width() / 3 : -shape.width() / 3;
        const qreal dy = shape.height() / 3;
        points[0] = QPointF(centre.x() - dx, centre.y());
        points[1] = QPointF(centre.x() + dx, centre.y() - dy);
        points[2] = QPointF(centre.x() + dx, centre.y() + dy);
    } else {
        const qreal dx = shape.width() / 3;
        const qreal dy = toStart ? shape.height() / 3 : -shape.height() / 3;
        points[0] = QPointF(centre.x(), centre.y() - dy);
        points[1] = QPointF(centre.x() - dx, centre.y() + dy);
        points[2] = QPointF(centre.x() + dx, centre.y() + dy);
    }
    painter->setPen(Qt::NoPen);
    painter->setBrush(
        palette.brush(state & State_MouseOver ? QPalette::Highlight : QPalette::Light));
    painter->drawPolygon(points, 3, Qt::OddEvenFill);
}

// A pill whose outline shades from darker at the bottom to lighter at the top;
// along a vertical bar the shading covers only the rounded ends.
void CorvaneStyle::drawScrollBarHandle(QPainter *painter, const QPalette &palette,
                                       const QRect &rect, bool horizontal, State state) const
{
    if (!rect.isValid())
        return;

    const QColor colour
        = palette.color(state & State_MouseOver ? QPalette::Highlight : QPalette::Light);
    CorvaneStyleCache::draw(painter, "scrollhandle", QRectF(rect), 0,
                            CorvaneStyleCache::PainterSettings::LeftByPainting,
                            paintScrollBarHandle, horizontal, colour);
}
