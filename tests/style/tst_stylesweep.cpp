// Every request QStyle knows, in all three themes: every primitive, control
// and complex control drawn, and every sub-element, sub-control, metric and
// content size measured, with a plain option, with options of every other
// type and with the right one, with no widget and with widgets the style
// looks at. Nothing may crash or assert; run it under the sanitizers too.

#include "corvanestyleloader.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDockWidget>
#include <QGroupBox>
#include <QImage>
#include <QMetaEnum>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOption>
#include <QtTest>

#include <functional>
#include <memory>
#include <type_traits>
#include <vector>

namespace {

// Shared pointers delete each option as the type it was made as (QStyleOption
// has no virtual destructor).
using OptionList = std::vector<std::shared_ptr<QStyleOption>>;

// Options of every type, filled as widgets would fill them, so that every
// branch has something to work on.
OptionList optionsOfEveryType(const QPalette &palette, QStyle::State state)
{
    OptionList options;
    auto add = [&](auto *option) {
        using Option = std::remove_pointer_t<decltype(option)>;
        option->palette = palette;
        option->rect = QRect(0, 0, 90, 40);
        option->state = state;
        options.push_back(std::shared_ptr<Option>(option));
        return option;
    };
    add(new QStyleOption);
    auto *button = add(new QStyleOptionButton);
    button->text = QStringLiteral("&Button");
    button->features = QStyleOptionButton::DefaultButton | QStyleOptionButton::HasMenu;
    auto *frame = add(new QStyleOptionFrame);
    frame->lineWidth = 2;
    frame->frameShape = QFrame::Box;
    add(new QStyleOptionFocusRect);
    add(new QStyleOptionTabWidgetFrame);
    add(new QStyleOptionTabBarBase);
    auto *header = add(new QStyleOptionHeader);
    header->text = QStringLiteral("Header");
    auto *tab = add(new QStyleOptionTab);
    tab->text = QStringLiteral("Tab");
    add(new QStyleOptionToolBar);
    auto *progress = add(new QStyleOptionProgressBar);
    progress->maximum = 100;
    progress->progress = 40;
    progress->text = QStringLiteral("40%");
    auto *menuItem = add(new QStyleOptionMenuItem);
    menuItem->text = QStringLiteral("Item\tCtrl+I");
    auto *dock = add(new QStyleOptionDockWidget);
    dock->title = QStringLiteral("Dock");
    dock->closable = dock->floatable = true;
    auto *verticalDock = add(new QStyleOptionDockWidget);
    verticalDock->title = QStringLiteral("Vertical");
    verticalDock->verticalTitleBar = true;
    auto *viewItem = add(new QStyleOptionViewItem);
    viewItem->text = QStringLiteral("View item");
    viewItem->features = QStyleOptionViewItem::HasDisplay;
    auto *toolBox = add(new QStyleOptionToolBox);
    toolBox->text = QStringLiteral("Tool box");
    add(new QStyleOptionRubberBand);
    add(new QStyleOptionGraphicsItem);
    // The complex ones.
    add(new QStyleOptionComplex);
    auto *slider = add(new QStyleOptionSlider);
    slider->maximum = 100;
    slider->sliderPosition = slider->sliderValue = 30;
    slider->pageStep = 10;
    slider->tickPosition = QSlider::TicksBothSides;
    slider->tickInterval = 10;
    auto *verticalSlider = add(new QStyleOptionSlider);
    verticalSlider->orientation = Qt::Vertical;
    verticalSlider->maximum = 100;
    verticalSlider->direction = Qt::RightToLeft;
    add(new QStyleOptionSpinBox);
    auto *toolButton = add(new QStyleOptionToolButton);
    toolButton->text = QStringLiteral("A long tool button label");
    toolButton->toolButtonStyle = Qt::ToolButtonTextBesideIcon;
    toolButton->features
        = QStyleOptionToolButton::MenuButtonPopup | QStyleOptionToolButton::HasMenu;
    auto *comboBox = add(new QStyleOptionComboBox);
    comboBox->currentText = QStringLiteral("COM3");
    auto *editable = add(new QStyleOptionComboBox);
    editable->editable = true;
    editable->frame = false;
    auto *titleBar = add(new QStyleOptionTitleBar);
    titleBar->text = QStringLiteral("Title");
    auto *groupBox = add(new QStyleOptionGroupBox);
    groupBox->text = QStringLiteral("Group");
    groupBox->subControls |= QStyle::SC_GroupBoxCheckBox;
    auto *flatGroupBox = add(new QStyleOptionGroupBox);
    flatGroupBox->text = QStringLiteral("Flat");
    flatGroupBox->features = QStyleOptionFrame::Flat;
    flatGroupBox->textColor = Qt::red;
    add(new QStyleOptionSizeGrip);
    // Degenerate ones: empty and inverted rectangles.
    add(new QStyleOptionSlider)->rect = QRect();
    add(new QStyleOptionButton)->rect = QRect(10, 10, -5, -5);
    return options;
}

// The base style warns about every request it has no case for (custom
// values, dials' sub-controls, empty rectangles); during the sweep those
// warnings are expected and dropped, everything else goes to the test log.
class WarningsDropped
{
public:
    WarningsDropped() { s_previous = qInstallMessageHandler(drop); }
    ~WarningsDropped() { qInstallMessageHandler(s_previous); }

private:
    static void drop(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        if (type != QtWarningMsg && s_previous)
            s_previous(type, context, message);
    }
    static QtMessageHandler s_previous;
};

QtMessageHandler WarningsDropped::s_previous = nullptr;

bool isComplex(const QStyleOption *option)
{
    return option->type >= QStyleOption::SO_Complex;
}

template<typename Enum>
void forEachValue(const std::function<void(Enum)> &visit)
{
    const QMetaEnum metaEnum = QMetaEnum::fromType<Enum>();
    for (int i = 0; i < metaEnum.keyCount(); ++i)
        visit(static_cast<Enum>(metaEnum.value(i)));
}

} // namespace

