// The three colour themes, the application fonts and what the style changes
// on widgets, checked on styles made by the loaded plugin.

#include "corvanestyleloader.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QMetaEnum>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QSplitterHandle>
#include <QStyleFactory>
#include <QtTest>

#include <memory>

namespace {

// Each theme is made of a base, a foreground, a bright text, a highlight and
// a highlighted-text colour.
struct Theme
{
    QRgb base;
    QRgb foreground;
    QRgb brightText;
    QRgb highlight;
    QRgb highlightedText;
};

const Theme themes[] = {
    { qRgb(0x44, 0x44, 0x44), qRgb(0xff, 0xff, 0xff), qRgb(0xff, 0xff, 0xff),
      qRgb(0xfd, 0xee, 0x24), qRgb(0, 0, 0) },
    { qRgb(0x1c, 0x56, 0x93), qRgb(0xf4, 0xf3, 0xf4), qRgb(0xf4, 0xf3, 0xf4),
      qRgb(0x1c, 0x56, 0x93), qRgb(0xff, 0xff, 0xff) },
    { qRgb(0xf4, 0xf3, 0xf4), qRgb(0x21, 0x21, 0x21), qRgb(0xff, 0xff, 0xff),
      qRgb(0x91, 0x91, 0x93), qRgb(0, 0, 0) },
};

QRgb average(QRgb a, QRgb b)
{
    return qRgb((qRed(a) + qRed(b)) / 2, (qGreen(a) + qGreen(b)) / 2, (qBlue(a) + qBlue(b)) / 2);
}

// What the palette must hold, including the roles Qt derives from the nine
// brushes of a colour group (midlight, alternate base, button text, ...).
QRgb expectedColour(const Theme &theme, QPalette::ColorGroup group, QPalette::ColorRole role)
{
    const QColor base(theme.base);
    const QRgb light = base.lighter(150).rgb();
    const QRgb dark = base.darker(200).rgb();
    const QRgb mid = base.darker(150).rgb();
    const bool disabled = group == QPalette::Disabled;
    const QRgb text = disabled ? base.lighter(200).rgb() : theme.foreground;
    const QRgb baseRole = disabled ? mid : qRgb(0, 0, 0);

    switch (role) {
    case QPalette::Window:
    case QPalette::Button:
        return theme.base;
    case QPalette::Light:
        return light;
    case QPalette::Dark:
        return dark;
    case QPalette::Mid:
        return mid;
    case QPalette::Midlight:
        return average(theme.base, light);
    case QPalette::WindowText:
    case QPalette::Text:
    case QPalette::ButtonText:
        return text;
    case QPalette::PlaceholderText: // half the foreground, in every group
        return (theme.foreground & 0xffffff) | 0x80000000;
    case QPalette::BrightText:
        return theme.brightText;
    case QPalette::Base:
        return baseRole;
    case QPalette::AlternateBase:
        return average(baseRole, theme.base);
    case QPalette::Shadow:
    case QPalette::ToolTipText:
        return qRgb(0, 0, 0);
    case QPalette::Highlight:
        return theme.highlight;
    case QPalette::HighlightedText:
        return theme.highlightedText;
    case QPalette::Link:
        return qRgb(0, 0, 255);
    case QPalette::LinkVisited:
        return qRgb(255, 0, 255);
    case QPalette::ToolTipBase:
        return qRgb(255, 255, 220);
    default:
        break;
    }
    return 0;
}

bool isOneOfTheNineOrHighlight(QPalette::ColorRole role)
{
    switch (role) {
    case QPalette::WindowText:
    case QPalette::Button:
    case QPalette::Light:
    case QPalette::Dark:
    case QPalette::Mid:
    case QPalette::Text:
    case QPalette::BrightText:
    case QPalette::Base:
    case QPalette::Window:
    case QPalette::Highlight:
    case QPalette::HighlightedText:
        return true;
    default:
        return false;
    }
}

} // namespace

class tst_StyleTheme : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void palette_data();
    void palette();
    void polishPalette();
    void fonts_data();
    void fonts();
    void hoverPolish_data();
    void hoverPolish();
    void flatGroupBoxPolish();
    void otherGroupBoxesUntouched();

private:
    std::unique_ptr<QStyle> m_styles[3];
};

void tst_StyleTheme::initTestCase()
{
    for (int theme = 0; theme < 3; ++theme) {
        m_styles[theme].reset(createCorvaneStyle(theme));
        QVERIFY2(m_styles[theme], qPrintable(corvaneStylePluginPath()));
    }
}

void tst_StyleTheme::palette_data()
{
    QTest::addColumn<int>("theme");
    QTest::addColumn<QPalette::ColorGroup>("group");
    QTest::addColumn<QPalette::ColorRole>("role");

    const QMetaEnum roles = QMetaEnum::fromType<QPalette::ColorRole>();
    const QMetaEnum groups = QMetaEnum::fromType<QPalette::ColorGroup>();
    for (int theme = 0; theme < 3; ++theme) {
        for (QPalette::ColorGroup group :
             { QPalette::Active, QPalette::Inactive, QPalette::Disabled }) {
            for (int role = 0; role < QPalette::NColorRoles; ++role) {
                if (role == QPalette::NoRole)
                    continue;
                QTest::addRow("%s/%s/%s", qPrintable(corvaneThemeKey(theme)),
                              groups.valueToKey(group), roles.valueToKey(role))
                    << theme << group << QPalette::ColorRole(role);
            }
        }
    }
}

