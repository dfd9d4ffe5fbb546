#include "gallerypage.h"

#include "stateswatch.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QSplitter>
#include <QStyle>
#include <QStyleOption>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// A titled block of captioned items, laid out in rows of a few columns.
class Section
{
public:
    Section(const QString &title, int columns)
        : m_widget(new QWidget)
        , m_grid(new QGridLayout)
        , m_columns(columns)
    {
        auto *layout = new QVBoxLayout(m_widget);
        layout->setContentsMargins(0, 0, 0, 0);
        auto *heading = new QLabel(title);
        QFont bold = heading->font();
        bold.setBold(true);
        heading->setFont(bold);
        layout->addWidget(heading);
        layout->addLayout(m_grid);
        m_grid->setHorizontalSpacing(12);
        m_grid->setVerticalSpacing(4);
    }

    void add(QWidget *item, const QString &caption, int columnSpan = 1)
    {
        auto *cell = new QWidget;
        auto *layout = new QVBoxLayout(cell);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(2);
        layout->addWidget(item, 0, Qt::AlignHCenter | Qt::AlignBottom);
        auto *label = new QLabel(caption);
        QFont small = label->font();
        small.setPointSize(7);
        label->setFont(small);
        layout->addWidget(label, 0, Qt::AlignHCenter | Qt::AlignTop);
        m_grid->addWidget(cell, m_next / m_columns, m_next % m_columns, 1, columnSpan);
        m_next += columnSpan;
    }

    QWidget *widget() const { return m_widget; }

private:
    QWidget *m_widget;
    QGridLayout *m_grid;
    int m_columns;
    int m_next = 0;
};

// The option a widget of the given kind would pass, for the swatch itself.
template<typename Option>
Option optionFor(QWidget *swatch, QStyle::State extraState)
{
    Option option;
    option.initFrom(swatch);
    option.rect = swatch->rect();
    option.state |= extraState;
    return option;
}

StateSwatch *pushButtonSwatch(const QString &text, QStyleOptionButton::ButtonFeatures features,
                              QStyle::State state)
{
    return new StateSwatch(QSize(100, 30), [=](QPainter *painter, const QStyle *style, QWidget *w) {
        auto option = optionFor<QStyleOptionButton>(w, state);
        option.text = text;
        option.features = features;
        style->drawControl(QStyle::CE_PushButton, &option, painter, w);
    });
}

StateSwatch *comboBoxSwatch(const QString &text, QStyle::State state, QStyle::SubControls active)
{
    return new StateSwatch(QSize(120, 26), [=](QPainter *painter, const QStyle *style, QWidget *w) {
        auto option = optionFor<QStyleOptionComboBox>(w, state);
        option.currentText = text;
        option.frame = true;
        option.subControls = QStyle::SC_All;
        option.activeSubControls = active;
        style->drawComplexControl(QStyle::CC_ComboBox, &option, painter, w);
        style->drawControl(QStyle::CE_ComboBoxLabel, &option, painter, w);
    });
}

StateSwatch *scrollBarSwatch(Qt::Orientation orientation, QStyle::State state,
                             QStyle::SubControls active)
{
    const QSize size = orientation == Qt::Horizontal ? QSize(160, 15) : QSize(15, 120);
    return new StateSwatch(size, [=](QPainter *painter, const QStyle *style, QWidget *w) {
        auto option = optionFor<QStyleOptionSlider>(w, state);
        option.orientation = orientation;
        if (orientation == Qt::Horizontal)
            option.state |= QStyle::State_Horizontal;
        option.minimum = 0;
        option.maximum = 100;
        option.sliderPosition = option.sliderValue = 30;
        option.singleStep = 1;
        option.pageStep = 25;
        option.subControls = QStyle::SC_All;
        option.activeSubControls = active;
        style->drawComplexControl(QStyle::CC_ScrollBar, &option, painter, w);
    });
}

