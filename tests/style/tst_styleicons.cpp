// The style's standard icons from its artwork, its cache, and the tinting of
// white artwork for the disabled, active and selected icon modes.

#include "corvanestyleloader.h"

#include <QApplication>
#include <QIcon>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(QIcon::Mode)

namespace {

QStyle::StandardPixmap custom(int n)
{
    return QStyle::StandardPixmap(QStyle::SP_CustomBase + n);
}

QImage rendered(const QIcon &icon, int side, QIcon::Mode mode = QIcon::Normal)
{
    return icon.pixmap(side, mode).toImage().convertToFormat(QImage::Format_ARGB32);
}

// Test image: opaque white, half-transparent white, near-white, red, and a
// translucent grey.
QImage tintSample()
{
    QImage image(5, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(255, 255, 255, 255));
    image.setPixel(1, 0, qRgba(255, 255, 255, 128));
    image.setPixel(2, 0, qRgba(254, 255, 255, 255));
    image.setPixel(3, 0, qRgba(200, 0, 0, 255));
    image.setPixel(4, 0, qRgba(128, 128, 128, 255));
    return image;
}

// Compares two ARGB values, allowing one step of rounding on the colour of
// translucent pixels (a pixmap keeps them premultiplied).
bool sameColour(QRgb actual, QRgb expected)
{
    if (qAlpha(actual) != qAlpha(expected))
        return false;
    const int slack = qAlpha(expected) == 255 ? 0 : 1;
    return qAbs(qRed(actual) - qRed(expected)) <= slack
        && qAbs(qGreen(actual) - qGreen(expected)) <= slack
        && qAbs(qBlue(actual) - qBlue(expected)) <= slack;
}

QByteArray describe(QRgb rgba)
{
    return QByteArray::number(rgba, 16);
}

} // namespace

class tst_StyleIcons : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void iconFiles_data();
    void iconFiles();
    void messageBoxIconSizes();
    void iconCache();
    void baseStyleIcons();
    void tint_data();
    void tint();
    void tintWithoutOption();
    void disabledIconThroughQt();

private:
    std::unique_ptr<QStyle> m_styles[3];
    std::unique_ptr<QStyle> m_windows;
};

void tst_StyleIcons::initTestCase()
{
    for (int theme = 0; theme < 3; ++theme) {
        m_styles[theme].reset(createCorvaneStyle(theme));
        QVERIFY2(m_styles[theme], qPrintable(corvaneStylePluginPath()));
    }
    m_windows.reset(QStyleFactory::create(QStringLiteral("Windows")));
    QVERIFY(m_windows);
}

void tst_StyleIcons::iconFiles_data()
{
    QTest::addColumn<QStyle::StandardPixmap>("standardPixmap");
    QTest::addColumn<QString>("file");
    const struct
    {
        QStyle::StandardPixmap standardPixmap;
        const char *name;
    } vectorIcons[] = {
        { QStyle::SP_TitleBarCloseButton, "close" },
        { QStyle::SP_TitleBarNormalButton, "normalwindow" },
        { QStyle::SP_ArrowUp, "ArrowUp" },
        { QStyle::SP_ArrowDown, "ArrowDown" },
        { QStyle::SP_ArrowLeft, "ArrowLeft" },
        { QStyle::SP_ArrowRight, "ArrowRight" },
        { QStyle::SP_MediaPlay, "MediaPlay" },
        { QStyle::SP_MediaPause, "MediaPause" },
        { QStyle::SP_MediaSkipForward, "SkipForward" },
        { QStyle::SP_MediaSkipBackward, "SkipBackward" },
        { custom(0), "Settings" },
        { custom(1), "plus" },
        { custom(2), "edit" },
        { custom(3), "Screenshot" },
        { custom(4), "Menu" },
        { custom(5), "Back" },
    };
    for (const auto &icon : vectorIcons) {
        QTest::newRow(icon.name)
            << icon.standardPixmap
            << QStringLiteral(":Icons/svg/%1.svg").arg(QLatin1String(icon.name));
    }
}

