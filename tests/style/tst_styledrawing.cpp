// What the style paints, checked on the pixels (and, through a recording
// device, on the texts) it produces: focus never shows, the check mark's
// green only when checked, flat and disabled buttons, idle tool buttons, old
// or missing options, right-to-left arrows, eliding of tool-button labels, and
// that cached drawings match direct ones (also after the painter's
// antialiasing changed) and leave the painter as direct drawing does.

#include "corvanestyleloader.h"
#include "textrecorder.h"

#include <QApplication>
#include <QPainter>
#include <QPushButton>
#include <QStyleOption>
#include <QtTest>
#include <qdrawutil.h>

#include <algorithm>
#include <functional>
#include <memory>

namespace {

using Draw = std::function<void(const QStyle *style, QPainter *painter, QStyle::State extra)>;

// One drawing request of the kind widgets make, on a rectangle at the origin.
struct Drawing
{
    const char *name;
    QSize size;
    Draw draw;
};

template<typename Option>
Option optionFor(const QStyle *style, const QSize &size, QStyle::State state)
{
    Option option;
    option.palette = style->standardPalette();
    option.rect = QRect(QPoint(0, 0), size);
    option.state = state;
    return option;
}

const QStyle::State enabled = QStyle::State_Enabled;

Draw checkBox(QStyle::State state)
{
    return [state](const QStyle *style, QPainter *painter, QStyle::State extra) {
        const auto option = optionFor<QStyleOptionButton>(style, QSize(16, 16), state | extra);
        style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, painter);
    };
}

Draw radioButton(QStyle::State state)
{
    return [state](const QStyle *style, QPainter *painter, QStyle::State extra) {
        const auto option = optionFor<QStyleOptionButton>(style, QSize(16, 16), state | extra);
        style->drawPrimitive(QStyle::PE_IndicatorRadioButton, &option, painter);
    };
}

Draw pushButton(QStyle::State state, QStyleOptionButton::ButtonFeatures features)
{
    return [=](const QStyle *style, QPainter *painter, QStyle::State extra) {
        auto option = optionFor<QStyleOptionButton>(style, QSize(80, 30), state | extra);
        option.features = features;
        style->drawControl(QStyle::CE_PushButton, &option, painter);
    };
}

Draw toolButton(QStyle::State state, QStyle::SubControls active)
{
    return [=](const QStyle *style, QPainter *painter, QStyle::State extra) {
        auto option = optionFor<QStyleOptionToolButton>(style, QSize(60, 24),
                                                        state | QStyle::State_AutoRaise | extra);
        option.subControls = QStyle::SC_ToolButton;
        option.activeSubControls = active;
        style->drawComplexControl(QStyle::CC_ToolButton, &option, painter);
    };
}

Draw scrollBar(Qt::Orientation orientation, QStyle::State state, QStyle::SubControls active)
{
    return [=](const QStyle *style, QPainter *painter, QStyle::State extra) {
        const QSize size = orientation == Qt::Horizontal ? QSize(150, 15) : QSize(15, 150);
        auto option = optionFor<QStyleOptionSlider>(style, size, state | extra);
        option.orientation = orientation;
        if (orientation == Qt::Horizontal)
            option.state |= QStyle::State_Horizontal;
        option.maximum = 100;
        option.pageStep = 20;
        option.sliderPosition = option.sliderValue = 30;
        option.subControls = QStyle::SC_All;
        option.activeSubControls = active;
        style->drawComplexControl(QStyle::CC_ScrollBar, &option, painter);
    };
}

Draw slider(QSlider::TickPosition ticks)
{
    return [=](const QStyle *style, QPainter *painter, QStyle::State extra) {
        auto option = optionFor<QStyleOptionSlider>(style, QSize(150, 30),
                                                    enabled | QStyle::State_Horizontal | extra);
        option.orientation = Qt::Horizontal;
        option.tickPosition = ticks;
        option.tickInterval = 10;
        option.maximum = 100;
        option.sliderPosition = option.sliderValue = 40;
        option.subControls = QStyle::SC_All;
        style->drawComplexControl(QStyle::CC_Slider, &option, painter);
    };
}

Draw comboBox(bool editable)
{
    return [=](const QStyle *style, QPainter *painter, QStyle::State extra) {
        auto option = optionFor<QStyleOptionComboBox>(style, QSize(100, 24), enabled | extra);
        option.editable = editable;
        option.frame = true;
        option.subControls = QStyle::SC_All;
        style->drawComplexControl(QStyle::CC_ComboBox, &option, painter);
    };
}

Draw groupBox(QStyleOptionFrame::FrameFeatures features, bool checkable, const QString &title)
{
    return [=](const QStyle *style, QPainter *painter, QStyle::State extra) {
        auto option = optionFor<QStyleOptionGroupBox>(style, QSize(150, 80),
                                                      enabled | QStyle::State_On | extra);
        option.features = features;
        option.text = title;
        option.textAlignment = Qt::AlignLeft;
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        if (checkable)
            option.subControls |= QStyle::SC_GroupBoxCheckBox;
        style->drawComplexControl(QStyle::CC_GroupBox, &option, painter);
    };
}

Draw dockTitleBar()
{
    return [](const QStyle *style, QPainter *painter, QStyle::State extra) {
        auto option = optionFor<QStyleOptionDockWidget>(style, QSize(150, 20), enabled | extra);
        option.closable = option.floatable = true;
        style->drawControl(QStyle::CE_DockWidgetTitle, &option, painter);
    };
}