StateSwatch *toolButtonSwatch(const QString &text,
                              QStyleOptionToolButton::ToolButtonFeatures features,
                              QStyle::State state, QStyle::SubControls active)
{
    return new StateSwatch(QSize(96, 28), [=](QPainter *painter, const QStyle *style, QWidget *w) {
        auto option = optionFor<QStyleOptionToolButton>(w, QStyle::State_AutoRaise | state);
        option.text = text;
        option.icon = style->standardIcon(QStyle::SP_MediaPlay);
        option.iconSize = QSize(16, 16);
        option.toolButtonStyle = Qt::ToolButtonTextBesideIcon;
        option.features = features;
        option.subControls = QStyle::SC_ToolButton;
        if (features & QStyleOptionToolButton::MenuButtonPopup)
            option.subControls |= QStyle::SC_ToolButtonMenu;
        option.activeSubControls = active;
        option.font = w->font();
        style->drawComplexControl(QStyle::CC_ToolButton, &option, painter, w);
    });
}

// What a dock widget's title button paints, as in its own paint event, for a
// hovered or pressed look.
void paintTitleButton(QPainter *painter, const QStyle *style, QAbstractButton *button,
                      const QRect &rect, const QIcon &icon, QStyle::State state)
{
    QStyleOptionToolButton option;
    option.initFrom(button);
    option.rect = QRect(QPoint(0, 0), rect.size());
    option.state |= QStyle::State_AutoRaise | state;
    painter->save();
    painter->translate(rect.topLeft());
    if (style->styleHint(QStyle::SH_DockWidget_ButtonsHaveFrame, nullptr, button))
        style->drawPrimitive(QStyle::PE_PanelButtonTool, &option, painter, button);
    option.icon = icon;
    option.subControls = QStyle::SC_None;
    option.activeSubControls = QStyle::SC_None;
    option.features = QStyleOptionToolButton::None;
    option.arrowType = Qt::NoArrow;
    // The button's size hint is its icon size plus the margins.
    const int margin
        = style->pixelMetric(QStyle::PM_DockWidgetTitleBarButtonMargin, nullptr, button);
    const int iconSize = button->sizeHint().width() - 2 * margin;
    option.iconSize = QSize(iconSize, iconSize);
    style->drawComplexControl(QStyle::CC_ToolButton, &option, painter, button);
    painter->restore();
}

QAbstractButton *titleButton(QDockWidget *dock, const char *name)
{
    return dock->findChild<QAbstractButton *>(QLatin1String(name));
}

// A dock widget's frame and title bar as the dock paints them itself, with the
// close button pressed and the float button hovered. On platforms with window
// decorations for floating docks (the offscreen one among them) a floating
// dock never paints its own title bar, so this shows what the style gives it.
StateSwatch *dockSwatch(QDockWidget *dock, const QSize &size)
{
    return new StateSwatch(size, [dock](QPainter *painter, const QStyle *style, QWidget *w) {
        const int frameWidth = style->pixelMetric(QStyle::PM_DockWidgetFrameWidth, nullptr, dock);
        const int titleMargin = style->pixelMetric(QStyle::PM_DockWidgetTitleMargin, nullptr, dock);
        const int buttonMargin
            = style->pixelMetric(QStyle::PM_DockWidgetTitleBarButtonMargin, nullptr, dock);
        const int iconSize = style->pixelMetric(QStyle::PM_SmallIconSize, nullptr, dock);
        const int titleHeight
            = qMax(iconSize + 2 * buttonMargin + 2, w->fontMetrics().height() + 2 * titleMargin);

        painter->fillRect(w->rect(), w->palette().window());
        if (dock->isFloating()) {
            auto frame = optionFor<QStyleOptionFrame>(w, QStyle::State_None);
            frame.lineWidth = frameWidth;
            style->drawPrimitive(QStyle::PE_FrameDockWidget, &frame, painter, dock);
        }
        auto title = optionFor<QStyleOptionDockWidget>(w, QStyle::State_None);
        title.rect = QRect(frameWidth, frameWidth, w->width() - 2 * frameWidth, titleHeight);
        title.title = dock->windowTitle();
        title.closable = title.floatable = title.movable = true;
        style->drawControl(QStyle::CE_DockWidgetTitle, &title, painter, dock);

        paintTitleButton(painter, style, titleButton(dock, "qt_dockwidget_closebutton"),
                         style->subElementRect(QStyle::SE_DockWidgetCloseButton, &title, dock),
                         style->standardIcon(QStyle::SP_TitleBarCloseButton, nullptr, dock),
                         QStyle::State_Sunken);
        paintTitleButton(painter, style, titleButton(dock, "qt_dockwidget_floatbutton"),
                         style->subElementRect(QStyle::SE_DockWidgetFloatButton, &title, dock),
                         style->standardIcon(QStyle::SP_TitleBarNormalButton, nullptr, dock),
                         QStyle::State_Raised | QStyle::State_MouseOver);

        const QRect contents
            = w->rect().adjusted(frameWidth, frameWidth + titleHeight, -frameWidth, -frameWidth);
        style->drawItemText(painter, contents, Qt::AlignCenter, w->palette(), true,
                            dock->isFloating() ? QStringLiteral("floating")
                                               : QStringLiteral("docked"),
                            QPalette::WindowText);
    });
}