class tst_StyleSweep : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyRequest_data();
    void everyRequest();

private:
    // The widgets the style looks at: none, a plain child, a floating dock
    // widget, a dock title button, an auto-filling flat button, a scroll bar
    // inside a flat group box.
    std::vector<QWidget *> widgets() const;

    QWidget m_window;
    QDockWidget *m_floatingDock = nullptr;
};

void tst_StyleSweep::initTestCase()
{
    QVERIFY(corvaneStylePlugin());
    m_floatingDock = new QDockWidget(QStringLiteral("Floating"), &m_window);
    m_floatingDock->setFloating(true);
    auto *flatButton = new QPushButton(QStringLiteral("Flat"), &m_window);
    flatButton->setFlat(true);
    flatButton->setAutoFillBackground(true);
    auto *groupBox = new QGroupBox(QStringLiteral("Flat"), &m_window);
    groupBox->setFlat(true);
    new QScrollBar(groupBox);
}

std::vector<QWidget *> tst_StyleSweep::widgets() const
{
    std::vector<QWidget *> all { nullptr, const_cast<QWidget *>(&m_window) };
    for (QAbstractButton *button : m_floatingDock->findChildren<QAbstractButton *>()) {
        if (button->inherits("QDockWidgetTitleButton")) {
            all.push_back(button);
            break;
        }
    }
    all.push_back(m_floatingDock);
    all.push_back(m_window.findChild<QPushButton *>());
    all.push_back(m_window.findChild<QScrollBar *>());
    return all;
}

void tst_StyleSweep::everyRequest_data()
{
    QTest::addColumn<int>("theme");
    for (int theme = 0; theme < 3; ++theme)
        QTest::newRow(corvaneThemeKey(theme).toLatin1().constData()) << theme;
}

void tst_StyleSweep::everyRequest()
{
    QFETCH(int, theme);
    std::unique_ptr<QStyle> style(createCorvaneStyle(theme));
    QVERIFY(style);
    const std::vector<QWidget *> widgetsToTry = widgets();
    QCOMPARE(widgetsToTry.size(), size_t(6));

    const WarningsDropped quiet;
    QImage image(120, 60, QImage::Format_ARGB32_Premultiplied);
    int requests = 0;
    const QStyle::State states[] = {
        QStyle::State_None,
        QStyle::State_Enabled | QStyle::State_On | QStyle::State_Sunken | QStyle::State_MouseOver
            | QStyle::State_HasFocus | QStyle::State_Horizontal | QStyle::State_AutoRaise
            | QStyle::State_Raised,
        QStyle::State_Enabled | QStyle::State_Off | QStyle::State_NoChange,
    };
    for (QStyle::State state : states) {
        const OptionList options = optionsOfEveryType(style->standardPalette(), state);
        for (QWidget *widget : widgetsToTry) {
            image.fill(Qt::gray);
            QPainter painter(&image);
            // For some widgets at an opacity that keeps the style from using
            // its pixmap cache, so the drawing code itself runs every time.
            if (widget == widgetsToTry.front() || widget == widgetsToTry.back())
                painter.setOpacity(0.99999);
            for (const auto &option : options) {
                const QStyleOption *opt = option.get();
                forEachValue<QStyle::PrimitiveElement>([&](QStyle::PrimitiveElement element) {
                    style->drawPrimitive(element, opt, &painter, widget);
                    ++requests;
                });
                forEachValue<QStyle::ControlElement>([&](QStyle::ControlElement element) {
                    style->drawControl(element, opt, &painter, widget);
                    ++requests;
                });
                forEachValue<QStyle::SubElement>([&](QStyle::SubElement element) {
                    // Qt's common style reads the tab bar's direction from
                    // the widget for these two without checking for one.
                    const bool needsWidget = element == QStyle::SE_TabBarScrollLeftButton
                        || element == QStyle::SE_TabBarScrollRightButton;
                    if (needsWidget && !widget)
                        return;
                    style->subElementRect(element, opt, widget);
                    ++requests;
                });
                forEachValue<QStyle::PixelMetric>([&](QStyle::PixelMetric metric) {
                    style->pixelMetric(metric, opt, widget);
                    style->pixelMetric(metric, nullptr, widget);
                    ++requests;
                });
                forEachValue<QStyle::ContentsType>([&](QStyle::ContentsType type) {
                    style->sizeFromContents(type, opt, QSize(40, 12), widget);
                    style->sizeFromContents(type, opt, QSize(), widget);
                    ++requests;
                });
                if (!isComplex(opt))
                    continue;
                const auto *complex = static_cast<const QStyleOptionComplex *>(opt);
                forEachValue<QStyle::ComplexControl>([&](QStyle::ComplexControl control) {
                    style->drawComplexControl(control, complex, &painter, widget);
                    style->hitTestComplexControl(control, complex, QPoint(5, 5), widget);
                    forEachValue<QStyle::SubControl>([&](QStyle::SubControl subControl) {
                        style->subControlRect(control, complex, subControl, widget);
                        ++requests;
                    });
                });
            }
            QVERIFY(painter.isActive());
        }
    }
    // Something close to all of them was asked.
    QVERIFY2(requests > 50000, qPrintable(QString::number(requests)));
}

QTEST_MAIN(tst_StyleSweep)
#include "tst_stylesweep.moc"
