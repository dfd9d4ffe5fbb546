// The style's proportions: pixel metrics, content sizes and the rectangles of
// combo boxes, scroll bars, sliders, group boxes and dock-widget title bars,
// asked of the real plugin.

#include "corvanestyleloader.h"

#include <QApplication>
#include <QDockWidget>
#include <QProxyStyle>
#include <QSlider>
#include <QStyleFactory>
#include <QStyleOption>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(QStyle::PixelMetric)
Q_DECLARE_METATYPE(QStyle::SubControl)
Q_DECLARE_METATYPE(QSlider::TickPosition)

class tst_StyleGeometry : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void fixedMetrics_data();
    void fixedMetrics();
    void sliderLength_data();
    void sliderLength();
    void sliderLengthWithoutSliderOption();
    void toolButtonSize_data();
    void toolButtonSize();
    void raisedTextHeight();
    void comboBoxRects_data();
    void comboBoxRects();
    void scrollBarRects_data();
    void scrollBarRects();
    void sliderHandle_data();
    void sliderHandle();
    void flatGroupBox_data();
    void flatGroupBox();
    void groupBoxWithoutCheckBox();
    void dockTitleBar_data();
    void dockTitleBar();
    void dockTitleBarOfWidgets();

private:
    // The "Windows" style under the proxy; it measures with this style's
    // metrics.
    const QStyle *baseStyle() const
    {
        return qobject_cast<QProxyStyle *>(m_style.get())->baseStyle();
    }

    std::unique_ptr<QStyle> m_style;
};

void tst_StyleGeometry::initTestCase()
{
    m_style.reset(createCorvaneStyle(0));
    QVERIFY(m_style);
}

void tst_StyleGeometry::fixedMetrics_data()
{
    QTest::addColumn<QStyle::PixelMetric>("metric");
    QTest::addColumn<int>("value");
    QTest::newRow("button margin") << QStyle::PM_ButtonMargin << 8;
    QTest::newRow("frame width") << QStyle::PM_DefaultFrameWidth << 1;
    QTest::newRow("scroll bar extent") << QStyle::PM_ScrollBarExtent << 15;
    QTest::newRow("scroll bar slider min") << QStyle::PM_ScrollBarSliderMin << 15;
    QTest::newRow("indicator width") << QStyle::PM_IndicatorWidth << 16;
    QTest::newRow("indicator height") << QStyle::PM_IndicatorHeight << 16;
    QTest::newRow("exclusive width") << QStyle::PM_ExclusiveIndicatorWidth << 16;
    QTest::newRow("exclusive height") << QStyle::PM_ExclusiveIndicatorHeight << 16;
    QTest::newRow("tool bar frame") << QStyle::PM_ToolBarFrameWidth << 0;
    QTest::newRow("tool bar item margin") << QStyle::PM_ToolBarItemMargin << 0;
    QTest::newRow("dock button margin") << QStyle::PM_DockWidgetTitleBarButtonMargin << 3;
}

void tst_StyleGeometry::fixedMetrics()
{
    QFETCH(QStyle::PixelMetric, metric);
    QFETCH(int, value);
    QStyleOption option;
    QCOMPARE(m_style->pixelMetric(metric), value);
    QCOMPARE(m_style->pixelMetric(metric, &option), value);
}

void tst_StyleGeometry::sliderLength_data()
{
    QTest::addColumn<Qt::Orientation>("orientation");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QSlider::TickPosition>("ticks");
    QTest::addColumn<int>("length");
    // 2 * (30 - 8) / 3 + 8 = 22, capped to 20.
    QTest::newRow("30 high, ticks above")
        << Qt::Horizontal << QSize(200, 30) << QSlider::TicksAbove << 20;
    QTest::newRow("30 high, ticks below")
        << Qt::Horizontal << QSize(200, 30) << QSlider::TicksBelow << 20;
    QTest::newRow("30 high, no ticks")
        << Qt::Horizontal << QSize(200, 30) << QSlider::NoTicks << 20;
    // 2 * 22 / 4 + 8 = 19: both tick sides leave less room.
    QTest::newRow("30 high, both sides")
        << Qt::Horizontal << QSize(200, 30) << QSlider::TicksBothSides << 19;
    QTest::newRow("6 high, ticks above")
        << Qt::Horizontal << QSize(200, 6) << QSlider::TicksAbove << 8;
    QTest::newRow("12 high, no ticks")
        << Qt::Horizontal << QSize(200, 12) << QSlider::NoTicks << 12;
    // A vertical slider measures its width, not its height.
    QTest::newRow("vertical 14 wide, both sides")
        << Qt::Vertical << QSize(14, 300) << QSlider::TicksBothSides << 11;
    QTest::newRow("vertical 16 wide, ticks left")
        << Qt::Vertical << QSize(16, 300) << QSlider::TicksLeft << 13;
}

