#include "corvanestyle.h"

#include <QApplication>
#include <QDockWidget>
#include <QSlider>
#include <QStyleOption>

namespace {

using Metrics = CorvaneStyleMetrics;

// Square handle: as long as the slider is thick, less the room its tick
// marks take, and never longer than maximum.
int sliderHandleLength(const QStyleOptionSlider *slider, int maximum)
{
    const int length
        = slider->orientation == Qt::Horizontal ? slider->rect.height() : slider->rect.width();
    int tickSides = 0;
    if (slider->tickPosition & QSlider::TicksAbove)
        ++tickSides;
    if (slider->tickPosition & QSlider::TicksBelow)
        ++tickSides;

    int handle = length;
    if (tickSides > 0) {
        const int minimum = Metrics::Slider_TickedHandleMinLength;
        handle = minimum;
        if (length - minimum > 0)
            handle = 2 * (length - minimum) / (tickSides + 2) + minimum;
    }
    return qMin(handle, maximum);
}

// The edit field and the arrow area, inset from a framed border.
QRect comboBoxSubControlRect(const QStyleOptionComboBox *comboBox, QStyle::SubControl subControl)
{
    const QRect &rect = comboBox->rect;
    const int arrowWidth = Metrics::ComboBox_ArrowWidth;
    const int frame = comboBox->frame ? Metrics::ComboBox_FrameInset : 0;
    const int arrowInset = comboBox->frame ? Metrics::ComboBox_ArrowInset : 0;
    QRect result;
    switch (subControl) {
    case QStyle::SC_ComboBoxFrame:
    case QStyle::SC_ComboBoxListBoxPopup:
        result = rect;
        break;
    case QStyle::SC_ComboBoxEditField:
        result = QRect(rect.x() + frame, rect.y() + frame, rect.width() - 2 * frame - arrowWidth,
                       rect.height() - 2 * frame);
        break;
    case QStyle::SC_ComboBoxArrow:
        result = QRect(rect.x() + rect.width() - arrowInset - arrowWidth, rect.y() + arrowInset,
                       arrowWidth, rect.height() - 2 * arrowInset);
        break;
    default:
        break;
    }
    return QStyle::visualRect(comboBox->direction, rect, result);
}

// The scroll bar's parts sit inside the groove, across the bar and at both
// outer ends, so the groove's rounded rim stays visible.
QRect insetScrollBarRect(const QStyleOptionComplex *option, QStyle::SubControl subControl,
                         QRect rect)
{
    if (subControl == QStyle::SC_ScrollBarGroove)
        return rect;
    const int inset = Metrics::ScrollBar_PartInset;
    const QStyleOptionSlider *slider = qstyleoption_cast<const QStyleOptionSlider *>(option);
    const bool horizontal = slider && slider->orientation == Qt::Horizontal;
    if (horizontal)
        rect.adjust(0, inset, 0, -inset);
    else
        rect.adjust(inset, 0, -inset, 0);

    if (subControl != QStyle::SC_ScrollBarSubLine && subControl != QStyle::SC_ScrollBarAddLine)
        return rect;
    const bool subLine = subControl == QStyle::SC_ScrollBarSubLine;
    if (horizontal) {
        // In a right-to-left bar the sub-line button is at the right end.
        const bool atLeftEnd = subLine == (option->direction != Qt::RightToLeft);
        if (atLeftEnd)
            rect.setLeft(rect.left() + inset);
        else
            rect.setRight(rect.right() - inset);
    } else if (subLine) {
        rect.setTop(rect.top() + inset);
    } else {
        rect.setBottom(rect.bottom() - inset);
    }
    return rect;
}

} // namespace