QPushButton *pushButton(const QString &text)
{
    return new QPushButton(text);
}

QSlider *slider(Qt::Orientation orientation, QSlider::TickPosition ticks, int length = 140)
{
    auto *slider = new QSlider(orientation);
    slider->setRange(0, 100);
    slider->setValue(35);
    slider->setTickInterval(10);
    slider->setTickPosition(ticks);
    if (orientation == Qt::Horizontal)
        slider->setFixedWidth(length);
    else
        slider->setFixedHeight(length);
    return slider;
}

QWidget *withChildren(QWidget *parent, std::initializer_list<QWidget *> children)
{
    auto *layout = new QVBoxLayout(parent);
    for (QWidget *child : children)
        layout->addWidget(child);
    return parent;
}

QFrame *boxFrame(QFrame::Shape shape, QFrame::Shadow shadow, const QString &text)
{
    auto *frame = new QLabel(text);
    frame->setAlignment(Qt::AlignCenter);
    frame->setFrameStyle(shape | shadow);
    frame->setLineWidth(1);
    frame->setMinimumSize(80, 40);
    return frame;
}

} // namespace

GalleryPage::GalleryPage(QWidget *parent)
    : QWidget(parent)
{
    setAutoFillBackground(true);
    auto *layout = new QGridLayout(this);
    layout->setHorizontalSpacing(28);
    layout->setVerticalSpacing(18);
    layout->setContentsMargins(16, 16, 16, 16);

    const QList<QList<QWidget *>> columns = {
        { pushButtons(), checkAndRadioButtons(), comboBoxes(), frames() },
        { scrollBars(), sliders(), toolButtons(), splitters() },
        { groupBoxes(), dockWidgets(), tabsAndProgress(), icons() },
    };
    for (int column = 0; column < columns.size(); ++column) {
        auto *stack = new QVBoxLayout;
        stack->setSpacing(18);
        for (QWidget *section : columns.at(column))
            stack->addWidget(section);
        stack->addStretch();
        layout->addLayout(stack, 0, column, Qt::AlignTop);
    }
}