void tst_StyleGeometry::sliderLength()
{
    QFETCH(Qt::Orientation, orientation);
    QFETCH(QSize, size);
    QFETCH(QSlider::TickPosition, ticks);
    QFETCH(int, length);
    QStyleOptionSlider option;
    option.orientation = orientation;
    option.rect = QRect(QPoint(5, 7), size);
    option.tickPosition = ticks;
    QCOMPARE(m_style->pixelMetric(QStyle::PM_SliderLength, &option), length);
    // The handle is square.
    QCOMPARE(m_style->pixelMetric(QStyle::PM_SliderControlThickness, &option), length);
}

void tst_StyleGeometry::sliderLengthWithoutSliderOption()
{
    QCOMPARE(m_style->pixelMetric(QStyle::PM_SliderLength), 0);
    QCOMPARE(m_style->pixelMetric(QStyle::PM_SliderControlThickness), 0);
    QStyleOptionButton button;
    button.rect = QRect(0, 0, 100, 30);
    QCOMPARE(m_style->pixelMetric(QStyle::PM_SliderLength, &button), 0);
    // A slider option of an older layout is not taken as one.
    QStyleOptionSlider old;
    old.rect = QRect(0, 0, 100, 30);
    old.version = 0;
    QCOMPARE(m_style->pixelMetric(QStyle::PM_SliderLength, &old), 0);
}

void tst_StyleGeometry::toolButtonSize_data()
{
    using T = QStyleOptionToolButton;
    QTest::addColumn<int>("features");
    QTest::addColumn<bool>("widerByIndicator");
    QTest::newRow("plain") << int(T::None) << false;
    QTest::newRow("instant popup") << int(T::HasMenu) << true;
    QTest::newRow("menu-button popup") << int(T::HasMenu | T::MenuButtonPopup) << false;
    QTest::newRow("delayed popup") << int(T::HasMenu | T::PopupDelay) << false;
    QTest::newRow("arrow only") << int(T::Arrow) << false;
}

void tst_StyleGeometry::toolButtonSize()
{
    QFETCH(int, features);
    QFETCH(bool, widerByIndicator);
    QStyleOptionToolButton option;
    option.features = QStyleOptionToolButton::ToolButtonFeatures(features);
    const int indicator = m_style->pixelMetric(QStyle::PM_MenuButtonIndicator, &option);
    QVERIFY(indicator > 0);
    const QSize size
        = m_style->sizeFromContents(QStyle::CT_ToolButton, &option, QSize(40, 20), nullptr);
    QCOMPARE(size, QSize(49 + (widerByIndicator ? indicator : 0), 28));
}

// Line edits and tool buttons without their own option get room for the
// descenders before the base style adds its margins.
void tst_StyleGeometry::raisedTextHeight()
{
    std::unique_ptr<QStyle> windows(QStyleFactory::create(QStringLiteral("Windows")));
    QVERIFY(windows);
    QStyleOptionFrame option;
    option.rect = QRect(0, 0, 100, 20);
    const int minimum = option.fontMetrics.height() + option.fontMetrics.descent() + 2;
    for (QStyle::ContentsType type : { QStyle::CT_LineEdit, QStyle::CT_ToolButton }) {
        const QSize low = m_style->sizeFromContents(type, &option, QSize(100, 2), nullptr);
        QCOMPARE(low, windows->sizeFromContents(type, &option, QSize(100, minimum), nullptr));
        const QSize high = m_style->sizeFromContents(type, &option, QSize(100, 60), nullptr);
        QCOMPARE(high, windows->sizeFromContents(type, &option, QSize(100, 60), nullptr));
    }
}