// Everything the style paints in shapes and artwork, without text.
const QVector<Drawing> &drawings()
{
    using B = QStyleOptionButton;
    static const QVector<Drawing> all = {
        { "check on", QSize(16, 16), checkBox(enabled | QStyle::State_On) },
        { "check partial", QSize(16, 16), checkBox(enabled | QStyle::State_NoChange) },
        { "check off", QSize(16, 16), checkBox(enabled | QStyle::State_Off) },
        { "check disabled on", QSize(16, 16), checkBox(QStyle::State_On) },
        { "radio on", QSize(16, 16), radioButton(enabled | QStyle::State_On) },
        { "radio off", QSize(16, 16), radioButton(enabled | QStyle::State_Off) },
        { "radio disabled on", QSize(16, 16), radioButton(QStyle::State_On) },
        { "radio disabled off", QSize(16, 16), radioButton(QStyle::State_Off) },
        { "push plain", QSize(80, 30), pushButton(enabled | QStyle::State_Raised, B::None) },
        { "push hovered", QSize(80, 30), pushButton(enabled | QStyle::State_MouseOver, B::None) },
        { "push default", QSize(80, 30), pushButton(enabled, B::DefaultButton) },
        { "push checked hovered", QSize(80, 30),
          pushButton(enabled | QStyle::State_On | QStyle::State_MouseOver, B::None) },
        { "push pressed", QSize(80, 30), pushButton(enabled | QStyle::State_Sunken, B::None) },
        { "push flat", QSize(80, 30), pushButton(enabled, B::Flat) },
        { "push disabled", QSize(80, 30), pushButton(QStyle::State_None, B::None) },
        { "push with menu", QSize(80, 30), pushButton(enabled, B::HasMenu) },
        { "tool hovered", QSize(60, 24),
          toolButton(enabled | QStyle::State_Raised | QStyle::State_MouseOver,
                     QStyle::SC_ToolButton) },
        { "tool pressed", QSize(60, 24),
          toolButton(enabled | QStyle::State_Sunken, QStyle::SC_ToolButton) },
        { "scroll bar", QSize(150, 15), scrollBar(Qt::Horizontal, enabled, QStyle::SC_None) },
        { "scroll bar hovered", QSize(15, 150),
          scrollBar(Qt::Vertical, enabled | QStyle::State_MouseOver, QStyle::SC_ScrollBarSlider) },
        { "slider", QSize(150, 30), slider(QSlider::NoTicks) },
        { "slider with ticks", QSize(150, 30), slider(QSlider::TicksBothSides) },
        { "combo box", QSize(100, 24), comboBox(false) },
        { "editable combo box", QSize(100, 24), comboBox(true) },
        { "group box", QSize(150, 80), groupBox(QStyleOptionFrame::None, false, QString()) },
        { "flat group box", QSize(150, 80), groupBox(QStyleOptionFrame::Flat, true, QString()) },
        { "dock title", QSize(150, 20), dockTitleBar() },
    };
    return all;
}

const Drawing *drawingNamed(const QString &name)
{
    for (const Drawing &drawing : drawings()) {
        if (name == QLatin1String(drawing.name))
            return &drawing;
    }
    return nullptr;
}

QImage canvas(const QSize &size, const QColor &background)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(background);
    return image;
}

QImage render(const QSize &size, const QColor &background,
              const std::function<void(QPainter *)> &paint)
{
    QImage image = canvas(size, background);
    QPainter painter(&image);
    paint(&painter);
    painter.end();
    return image;
}

// The largest difference of any channel between two images of one size.
int largestDifference(const QImage &a, const QImage &b)
{
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            largest = std::max({ largest, qAbs(qRed(p) - qRed(q)), qAbs(qGreen(p) - qGreen(q)),
                                 qAbs(qBlue(p) - qBlue(q)), qAbs(qAlpha(p) - qAlpha(q)) });
        }
    }
    return largest;
}

bool sameColour(QRgb pixel, const QColor &colour, int tolerance = 2)
{
    return qAbs(qRed(pixel) - colour.red()) <= tolerance
        && qAbs(qGreen(pixel) - colour.green()) <= tolerance
        && qAbs(qBlue(pixel) - colour.blue()) <= tolerance;
}

// The artwork's check and radio marks are green (#8CC63F and its shades);
// nothing else the style paints is.
int greenPixels(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = QColor::fromRgba(image.pixel(x, y));
            if (c.alpha() > 128 && c.green() > 120 && c.green() - c.red() > 30
                && c.green() - c.blue() > 60)
                ++count;
        }
    }
    return count;
}

} // namespace

class tst_StyleDrawing : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void focusNeverShows_data();
    void focusNeverShows();
    void focusRectangleDrawsNothing_data();
    void focusRectangleDrawsNothing();
    void checkMarkOnlyWhenChecked_data();
    void checkMarkOnlyWhenChecked();
    void flatButtonFill_data();
    void flatButtonFill();
    void buttonRings_data();
    void buttonRings();
    void buttonLabelColour_data();
    void buttonLabelColour();
    void commandLinkPanel();
    void toolButtonPanels_data();
    void toolButtonPanels();
    void groupBoxFrameNeedsFrameOption_data();
    void groupBoxFrameNeedsFrameOption();
    void noOptionDrawsNothing_data();
    void noOptionDrawsNothing();
    void scrollBarArrows_data();
    void scrollBarArrows();
    void dockTitle_data();
    void dockTitle();
    void itemTextElidedOnlyInToolButtons();
    void cachedDrawingMatchesDirect_data();
    void cachedDrawingMatchesDirect();
    void cacheFollowsAntialiasing_data();
    void cacheFollowsAntialiasing();
    void painterSettingsLeftBehind_data();
    void painterSettingsLeftBehind();
    void framesAsQtDrawsThem_data();
    void framesAsQtDrawsThem();