QWidget *GalleryPage::pushButtons()
{
    Section section(QStringLiteral("Push buttons"), 4);
    section.add(pushButton(QStringLiteral("Plain")), QStringLiteral("plain"));
    auto *defaultButton = pushButton(QStringLiteral("Default"));
    defaultButton->setDefault(true);
    section.add(defaultButton, QStringLiteral("default"));
    auto *checked = pushButton(QStringLiteral("Checked"));
    checked->setCheckable(true);
    checked->setChecked(true);
    section.add(checked, QStringLiteral("checked"));
    auto *flat = pushButton(QStringLiteral("Flat"));
    flat->setFlat(true);
    section.add(flat, QStringLiteral("flat"));
    auto *disabled = pushButton(QStringLiteral("Disabled"));
    disabled->setEnabled(false);
    section.add(disabled, QStringLiteral("disabled"));
    auto *disabledDefault = pushButton(QStringLiteral("Disabled"));
    disabledDefault->setDefault(true);
    disabledDefault->setEnabled(false);
    section.add(disabledDefault, QStringLiteral("disabled default"));
    auto *withMenu = pushButton(QStringLiteral("Menu"));
    withMenu->setMenu(new QMenu(withMenu));
    section.add(withMenu, QStringLiteral("with menu"));
    auto *autoFillFlat = pushButton(QStringLiteral("Auto-fill"));
    autoFillFlat->setFlat(true);
    autoFillFlat->setAutoFillBackground(true);
    section.add(autoFillFlat, QStringLiteral("flat, auto-fill"));

    using B = QStyleOptionButton;
    section.add(pushButtonSwatch(QStringLiteral("Hovered"), B::None, QStyle::State_MouseOver),
                QStringLiteral("hovered"));
    section.add(pushButtonSwatch(QStringLiteral("Pressed"), B::None,
                                 QStyle::State_Sunken | QStyle::State_MouseOver),
                QStringLiteral("pressed"));
    section.add(
        pushButtonSwatch(QStringLiteral("Default"), B::DefaultButton, QStyle::State_MouseOver),
        QStringLiteral("default hovered"));
    section.add(pushButtonSwatch(QStringLiteral("Default"), B::DefaultButton, QStyle::State_Sunken),
                QStringLiteral("default pressed"));
    section.add(pushButtonSwatch(QStringLiteral("Checked"), B::None,
                                 QStyle::State_On | QStyle::State_Sunken),
                QStringLiteral("checked pressed"));
    section.add(pushButtonSwatch(QStringLiteral("Flat"), B::Flat, QStyle::State_MouseOver),
                QStringLiteral("flat hovered"));
    section.add(pushButtonSwatch(QStringLiteral("Link"), B::CommandLinkButton, QStyle::State_None),
                QStringLiteral("command link"));
    section.add(
        pushButtonSwatch(QStringLiteral("Link"), B::CommandLinkButton, QStyle::State_MouseOver),
        QStringLiteral("link hovered"));
    return section.widget();
}

QWidget *GalleryPage::checkAndRadioButtons()
{
    Section section(QStringLiteral("Check boxes and radio buttons"), 4);
    auto *on = new QCheckBox(QStringLiteral("On"));
    on->setChecked(true);
    section.add(on, QStringLiteral("on"));
    section.add(new QCheckBox(QStringLiteral("Off")), QStringLiteral("off"));
    auto *partial = new QCheckBox(QStringLiteral("Partial"));
    partial->setTristate(true);
    partial->setCheckState(Qt::PartiallyChecked);
    section.add(partial, QStringLiteral("partial"));
    auto *disabledOn = new QCheckBox(QStringLiteral("On"));
    disabledOn->setChecked(true);
    disabledOn->setEnabled(false);
    section.add(disabledOn, QStringLiteral("disabled on"));
    auto *disabledOff = new QCheckBox(QStringLiteral("Off"));
    disabledOff->setEnabled(false);
    section.add(disabledOff, QStringLiteral("disabled off"));

    auto radio = [](const QString &text, bool checked, bool enabled) {
        auto *button = new QRadioButton(text);
        button->setAutoExclusive(false);
        button->setChecked(checked);
        button->setEnabled(enabled);
        return button;
    };
    section.add(radio(QStringLiteral("On"), true, true), QStringLiteral("radio on"));
    section.add(radio(QStringLiteral("Off"), false, true), QStringLiteral("radio off"));
    section.add(radio(QStringLiteral("On"), true, false), QStringLiteral("disabled on"));
    section.add(radio(QStringLiteral("Off"), false, false), QStringLiteral("disabled off"));
    return section.widget();
}

QWidget *GalleryPage::comboBoxes()
{
    Section section(QStringLiteral("Combo boxes"), 3);
    const QStringList items
        = { QStringLiteral("COM3"), QStringLiteral("COM4"), QStringLiteral("ttyUSB0") };
    auto *plain = new QComboBox;
    plain->addItems(items);
    section.add(plain, QStringLiteral("plain"));
    auto *editable = new QComboBox;
    editable->setEditable(true);
    editable->addItems(items);
    section.add(editable, QStringLiteral("editable"));
    auto *disabled = new QComboBox;
    disabled->addItems(items);
    disabled->setEnabled(false);
    section.add(disabled, QStringLiteral("disabled"));
    auto *unframed = new QComboBox;
    unframed->addItems(items);
    unframed->setFrame(false);
    section.add(unframed, QStringLiteral("no frame"));
    section.add(comboBoxSwatch(QStringLiteral("COM3"), QStyle::State_HasFocus, QStyle::SC_None),
                QStringLiteral("focused"));
    section.add(
        comboBoxSwatch(QStringLiteral("COM3"), QStyle::State_Sunken, QStyle::SC_ComboBoxArrow),
        QStringLiteral("arrow pressed"));
    return section.widget();
}