void tst_StyleGeometry::comboBoxRects_data()
{
    QTest::addColumn<bool>("frame");
    QTest::addColumn<Qt::LayoutDirection>("direction");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<QRect>("editField");
    QTest::addColumn<QRect>("arrow");
    QTest::newRow("framed") << true << Qt::LeftToRight << QRect(0, 0, 100, 24)
                            << QRect(3, 3, 69, 18) << QRect(73, 2, 25, 20);
    QTest::newRow("unframed") << false << Qt::LeftToRight << QRect(0, 0, 100, 24)
                              << QRect(0, 0, 75, 24) << QRect(75, 0, 25, 24);
    QTest::newRow("framed, right to left") << true << Qt::RightToLeft << QRect(0, 0, 100, 24)
                                           << QRect(28, 3, 69, 18) << QRect(2, 2, 25, 20);
    QTest::newRow("unframed, right to left") << false << Qt::RightToLeft << QRect(0, 0, 100, 24)
                                             << QRect(25, 0, 75, 24) << QRect(0, 0, 25, 24);
    QTest::newRow("framed, moved") << true << Qt::LeftToRight << QRect(10, 5, 120, 30)
                                   << QRect(13, 8, 89, 24) << QRect(103, 7, 25, 26);
}

void tst_StyleGeometry::comboBoxRects()
{
    QFETCH(bool, frame);
    QFETCH(Qt::LayoutDirection, direction);
    QFETCH(QRect, rect);
    QFETCH(QRect, editField);
    QFETCH(QRect, arrow);
    QStyleOptionComboBox option;
    option.rect = rect;
    option.frame = frame;
    option.direction = direction;
    auto subRect = [&](QStyle::SubControl subControl) {
        return m_style->subControlRect(QStyle::CC_ComboBox, &option, subControl, nullptr);
    };
    QCOMPARE(subRect(QStyle::SC_ComboBoxEditField), editField);
    QCOMPARE(subRect(QStyle::SC_ComboBoxArrow), arrow);
    QCOMPARE(subRect(QStyle::SC_ComboBoxFrame), rect);
    QCOMPARE(subRect(QStyle::SC_ComboBoxListBoxPopup), rect);
    QVERIFY(subRect(QStyle::SC_None).isEmpty());

    // Any other option gives nothing, not the base style's layout.
    QStyleOptionComplex complex;
    complex.rect = rect;
    QVERIFY(
        m_style->subControlRect(QStyle::CC_ComboBox, &complex, QStyle::SC_ComboBoxArrow, nullptr)
            .isEmpty());
}

void tst_StyleGeometry::scrollBarRects_data()
{
    QTest::addColumn<Qt::Orientation>("orientation");
    QTest::addColumn<Qt::LayoutDirection>("direction");
    QTest::addColumn<QStyle::SubControl>("subControl");
    QTest::addColumn<QRect>("rect");
    // A 200 x 15 bar: 15-pixel buttons, pulled in by 2 across the bar and
    // at the outer end.
    const auto H = Qt::Horizontal;
    const auto V = Qt::Vertical;
    const auto LTR = Qt::LeftToRight;
    const auto RTL = Qt::RightToLeft;
    QTest::newRow("sub line") << H << LTR << QStyle::SC_ScrollBarSubLine << QRect(2, 2, 13, 11);
    QTest::newRow("add line") << H << LTR << QStyle::SC_ScrollBarAddLine << QRect(185, 2, 13, 11);
    QTest::newRow("groove") << H << LTR << QStyle::SC_ScrollBarGroove << QRect(15, 0, 170, 15);
    QTest::newRow("rtl sub line") << H << RTL << QStyle::SC_ScrollBarSubLine
                                  << QRect(185, 2, 13, 11);
    QTest::newRow("rtl add line") << H << RTL << QStyle::SC_ScrollBarAddLine << QRect(2, 2, 13, 11);
    QTest::newRow("vertical sub line")
        << V << LTR << QStyle::SC_ScrollBarSubLine << QRect(2, 2, 11, 13);
    QTest::newRow("vertical add line")
        << V << LTR << QStyle::SC_ScrollBarAddLine << QRect(2, 185, 11, 13);
    QTest::newRow("vertical, rtl")
        << V << RTL << QStyle::SC_ScrollBarSubLine << QRect(2, 2, 11, 13);
}