void tst_StyleTheme::palette()
{
    QFETCH(int, theme);
    QFETCH(QPalette::ColorGroup, group);
    QFETCH(QPalette::ColorRole, role);

    const QPalette palette = m_styles[theme]->standardPalette();
    const QBrush brush = palette.brush(group, role);
    QCOMPARE(QString::number(brush.color().rgba(), 16),
             QString::number(expectedColour(themes[theme], group, role), 16));
    if (isOneOfTheNineOrHighlight(role))
        QCOMPARE(brush.style(), Qt::SolidPattern);
}

void tst_StyleTheme::polishPalette()
{
    for (int theme = 0; theme < 3; ++theme) {
        QPalette palette(Qt::red);
        m_styles[theme]->polish(palette);
        QCOMPARE(palette, m_styles[theme]->standardPalette());
        QCOMPARE(palette.color(QPalette::Window), QColor(themes[theme].base));
    }
}

void tst_StyleTheme::fonts_data()
{
    QTest::addColumn<QByteArray>("className"); // empty: the default font
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("pointSize");
    QTest::addColumn<int>("weight");
    QTest::newRow("default") << QByteArray() << "verdana" << 9 << int(QFont::Normal);
    QTest::newRow("small") << QByteArray("small") << "verdana" << 8 << int(QFont::Normal);
    QTest::newRow("mediumbold") << QByteArray("mediumbold") << "Arial" << 12
                                << int(QFont::DemiBold);
    QTest::newRow("medium") << QByteArray("medium") << "Arial" << 14 << int(QFont::Normal);
    QTest::newRow("large") << QByteArray("large") << "Arial" << 24 << int(QFont::Normal);
    QTest::newRow("verylarge") << QByteArray("verylarge") << "Arial" << 32 << int(QFont::Normal);
}

void tst_StyleTheme::fonts()
{
    QFETCH(QByteArray, className);
    QFETCH(QString, family);
    QFETCH(int, pointSize);
    QFETCH(int, weight);

    // The application owns and deletes the style it is given.
    QApplication::setStyle(createCorvaneStyle(1));
    const QFont font
        = className.isEmpty() ? QApplication::font() : QApplication::font(className.constData());
    QCOMPARE(font.family(), family);
    QCOMPARE(font.pointSize(), pointSize);
    QCOMPARE(font.weight(), weight);
    QVERIFY(!font.italic());
}

void tst_StyleTheme::hoverPolish_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("keptAfterUnpolish");
    QTest::newRow("push button") << "QPushButton" << false;
    QTest::newRow("combo box") << "QComboBox" << false;
    QTest::newRow("scroll bar") << "QScrollBar" << false;
    QTest::newRow("splitter handle") << "QSplitterHandle" << true;
}

void tst_StyleTheme::hoverPolish()
{
    QFETCH(QString, kind);
    QFETCH(bool, keptAfterUnpolish);

    QSplitter splitter;
    std::unique_ptr<QWidget> widget;
    if (kind == QLatin1String("QPushButton"))
        widget.reset(new QPushButton);
    else if (kind == QLatin1String("QComboBox"))
        widget.reset(new QComboBox);
    else if (kind == QLatin1String("QScrollBar"))
        widget.reset(new QScrollBar);
    else
        widget.reset(new QSplitterHandle(Qt::Horizontal, &splitter));
    QCOMPARE(widget->metaObject()->className(), qPrintable(kind));

    QStyle *style = m_styles[0].get();
    widget->setAttribute(Qt::WA_Hover, false);
    style->polish(widget.get());
    QVERIFY(widget->testAttribute(Qt::WA_Hover));
    style->unpolish(widget.get());
    QCOMPARE(widget->testAttribute(Qt::WA_Hover), keptAfterUnpolish);

    // Other widgets are left alone.
    QWidget plain;
    style->polish(&plain);
    QVERIFY(!plain.testAttribute(Qt::WA_Hover));
}

void tst_StyleTheme::flatGroupBoxPolish()
{
    // The outer window has its own role, so a role given back to NoRole shows
    // as the inherited one.
    QWidget window;
    window.setBackgroundRole(QPalette::Dark);
    QWidget *parent = new QWidget(&window);
    QGroupBox *groupBox = new QGroupBox(parent);
    groupBox->setFlat(true);

    QStyle *style = m_styles[1].get();
    style->polish(groupBox);
    QCOMPARE(parent->backgroundRole(), QPalette::Mid);
    QVERIFY(parent->autoFillBackground());
    QCOMPARE(groupBox->backgroundRole(), QPalette::Window);

    style->unpolish(groupBox);
    QCOMPARE(parent->backgroundRole(), QPalette::Dark);
    QVERIFY(!parent->autoFillBackground());
    QCOMPARE(groupBox->backgroundRole(), QPalette::Dark);
}

void tst_StyleTheme::otherGroupBoxesUntouched()
{
    QStyle *style = m_styles[1].get();

    QWidget parent;
    parent.setBackgroundRole(QPalette::Base);
    QGroupBox framed(&parent);
    framed.setBackgroundRole(QPalette::Light);
    style->polish(&framed);
    QCOMPARE(parent.backgroundRole(), QPalette::Base);
    QVERIFY(!parent.autoFillBackground());
    QCOMPARE(framed.backgroundRole(), QPalette::Light);
    style->unpolish(&framed);
    QCOMPARE(parent.backgroundRole(), QPalette::Base);
    QCOMPARE(framed.backgroundRole(), QPalette::Light);

    QGroupBox orphan;
    orphan.setFlat(true);
    orphan.setBackgroundRole(QPalette::Light);
    style->polish(&orphan);
    QCOMPARE(orphan.backgroundRole(), QPalette::Light);
    QVERIFY(!orphan.autoFillBackground());
    style->unpolish(&orphan);
    QCOMPARE(orphan.backgroundRole(), QPalette::Light);
}

QTEST_MAIN(tst_StyleTheme)
#include "tst_styletheme.moc"
