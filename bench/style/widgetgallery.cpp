#include "widgetgallery.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QSize GallerySize(960, 640);

// The same icon in every style: a filled circle.
QIcon galleryIcon()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(0x3a, 0x8f, 0xd0));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QRectF(2, 2, 12, 12));
    return QIcon(pixmap);
}

QGroupBox *groupBox(const QString &title, QLayout *layout)
{
    auto *box = new QGroupBox(title);
    box->setLayout(layout);
    return box;
}

QSlider *slider(Qt::Orientation orientation, QSlider::TickPosition ticks, int value)
{
    auto *slider = new QSlider(orientation);
    slider->setRange(0, 100);
    slider->setValue(value);
    slider->setTickPosition(ticks);
    slider->setTickInterval(10);
    return slider;
}

QComboBox *comboBox(bool editable, bool enabled)
{
    auto *combo = new QComboBox;
    combo->addItems({ QStringLiteral("COM3"), QStringLiteral("/dev/ttyUSB0") });
    combo->setEditable(editable);
    combo->setEnabled(enabled);
    return combo;
}

QToolButton *toolButton(Qt::ToolButtonStyle buttonStyle, bool checked)
{
    auto *button = new QToolButton;
    button->setIcon(galleryIcon());
    button->setText(QStringLiteral("Tool"));
    button->setToolButtonStyle(buttonStyle);
    button->setAutoRaise(true);
    button->setCheckable(checked);
    button->setChecked(checked);
    return button;
}

} // namespace

WidgetGallery::WidgetGallery(QWidget *parent)
    : QMainWindow(parent)
{
    auto *central = new QWidget;
    auto *grid = new QGridLayout(central);
    grid->addWidget(createButtons(), 0, 0);
    grid->addWidget(createIndicators(), 0, 1);
    grid->addWidget(createInputs(), 0, 2, 2, 1);
    grid->addWidget(createTools(), 1, 0);
    grid->addWidget(createGroups(), 1, 1);
    grid->addWidget(createTabs(), 2, 0, 1, 3);
    setCentralWidget(central);
    createDock();
    resize(GallerySize);
}

QWidget *WidgetGallery::createButtons()
{
    auto *layout = new QVBoxLayout;
    layout->addWidget(new QPushButton(QStringLiteral("Normal")));
    auto *defaultButton = new QPushButton(QStringLiteral("Default"));
    defaultButton->setDefault(true);
    layout->addWidget(defaultButton);
    auto *checked = new QPushButton(QStringLiteral("Checked"));
    checked->setCheckable(true);
    checked->setChecked(true);
    layout->addWidget(checked);
    auto *pressed = new QPushButton(QStringLiteral("Pressed"));
    pressed->setDown(true);
    layout->addWidget(pressed);
    auto *flat = new QPushButton(QStringLiteral("Flat"));
    flat->setFlat(true);
    layout->addWidget(flat);
    auto *disabled = new QPushButton(QStringLiteral("Disabled"));
    disabled->setEnabled(false);
    layout->addWidget(disabled);
    return groupBox(QStringLiteral("Push buttons"), layout);
}

QWidget *WidgetGallery::createIndicators()
{
    auto *layout = new QGridLayout;
    layout->addWidget(new QCheckBox(QStringLiteral("Unchecked")), 0, 0);
    auto *checked = new QCheckBox(QStringLiteral("Checked"));
    checked->setChecked(true);
    layout->addWidget(checked, 1, 0);
    auto *partial = new QCheckBox(QStringLiteral("Partial"));
    partial->setTristate(true);
    partial->setCheckState(Qt::PartiallyChecked);
    layout->addWidget(partial, 2, 0);
    auto *disabled = new QCheckBox(QStringLiteral("Disabled"));
    disabled->setChecked(true);
    disabled->setEnabled(false);
    layout->addWidget(disabled, 3, 0);
    auto *radioOn = new QRadioButton(QStringLiteral("Chosen"));
    radioOn->setChecked(true);
    layout->addWidget(radioOn, 0, 1);
    layout->addWidget(new QRadioButton(QStringLiteral("Other")), 1, 1);
    auto *radioOff = new QRadioButton(QStringLiteral("Disabled"));
    radioOff->setEnabled(false);
    layout->addWidget(radioOff, 2, 1);
    return groupBox(QStringLiteral("Check boxes and radio buttons"), layout);
}