void tst_StyleGeometry::scrollBarRects()
{
    QFETCH(Qt::Orientation, orientation);
    QFETCH(Qt::LayoutDirection, direction);
    QFETCH(QStyle::SubControl, subControl);
    QFETCH(QRect, rect);
    QStyleOptionSlider option;
    option.orientation = orientation;
    option.direction = direction;
    option.rect = orientation == Qt::Horizontal ? QRect(0, 0, 200, 15) : QRect(0, 0, 15, 200);
    if (orientation == Qt::Horizontal)
        option.state |= QStyle::State_Horizontal;
    option.maximum = 100;
    option.pageStep = 10;
    option.sliderPosition = option.sliderValue = 40;
    QCOMPARE(m_style->subControlRect(QStyle::CC_ScrollBar, &option, subControl, nullptr), rect);

    // The slider and the page areas are pulled in across the bar only.
    const QStyle *base = baseStyle();
    for (QStyle::SubControl part :
         { QStyle::SC_ScrollBarSlider, QStyle::SC_ScrollBarAddPage, QStyle::SC_ScrollBarSubPage }) {
        const QRect baseRect = base->subControlRect(QStyle::CC_ScrollBar, &option, part, nullptr);
        QVERIFY(baseRect.isValid());
        const QRect expected = orientation == Qt::Horizontal ? baseRect.adjusted(0, 2, 0, -2)
                                                             : baseRect.adjusted(2, 0, -2, 0);
        QCOMPARE(m_style->subControlRect(QStyle::CC_ScrollBar, &option, part, nullptr), expected);
    }
}

void tst_StyleGeometry::sliderHandle_data()
{
    QTest::addColumn<Qt::Orientation>("orientation");
    QTest::addColumn<Qt::LayoutDirection>("direction");
    QTest::addColumn<QSlider::TickPosition>("ticks");
    QTest::addColumn<QRect>("handle");
    // 200 x 30, value 25 of 100: thickness 20, span 180, position 45,
    // a square of 18 inside a one-pixel frame.
    QTest::newRow("no ticks") << Qt::Horizontal << Qt::LeftToRight << QSlider::NoTicks
                              << QRect(46, 1, 18, 18);
    QTest::newRow("right to left")
        << Qt::Horizontal << Qt::RightToLeft << QSlider::NoTicks << QRect(136, 1, 18, 18);
    // Ticks above push the handle down by the tick-mark offset (30 - 20).
    QTest::newRow("ticks above") << Qt::Horizontal << Qt::LeftToRight << QSlider::TicksAbove
                                 << QRect(46, 11, 18, 18);
    QTest::newRow("vertical") << Qt::Vertical << Qt::LeftToRight << QSlider::NoTicks
                              << QRect(1, 46, 18, 18);
}

void tst_StyleGeometry::sliderHandle()
{
    QFETCH(Qt::Orientation, orientation);
    QFETCH(Qt::LayoutDirection, direction);
    QFETCH(QSlider::TickPosition, ticks);
    QFETCH(QRect, handle);
    QStyleOptionSlider option;
    option.orientation = orientation;
    option.direction = direction;
    option.tickPosition = ticks;
    option.rect = orientation == Qt::Horizontal ? QRect(0, 0, 200, 30) : QRect(0, 0, 30, 200);
    option.maximum = 100;
    option.sliderPosition = option.sliderValue = 25;
    QCOMPARE(m_style->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, nullptr),
             handle);
}

void tst_StyleGeometry::flatGroupBox_data()
{
    QTest::addColumn<Qt::LayoutDirection>("direction");
    QTest::addColumn<bool>("checkable");
    QTest::newRow("titled") << Qt::LeftToRight << false;
    QTest::newRow("checkable") << Qt::LeftToRight << true;
    QTest::newRow("checkable, right to left") << Qt::RightToLeft << true;
}

