#ifndef CORVANESTYLEMETRICS_H
#define CORVANESTYLEMETRICS_H

#include <QtGlobal>

// The style's fixed sizes in one table, in logical pixels. Sizes of the type
// Scaled follow the display's scale: they reach metrics and drawing only
// through CorvaneStyle::scaled(). The plain numbers stay as they are at every
// scale: line widths, the insets that line parts up with them, and the
// geometry the style shares with its base.
struct CorvaneStyleMetrics
{
    // A size that passes through CorvaneStyle::scaled() wherever it is used.
    struct Scaled
    {
        qreal unscaled;
    };

    // Frames: plain and box frames, the combo box frame, PM_DefaultFrameWidth.
    static constexpr int Frame_Width = 1;

    // Push buttons
    static constexpr Scaled PushButton_Margin { 8 }; // PM_ButtonMargin
    static constexpr Scaled PushButton_Radius { 7 };
    // The panel's outer ring, thinner while hovered, and both rings together.
    static constexpr qreal PushButton_OuterRingWidth = 1.5;
    static constexpr qreal PushButton_OuterRingWidthHovered = 1;
    static constexpr qreal PushButton_RingsWidth = 3;
    // The arrow of a button with a menu, placed from the menu-indicator
    // metric m: x = right - m + offset, y = height / 2 - m / 2 + drop, side
    // m - shrink.
    static constexpr int PushButton_MenuArrowOffset = 2;
    static constexpr int PushButton_MenuArrowDrop = 3;
    static constexpr int PushButton_MenuArrowShrink = 6;

    // Tool buttons
    static constexpr Scaled ToolButton_Radius { 3 }; // the auto-raise panel
    static constexpr qreal ToolButton_PanelInsetX = 1.2;
    static constexpr qreal ToolButton_PanelInsetY = 0.2;
    // The white halo of the auto-raise panel, hovered and pressed (or
    // checked); the dark outline inside it, inset while pressed.
    static constexpr qreal ToolButton_HaloWidth = 3;
    static constexpr qreal ToolButton_HaloWidthDown = 2;
    static constexpr qreal ToolButton_OutlineWidth = 1;
    static constexpr qreal ToolButton_OutlineInsetDown = 1;
    static constexpr int ToolButton_FocusInset = 3;
    // What a tool button adds to its contents (CT_ToolButton).
    static constexpr int ToolButton_ExtraWidth = 9;
    static constexpr int ToolButton_ExtraHeight = 8;
    // The classic bevel of a floating dock widget's title button.
    static constexpr int TitleButton_BevelOffset = 1;

    // Check boxes and radio buttons
    static constexpr Scaled Indicator_Size { 16 }; // PM_(Exclusive)Indicator{Width,Height}
    static constexpr qreal Indicator_RimWidth = 1.5;
    // The check box's corners, in percent of its half size (Qt::RelativeSize).
    static constexpr qreal CheckBox_Roundness = 40;

    // Scroll bars
    static constexpr Scaled ScrollBar_Extent { 15 }; // also PM_ScrollBarSliderMin
    // The parts sit this far inside the groove, across the bar and at its
    // ends, so the groove's rounded rim stays visible.
    static constexpr int ScrollBar_PartInset = 2;
    static constexpr qreal ScrollBar_HandleOutlineWidth = 1.5;
    static constexpr int ScrollBar_HandleFocusInset = 2;

    // Grooves of scroll bars and sliders
    static constexpr qreal Groove_RimWidth = 1.5;
    // Grooves and scroll-bar handles have round ends: their radius is half
    // their thickness less this.
    static constexpr qreal RoundEnd_RadiusInset = 1;

    // Sliders: the square handle is never longer than the maximum; with tick
    // marks it is at least the minimum long.
    static constexpr Scaled Slider_HandleMaxLength { 20 };
    static constexpr int Slider_TickedHandleMinLength = 8;

    // Combo boxes
    static constexpr int ComboBox_FrameInset = 3; // of the edit field, when framed
    static constexpr int ComboBox_ArrowInset = 2; // of the arrow area, when framed
    static constexpr int ComboBox_ArrowWidth = 25;
    // The arrow primitive inside the arrow area.
    static constexpr int ComboBox_ArrowIndicatorInset = 3;

    // Group boxes
    static constexpr Scaled GroupBox_Radius { 6 }; // the outline and the flat panel
    static constexpr qreal GroupBox_OutlineWidth = 1.5;
    static constexpr qreal GroupBox_OutlineInset = 1.5;
    // The outline stops this short of a title's check box.
    static constexpr int GroupBox_TitleGap = 4;
    // A flat group box's title: the check box and its spacing take this much
    // less room, and the text starts this much before that room ends.
    static constexpr int GroupBox_CheckRoomTrim = 1;
    static constexpr int GroupBox_LabelOverlap = 2;

    // Dock widgets
    static constexpr Scaled DockWidget_TitleButtonMargin { 3 };

    // Tool bars
    static constexpr int ToolBar_FrameWidth = 0;
    static constexpr int ToolBar_ItemMargin = 0;

    // Line edits, and tool buttons without their own option: room for the
    // descenders of the style's fonts.
    static constexpr int LineEdit_ExtraHeight = 2;
};

#endif // CORVANESTYLEMETRICS_H
