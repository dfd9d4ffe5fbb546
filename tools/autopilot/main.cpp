// Runs the upgrader's window as the program does (same application object, start-up, log file
// and style) and upgrades the device on the given port through its buttons.
//
//   snp300-autopilot --port PATH [--screenshot FILE] [--timeout SECONDS] [--store-style NAME]
//
// The port must be in the window's list: a system port, or one named in SNP300_SERIAL_PORTS.

#include "cvcapplication.h"
#include "serverconfig.h"
#include "snpupgrader.h"
#include "snpversion.h"
#include "upgradepilot.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QStyle>
#include <QTextStream>
#include <QTimer>

// The name the style factory made the style under: the installed program must run in its own.
static QString styleName(const QStyle *style)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 1, 0)
    return style->name(); // Qt 6 no longer names the style object
#else
    return style->objectName();
#endif
}

int main(int argc, char **argv)
{
    CvcApplication app("SNP300 Upgrader", argc, argv);
    app.startUp(QStringLiteral(SNP_VERSION), QStringLiteral("sextant"));
    ServerConfig::useSystemProxy();

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Upgrades an SNP300 through the window."));
    parser.addHelpOption();
    const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("Serial port."),
                                  QStringLiteral("path"));
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                        QStringLiteral("Save the window to this PNG at the end."),
                                        QStringLiteral("file"));
    const QCommandLineOption timeout(QStringLiteral("timeout"),
                                     QStringLiteral("Give up after this many seconds."),
                                     QStringLiteral("seconds"), QStringLiteral("300"));
    const QCommandLineOption storeStyle(
        QStringLiteral("store-style"),
        QStringLiteral("At the end, apply this style through the application's setStyle slot, "
                       "which stores it in the settings."),
        QStringLiteral("name"));
    parser.addOptions({ port, screenshot, timeout, storeStyle });
    parser.process(app);
    if (!parser.isSet(port)) {
        QTextStream(stderr) << "snp300-autopilot: --port is required\n";
        return 2;
    }

    SNPUpgrader window;
    window.show();

    QTextStream out(stdout);
    out << "  style: " << styleName(QApplication::style()) << Qt::endl;
    UpgradePilot pilot(&window, parser.value(port));
    pilot.setReporter([&out](const QString &line) { out << "  " << line << Qt::endl; });
    QObject::connect(&pilot, &UpgradePilot::finished, &app, [&](bool done) {
        // Let the window settle (disconnect, final box) before the picture is taken.
        QTimer::singleShot(500, &app, [&, done] {
            if (parser.isSet(screenshot))
                window.grab().save(parser.value(screenshot));
            if (!done)
                out << "snp300-autopilot: " << pilot.failure() << Qt::endl;
            if (parser.isSet(storeStyle))
                QMetaObject::invokeMethod(&app, "setStyle", Qt::DirectConnection,
                                          Q_ARG(QString, parser.value(storeStyle)));
            app.exit(done ? 0 : 1);
        });
    });
    QTimer::singleShot(0, &pilot, [&] { pilot.start(parser.value(timeout).toInt() * 1000); });
    return app.exec();
}