void tst_StyleGeometry::flatGroupBox()
{
    QFETCH(Qt::LayoutDirection, direction);
    QFETCH(bool, checkable);
    QStyleOptionGroupBox option;
    option.rect = QRect(0, 0, 200, 100);
    option.features = QStyleOptionFrame::Flat;
    option.text = QStringLiteral("Title");
    option.textAlignment = Qt::AlignLeft;
    option.direction = direction;
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    if (checkable)
        option.subControls |= QStyle::SC_GroupBoxCheckBox;
    auto subRect = [&](QStyle::SubControl subControl) {
        return m_style->subControlRect(QStyle::CC_GroupBox, &option, subControl, nullptr);
    };

    const QFontMetrics &metrics = option.fontMetrics;
    const int textHeight = metrics.height();
    const int textWidth = metrics.size(Qt::TextShowMnemonic, QStringLiteral("Title ")).width();
    const int checkWidth
        = checkable ? 16 + m_style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing) - 1 : 0;
    // The title block sits 3 pixels inside the panel, at its leading edge.
    const QRect inset(3, 3, 194, textHeight);
    const QRect title = QStyle::alignedRect(direction, Qt::AlignLeft,
                                            QSize(textWidth + checkWidth, textHeight), inset);
    QCOMPARE(title.left(), direction == Qt::LeftToRight ? 3 : 197 - textWidth - checkWidth);

    QCOMPARE(subRect(QStyle::SC_GroupBoxFrame), option.rect);
    QCOMPARE(subRect(QStyle::SC_GroupBoxContents), QRect(3, 3 + textHeight, 194, 94 - textHeight));
    if (!checkable) {
        QCOMPARE(subRect(QStyle::SC_GroupBoxLabel), title);
        QVERIFY(subRect(QStyle::SC_GroupBoxCheckBox).isEmpty());
        return;
    }
    const int boxTop = 3 + qMax(textHeight - 16, 0) / 2;
    if (direction == Qt::LeftToRight) {
        QCOMPARE(subRect(QStyle::SC_GroupBoxCheckBox), QRect(3, boxTop, 16, 16));
        QCOMPARE(subRect(QStyle::SC_GroupBoxLabel),
                 QRect(3 + checkWidth - 2, 3, textWidth, textHeight));
    } else {
        QCOMPARE(subRect(QStyle::SC_GroupBoxCheckBox), QRect(title.right() - 16, boxTop, 16, 16));
        QCOMPARE(subRect(QStyle::SC_GroupBoxLabel), QRect(title.left(), 3, textWidth, textHeight));
    }
}

void tst_StyleGeometry::groupBoxWithoutCheckBox()
{
    QStyleOptionGroupBox option;
    option.rect = QRect(0, 0, 200, 100);
    option.text = QStringLiteral("Title");
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    for (bool flat : { false, true }) {
        option.features = flat ? QStyleOptionFrame::Flat : QStyleOptionFrame::None;
        QVERIFY(
            m_style
                ->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxCheckBox, nullptr)
                .isEmpty());
    }
    // A framed group box keeps the base style's layout.
    option.features = QStyleOptionFrame::None;
    option.subControls |= QStyle::SC_GroupBoxCheckBox;
    for (QStyle::SubControl part : { QStyle::SC_GroupBoxLabel, QStyle::SC_GroupBoxCheckBox,
                                     QStyle::SC_GroupBoxContents, QStyle::SC_GroupBoxFrame }) {
        QCOMPARE(m_style->subControlRect(QStyle::CC_GroupBox, &option, part, nullptr),
                 baseStyle()->subControlRect(QStyle::CC_GroupBox, &option, part, nullptr));
    }
}