private:
    void addThemeRows(const std::function<void(int theme, const QByteArray &prefix)> &addRows);

    std::unique_ptr<QStyle> m_styles[3];
};

void tst_StyleDrawing::initTestCase()
{
    for (int theme = 0; theme < 3; ++theme) {
        m_styles[theme].reset(createCorvaneStyle(theme));
        QVERIFY(m_styles[theme]);
    }
}

void tst_StyleDrawing::addThemeRows(
    const std::function<void(int theme, const QByteArray &prefix)> &addRows)
{
    for (int theme = 0; theme < 3; ++theme)
        addRows(theme, corvaneThemeKey(theme).toLatin1() + ": ");
}

void tst_StyleDrawing::focusNeverShows_data()
{
    QTest::addColumn<int>("theme");
    QTest::addColumn<QString>("drawing");
    const char *const focusable[]
        = { "check on",   "radio on",          "push plain",         "push default", "tool hovered",
            "scroll bar", "slider with ticks", "editable combo box", "group box" };
    addThemeRows([&](int theme, const QByteArray &prefix) {
        for (const char *name : focusable)
            QTest::newRow(prefix + name) << theme << QString::fromLatin1(name);
    });
}

void tst_StyleDrawing::focusNeverShows()
{
    QFETCH(int, theme);
    QFETCH(QString, drawing);
    const QStyle *style = m_styles[theme].get();
    const Drawing *request = drawingNamed(drawing);
    QVERIFY(request);
    const QColor background(120, 90, 60);
    const QImage plain = render(request->size, background, [&](QPainter *painter) {
        request->draw(style, painter, QStyle::State_None);
    });
    const QImage focused = render(request->size, background, [&](QPainter *painter) {
        request->draw(style, painter, QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange);
    });
    QCOMPARE(largestDifference(plain, focused), 0);
}

void tst_StyleDrawing::focusRectangleDrawsNothing_data()
{
    QTest::addColumn<int>("theme");
    QTest::addColumn<int>("kind");
    addThemeRows([](int theme, const QByteArray &prefix) {
        QTest::newRow(prefix + "focus option") << theme << 0;
        QTest::newRow(prefix + "focus at border") << theme << 1;
        QTest::newRow(prefix + "plain option") << theme << 2;
    });
}

void tst_StyleDrawing::focusRectangleDrawsNothing()
{
    QFETCH(int, theme);
    QFETCH(int, kind);
    const QStyle *style = m_styles[theme].get();
    const QColor background(120, 90, 60);
    const QImage image = render(QSize(60, 30), background, [&](QPainter *painter) {
        const QStyle::State state = enabled | QStyle::State_HasFocus;
        QStyleOptionFocusRect focus = optionFor<QStyleOptionFocusRect>(style, QSize(60, 30), state);
        focus.backgroundColor = Qt::white;
        if (kind == 1)
            focus.state |= QStyle::State_FocusAtBorder;
        const QStyleOption plain = optionFor<QStyleOption>(style, QSize(60, 30), state);
        style->drawPrimitive(QStyle::PE_FrameFocusRect, kind == 2 ? &plain : &focus, painter);
    });
    QCOMPARE(largestDifference(image, canvas(QSize(60, 30), background)), 0);
}

void tst_StyleDrawing::checkMarkOnlyWhenChecked_data()
{
    QTest::addColumn<int>("theme");
    QTest::addColumn<bool>("radio");
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("green");
    addThemeRows([](int theme, const QByteArray &prefix) {
        const int on = QStyle::State_On;
        const int off = QStyle::State_Off;
        const int partial = QStyle::State_NoChange;
        const int enabledState = QStyle::State_Enabled;
        QTest::newRow(prefix + "check on") << theme << false << (enabledState | on) << true;
        QTest::newRow(prefix + "check partial")
            << theme << false << (enabledState | partial) << true;
        QTest::newRow(prefix + "check off") << theme << false << (enabledState | off) << false;
        QTest::newRow(prefix + "check disabled on") << theme << false << on << true;
        QTest::newRow(prefix + "check disabled off") << theme << false << off << false;
        QTest::newRow(prefix + "radio on") << theme << true << (enabledState | on) << true;
        QTest::newRow(prefix + "radio off") << theme << true << (enabledState | off) << false;
        QTest::newRow(prefix + "radio disabled on") << theme << true << on << true;
        QTest::newRow(prefix + "radio disabled off") << theme << true << off << false;
    });
}

void tst_StyleDrawing::checkMarkOnlyWhenChecked()
{
    QFETCH(int, theme);
    QFETCH(bool, radio);
    QFETCH(int, state);
    QFETCH(bool, green);
    const QStyle *style = m_styles[theme].get();
    const QImage image = render(QSize(32, 32), Qt::transparent, [&](QPainter *painter) {
        const auto option
            = optionFor<QStyleOptionButton>(style, QSize(32, 32), QStyle::State(state));
        style->drawPrimitive(radio ? QStyle::PE_IndicatorRadioButton : QStyle::PE_IndicatorCheckBox,
                             &option, painter);
    });
    // The indicator itself is always painted, apart from the disabled,
    // unchecked radio button's small hollow.
    QVERIFY(largestDifference(image, canvas(QSize(32, 32), Qt::transparent)) > 0);
    if (green)
        QVERIFY2(greenPixels(image) >= 12, qPrintable(QString::number(greenPixels(image))));
    else
        QCOMPARE(greenPixels(image), 0);
}