int CorvaneStyle::pixelMetric(PixelMetric metric, const QStyleOption *option,
                              const QWidget *widget) const
{
    // The option rule of corvanestyle.h: a missing option is one of no type.
    switch (metric) {
    case PM_ButtonMargin:
        return int(scaled(Metrics::PushButton_Margin));
    case PM_DefaultFrameWidth:
        return Metrics::Frame_Width;
    case PM_ScrollBarExtent:
    case PM_ScrollBarSliderMin:
        return int(scaled(Metrics::ScrollBar_Extent));
    case PM_SliderControlThickness:
    case PM_SliderLength:
        if (const auto *slider = qstyleoption_cast<const QStyleOptionSlider *>(option))
            return sliderHandleLength(slider, int(scaled(Metrics::Slider_HandleMaxLength)));
        return 0;
    case PM_IndicatorWidth:
    case PM_IndicatorHeight:
    case PM_ExclusiveIndicatorWidth:
    case PM_ExclusiveIndicatorHeight:
        return int(scaled(Metrics::Indicator_Size));
    case PM_ToolBarFrameWidth:
        return Metrics::ToolBar_FrameWidth;
    case PM_ToolBarItemMargin:
        return Metrics::ToolBar_ItemMargin;
    case PM_DockWidgetTitleBarButtonMargin:
        return int(scaled(Metrics::DockWidget_TitleButtonMargin));
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

QSize CorvaneStyle::sizeFromContents(ContentsType type, const QStyleOption *option,
                                     const QSize &size, const QWidget *widget) const
{
    // The option rule of corvanestyle.h: a missing option is one of no type.
    if (type == CT_ToolButton) {
        if (const auto *toolButton = qstyleoption_cast<const QStyleOptionToolButton *>(option)) {
            QSize result
                = size + QSize(Metrics::ToolButton_ExtraWidth, Metrics::ToolButton_ExtraHeight);
            // Only an instant-popup menu gets its own arrow beside the label.
            const QStyleOptionToolButton::ToolButtonFeatures popupFeatures = toolButton->features
                & (QStyleOptionToolButton::MenuButtonPopup | QStyleOptionToolButton::PopupDelay
                   | QStyleOptionToolButton::HasMenu);
            if (popupFeatures == QStyleOptionToolButton::HasMenu)
                result.rwidth() += proxy()->pixelMetric(PM_MenuButtonIndicator, option, widget);
            return result;
        }
    }
    if ((type == CT_LineEdit || type == CT_ToolButton) && option) {
        // Room for the descenders of the style's fonts.
        QSize contents = size;
        const QFontMetrics &metrics = option->fontMetrics;
        contents.setHeight(
            qMax(contents.height(),
                 metrics.height() + metrics.descent() + Metrics::LineEdit_ExtraHeight));
        return QProxyStyle::sizeFromContents(type, option, contents, widget);
    }
    return QProxyStyle::sizeFromContents(type, option, size, widget);
}

QRect CorvaneStyle::subControlRect(ComplexControl control, const QStyleOptionComplex *option,
                                   SubControl subControl, const QWidget *widget) const
{
    // The option rule of corvanestyle.h: a missing option is one of no type.
    switch (control) {
    case CC_ComboBox:
        if (const auto *comboBox = qstyleoption_cast<const QStyleOptionComboBox *>(option))
            return comboBoxSubControlRect(comboBox, subControl);
        return QRect();
    case CC_ScrollBar:
        return insetScrollBarRect(option, subControl,
                                  QProxyStyle::subControlRect(control, option, subControl, widget));
    case CC_Slider:
        if (subControl == SC_SliderHandle) {
            if (const auto *slider = qstyleoption_cast<const QStyleOptionSlider *>(option))
                return sliderHandleRect(slider, widget);
        }
        break;
    case CC_GroupBox:
        if (subControl == SC_GroupBoxCheckBox && option
            && !(option->subControls & SC_GroupBoxCheckBox))
            return QRect();
        if (const auto *groupBox = qstyleoption_cast<const QStyleOptionGroupBox *>(option)) {
            if (groupBox->features & QStyleOptionFrame::Flat)
                return groupBoxSubControlRect(groupBox, subControl, widget);
        }
        break;
    default:
        break;
    }
    return QProxyStyle::subControlRect(control, option, subControl, widget);
}

QRect CorvaneStyle::subElementRect(SubElement element, const QStyleOption *option,
                                   const QWidget *widget) const
{
    // The option rule of corvanestyle.h: a missing option is one of no type.
    switch (element) {
    case SE_DockWidgetCloseButton:
    case SE_DockWidgetFloatButton:
    case SE_DockWidgetTitleBarText:
    case SE_DockWidgetIcon:
        if (option)
            return dockWidgetTitleBarRect(element, option, widget);
        break;
    default:
        break;
    }
    return QProxyStyle::subElementRect(element, option, widget);
}

// The handle is a square as thick as the slider's control part, placed by
// value along the groove and next to the tick marks across it.
QRect CorvaneStyle::sliderHandleRect(const QStyleOptionSlider *slider, const QWidget *widget) const
{
    const int tickOffset = proxy()->pixelMetric(PM_SliderTickmarkOffset, slider, widget);
    const int thickness = proxy()->pixelMetric(PM_SliderControlThickness, slider, widget);
    const int frameWidth = proxy()->pixelMetric(PM_DefaultFrameWidth);
    const bool horizontal = slider->orientation == Qt::Horizontal;

    const int span = (horizontal ? slider->rect.width() : slider->rect.height()) - thickness;
    const int position = sliderPositionFromValue(slider->minimum, slider->maximum,
                                                 slider->sliderPosition, span, slider->upsideDown);
    const int side = thickness - 2 * frameWidth;
    const QRect handle = horizontal
        ? QRect(position + frameWidth, tickOffset + frameWidth, side, side)
        : QRect(tickOffset + frameWidth, position + frameWidth, side, side);
    return visualRect(slider->direction, slider->rect, handle);
}

// Flat group boxes are panels: the title sits inside the panel, half its
// corner radius from its rim, instead of on the frame line.
QRect CorvaneStyle::groupBoxSubControlRect(const QStyleOptionGroupBox *option,
                                           SubControl subControl, const QWidget *widget) const
{
    if (subControl == SC_GroupBoxFrame)
        return option->rect;

    const int margin = qRound(scaled(Metrics::GroupBox_Radius) * 0.5);
    QRect rect = option->rect.adjusted(margin, margin, -margin, -margin);
    const QFontMetrics &metrics = option->fontMetrics;
    switch (subControl) {
    case SC_GroupBoxContents:
        rect.setTop(rect.top() + metrics.height());
        return rect;
    case SC_GroupBoxCheckBox:
    case SC_GroupBoxLabel:
        break;
    default:
        return rect;
    }

    const int textHeight = metrics.height();
    const int textWidth
        = metrics.size(Qt::TextShowMnemonic, option->text + QLatin1Char(' ')).width();
    rect.setHeight(textHeight);

    const int indicatorWidth = proxy()->pixelMetric(PM_IndicatorWidth, option, widget);
    const int spacing = proxy()->pixelMetric(PM_CheckBoxLabelSpacing, option, widget);
    const bool hasCheckBox = option->subControls & SC_GroupBoxCheckBox;
    const int checkWidth
        = hasCheckBox ? indicatorWidth + spacing - Metrics::GroupBox_CheckRoomTrim : 0;
    rect = alignedRect(option->direction, option->textAlignment,
                       QSize(textWidth + checkWidth, textHeight), rect);
    if (!hasCheckBox)
        return rect;

    const bool leftToRight = option->direction != Qt::RightToLeft;
    if (subControl == SC_GroupBoxCheckBox) {
        const int indicatorHeight = proxy()->pixelMetric(PM_IndicatorHeight, option, widget);
        const int left = leftToRight ? rect.left() : rect.right() - indicatorWidth;
        const int top = rect.top() + qMax(textHeight - indicatorHeight, 0) / 2;
        return QRect(left, top, indicatorWidth, indicatorHeight);
    }
    const int left
        = leftToRight ? rect.left() + checkWidth - Metrics::GroupBox_LabelOverlap : rect.left();
    return QRect(left, rect.top(), rect.width() - checkWidth, rect.height());
}

// The title bar holds, from its far end: the close button, the float button,
// then (floating only) the window icon at the near end and the title between.
// A vertical title bar is laid out as a horizontal one and turned back, so its
// buttons end up at the top.
QRect CorvaneStyle::dockWidgetTitleBarRect(SubElement element, const QStyleOption *option,
                                           const QWidget *widget) const
{
    const int iconSize = proxy()->pixelMetric(PM_SmallIconSize, option, widget);
    const int buttonMargin
        = proxy()->pixelMetric(PM_DockWidgetTitleBarButtonMargin, option, widget);
    const int margin = proxy()->pixelMetric(PM_DockWidgetTitleMargin, option, widget);

    bool canClose = true;
    bool canFloat = false;
    bool vertical = false;
    if (const auto *dock = qstyleoption_cast<const QStyleOptionDockWidget *>(option)) {
        canClose = dock->closable;
        canFloat = dock->floatable;
        vertical = dock->verticalTitleBar;
    }
    const QRect rect = vertical ? option->rect.transposed() : option->rect;
    int right = rect.right();
    int left = rect.left();

    // One title button, placed at the far end and moving it inwards.
    auto buttonRect = [&](StandardPixmap artwork) {
        QSize size = standardIcon(artwork, option, widget).actualSize(QSize(iconSize, iconSize))
            + QSize(buttonMargin, buttonMargin);
        if (vertical)
            size.transpose();
        const QRect button(QPoint(right - size.width(), rect.center().y() - size.height() / 2),
                           size);
        right = button.left() - 1;
        return button;
    };

    // The answer, turned back for a vertical title bar, else mirrored for
    // right-to-left layouts.
    auto finished = [&](const QRect &answer) {
        if (vertical) {
            return QRect(rect.left() + answer.top() - rect.top(),
                         rect.top() + rect.right() - answer.right(), answer.height(),
                         answer.width());
        }
        return visualRect(option->direction, rect, answer);
    };

    const QRect closeRect = canClose ? buttonRect(SP_TitleBarCloseButton) : QRect();
    if (element == SE_DockWidgetCloseButton)
        return finished(closeRect);
    const QRect floatRect = canFloat ? buttonRect(SP_TitleBarNormalButton) : QRect();
    if (element == SE_DockWidgetFloatButton)
        return finished(floatRect);

    QRect iconRect;
    const auto *dockWidget = qobject_cast<const QDockWidget *>(widget);
    if (dockWidget && dockWidget->isFloating()) {
        const QIcon icon = dockWidget->windowIcon();
        if (!icon.isNull() && icon.cacheKey() != QApplication::windowIcon().cacheKey()) {
            // Sized for a square as high as the answer, which is still empty
            // here: the icon takes no room beyond its margin.
            QSize size = icon.actualSize(QSize(0, 0));
            if (vertical)
                size.transpose();
            iconRect = QRect(QPoint(left, rect.center().y() - size.height() / 2), size);
            left = iconRect.right() + margin;
        }
    }
    if (element == SE_DockWidgetIcon)
        return finished(iconRect);
    return finished(QRect(left, rect.top(), right - left, rect.height()));
}
