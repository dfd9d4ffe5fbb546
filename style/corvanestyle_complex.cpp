#include "corvanestyle.h"
#include "corvanestylecache.h"
#include "corvanestyleshapes.h"

#include <QPainter>
#include <QStyleOption>
#include <QWidget>

#include <utility>

namespace {

// The focus frame of a complex control's part, for the styles layered over
// this one (this style draws none).
QStyleOptionFocusRect focusOption(const QStyleOption *option, const QRect &rect)
{
    QStyleOptionFocusRect focus;
    focus.QStyleOption::operator=(*option);
    focus.rect = rect;
    return focus;
}

using Metrics = CorvaneStyleMetrics;
using CorvaneStyleShapes::drawPlainFrame;
using CorvaneStyleShapes::fillRoundedRect;
using CorvaneStyleShapes::shrunk;
using PainterSettings = CorvaneStyleCache::PainterSettings;

// The base-coloured field and, when framed, its light outline, with the
// painter's antialiasing as it finds it.
void paintComboBoxFrame(QPainter *painter, const QRectF &rect, bool framed, const QBrush &base,
                        const QBrush &light)
{
    painter->fillRect(rect.toRect(), base);
    if (framed)
        drawPlainFrame(painter, rect.toRect(), light.color(), Metrics::Frame_Width);
}

void paintGroove(QPainter *painter, const QRectF &rect, Qt::Orientation orientation,
                 const QBrush &rim, const QBrush &dark, const QBrush &mid)
{
    const qreal thickness = orientation == Qt::Horizontal ? rect.height() : rect.width();
    const qreal radius = thickness * 0.5 - Metrics::RoundEnd_RadiusInset;
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    fillRoundedRect(painter, rect, radius, rim);
    painter->setPen(dark.color());
    fillRoundedRect(painter, shrunk(rect, Metrics::Groove_RimWidth), radius, mid);
}

} // namespace

void CorvaneStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                                      QPainter *painter, const QWidget *widget) const
{
    // The option rule of corvanestyle.h: a missing option is one of no type.
    switch (control) {
    case CC_ComboBox:
        if (const auto *comboBox = qstyleoption_cast<const QStyleOptionComboBox *>(option))
            drawComboBox(comboBox, painter, widget);
        return;
    case CC_ScrollBar:
        if (const auto *scrollBar = qstyleoption_cast<const QStyleOptionSlider *>(option))
            drawScrollBar(scrollBar, painter, widget);
        return;
    case CC_Slider:
        if (const auto *slider = qstyleoption_cast<const QStyleOptionSlider *>(option))
            drawSlider(slider, painter, widget);
        return;
    case CC_ToolButton:
        if (const auto *toolButton = qstyleoption_cast<const QStyleOptionToolButton *>(option))
            drawToolButton(toolButton, painter, widget);
        return;
    case CC_GroupBox:
        if (const auto *groupBox = qstyleoption_cast<const QStyleOptionGroupBox *>(option))
            drawGroupBox(groupBox, painter, widget);
        return;
    default:
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
}

// The frame, the arrow button and the colours of the current item. The item
// itself (CE_ComboBoxLabel) is drawn by the widget with the pen and background
// left here.
void CorvaneStyle::drawComboBox(const QStyleOptionComboBox *option, QPainter *painter,
                                const QWidget *widget) const
{
    const QPalette &palette = option->palette;
    if (option->subControls & SC_ComboBoxFrame) {
        // Two plain fills, drawn directly: cheaper than a cached copy, and on the device's own
        // pixels at any pixel ratio (a copy painted at scale 2 put the outline a pixel inside).
        paintComboBoxFrame(painter, QRectF(option->rect), option->frame, palette.base(),
                           palette.light());
    }

    if (option->subControls & SC_ComboBoxArrow) {
        const QRect arrowRect
            = proxy()->subControlRect(CC_ComboBox, option, SC_ComboBoxArrow, widget);
        const bool pressed
            = option->activeSubControls == SC_ComboBoxArrow && (option->state & State_Sunken);
        if (pressed) {
            painter->setPen(palette.color(QPalette::Dark));
            painter->setBrush(palette.button());
            painter->drawRect(arrowRect.adjusted(0, 0, -1, -1));
        }
        const int inset = Metrics::ComboBox_ArrowIndicatorInset;
        QStyleOption arrow(0);
        arrow.rect = arrowRect.adjusted(inset, inset, -inset, -inset);
        arrow.palette = palette;
        arrow.state = option->state & (State_Enabled | State_HasFocus);
        if (pressed)
            arrow.state |= State_Sunken;
        proxy()->drawPrimitive(PE_IndicatorArrowDown, &arrow, painter, widget);
    }

    if (option->subControls & SC_ComboBoxEditField) {
        const QRect editRect
            = proxy()->subControlRect(CC_ComboBox, option, SC_ComboBoxEditField, widget);
        const bool focus = option->state & State_HasFocus;
        // A line edit shows its own selection; a plain combo box marks the
        // current item.
        const bool markItem = focus && !option->editable;
        if (markItem)
            painter->fillRect(editRect, palette.highlight());
        if (focus) {
            painter->setPen(palette.color(QPalette::HighlightedText));
            painter->setBackground(palette.highlight());
        } else {
            painter->setPen(palette.color(QPalette::Text));
            painter->setBackground(palette.window());
        }
        if (markItem) {
            QStyleOptionFocusRect focusRect
                = focusOption(option, subElementRect(SE_ComboBoxFocusRect, option, widget));
            focusRect.state |= State_FocusAtBorder;
            focusRect.backgroundColor = palette.color(QPalette::Highlight);
            proxy()->drawPrimitive(PE_FrameFocusRect, &focusRect, painter, widget);
        }
    }
}

// The track of scroll bars and sliders: a dark-outlined mid channel in a rim
// lighter than the surface the control sits on.
void CorvaneStyle::drawGroove(QPainter *painter, const QPalette &palette, const QRect &rect,
                              Qt::Orientation orientation, const QWidget *widget) const
{
    QPalette::ColorRole rim = QPalette::Midlight;
    if (const QWidget *parent = widget ? widget->parentWidget() : nullptr) {
        switch (parent->backgroundRole()) {
        case QPalette::Midlight:
            rim = QPalette::Light;
            break;
        case QPalette::Mid: // inside a flat group box's panel
            rim = QPalette::Window;
            break;
        default:
            break;
        }
    }

    CorvaneStyleCache::draw(painter, "groove", QRectF(rect), 0, PainterSettings::LeftByPainting,
                            paintGroove, orientation, palette.brush(rim), palette.dark(),
                            palette.mid());
}

void CorvaneStyle::drawScrollBar(const QStyleOptionSlider *option, QPainter *painter,
                                 const QWidget *widget) const
{
    const bool horizontal = option->orientation == Qt::Horizontal;
    // A part looks hovered or pressed only while it is the active one.
    auto partState = [option](SubControl part) {
        State state = option->state;
        if (!(option->activeSubControls & part))
            state &= ~(State_Sunken | State_MouseOver);
        return state;
    };

    // A scroll bar widget promises to paint all of itself, but the groove
    // leaves its corners free: they get the surface the bar sits on.
    if (widget && widget->testAttribute(Qt::WA_OpaquePaintEvent)) {
        const QWidget *parent = widget->parentWidget();
        painter->fillRect(option->rect,
                          parent ? parent->palette().brush(parent->backgroundRole())
                                 : option->palette.window());
    }

    // The page areas show the groove.
    if (option->subControls
        & (SC_ScrollBarAddLine | SC_ScrollBarSubLine | SC_ScrollBarAddPage | SC_ScrollBarSubPage))
        drawGroove(painter, option->palette, option->rect, option->orientation, widget);

    if (option->subControls & SC_ScrollBarSlider) {
        const QRect handle
            = proxy()->subControlRect(CC_ScrollBar, option, SC_ScrollBarSlider, widget);
        drawScrollBarHandle(painter, option->palette, handle, horizontal,
                            partState(SC_ScrollBarSlider));
        if (handle.isValid() && (option->state & State_HasFocus)) {
            const int inset = Metrics::ScrollBar_HandleFocusInset;
            const QStyleOptionFocusRect focus
                = focusOption(option, handle.adjusted(inset, inset, -inset - 1, -inset - 1));
            proxy()->drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
        }
    }

    QStyleOptionSlider button = *option;
    const std::pair<SubControl, ControlElement> arrows[]
        = { { SC_ScrollBarSubLine, CE_ScrollBarSubLine },
            { SC_ScrollBarAddLine, CE_ScrollBarAddLine } };
    for (const auto &arrow : arrows) {
        if (!(option->subControls & arrow.first))
            continue;
        const QRect rect = proxy()->subControlRect(CC_ScrollBar, option, arrow.first, widget);
        if (!rect.isValid())
            continue;
        button.rect = rect;
        button.state = partState(arrow.first);
        proxy()->drawControl(arrow.second, &button, painter, widget);
    }
}

void CorvaneStyle::drawSlider(const QStyleOptionSlider *option, QPainter *painter,
                              const QWidget *widget) const
{
    if (option->subControls & SC_SliderGroove) {
        const QRect groove = proxy()->subControlRect(CC_Slider, option, SC_SliderGroove, widget);
        if (groove.isValid())
            drawGroove(painter, option->palette, groove, option->orientation, widget);
    }

    if (option->subControls & SC_SliderTickmarks) {
        // The common style's plain tick marks, whatever the base style's look.
        QStyleOptionSlider ticks = *option;
        ticks.subControls = SC_SliderTickmarks;
        QCommonStyle::drawComplexControl(CC_Slider, &ticks, painter, widget);
    }

    if (option->subControls & SC_SliderHandle) {
        const QRect handle = proxy()->subControlRect(CC_Slider, option, SC_SliderHandle, widget);
        if (option->state & State_HasFocus) {
            const QStyleOptionFocusRect focus
                = focusOption(option, subElementRect(SE_SliderFocusRect, option, widget));
            proxy()->drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
        }
        renderSvgElement(painter, QStringLiteral("sliderhandle"), QRectF(handle));
    }
}

// The common tool-button layout: panel, label and menu arrow, with the label
// elided to its room.
void CorvaneStyle::drawToolButton(const QStyleOptionToolButton *option, QPainter *painter,
                                  const QWidget *widget) const
{
    const QRect buttonRect = proxy()->subControlRect(CC_ToolButton, option, SC_ToolButton, widget);
    const QRect menuRect
        = proxy()->subControlRect(CC_ToolButton, option, SC_ToolButtonMenu, widget);
    const int menuIndicator = proxy()->pixelMetric(PM_MenuButtonIndicator, option, widget);

    // An auto-raise button rises only while hovered and enabled. Pressing
    // the menu part sinks the menu part alone.
    State buttonState = option->state & ~State_Sunken;
    if ((buttonState & State_AutoRaise)
        && (!(buttonState & State_MouseOver) || !(buttonState & State_Enabled)))
        buttonState &= ~State_Raised;
    State menuState = buttonState;
    if (option->state & State_Sunken) {
        if (option->activeSubControls & SC_ToolButton)
            buttonState |= State_Sunken;
        menuState |= State_Sunken;
    }
    const State panelStates = State_Sunken | State_On | State_Raised;

    QStyleOption part(0);
    part.palette = option->palette;

    if ((option->subControls & SC_ToolButton) && (buttonState & panelStates)) {
        part.rect = buttonRect;
        part.state = buttonState;
        proxy()->drawPrimitive(PE_PanelButtonTool, &part, painter, widget);
    }

    if (option->state & State_HasFocus) {
        const int inset = Metrics::ToolButton_FocusInset;
        QStyleOptionFocusRect focus
            = focusOption(option, option->rect.adjusted(inset, inset, -inset, -inset));
        if (option->features & QStyleOptionToolButton::MenuButtonPopup)
            focus.rect.adjust(0, 0, -menuIndicator, 0);
        proxy()->drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
    }

    const int frameWidth = proxy()->pixelMetric(PM_DefaultFrameWidth, option, widget);
    QStyleOptionToolButton label = *option;
    label.state = buttonState;
    label.rect = buttonRect.adjusted(frameWidth, frameWidth, -frameWidth, -frameWidth);
    if (option->features & QStyleOptionToolButton::HasMenu)
        label.rect.adjust(0, 0, -menuIndicator, 0);
    if (widget && widget->inherits("QDockWidgetTitleButton")) {
        const int inset
            = proxy()->pixelMetric(PM_DockWidgetTitleBarButtonMargin, option, widget) - 1;
        label.rect.adjust(inset, inset, -inset, -inset);
    }
    label.rect.adjust(frameWidth, frameWidth, -frameWidth, -frameWidth);
    m_elideText = true;
    proxy()->drawControl(CE_ToolButtonLabel, &label, painter, widget);
    m_elideText = false;

    if (option->subControls & SC_ToolButtonMenu) {
        part.rect = menuRect;
        part.state = menuState;
        if (menuState & panelStates)
            proxy()->drawPrimitive(PE_IndicatorButtonDropDown, &part, painter, widget);
        proxy()->drawPrimitive(PE_IndicatorArrowDown, &part, painter, widget);
    } else if (option->features & QStyleOptionToolButton::HasMenu) {
        part.rect = buttonRect.adjusted(buttonRect.width() - menuIndicator - frameWidth, 0,
                                        -frameWidth, 0);
        part.state = buttonState;
        proxy()->drawPrimitive(PE_IndicatorArrowDown, &part, painter, widget);
    }
}

void CorvaneStyle::drawGroupBox(const QStyleOptionGroupBox *option, QPainter *painter,
                                const QWidget *widget) const
{
    const QRect labelRect = proxy()->subControlRect(CC_GroupBox, option, SC_GroupBoxLabel, widget);
    const QRect checkRect
        = proxy()->subControlRect(CC_GroupBox, option, SC_GroupBoxCheckBox, widget);

    if (option->subControls & SC_GroupBoxFrame) {
        if (option->features & QStyleOptionFrame::Flat) {
            // A flat group box is a filled panel without an outline.
            painter->setRenderHint(QPainter::Antialiasing);
            painter->setPen(Qt::NoPen);
            fillRoundedRect(painter, QRectF(option->rect), scaled(Metrics::GroupBox_Radius),
                            option->palette.button());
        } else {
            drawGroupBoxFrame(option, painter, widget, labelRect, checkRect);
        }
    }

    if ((option->subControls & SC_GroupBoxLabel) && !option->text.isEmpty()) {
        const bool ownColour = option->textColor.isValid();
        if (ownColour)
            painter->setPen(option->textColor);
        int alignment = int(option->textAlignment);
        if (!proxy()->styleHint(SH_UnderlineShortcut, option, widget))
            alignment |= Qt::TextHideMnemonic;
        proxy()->drawItemText(painter, labelRect,
                              Qt::TextShowMnemonic | Qt::AlignHCenter | alignment, option->palette,
                              option->state & State_Enabled, option->text,
                              ownColour ? QPalette::NoRole : QPalette::WindowText);
        if (option->state & State_HasFocus) {
            const QStyleOptionFocusRect focus = focusOption(option, labelRect);
            proxy()->drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
        }
    }

    if (option->subControls & SC_GroupBoxCheckBox) {
        QStyleOptionButton box;
        box.QStyleOption::operator=(*option);
        box.rect = checkRect;
        proxy()->drawPrimitive(PE_IndicatorCheckBox, &box, painter, widget);
    }
}

// The rounded outline, broken where the title (and its check box) sits.
void CorvaneStyle::drawGroupBoxFrame(const QStyleOptionGroupBox *option, QPainter *painter,
                                     const QWidget *widget, const QRect &labelRect,
                                     const QRect &checkRect) const
{
    QStyleOptionFrame frame;
    frame.QStyleOption::operator=(*option);
    frame.features = option->features;
    frame.lineWidth = option->lineWidth;
    frame.midLineWidth = option->midLineWidth;
    frame.rect = proxy()->subControlRect(CC_GroupBox, option, SC_GroupBoxFrame, widget);

    QRegion region(option->rect);
    if (!option->text.isEmpty()) {
        QRect title = labelRect;
        if (option->subControls & SC_GroupBoxCheckBox) {
            const bool leftToRight = option->direction != Qt::RightToLeft;
            title = labelRect.united(checkRect);
            const int gap = Metrics::GroupBox_TitleGap;
            title.adjust(leftToRight ? -gap : 0, 0, leftToRight ? 0 : gap, 0);
        }
        region -= title;
    }
    // Clipped to each rectangle of the region in turn: Qt blends a drawing
    // clipped to a region span by span, one clipped to a rectangle in one
    // piece.
    for (const QRect &part : region) {
        painter->save();
        painter->setClipRect(part, Qt::IntersectClip);
        proxy()->drawPrimitive(PE_FrameGroupBox, &frame, painter, widget);
        painter->restore();
    }
}