void tst_StyleDrawing::flatButtonFill_data()
{
    QTest::addColumn<int>("theme");
    QTest::addColumn<bool>("hover");
    addThemeRows([](int theme, const QByteArray &prefix) {
        QTest::newRow(prefix + "idle") << theme << false;
        QTest::newRow(prefix + "hovered") << theme << true;
    });
}

void tst_StyleDrawing::flatButtonFill()
{
    QFETCH(int, theme);
    QFETCH(bool, hover);
    const QStyle *style = m_styles[theme].get();
    const QColor background(200, 100, 50);
    const QSize size(60, 30);
    QStyleOptionButton option = optionFor<QStyleOptionButton>(
        style, size, hover ? enabled | QStyle::State_MouseOver : enabled);
    option.features = QStyleOptionButton::Flat;
    const QImage image = render(size, background, [&](QPainter *painter) {
        style->drawPrimitive(QStyle::PE_PanelButtonCommand, &option, painter);
    });

    // The dark colour, half transparent unless hovered, over the full rect
    // with rounded corners of radius 7.
    const QColor dark = option.palette.color(QPalette::Dark);
    const QColor expected = hover ? dark
                                  : QColor((dark.red() * 128 + background.red() * 127) / 255,
                                           (dark.green() * 128 + background.green() * 127) / 255,
                                           (dark.blue() * 128 + background.blue() * 127) / 255);
    for (const QPoint &inside : { QPoint(30, 15), QPoint(0, 15), QPoint(59, 15), QPoint(30, 0) })
        QVERIFY2(sameColour(image.pixel(inside), expected),
                 qPrintable(QString::number(inside.x())));
    QVERIFY(sameColour(image.pixel(0, 0), background, 0));

    // A flat button that fills its own background gets no panel at all.
    QPushButton button;
    button.setFlat(true);
    button.setAutoFillBackground(true);
    const QImage onFilling = render(size, background, [&](QPainter *painter) {
        style->drawPrimitive(QStyle::PE_PanelButtonCommand, &option, painter, &button);
    });
    QCOMPARE(largestDifference(onFilling, canvas(size, background)), 0);
    button.setAutoFillBackground(false);
    const QImage onPlain = render(size, background, [&](QPainter *painter) {
        style->drawPrimitive(QStyle::PE_PanelButtonCommand, &option, painter, &button);
    });
    QCOMPARE(largestDifference(onPlain, image), 0);
}

// The left edge at mid height shows the outer ring, two pixels in the inner
// ring; the centre shows the face. Ring colours say which look was chosen.
void tst_StyleDrawing::buttonRings_data()
{
    QTest::addColumn<int>("theme");
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("features");
    QTest::addColumn<int>("outer");
    QTest::addColumn<int>("inner");
    QTest::addColumn<int>("face");
    const int none = QPalette::NoRole;
    addThemeRows([none](int theme, const QByteArray &prefix) {
        const int en = QStyle::State_Enabled;
        const int sunken = QStyle::State_Sunken;
        const int def = QStyleOptionButton::DefaultButton;
        QTest::newRow(prefix + "plain")
            << theme << en << 0 << int(QPalette::Midlight) << int(QPalette::Dark) << none;
        QTest::newRow(prefix + "pressed") << theme << (en | sunken) << 0 << int(QPalette::Light)
                                          << int(QPalette::Mid) << int(QPalette::Dark);
        QTest::newRow(prefix + "default")
            << theme << en << def << int(QPalette::Light) << int(QPalette::Button) << none;
        // Pressed, a default button is not highlighted.
        QTest::newRow(prefix + "default pressed")
            << theme << (en | sunken) << def << int(QPalette::Light) << int(QPalette::Mid)
            << int(QPalette::Dark);
        // Disabled: no rings, the pressed face in the dark colour.
        QTest::newRow(prefix + "disabled")
            << theme << 0 << 0 << int(QPalette::Dark) << int(QPalette::Dark) << int(QPalette::Dark);
        QTest::newRow(prefix + "disabled default") << theme << 0 << def << int(QPalette::Light)
                                                   << int(QPalette::Button) << int(QPalette::Dark);
    });
}

void tst_StyleDrawing::buttonRings()
{
    QFETCH(int, theme);
    QFETCH(int, state);
    QFETCH(int, features);
    QFETCH(int, outer);
    QFETCH(int, inner);
    QFETCH(int, face);
    const QStyle *style = m_styles[theme].get();
    QStyleOptionButton option
        = optionFor<QStyleOptionButton>(style, QSize(60, 30), QStyle::State(state));
    option.features = QStyleOptionButton::ButtonFeatures(features);
    const QImage image = render(QSize(60, 30), Qt::magenta, [&](QPainter *painter) {
        style->drawPrimitive(QStyle::PE_PanelButtonCommand, &option, painter);
    });
    const QPalette &palette = option.palette;
    QVERIFY(sameColour(image.pixel(0, 15), palette.color(QPalette::ColorRole(outer))));
    QVERIFY(sameColour(image.pixel(2, 15), palette.color(QPalette::ColorRole(inner))));
    if (face != QPalette::NoRole)
        QVERIFY(sameColour(image.pixel(30, 15), palette.color(QPalette::ColorRole(face))));
}