// Every icon of the table shows its file, at the file's own proportions.
void tst_StyleIcons::iconFiles()
{
    QFETCH(QStyle::StandardPixmap, standardPixmap);
    QFETCH(QString, file);

    const QIcon icon = m_styles[1]->standardIcon(standardPixmap);
    QVERIFY(!icon.isNull());
    const QIcon fromFile(file);
    QCOMPARE(icon.actualSize(QSize(64, 64)), fromFile.actualSize(QSize(64, 64)));
    for (int side : { 16, 32, 48 }) {
        const QImage image = rendered(icon, side);
        QVERIFY(!image.isNull());
        QCOMPARE(image, rendered(fromFile, side));
    }
}

void tst_StyleIcons::messageBoxIconSizes()
{
    const struct
    {
        QStyle::StandardPixmap standardPixmap;
        const char *name;
    } messageIcons[] = {
        { QStyle::SP_MessageBoxInformation, "info" },
        { QStyle::SP_MessageBoxWarning, "warn" },
        { QStyle::SP_MessageBoxCritical, "stop" },
        { QStyle::SP_MessageBoxQuestion, "question" },
    };
    for (const auto &entry : messageIcons) {
        const QIcon icon = m_styles[0]->standardIcon(entry.standardPixmap);
        QCOMPARE(icon.availableSizes(), (QList<QSize> { QSize(16, 16), QSize(32, 32) }));
        for (int side : { 16, 32 }) {
            const QImage file(
                QStringLiteral(":Icons/%1x%1/%2.png").arg(side).arg(QLatin1String(entry.name)));
            // Compared premultiplied, as pixmaps hold them: turning faint pixels back into
            // straight alpha rounds differently on different processors.
            QCOMPARE(
                icon.pixmap(side).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
                file.convertToFormat(QImage::Format_ARGB32_Premultiplied));
        }
    }
}

void tst_StyleIcons::iconCache()
{
    QStyle *style = m_styles[2].get();
    for (QStyle::StandardPixmap standardPixmap :
         { QStyle::SP_MessageBoxWarning, custom(0), QStyle::SP_MediaStop }) {
        const QIcon first = style->standardIcon(standardPixmap);
        QVERIFY(!first.isNull());
        QCOMPARE(style->standardIcon(standardPixmap).cacheKey(), first.cacheKey());
    }
    // A second style object has its own icons.
    QVERIFY(m_styles[1]->standardIcon(QStyle::SP_MessageBoxWarning).cacheKey()
            != style->standardIcon(QStyle::SP_MessageBoxWarning).cacheKey());
}

// What the style has no artwork for comes from the Windows base style.
void tst_StyleIcons::baseStyleIcons()
{
    for (QStyle::StandardPixmap standardPixmap :
         { QStyle::SP_MediaStop, QStyle::SP_DirIcon, QStyle::SP_DialogOkButton }) {
        const QIcon expected = m_windows->standardIcon(standardPixmap);
        const QIcon icon = m_styles[0]->standardIcon(standardPixmap);
        QCOMPARE(icon.isNull(), expected.isNull());
        if (expected.isNull())
            continue;
        QCOMPARE(rendered(icon, 16), rendered(expected, 16));
    }
    QVERIFY(!m_styles[0]->standardIcon(QStyle::SP_MediaStop).isNull());
    QVERIFY(rendered(m_styles[0]->standardIcon(QStyle::SP_MediaStop), 16)
            != rendered(m_styles[0]->standardIcon(QStyle::SP_MediaPause), 16));

    // Past the style's own numbers nothing is known; asking twice is harmless.
    QVERIFY(m_styles[0]->standardIcon(custom(6)).isNull());
    QVERIFY(m_styles[0]->standardIcon(custom(6)).isNull());
}