QWidget *GalleryPage::scrollBars()
{
    Section section(QStringLiteral("Scroll bars"), 2);
    auto *horizontal = new QScrollBar(Qt::Horizontal);
    horizontal->setRange(0, 100);
    horizontal->setValue(30);
    horizontal->setFixedWidth(160);
    section.add(horizontal, QStringLiteral("horizontal"));
    auto *rightToLeft = new QScrollBar(Qt::Horizontal);
    rightToLeft->setRange(0, 100);
    rightToLeft->setValue(30);
    rightToLeft->setFixedWidth(160);
    rightToLeft->setLayoutDirection(Qt::RightToLeft);
    section.add(rightToLeft, QStringLiteral("right to left"));
    section.add(
        scrollBarSwatch(Qt::Horizontal, QStyle::State_MouseOver, QStyle::SC_ScrollBarSlider),
        QStringLiteral("handle hovered"));
    section.add(scrollBarSwatch(Qt::Horizontal, QStyle::State_MouseOver | QStyle::State_Sunken,
                                QStyle::SC_ScrollBarAddLine),
                QStringLiteral("arrow pressed"));
    section.add(
        scrollBarSwatch(Qt::Horizontal, QStyle::State_MouseOver, QStyle::SC_ScrollBarAddPage),
        QStringLiteral("page hovered (no look)"));

    auto *verticals = new QWidget;
    auto *row = new QHBoxLayout(verticals);
    row->setContentsMargins(0, 0, 0, 0);
    auto *vertical = new QScrollBar(Qt::Vertical);
    vertical->setRange(0, 100);
    vertical->setValue(60);
    vertical->setFixedHeight(120);
    row->addWidget(vertical);
    row->addWidget(
        scrollBarSwatch(Qt::Vertical, QStyle::State_MouseOver, QStyle::SC_ScrollBarSlider));
    row->addWidget(
        scrollBarSwatch(Qt::Vertical, QStyle::State_MouseOver, QStyle::SC_ScrollBarSubLine));
    auto *disabled = new QScrollBar(Qt::Vertical);
    disabled->setFixedHeight(120);
    disabled->setEnabled(false);
    row->addWidget(disabled);
    section.add(verticals,
                QStringLiteral("vertical: plain, handle hovered, arrow hovered, disabled"));
    return section.widget();
}

QWidget *GalleryPage::sliders()
{
    Section section(QStringLiteral("Sliders"), 2);
    section.add(slider(Qt::Horizontal, QSlider::NoTicks), QStringLiteral("no ticks"));
    section.add(slider(Qt::Horizontal, QSlider::TicksBelow), QStringLiteral("ticks below"));
    section.add(slider(Qt::Horizontal, QSlider::TicksAbove), QStringLiteral("ticks above"));
    section.add(slider(Qt::Horizontal, QSlider::TicksBothSides),
                QStringLiteral("ticks both sides"));
    auto *disabled = slider(Qt::Horizontal, QSlider::TicksBelow);
    disabled->setEnabled(false);
    section.add(disabled, QStringLiteral("disabled"));

    auto *verticals = new QWidget;
    auto *row = new QHBoxLayout(verticals);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(slider(Qt::Vertical, QSlider::NoTicks, 100));
    row->addWidget(slider(Qt::Vertical, QSlider::TicksLeft, 100));
    row->addWidget(slider(Qt::Vertical, QSlider::TicksBothSides, 100));
    section.add(verticals, QStringLiteral("vertical"));
    return section.widget();
}