void tst_StyleDrawing::buttonLabelColour_data()
{
    QTest::addColumn<int>("theme");
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("features");
    QTest::addColumn<int>("role");
    addThemeRows([](int theme, const QByteArray &prefix) {
        const int en = QStyle::State_Enabled;
        QTest::newRow(prefix + "plain") << theme << en << 0 << int(QPalette::ButtonText);
        QTest::newRow(prefix + "checked")
            << theme << (en | QStyle::State_On) << 0 << int(QPalette::HighlightedText);
        QTest::newRow(prefix + "default") << theme << en << int(QStyleOptionButton::DefaultButton)
                                          << int(QPalette::HighlightedText);
        QTest::newRow(prefix + "checked pressed")
            << theme << (en | QStyle::State_On | QStyle::State_Sunken) << 0
            << int(QPalette::ButtonText);
    });
}

void tst_StyleDrawing::buttonLabelColour()
{
    QFETCH(int, theme);
    QFETCH(int, state);
    QFETCH(int, features);
    QFETCH(int, role);
    const QStyle *style = m_styles[theme].get();
    QStyleOptionButton option
        = optionFor<QStyleOptionButton>(style, QSize(80, 30), QStyle::State(state));
    option.features = QStyleOptionButton::ButtonFeatures(features);
    option.text = QStringLiteral("Label");
    // Text and highlighted text differ in every theme, so the colour tells.
    option.palette.setColor(QPalette::ButtonText, QColor(1, 2, 3));
    option.palette.setColor(QPalette::HighlightedText, QColor(4, 5, 6));
    TextRecorder recorder;
    QPainter painter(&recorder);
    style->drawControl(QStyle::CE_PushButtonLabel, &option, &painter);
    painter.end();
    QCOMPARE(recorder.texts(), QStringList { QStringLiteral("Label") });
    QCOMPARE(recorder.textColours().value(0), option.palette.color(QPalette::ColorRole(role)));
}

// A command link shows a panel only while hovered, pressed or on; the bevel
// of a flat button still asks for its panel.
void tst_StyleDrawing::commandLinkPanel()
{
    const QStyle *style = m_styles[0].get();
    const QColor background(200, 100, 50);
    auto bevel = [&](QStyle::State state, QStyleOptionButton::ButtonFeatures features) {
        auto option = optionFor<QStyleOptionButton>(style, QSize(80, 30), state);
        option.features = features;
        return render(QSize(80, 30), background, [&](QPainter *painter) {
            style->drawControl(QStyle::CE_PushButtonBevel, &option, painter);
        });
    };
    const QImage empty = canvas(QSize(80, 30), background);
    const auto link = QStyleOptionButton::CommandLinkButton;
    QCOMPARE(largestDifference(bevel(enabled, link), empty), 0);
    QVERIFY(largestDifference(bevel(enabled | QStyle::State_MouseOver, link), empty) > 0);
    QVERIFY(largestDifference(bevel(enabled | QStyle::State_Sunken, link), empty) > 0);
    QVERIFY(largestDifference(bevel(enabled | QStyle::State_On, link), empty) > 0);
    QVERIFY(largestDifference(bevel(enabled, QStyleOptionButton::Flat), empty) > 0);
    // A bevel given anything but a button option draws nothing.
    const auto plain = optionFor<QStyleOption>(style, QSize(80, 30), enabled);
    const QImage image = render(QSize(80, 30), background, [&](QPainter *painter) {
        style->drawControl(QStyle::CE_PushButtonBevel, &plain, painter);
    });
    QCOMPARE(largestDifference(image, empty), 0);
}

void tst_StyleDrawing::toolButtonPanels_data()
{
    QTest::addColumn<int>("theme");
    QTest::addColumn<bool>("complex");
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("drawn");
    addThemeRows([](int theme, const QByteArray &prefix) {
        const int autoRaise = QStyle::State_Enabled | QStyle::State_AutoRaise;
        const int raised = QStyle::State_Raised;
        const int hover = QStyle::State_MouseOver;
        QTest::newRow(prefix + "panel idle") << theme << false << autoRaise << false;
        QTest::newRow(prefix + "panel raised") << theme << false << (autoRaise | raised) << true;
        QTest::newRow(prefix + "panel on")
            << theme << false << (autoRaise | QStyle::State_On) << true;
        QTest::newRow(prefix + "panel not auto-raise")
            << theme << false << int(QStyle::State_Enabled | raised) << true;
        // A tool button reports itself raised while merely present; only
        // hovering shows it.
        QTest::newRow(prefix + "button idle") << theme << true << (autoRaise | raised) << false;
        QTest::newRow(prefix + "button hovered")
            << theme << true << (autoRaise | raised | hover) << true;
        QTest::newRow(prefix + "button hovered, disabled")
            << theme << true << int(QStyle::State_AutoRaise | raised | hover) << false;
    });
}

void tst_StyleDrawing::toolButtonPanels()
{
    QFETCH(int, theme);
    QFETCH(bool, complex);
    QFETCH(int, state);
    QFETCH(bool, drawn);
    const QStyle *style = m_styles[theme].get();
    const QColor background(200, 100, 50);
    const QSize size(40, 24);
    auto option = optionFor<QStyleOptionToolButton>(style, size, QStyle::State(state));
    option.subControls = QStyle::SC_ToolButton;
    const QImage image = render(size, background, [&](QPainter *painter) {
        if (complex)
            style->drawComplexControl(QStyle::CC_ToolButton, &option, painter);
        else
            style->drawPrimitive(QStyle::PE_PanelButtonTool, &option, painter);
    });
    QCOMPARE(largestDifference(image, canvas(size, background)) > 0, drawn);
}