void tst_StyleIcons::tint_data()
{
    QTest::addColumn<int>("theme");
    QTest::addColumn<QIcon::Mode>("mode");
    QTest::addColumn<QRgb>("tint"); // 0: the image stays as it is

    const QRgb highlights[]
        = { qRgb(0xfd, 0xee, 0x24), qRgb(0x1c, 0x56, 0x93), qRgb(0x91, 0x91, 0x93) };
    const QRgb bases[] = { qRgb(0x44, 0x44, 0x44), qRgb(0x1c, 0x56, 0x93), qRgb(0xf4, 0xf3, 0xf4) };
    for (int theme = 0; theme < 3; ++theme) {
        const QByteArray key = corvaneThemeKey(theme).toLatin1();
        const QRgb disabledText = QColor(bases[theme]).lighter(200).rgb();
        QTest::addRow("%s normal", key.constData()) << theme << QIcon::Normal << QRgb(0);
        QTest::addRow("%s disabled", key.constData()) << theme << QIcon::Disabled << disabledText;
        QTest::addRow("%s active", key.constData()) << theme << QIcon::Active << highlights[theme];
        QTest::addRow("%s selected", key.constData())
            << theme << QIcon::Selected << highlights[theme];
    }
}

void tst_StyleIcons::tint()
{
    QFETCH(int, theme);
    QFETCH(QIcon::Mode, mode);
    QFETCH(QRgb, tint);

    QStyle *style = m_styles[theme].get();
    QStyleOption option;
    option.palette = style->standardPalette();
    const QImage sample = tintSample();
    const QImage result = style->generatedIconPixmap(mode, QPixmap::fromImage(sample), &option)
                              .toImage()
                              .convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(result.size(), sample.size());

    for (int x = 0; x < sample.width(); ++x) {
        const QRgb original = sample.pixel(x, 0);
        const bool white = (original & 0xffffff) == 0xffffff;
        const QRgb expected
            = white && tint ? (tint & 0xffffff) | (original & 0xff000000) : original;
        QVERIFY2(sameColour(result.pixel(x, 0), expected),
                 "pixel " + QByteArray::number(x) + ": " + describe(result.pixel(x, 0))
                     + " != " + describe(expected));
    }
}

void tst_StyleIcons::tintWithoutOption()
{
    const QPalette saved = QApplication::palette();
    QPalette palette;
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(10, 20, 30));
    palette.setColor(QPalette::Active, QPalette::Highlight, QColor(40, 50, 60));
    QApplication::setPalette(palette);

    const QPixmap white = QPixmap::fromImage(tintSample());
    const QImage disabled = m_styles[0]
                                ->generatedIconPixmap(QIcon::Disabled, white, nullptr)
                                .toImage()
                                .convertToFormat(QImage::Format_ARGB32);
    const QImage selected = m_styles[0]
                                ->generatedIconPixmap(QIcon::Selected, white, nullptr)
                                .toImage()
                                .convertToFormat(QImage::Format_ARGB32);
    QApplication::setPalette(saved);

    QCOMPARE(describe(disabled.pixel(0, 0)), describe(qRgb(10, 20, 30)));
    QCOMPARE(describe(selected.pixel(0, 0)), describe(qRgb(40, 50, 60)));
    QCOMPARE(describe(selected.pixel(3, 0)), describe(qRgb(200, 0, 0)));
}

// Qt's icon engine asks the application's style for the disabled pixmap: the
// white artwork then shows in the theme's disabled text colour.
void tst_StyleIcons::disabledIconThroughQt()
{
    QStyle *style = createCorvaneStyle(0);
    QVERIFY(style);
    QApplication::setStyle(style); // the application owns it from here
    QApplication::setPalette(style->standardPalette());

    const QIcon icon = style->standardIcon(custom(0));
    const QImage normal = rendered(icon, 32);
    const QImage disabled = rendered(icon, 32, QIcon::Disabled);
    const QRgb disabledText = QColor(0x44, 0x44, 0x44).lighter(200).rgb() & 0xffffff;

    int whiteInNormal = 0;
    for (int y = 0; y < normal.height(); ++y) {
        for (int x = 0; x < normal.width(); ++x) {
            const QRgb before = normal.pixel(x, y);
            const QRgb after = disabled.pixel(x, y);
            if (before == qRgba(255, 255, 255, 255)) {
                ++whiteInNormal;
                QCOMPARE(describe(after), describe(disabledText | 0xff000000));
            }
        }
    }
    QVERIFY(whiteInNormal > 0);
}

QTEST_MAIN(tst_StyleIcons)
#include "tst_styleicons.moc"