QWidget *GalleryPage::toolButtons()
{
    Section section(QStringLiteral("Tool buttons"), 3);
    auto toolButton = [this](const QString &text, bool autoRaise) {
        auto *button = new QToolButton;
        button->setText(text);
        button->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setAutoRaise(autoRaise);
        return button;
    };
    section.add(toolButton(QStringLiteral("Idle"), true), QStringLiteral("auto-raise idle"));
    auto *checked = toolButton(QStringLiteral("Checked"), true);
    checked->setCheckable(true);
    checked->setChecked(true);
    section.add(checked, QStringLiteral("auto-raise checked"));
    section.add(toolButton(QStringLiteral("Plain"), false), QStringLiteral("not auto-raise"));
    auto *menuPopup = toolButton(QStringLiteral("Split"), true);
    menuPopup->setMenu(new QMenu(menuPopup));
    menuPopup->setPopupMode(QToolButton::MenuButtonPopup);
    section.add(menuPopup, QStringLiteral("menu-button popup"));
    auto *instant = toolButton(QStringLiteral("Menu"), true);
    instant->setMenu(new QMenu(instant));
    instant->setPopupMode(QToolButton::InstantPopup);
    section.add(instant, QStringLiteral("instant popup"));
    auto *elided = toolButton(QStringLiteral("A rather long label"), false);
    elided->setFixedWidth(90);
    section.add(elided, QStringLiteral("elided label"));

    using T = QStyleOptionToolButton;
    section.add(toolButtonSwatch(QStringLiteral("Hovered"), T::None,
                                 QStyle::State_MouseOver | QStyle::State_Raised,
                                 QStyle::SC_ToolButton),
                QStringLiteral("hovered"));
    section.add(toolButtonSwatch(QStringLiteral("Pressed"), T::None,
                                 QStyle::State_MouseOver | QStyle::State_Sunken,
                                 QStyle::SC_ToolButton),
                QStringLiteral("pressed"));
    section.add(
        toolButtonSwatch(QStringLiteral("Split"), T::MenuButtonPopup | T::HasMenu,
                         QStyle::State_MouseOver | QStyle::State_Raised | QStyle::State_Sunken,
                         QStyle::SC_ToolButtonMenu),
        QStringLiteral("menu part pressed"));
    return section.widget();
}

QWidget *GalleryPage::groupBoxes()
{
    Section section(QStringLiteral("Group boxes"), 2);
    auto *titled = new QGroupBox(QStringLiteral("Titled"));
    section.add(withChildren(titled,
                             { new QCheckBox(QStringLiteral("Option")),
                               slider(Qt::Horizontal, QSlider::NoTicks, 120) }),
                QStringLiteral("titled"));
    auto *checkable = new QGroupBox(QStringLiteral("Checkable"));
    checkable->setCheckable(true);
    section.add(withChildren(checkable,
                             { new QRadioButton(QStringLiteral("Choice")),
                               pushButton(QStringLiteral("Button")) }),
                QStringLiteral("checkable"));

    // Flat group boxes turn their parent mid-coloured: each gets a parent of
    // its own so the rest of the page keeps its colour.
    auto flatBox = [](QGroupBox *box, std::initializer_list<QWidget *> children) {
        box->setFlat(true);
        withChildren(box, children);
        auto *holder = new QWidget;
        auto *layout = new QVBoxLayout(holder);
        layout->setContentsMargins(6, 6, 6, 6);
        layout->addWidget(box);
        return holder;
    };
    section.add(flatBox(new QGroupBox(QStringLiteral("Flat")),
                        { slider(Qt::Horizontal, QSlider::NoTicks, 120),
                          new QCheckBox(QStringLiteral("Option")) }),
                QStringLiteral("flat"));
    auto *flatCheckable = new QGroupBox(QStringLiteral("Flat checkable"));
    flatCheckable->setCheckable(true);
    auto *flatScrollBar = new QScrollBar(Qt::Horizontal);
    flatScrollBar->setFixedWidth(120);
    section.add(flatBox(flatCheckable, { flatScrollBar, pushButton(QStringLiteral("Button")) }),
                QStringLiteral("flat checkable"));
    return section.widget();
}