void tst_StyleDrawing::groupBoxFrameNeedsFrameOption_data()
{
    QTest::addColumn<int>("theme");
    QTest::addColumn<int>("version");
    QTest::addColumn<bool>("drawn");
    addThemeRows([](int theme, const QByteArray &prefix) {
        // An option older than Qt's own frame option is no frame: Qt 5's is version 3 (1 and 2
        // are older layouts), Qt 6 has one layout, version 1.
        QTest::newRow(prefix + "version 3") << theme << 3 << true;
        QTest::newRow(prefix + "version 2") << theme << 2 << (2 >= QStyleOptionFrame::Version);
        QTest::newRow(prefix + "version 1") << theme << 1 << (1 >= QStyleOptionFrame::Version);
        QTest::newRow(prefix + "plain option") << theme << -1 << false;
    });
}

void tst_StyleDrawing::groupBoxFrameNeedsFrameOption()
{
    QFETCH(int, theme);
    QFETCH(int, version);
    QFETCH(bool, drawn);
    const QStyle *style = m_styles[theme].get();
    const QColor background(200, 100, 50);
    const QSize size(80, 50);
    auto frame = optionFor<QStyleOptionFrame>(style, size, enabled);
    frame.version = qMax(version, 0);
    const auto plain = optionFor<QStyleOption>(style, size, enabled);
    const QImage image = render(size, background, [&](QPainter *painter) {
        style->drawPrimitive(QStyle::PE_FrameGroupBox, version < 0 ? &plain : &frame, painter);
    });
    QCOMPARE(largestDifference(image, canvas(size, background)) > 0, drawn);
}

void tst_StyleDrawing::noOptionDrawsNothing_data()
{
    QTest::addColumn<bool>("primitive");
    QTest::addColumn<int>("element");
    QTest::newRow("default button frame") << true << int(QStyle::PE_FrameDefaultButton);
    QTest::newRow("scroll bar add line") << false << int(QStyle::CE_ScrollBarAddLine);
    QTest::newRow("scroll bar sub line") << false << int(QStyle::CE_ScrollBarSubLine);
    QTest::newRow("scroll bar slider") << false << int(QStyle::CE_ScrollBarSlider);
}

// These draw nothing for an option of another type, and so for a missing
// one: handed to the base style, which reads the option, it would crash.
void tst_StyleDrawing::noOptionDrawsNothing()
{
    QFETCH(bool, primitive);
    QFETCH(int, element);
    const QStyle *style = m_styles[1].get();
    const QColor background(200, 100, 50);
    const QSize size(40, 20);
    const QImage image = render(size, background, [&](QPainter *painter) {
        if (primitive)
            style->drawPrimitive(QStyle::PrimitiveElement(element), nullptr, painter);
        else
            style->drawControl(QStyle::ControlElement(element), nullptr, painter);
    });
    QCOMPARE(largestDifference(image, canvas(size, background)), 0);
}

void tst_StyleDrawing::scrollBarArrows_data()
{
    QTest::addColumn<int>("theme");
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<bool>("addLine");
    QTest::addColumn<Qt::LayoutDirection>("direction");
    QTest::addColumn<bool>("pointsToStart"); // left or up
    addThemeRows([](int theme, const QByteArray &prefix) {
        const auto LTR = Qt::LeftToRight;
        const auto RTL = Qt::RightToLeft;
        QTest::newRow(prefix + "sub line") << theme << true << false << LTR << true;
        QTest::newRow(prefix + "add line") << theme << true << true << LTR << false;
        QTest::newRow(prefix + "rtl sub line") << theme << true << false << RTL << false;
        QTest::newRow(prefix + "rtl add line") << theme << true << true << RTL << true;
        QTest::newRow(prefix + "vertical sub line") << theme << false << false << LTR << true;
        QTest::newRow(prefix + "vertical rtl sub line") << theme << false << false << RTL << true;
        QTest::newRow(prefix + "vertical rtl add line") << theme << false << true << RTL << false;
    });
}

void tst_StyleDrawing::scrollBarArrows()
{
    QFETCH(int, theme);
    QFETCH(bool, horizontal);
    QFETCH(bool, addLine);
    QFETCH(Qt::LayoutDirection, direction);
    QFETCH(bool, pointsToStart);
    const QStyle *style = m_styles[theme].get();
    const QSize size(30, 30);
    auto option = optionFor<QStyleOptionSlider>(style, size, enabled);
    option.orientation = horizontal ? Qt::Horizontal : Qt::Vertical;
    option.direction = direction;
    const QImage image = render(size, Qt::transparent, [&](QPainter *painter) {
        style->drawControl(addLine ? QStyle::CE_ScrollBarAddLine : QStyle::CE_ScrollBarSubLine,
                           &option, painter);
    });
    // The tip's half of the triangle covers less than its base's half.
    int startHalf = 0;
    int endHalf = 0;
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) == 0)
                continue;
            const int along = horizontal ? x : y;
            if (along < size.width() / 2)
                ++startHalf;
            else
                ++endHalf;
        }
    }
    QVERIFY(startHalf + endHalf > 50);
    QCOMPARE(startHalf < endHalf, pointsToStart);
}

void tst_StyleDrawing::dockTitle_data()
{
    QTest::addColumn<int>("theme");
    addThemeRows([](int theme, const QByteArray &prefix) { QTest::newRow(prefix) << theme; });
}

