#include "corvanestyle.h"
#include "corvanestylecolors.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitterHandle>

namespace {

struct FontClass
{
    const char *className; // nullptr: the application's default font
    const char *family;
    qreal pointSize;
    int weight; // -1: normal
};

const FontClass fontClasses[] = {
    { nullptr, "verdana", 9, -1 },
    { "small", "verdana", 8, -1 },
    { "mediumbold", "Arial", 12, QFont::DemiBold },
    { "medium", "Arial", 14, -1 },
    { "large", "Arial", 24, -1 },
    { "verylarge", "Arial", 32, -1 },
};

bool wantsHover(const QWidget *widget)
{
    return qobject_cast<const QPushButton *>(widget) || qobject_cast<const QComboBox *>(widget)
        || qobject_cast<const QScrollBar *>(widget);
}

// A flat group box is drawn as a panel; its parent is filled darker so the
// panel stands out. Returns the parent to change, or nullptr.
QWidget *parentOfFlatGroupBox(QWidget *widget)
{
    const QGroupBox *groupBox = qobject_cast<QGroupBox *>(widget);
    if (!groupBox || !groupBox->isFlat())
        return nullptr;
    return widget->parentWidget();
}

} // namespace

QPalette CorvaneStyle::standardPalette() const
{
    using Colors = CorvaneStyleColors;
    const Colors::Theme theme = Colors::theme(m_theme);
    const QColor base(theme.base);
    const QBrush button(base);
    const QBrush light(base.lighter(Colors::Palette_LightFactor));
    const QBrush dark(base.darker(Colors::Palette_DarkFactor));
    const QBrush mid(base.darker(Colors::Palette_MidFactor));
    const QBrush disabledText(base.lighter(Colors::Palette_DisabledTextFactor));
    const QBrush foreground { QColor(theme.foreground) };
    const QBrush brightText { QColor(theme.brightText) };
    const QBrush textBase { QColor(Colors::Palette_Base) };

    QPalette palette;
    for (QPalette::ColorGroup group : { QPalette::Active, QPalette::Inactive }) {
        palette.setColorGroup(group, foreground, button, light, dark, mid, foreground, brightText,
                              textBase, button);
    }
    palette.setColorGroup(QPalette::Disabled, disabledText, button, light, dark, mid, disabledText,
                          brightText, mid, button);
    palette.setColor(QPalette::Highlight, QColor(theme.highlight));
    palette.setColor(QPalette::HighlightedText, QColor(theme.highlightedText));
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    // Qt 5's setColorGroup() makes the placeholder half the foreground; Qt 6's leaves it.
    QColor placeholder(theme.foreground);
    placeholder.setAlpha(Colors::Palette_PlaceholderAlpha);
    for (QPalette::ColorGroup group : { QPalette::Active, QPalette::Inactive, QPalette::Disabled })
        palette.setColor(group, QPalette::PlaceholderText, placeholder);
#endif
    return palette;
}

void CorvaneStyle::polish(QPalette &palette)
{
    palette = standardPalette();
}

void CorvaneStyle::polish(QApplication *app)
{
    QProxyStyle::polish(app);
    for (const FontClass &font : fontClasses) {
        QApplication::setFont(
            QFont(QLatin1String(font.family), qRound(scaled(font.pointSize)), font.weight, false),
            font.className);
    }
}

// The base style's widget polish is left out on purpose: the style decides
// alone what it changes on a widget.
void CorvaneStyle::polish(QWidget *widget)
{
    if (wantsHover(widget) || qobject_cast<QSplitterHandle *>(widget)) {
        widget->setAttribute(Qt::WA_Hover);
        return;
    }
    if (QWidget *parent = parentOfFlatGroupBox(widget)) {
        parent->setBackgroundRole(QPalette::Mid);
        parent->setAutoFillBackground(true);
        widget->setBackgroundRole(QPalette::Window);
    }
}

// Splitter handles are not in the hover list here: once polished, they keep
// reacting to the mouse.
void CorvaneStyle::unpolish(QWidget *widget)
{
    if (wantsHover(widget)) {
        widget->setAttribute(Qt::WA_Hover, false);
        return;
    }
    if (QWidget *parent = parentOfFlatGroupBox(widget)) {
        parent->setBackgroundRole(QPalette::NoRole);
        parent->setAutoFillBackground(false);
        widget->setBackgroundRole(QPalette::NoRole);
    }
}