QWidget *GalleryPage::dockWidgets()
{
    Section section(QStringLiteral("Dock widgets"), 2);

    // A main window as a child widget, with a tool bar and two docked widgets.
    auto *window = new QMainWindow;
    window->setWindowFlags(Qt::Widget);
    window->setFixedSize(330, 210);
    auto *toolBar = window->addToolBar(QStringLiteral("Tools"));
    toolBar->addAction(style()->standardIcon(QStyle::SP_MediaPlay), QStringLiteral("Play"));
    toolBar->addAction(style()->standardIcon(QStyle::SP_MediaPause), QStringLiteral("Pause"));
    auto *central = new QTextEdit(QStringLiteral("Central widget"));
    window->setCentralWidget(central);
    auto *docked = new QDockWidget(QStringLiteral("Docked"), window);
    docked->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable
                        | QDockWidget::DockWidgetFloatable);
    docked->setWidget(new QLabel(QStringLiteral("  contents  ")));
    window->addDockWidget(Qt::BottomDockWidgetArea, docked);
    auto *vertical = new QDockWidget(QStringLiteral("Vertical"), window);
    vertical->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetFloatable
                          | QDockWidget::DockWidgetVerticalTitleBar);
    vertical->setWidget(new QLabel(QStringLiteral(" side ")));
    window->addDockWidget(Qt::LeftDockWidgetArea, vertical);
    section.add(window, QStringLiteral("docked, vertical title bar, tool bar"), 2);

    section.add(dockSwatch(docked, QSize(180, 70)), QStringLiteral("close pressed, float hovered"));

    // Never shown: a floating dock is a window of its own.
    auto *floating = new QDockWidget(QStringLiteral("Floating"), this);
    floating->setFloating(true);
    floating->hide();
    section.add(dockSwatch(floating, QSize(180, 70)), QStringLiteral("floating"));

    auto resizeHandle = [](const QSize &size, QStyle::State state) {
        return new StateSwatch(size, [state](QPainter *painter, const QStyle *style, QWidget *w) {
            auto option = optionFor<QStyleOption>(w, state);
            style->drawPrimitive(QStyle::PE_IndicatorDockWidgetResizeHandle, &option, painter, w);
        });
    };
    auto *handles = new QWidget;
    auto *row = new QHBoxLayout(handles);
    row->addWidget(resizeHandle(QSize(80, 6), QStyle::State_Horizontal));
    row->addWidget(resizeHandle(QSize(80, 6), QStyle::State_Horizontal | QStyle::State_MouseOver));
    row->addWidget(resizeHandle(QSize(6, 40), QStyle::State_None));
    row->addWidget(resizeHandle(QSize(6, 40), QStyle::State_MouseOver));
    section.add(handles, QStringLiteral("resize handles: plain, hovered"), 2);
    return section.widget();
}

QWidget *GalleryPage::splitters()
{
    Section section(QStringLiteral("Splitters"), 2);
    auto splitter = [](Qt::Orientation orientation) {
        auto *splitter = new QSplitter(orientation);
        splitter->addWidget(boxFrame(QFrame::Box, QFrame::Plain, QStringLiteral("one")));
        splitter->addWidget(boxFrame(QFrame::Box, QFrame::Plain, QStringLiteral("two")));
        splitter->setHandleWidth(7);
        return splitter;
    };
    section.add(splitter(Qt::Horizontal), QStringLiteral("horizontal"));
    section.add(splitter(Qt::Vertical), QStringLiteral("vertical"));
    auto handle = [](const QSize &size, QStyle::State state) {
        return new StateSwatch(size, [state](QPainter *painter, const QStyle *style, QWidget *w) {
            auto option = optionFor<QStyleOption>(w, state);
            style->drawControl(QStyle::CE_Splitter, &option, painter, w);
        });
    };
    auto *handles = new QWidget;
    auto *row = new QHBoxLayout(handles);
    row->addWidget(handle(QSize(7, 50), QStyle::State_Horizontal | QStyle::State_MouseOver));
    row->addWidget(handle(QSize(80, 7), QStyle::State_MouseOver));
    section.add(handles, QStringLiteral("handles hovered"), 2);
    return section.widget();
}