void tst_StyleDrawing::dockTitle()
{
    QFETCH(int, theme);
    const QStyle *style = m_styles[theme].get();
    const QSize size(150, 20);
    const QImage bar = render(size, Qt::magenta, [&](QPainter *painter) {
        dockTitleBar()(style, painter, QStyle::State_None);
    });
    // Bright at the top, dark at the bottom, over the whole bar.
    const QColor button = style->standardPalette().color(QPalette::Button);
    QVERIFY(qGray(bar.pixel(75, 0)) > qGray(bar.pixel(75, 19)));
    QVERIFY(sameColour(bar.pixel(75, 19), button.darker(200), 12));
    QVERIFY(qGray(bar.pixel(75, 0)) >= qGray(button.lighter(200).rgb()));

    // Any other option draws nothing.
    const auto plain = optionFor<QStyleOption>(style, size, enabled);
    const QImage none = render(size, Qt::magenta, [&](QPainter *painter) {
        style->drawControl(QStyle::CE_DockWidgetTitle, &plain, painter);
    });
    QCOMPARE(largestDifference(none, canvas(size, Qt::magenta)), 0);
}

void tst_StyleDrawing::itemTextElidedOnlyInToolButtons()
{
    const QStyle *style = m_styles[0].get();
    const QString text = QStringLiteral("A rather long label for a narrow button");
    const QPalette palette = style->standardPalette();
    TextRecorder recorder;
    QPainter painter(&recorder);

    style->drawItemText(&painter, QRect(0, 0, 40, 20), Qt::AlignLeft, palette, true, text,
                        QPalette::ButtonText);
    QCOMPARE(recorder.texts(), QStringList { text });

    recorder.clear();
    auto toolButton = optionFor<QStyleOptionToolButton>(style, QSize(60, 24), enabled);
    toolButton.text = text;
    toolButton.toolButtonStyle = Qt::ToolButtonTextOnly;
    toolButton.subControls = QStyle::SC_ToolButton;
    style->drawComplexControl(QStyle::CC_ToolButton, &toolButton, &painter);
    QCOMPARE(recorder.texts().size(), 1);
    const QString elided = recorder.texts().constFirst();
    QVERIFY2(elided.endsWith(QChar(0x2026)) && elided.size() < text.size(), qPrintable(elided));
    // A label that fits stays whole.
    recorder.clear();
    toolButton.text = QStringLiteral("OK");
    style->drawComplexControl(QStyle::CC_ToolButton, &toolButton, &painter);
    QCOMPARE(recorder.texts(), QStringList { QStringLiteral("OK") });

    // Outside tool buttons nothing is elided again.
    recorder.clear();
    style->drawItemText(&painter, QRect(0, 0, 40, 20), Qt::AlignLeft, palette, true, text,
                        QPalette::ButtonText);
    auto pushButton = optionFor<QStyleOptionButton>(style, QSize(60, 24), enabled);
    pushButton.text = text;
    style->drawControl(QStyle::CE_PushButton, &pushButton, &painter);
    QCOMPARE(recorder.texts(), (QStringList { text, text }));

    // An empty text draws nothing, whatever its role.
    recorder.clear();
    style->drawItemText(&painter, QRect(0, 0, 40, 20), Qt::AlignLeft, palette, true, QString(),
                        QPalette::ButtonText);
    QVERIFY(recorder.texts().isEmpty());
}

void tst_StyleDrawing::cachedDrawingMatchesDirect_data()
{
    QTest::addColumn<int>("theme");
    QTest::addColumn<QString>("drawing");
    QTest::addColumn<QPointF>("offset");
    addThemeRows([](int theme, const QByteArray &prefix) {
        for (const Drawing &drawing : drawings()) {
            QTest::newRow(prefix + drawing.name)
                << theme << QString::fromLatin1(drawing.name) << QPointF(0, 0);
            QTest::newRow(prefix + drawing.name + " off the pixel grid")
                << theme << QString::fromLatin1(drawing.name) << QPointF(2.5, 1.25);
        }
    });
}

// A raster painter takes the style's drawings from its pixmap cache. A
// painter at an opacity a hair below 1 paints every pixel exactly as an
// opaque one does, but the style draws on it directly: the two must agree
// within rounding, also where the drawing does not start on a whole pixel.
void tst_StyleDrawing::cachedDrawingMatchesDirect()
{
    QFETCH(int, theme);
    QFETCH(QString, drawing);
    QFETCH(QPointF, offset);
    const QStyle *style = m_styles[theme].get();
    const Drawing *request = drawingNamed(drawing);
    QVERIFY(request);
    const QSize size = request->size + QSize(6, 4);
    const QColor background(90, 140, 200);
    auto paint = [&](QPainter *painter) {
        painter->translate(offset);
        request->draw(style, painter, QStyle::State_None);
    };

    // Twice: the first paints and fills the cache, the second takes it.
    render(size, background, paint);
    const QImage cached = render(size, background, paint);
    const QImage direct = render(size, background, [&](QPainter *painter) {
        painter->setOpacity(0.99999);
        paint(painter);
    });

    QVERIFY(largestDifference(cached, canvas(size, background)) > 0);
    // Translucent layers composed in another order round differently in 8
    // bits: up to 3 of 255, nowhere more.
    QVERIFY2(largestDifference(cached, direct) <= 3,
             qPrintable(QString::number(largestDifference(cached, direct))));
}