void tst_StyleGeometry::dockTitleBar_data()
{
    QTest::addColumn<bool>("closable");
    QTest::addColumn<bool>("floatable");
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<Qt::LayoutDirection>("direction");
    QTest::addColumn<QRect>("close");
    QTest::addColumn<QRect>("floatButton");
    QTest::addColumn<QRect>("text");
    // Buttons of 16 + 3 pixels from the far end, one pixel apart; the title
    // takes the rest from the near edge.
    const auto LTR = Qt::LeftToRight;
    QTest::newRow("both buttons") << true << true << false << LTR << QRect(180, 0, 19, 19)
                                  << QRect(160, 0, 19, 19) << QRect(0, 0, 159, 20);
    QTest::newRow("close only") << true << false << false << LTR << QRect(180, 0, 19, 19) << QRect()
                                << QRect(0, 0, 179, 20);
    QTest::newRow("no buttons") << false << false << false << LTR << QRect() << QRect()
                                << QRect(0, 0, 199, 20);
    QTest::newRow("right to left")
        << true << true << false << Qt::RightToLeft << QRect(1, 0, 19, 19) << QRect(21, 0, 19, 19)
        << QRect(41, 0, 159, 20);
    // A vertical bar is laid out lying down and turned back: the buttons
    // end up at the top.
    QTest::newRow("vertical") << true << true << true << LTR << QRect(0, 1, 19, 19)
                              << QRect(0, 21, 19, 19) << QRect(0, 41, 20, 159);
}

void tst_StyleGeometry::dockTitleBar()
{
    QFETCH(bool, closable);
    QFETCH(bool, floatable);
    QFETCH(bool, vertical);
    QFETCH(Qt::LayoutDirection, direction);
    QFETCH(QRect, close);
    QFETCH(QRect, floatButton);
    QFETCH(QRect, text);
    QStyleOptionDockWidget option;
    option.rect = vertical ? QRect(0, 0, 20, 200) : QRect(0, 0, 200, 20);
    option.closable = closable;
    option.floatable = floatable;
    option.verticalTitleBar = vertical;
    option.direction = direction;
    option.title = QStringLiteral("Dock");
    auto subRect = [&](QStyle::SubElement element) {
        return m_style->subElementRect(element, &option, nullptr);
    };
    QCOMPARE(subRect(QStyle::SE_DockWidgetCloseButton), close);
    QCOMPARE(subRect(QStyle::SE_DockWidgetFloatButton), floatButton);
    QCOMPARE(subRect(QStyle::SE_DockWidgetTitleBarText), text);
    QCOMPARE(subRect(QStyle::SE_DockWidgetIcon).size(), QSize(0, 0));

    // Without a dock-widget option the bar has a close button only.
    QStyleOption plain;
    plain.rect = QRect(0, 0, 200, 20);
    QCOMPARE(m_style->subElementRect(QStyle::SE_DockWidgetCloseButton, &plain, nullptr),
             QRect(180, 0, 19, 19));
    QCOMPARE(m_style->subElementRect(QStyle::SE_DockWidgetTitleBarText, &plain, nullptr),
             QRect(0, 0, 179, 20));
}

void tst_StyleGeometry::dockTitleBarOfWidgets()
{
    QPixmap iconPixmap(16, 16);
    iconPixmap.fill(Qt::red);
    QWidget window;
    QDockWidget docked(QStringLiteral("Docked"), &window);
    docked.setWindowIcon(QIcon(iconPixmap));
    QVERIFY(!docked.isFloating());

    QStyleOptionDockWidget option;
    option.rect = QRect(0, 0, 200, 20);
    option.closable = option.floatable = true;
    // A docked widget has no icon; its title starts at the bar's left edge.
    QVERIFY(m_style->subElementRect(QStyle::SE_DockWidgetIcon, &option, &docked).isNull());
    QCOMPARE(m_style->subElementRect(QStyle::SE_DockWidgetTitleBarText, &option, &docked).left(),
             0);

    // A floating one with an icon of its own makes room for the icon at the
    // size asked for the still empty answer: nothing but the margin, less
    // the pixel the empty rectangle ends before its start.
    QDockWidget floating(QStringLiteral("Floating"));
    floating.setWindowIcon(QIcon(iconPixmap));
    floating.setFloating(true);
    QVERIFY(floating.isFloating());
    const int margin = m_style->pixelMetric(QStyle::PM_DockWidgetTitleMargin, &option, &floating);
    QCOMPARE(m_style->subElementRect(QStyle::SE_DockWidgetIcon, &option, &floating).size(),
             QSize(0, 0));
    QCOMPARE(m_style->subElementRect(QStyle::SE_DockWidgetTitleBarText, &option, &floating).left(),
             margin - 1);
}

QTEST_MAIN(tst_StyleGeometry)
#include "tst_stylegeometry.moc"