QWidget *GalleryPage::frames()
{
    Section section(QStringLiteral("Frames and line edits"), 3);
    section.add(boxFrame(QFrame::Box, QFrame::Plain, QStringLiteral("Box")),
                QStringLiteral("box, plain"));
    section.add(boxFrame(QFrame::Box, QFrame::Sunken, QStringLiteral("Box")),
                QStringLiteral("box, sunken"));
    section.add(boxFrame(QFrame::StyledPanel, QFrame::Plain, QStringLiteral("Panel")),
                QStringLiteral("styled panel"));
    auto *edit = new QLineEdit(QStringLiteral("Line edit"));
    edit->setFixedWidth(110);
    section.add(edit, QStringLiteral("line edit"));
    auto *disabled = new QLineEdit(QStringLiteral("Disabled"));
    disabled->setFixedWidth(110);
    disabled->setEnabled(false);
    section.add(disabled, QStringLiteral("disabled"));
    return section.widget();
}

QWidget *GalleryPage::tabsAndProgress()
{
    Section section(QStringLiteral("Tabs and progress"), 1);
    auto *tabs = new QTabWidget;
    tabs->addTab(new QLabel(QStringLiteral("  USB page  ")), QStringLiteral("USB"));
    tabs->addTab(new QLabel(QStringLiteral("  BLE page  ")), QStringLiteral("BLE"));
    tabs->addTab(new QWidget, QStringLiteral("Log"));
    tabs->setTabEnabled(2, false);
    tabs->setFixedSize(260, 80);
    section.add(tabs, QStringLiteral("tabs (third disabled)"));
    auto *progress = new QProgressBar;
    progress->setValue(62);
    progress->setFixedWidth(260);
    section.add(progress, QStringLiteral("progress bar"));
    return section.widget();
}

QWidget *GalleryPage::icons()
{
    Section section(QStringLiteral("Standard icons (normal, disabled, selected)"), 1);
    const QStyle::StandardPixmap messageBoxIcons[]
        = { QStyle::SP_MessageBoxInformation, QStyle::SP_MessageBoxWarning,
            QStyle::SP_MessageBoxCritical, QStyle::SP_MessageBoxQuestion };
    auto *messageBoxes = new QWidget;
    auto *row = new QHBoxLayout(messageBoxes);
    row->setContentsMargins(0, 0, 0, 0);
    for (QStyle::StandardPixmap icon : messageBoxIcons) {
        auto *label = new QLabel;
        label->setPixmap(style()->standardIcon(icon).pixmap(32));
        row->addWidget(label);
        auto *small = new QLabel;
        small->setPixmap(style()->standardIcon(icon).pixmap(16));
        row->addWidget(small);
    }
    section.add(messageBoxes, QStringLiteral("message boxes, 32 and 16 pixels"));

    const uint artwork[] = { QStyle::SP_TitleBarCloseButton,
                             QStyle::SP_TitleBarNormalButton,
                             QStyle::SP_ArrowUp,
                             QStyle::SP_ArrowDown,
                             QStyle::SP_ArrowLeft,
                             QStyle::SP_ArrowRight,
                             QStyle::SP_MediaPlay,
                             QStyle::SP_MediaPause,
                             QStyle::SP_MediaSkipForward,
                             QStyle::SP_MediaSkipBackward,
                             QStyle::SP_CustomBase + 0,
                             QStyle::SP_CustomBase + 1,
                             QStyle::SP_CustomBase + 2,
                             QStyle::SP_CustomBase + 3,
                             QStyle::SP_CustomBase + 4,
                             QStyle::SP_CustomBase + 5 };
    auto *grid = new QWidget;
    auto *gridLayout = new QGridLayout(grid);
    gridLayout->setContentsMargins(0, 0, 0, 0);
    gridLayout->setSpacing(4);
    const QIcon::Mode modes[] = { QIcon::Normal, QIcon::Disabled, QIcon::Selected };
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < int(std::size(artwork)); ++column) {
            const QIcon icon
                = style()->standardIcon(static_cast<QStyle::StandardPixmap>(artwork[column]));
            auto *label = new QLabel;
            label->setPixmap(icon.pixmap(16, modes[row]));
            gridLayout->addWidget(label, row, column);
        }
    }
    section.add(grid, QStringLiteral("title bar, arrows, media, the style's own six"));
    return section.widget();
}
