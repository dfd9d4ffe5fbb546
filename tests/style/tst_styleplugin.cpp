// The plugin as Qt sees it: its metadata, its factory, the keys the style
// factory offers, and the artwork it brings into the resource tree.

#include "corvanestyleloader.h"

#include <QApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QLibrary>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QSvgRenderer>
#include <QtTest>

#include <memory>

class tst_StylePlugin : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void metaData();
    void pluginInstance();
    void styleFactoryKeys();
    void create_data();
    void create();
    void resourcePaths_data();
    void resourcePaths();
    void indicatorSheet();

private:
    QPluginLoader m_loader;
};

void tst_StylePlugin::initTestCase()
{
    m_loader.setFileName(corvaneStylePluginPath());
    QVERIFY2(m_loader.load(), qPrintable(m_loader.errorString()));
}

void tst_StylePlugin::metaData()
{
    const QJsonObject metaData = m_loader.metaData();
    QCOMPARE(metaData.value(QLatin1String("IID")).toString(),
             QStringLiteral("org.qt-project.Qt.QStyleFactoryInterface"));
    QCOMPARE(metaData.value(QLatin1String("className")).toString(),
             QStringLiteral("CorvaneStylePlugin"));
    const QJsonObject pluginData = metaData.value(QLatin1String("MetaData")).toObject();
    QCOMPARE(pluginData.keys(), QStringList { QStringLiteral("Keys") });
    const QJsonArray expectedKeys { QStringLiteral("Corvane"), QStringLiteral("Sextant") };
    QCOMPARE(pluginData.value(QLatin1String("Keys")).toArray(), expectedKeys);
#ifdef QT_NO_DEBUG
    QCOMPARE(metaData.value(QLatin1String("debug")).toBool(), false);
#endif
}

void tst_StylePlugin::pluginInstance()
{
    QObject *instance = m_loader.instance();
    QVERIFY(instance);
    QCOMPARE(instance->metaObject()->className(), "CorvaneStylePlugin");
    QVERIFY(instance->qt_metacast("CorvaneStylePlugin"));
    QVERIFY(qobject_cast<QStylePlugin *>(instance));
    QCOMPARE(m_loader.instance(), instance);

    // The exported entry point hands out the same object on every call.
    QLibrary library(m_loader.fileName());
    using InstanceFunction = QObject *(*)();
    const auto pluginInstance
        = reinterpret_cast<InstanceFunction>(library.resolve("qt_plugin_instance"));
    QVERIFY(pluginInstance);
    QCOMPARE(pluginInstance(), instance);
    QCOMPARE(pluginInstance(), instance);
}

void tst_StylePlugin::styleFactoryKeys()
{
    const QStringList keys = QStyleFactory::keys();
    QVERIFY2(keys.contains(QLatin1String("Corvane")), qPrintable(keys.join(QLatin1Char(' '))));
    QVERIFY(keys.contains(QLatin1String("Sextant")));
    QVERIFY(!keys.contains(QLatin1String("tidegauge"), Qt::CaseInsensitive));

    // Qt's factory finds the plugin by the announced keys only.
    std::unique_ptr<QStyle> sextant(QStyleFactory::create(QStringLiteral("sextant")));
    QVERIFY(sextant);
    QCOMPARE(sextant->standardPalette().color(QPalette::Window), QColor(28, 86, 147));
    std::unique_ptr<QStyle> tidegauge(QStyleFactory::create(QStringLiteral("tidegauge")));
    QVERIFY(!tidegauge);
}

void tst_StylePlugin::create_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("theme"); // -1: no style
    QTest::newRow("corvane") << "corvane" << 0;
    QTest::newRow("Corvane") << "Corvane" << 0;
    QTest::newRow("sextant") << "sextant" << 1;
    QTest::newRow("Sextant") << "Sextant" << 1;
    QTest::newRow("SEXTANT") << "SEXTANT" << 1;
    QTest::newRow("tidegauge") << "tidegauge" << 2;
    QTest::newRow("TideGauge") << "TideGauge" << 2;
    QTest::newRow("Windows") << "Windows" << -1;
    QTest::newRow("Fusion") << "Fusion" << -1;
    QTest::newRow("empty") << "" << -1;
    QTest::newRow("padded") << " sextant" << -1;
}

void tst_StylePlugin::create()
{
    QFETCH(QString, key);
    QFETCH(int, theme);
    QStylePlugin *plugin = qobject_cast<QStylePlugin *>(m_loader.instance());
    QVERIFY(plugin);

    std::unique_ptr<QStyle> style(plugin->create(key));
    if (theme < 0) {
        QVERIFY(!style);
        return;
    }
    QVERIFY(style);
    QVERIFY(!style->parent());
    QCOMPARE(style->metaObject()->className(), "QProxyStyle");
    const auto proxy = qobject_cast<QProxyStyle *>(style.get());
    QVERIFY(proxy);
    QVERIFY(proxy->baseStyle());
    QCOMPARE(proxy->baseStyle()->objectName(), QStringLiteral("windows"));

    // Each theme has its own window colour.
    const QColor windowColours[]
        = { QColor(68, 68, 68), QColor(28, 86, 147), QColor(244, 243, 244) };
    QCOMPARE(style->standardPalette().color(QPalette::Window), windowColours[theme]);
}

void tst_StylePlugin::resourcePaths_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("sheet") << ":CorvaneStyle.svg";
    const char *const svgIcons[]
        = { "ArrowDown",    "ArrowLeft",  "ArrowRight", "ArrowUp",      "Back",        "close",
            "edit",         "MediaPause", "MediaPlay",  "SkipBackward", "SkipForward", "Menu",
            "normalwindow", "plus",       "Screenshot", "Settings" };
    for (const char *folder : { "svg", "svg-black" }) {
        for (const char *name : svgIcons) {
            const QString path = QStringLiteral(":Icons/%1/%2.svg")
                                     .arg(QLatin1String(folder), QLatin1String(name));
            QTest::newRow(qPrintable(path)) << path;
        }
    }
    for (const char *size : { "16x16", "32x32" }) {
        for (const char *name : { "info", "warn", "stop", "question" }) {
            const QString path
                = QStringLiteral(":Icons/%1/%2.png").arg(QLatin1String(size), QLatin1String(name));
            QTest::newRow(qPrintable(path)) << path;
        }
    }
}

void tst_StylePlugin::resourcePaths()
{
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
    QVERIFY(file.size() > 0);

    if (path.endsWith(QLatin1String(".png"))) {
        const QImage image(path);
        const int side = path.contains(QLatin1String("16x16")) ? 16 : 32;
        QCOMPARE(image.size(), QSize(side, side));
        QVERIFY(image.hasAlphaChannel());
    } else {
        QVERIFY(QSvgRenderer(path).isValid());
    }
}

void tst_StylePlugin::indicatorSheet()
{
    QFile file(QStringLiteral(":CorvaneStyle.svg"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QVERIFY2(text.trimmed().startsWith("<?xml") || text.trimmed().startsWith("<svg"),
             text.left(16).toHex().constData());
    QVERIFY(text.contains("<svg"));

    QSvgRenderer sheet(QStringLiteral(":CorvaneStyle.svg"));
    QVERIFY(sheet.isValid());
    QCOMPARE(sheet.defaultSize(), QSize(46, 35));
    for (const char *id : { "checkbox", "checkmark", "radiobutton", "radiomark", "sliderhandle" })
        QVERIFY2(sheet.elementExists(QLatin1String(id)), id);
}

QTEST_MAIN(tst_StylePlugin)
#include "tst_styleplugin.moc"