void tst_StyleDrawing::cacheFollowsAntialiasing_data()
{
    QTest::addColumn<int>("theme");
    addThemeRows(
        [](int theme, const QByteArray &prefix) { QTest::newRow(prefix + "combo box") << theme; });
}

// The combo box frame's outline takes the painter's antialiasing as it finds
// it: a frame cached from a painter without antialiasing must not be served
// to one with it.
void tst_StyleDrawing::cacheFollowsAntialiasing()
{
    QFETCH(int, theme);
    const QStyle *style = m_styles[theme].get();
    const Drawing *request = drawingNamed(QStringLiteral("combo box"));
    QVERIFY(request);
    const QSize size = request->size + QSize(6, 4);
    auto render = [&](bool antialiased, qreal opacity) {
        return ::render(size, QColor(90, 140, 200), [&](QPainter *painter) {
            painter->setRenderHint(QPainter::Antialiasing, antialiased);
            painter->setOpacity(opacity);
            request->draw(style, painter, QStyle::State_None);
        });
    };

    const QImage aliased = render(false, 1); // fills the cache
    const QImage cached = render(true, 1);
    const QImage direct = render(true, 0.99999);
    QVERIFY(largestDifference(aliased, direct) > 3);
    QVERIFY2(largestDifference(cached, direct) <= 3,
             qPrintable(QString::number(largestDifference(cached, direct))));
}

void tst_StyleDrawing::painterSettingsLeftBehind_data()
{
    QTest::addColumn<int>("theme");
    QTest::addColumn<QString>("drawing");
    addThemeRows([](int theme, const QByteArray &prefix) {
        for (const Drawing &drawing : drawings())
            QTest::newRow(prefix + drawing.name) << theme << QString::fromLatin1(drawing.name);
    });
}

// The style leaves pen, brush and hints as its drawing set them (callers rely
// on it); a drawing taken from the cache must do the same.
void tst_StyleDrawing::painterSettingsLeftBehind()
{
    QFETCH(int, theme);
    QFETCH(QString, drawing);
    const QStyle *style = m_styles[theme].get();
    const Drawing *request = drawingNamed(drawing);
    QVERIFY(request);

    TextRecorder recorder(request->size);
    QPainter direct(&recorder);
    request->draw(style, &direct, QStyle::State_None);

    QImage image = canvas(request->size, Qt::transparent);
    for (int round = 0; round < 2; ++round) {
        QPainter cached(&image);
        request->draw(style, &cached, QStyle::State_None);
        QCOMPARE(cached.pen(), direct.pen());
        QCOMPARE(cached.brush(), direct.brush());
        QCOMPARE(cached.renderHints() & QPainter::Antialiasing,
                 direct.renderHints() & QPainter::Antialiasing);
        QCOMPARE(cached.hasClipping(), false);
    }
}

void tst_StyleDrawing::framesAsQtDrawsThem_data()
{
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QTransform>("transform");
    QTest::addColumn<bool>("translucent");
    for (const char *frame : { "box 1", "box 3", "tab widget" }) {
        const QByteArray name(frame);
        QTest::newRow(name + " in place") << QString::fromLatin1(frame) << QTransform() << false;
        QTest::newRow(name + " moved by whole pixels")
            << QString::fromLatin1(frame) << QTransform::fromTranslate(3, 2) << false;
        QTest::newRow(name + " off the pixel grid")
            << QString::fromLatin1(frame) << QTransform::fromTranslate(0.5, 1.25) << false;
        QTest::newRow(name + " scaled")
            << QString::fromLatin1(frame) << QTransform::fromScale(1.5, 1.5) << false;
        QTest::newRow(name + " translucent") << QString::fromLatin1(frame) << QTransform() << true;
    }
}

// The style fills the plain and the tab widget's frames as rectangles where
// that puts the pixels Qt's own qDrawPlainRect and qDrawWinButton put; it must
// never put others.
void tst_StyleDrawing::framesAsQtDrawsThem()
{
    QFETCH(QString, frame);
    QFETCH(QTransform, transform);
    QFETCH(bool, translucent);
    const QStyle *style = m_styles[0].get();
    QStyleOptionFrame option = optionFor<QStyleOptionFrame>(style, QSize(40, 30), {});
    option.frameShape = QFrame::Box;
    option.lineWidth = frame == QLatin1String("box 3") ? 3 : 1;
    if (translucent) {
        for (QPalette::ColorRole role : { QPalette::Light, QPalette::Dark }) {
            QColor color = option.palette.color(role);
            color.setAlpha(128);
            option.palette.setColor(role, color);
        }
    }
    const QSize size(50, 40);
    const QColor background(90, 140, 200);
    const QImage styled = render(size, background, [&](QPainter *painter) {
        painter->setTransform(transform);
        if (frame == QLatin1String("tab widget"))
            style->drawPrimitive(QStyle::PE_FrameTabWidget, &option, painter);
        else
            style->drawControl(QStyle::CE_ShapedFrame, &option, painter);
    });
    const QImage qts = render(size, background, [&](QPainter *painter) {
        painter->setTransform(transform);
        if (frame == QLatin1String("tab widget"))
            qDrawWinButton(painter, option.rect, option.palette, false, nullptr);
        else
            qDrawPlainRect(painter, option.rect, option.palette.color(QPalette::Light),
                           option.lineWidth, nullptr);
    });

    QVERIFY(largestDifference(qts, canvas(size, background)) > 0);
    QCOMPARE(largestDifference(styled, qts), 0);
}

QTEST_MAIN(tst_StyleDrawing)
#include "tst_styledrawing.moc"