QWidget *WidgetGallery::createInputs()
{
    auto *layout = new QGridLayout;
    layout->addWidget(comboBox(false, true), 0, 0, 1, 2);
    layout->addWidget(comboBox(true, true), 1, 0, 1, 2);
    layout->addWidget(comboBox(false, false), 2, 0, 1, 2);
    layout->addWidget(slider(Qt::Horizontal, QSlider::NoTicks, 30), 3, 0, 1, 2);
    layout->addWidget(slider(Qt::Horizontal, QSlider::TicksBelow, 50), 4, 0, 1, 2);
    layout->addWidget(slider(Qt::Horizontal, QSlider::TicksBothSides, 70), 5, 0, 1, 2);
    auto *scrollBar = new QScrollBar(Qt::Horizontal);
    scrollBar->setRange(0, 100);
    scrollBar->setPageStep(20);
    scrollBar->setValue(40);
    layout->addWidget(scrollBar, 6, 0, 1, 2);
    layout->addWidget(slider(Qt::Vertical, QSlider::TicksRight, 60), 7, 0);
    auto *verticalBar = new QScrollBar(Qt::Vertical);
    verticalBar->setRange(0, 100);
    verticalBar->setValue(70);
    layout->addWidget(verticalBar, 7, 1);
    auto *progress = new QProgressBar;
    progress->setValue(40);
    layout->addWidget(progress, 8, 0, 1, 2);
    return groupBox(QStringLiteral("Inputs"), layout);
}

QWidget *WidgetGallery::createTools()
{
    auto *layout = new QHBoxLayout;
    layout->addWidget(toolButton(Qt::ToolButtonIconOnly, false));
    layout->addWidget(toolButton(Qt::ToolButtonIconOnly, true));
    layout->addWidget(toolButton(Qt::ToolButtonTextBesideIcon, false));
    auto *menuButton = toolButton(Qt::ToolButtonTextBesideIcon, false);
    auto *menu = new QMenu(menuButton);
    menu->addAction(QStringLiteral("First"));
    menuButton->setMenu(menu);
    menuButton->setPopupMode(QToolButton::MenuButtonPopup);
    layout->addWidget(menuButton);
    auto *plain = new QToolButton;
    plain->setText(QStringLiteral("..."));
    layout->addWidget(plain);
    return groupBox(QStringLiteral("Tool buttons"), layout);
}

QWidget *WidgetGallery::createGroups()
{
    auto *checkable = groupBox(QStringLiteral("Checkable group"), new QVBoxLayout);
    checkable->setCheckable(true);
    checkable->layout()->addWidget(new QLabel(QStringLiteral("Inside a checkable group")));
    auto *flat = groupBox(QStringLiteral("Flat group"), new QVBoxLayout);
    flat->setFlat(true);
    flat->layout()->addWidget(new QLabel(QStringLiteral("Inside a flat group")));
    auto *layout = new QVBoxLayout;
    layout->addWidget(checkable);
    layout->addWidget(flat);
    auto *holder = new QWidget;
    holder->setLayout(layout);
    return holder;
}

QWidget *WidgetGallery::createTabs()
{
    auto *tabs = new QTabWidget;
    auto *page = new QWidget;
    auto *layout = new QHBoxLayout(page);
    layout->addWidget(new QPushButton(QStringLiteral("On a tab")));
    layout->addWidget(new QCheckBox(QStringLiteral("Option")));
    layout->addWidget(comboBox(false, true));
    tabs->addTab(page, QStringLiteral("USB"));
    tabs->addTab(new QLabel(QStringLiteral("Second page")), QStringLiteral("BLE"));
    tabs->addTab(new QLabel(QStringLiteral("Third page")), QStringLiteral("Settings"));
    return tabs;
}

void WidgetGallery::createDock()
{
    auto *dock = new QDockWidget(QStringLiteral("Log"), this);
    auto *list = new QListWidget;
    list->addItems({ QStringLiteral("Connected."), QStringLiteral("Device ready to start update"),
                     QStringLiteral("UPGRADE IS DONE") });
    dock->setWidget(list);
    addDockWidget(Qt::RightDockWidgetArea, dock);
}

void WidgetGallery::applyStyle(QStyle *style)
{
    setStyle(style);
    const QList<QWidget *> children = findChildren<QWidget *>();
    for (QWidget *child : children)
        child->setStyle(style);
    setPalette(style->standardPalette());
    // Size hints changed with the style: let the layouts place everything again.
    QApplication::sendPostedEvents();
    if (layout())
        layout()->activate();
    QApplication::sendPostedEvents();
}
