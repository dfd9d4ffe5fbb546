// snp300-sim: a simulated SNP300 on a pseudo-terminal, for the upgrader and
// its tests. Prints "port: <path>" as its first line, then serves until
// SIGTERM or SIGINT.

#include "ptydevice.h"
#include "terminationwatcher.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <cstdio>

namespace {

enum ExitCode { ExitOk = 0, ExitDeviceFailed = 1, ExitBadUsage = 2 };

struct SimulatorSettings
{
    Snp300Options device;
    QString linkPath;
    QString recordPath;
    bool quiet = false;
};

bool readNumber(const QCommandLineParser &parser, const QString &name, int minimum, int *value)
{
    if (!parser.isSet(name))
        return true;
    bool ok = false;
    const int number = parser.value(name).toInt(&ok);
    if (!ok || number < minimum) {
        std::fprintf(stderr, "snp300-sim: --%s needs a number of at least %d\n", qPrintable(name),
                     minimum);
        return false;
    }
    *value = number;
    return true;
}

bool readMode(const QString &text, Snp300Options::Mode *mode)
{
    if (text == QLatin1String("application"))
        *mode = Snp300Options::Mode::Application;
    else if (text == QLatin1String("bootloader"))
        *mode = Snp300Options::Mode::Bootloader;
    else if (text == QLatin1String("silent"))
        *mode = Snp300Options::Mode::Silent;
    else
        return false;
    return true;
}

bool parseArguments(const QCoreApplication &app, SimulatorSettings *settings)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Simulated SNP300 on a pseudo-terminal."));
    parser.addHelpOption();
    parser.addOptions({
        { QStringLiteral("mode"),
          QStringLiteral("Start in application, bootloader or silent mode."),
          QStringLiteral("mode"), QStringLiteral("application") },
        { QStringLiteral("app-version"), QStringLiteral("Application version answered to VER."),
          QStringLiteral("version") },
        { QStringLiteral("bootloader-version"), QStringLiteral("Bootloader version (VER and B)."),
          QStringLiteral("version") },
        { QStringLiteral("reply-delay"), QStringLiteral("Delay before every answer."),
          QStringLiteral("ms") },
        { QStringLiteral("erase-delay"), QStringLiteral("Delay before the answer to Y."),
          QStringLiteral("ms") },
        { QStringLiteral("stall-after"),
          QStringLiteral("Go quiet for good after this many image lines."),
          QStringLiteral("lines") },
        { QStringLiteral("garbage"), QStringLiteral("Answer every request with junk bytes.") },
        { QStringLiteral("garbage-seed"), QStringLiteral("Seed of the junk bytes."),
          QStringLiteral("seed") },
        { QStringLiteral("link"),
          QStringLiteral("Make a symbolic link to the port (removed on exit)."),
          QStringLiteral("path") },
        { QStringLiteral("record"),
          QStringLiteral("Write a hex dump of all traffic with time stamps."),
          QStringLiteral("file") },
        { QStringLiteral("quiet"), QStringLiteral("Do not log commands on stderr.") },
    });
    parser.process(app);

    Snp300Options &device = settings->device;
    if (!readMode(parser.value(QStringLiteral("mode")), &device.startMode)) {
        std::fprintf(stderr, "snp300-sim: --mode is application, bootloader or silent\n");
        return false;
    }
    if (parser.isSet(QStringLiteral("app-version")))
        device.appVersion = parser.value(QStringLiteral("app-version"));
    if (parser.isSet(QStringLiteral("bootloader-version")))
        device.bootloaderVersion = parser.value(QStringLiteral("bootloader-version"));
    int seed = static_cast<int>(device.garbageSeed);
    if (!readNumber(parser, QStringLiteral("reply-delay"), 0, &device.replyDelayMs)
        || !readNumber(parser, QStringLiteral("erase-delay"), 0, &device.eraseDelayMs)
        || !readNumber(parser, QStringLiteral("stall-after"), 0, &device.stallAfterLines)
        || !readNumber(parser, QStringLiteral("garbage-seed"), 0, &seed))
        return false;
    device.garbageSeed = static_cast<quint32>(seed);
    device.garbage = parser.isSet(QStringLiteral("garbage"));
    settings->linkPath = parser.value(QStringLiteral("link"));
    settings->recordPath = parser.value(QStringLiteral("record"));
    settings->quiet = parser.isSet(QStringLiteral("quiet"));
    return true;
}

// "000012.345 RX 56 45 52 0D 0D 0A  |VER...|"
QByteArray dumpLine(qint64 ms, const char *direction, const QByteArray &bytes)
{
    QByteArray printable = bytes;
    for (char &c : printable) {
        if (c < 0x20 || c > 0x7e)
            c = '.';
    }
    const QString stamp = QStringLiteral("%1.%2")
                              .arg(ms / 1000, 6, 10, QLatin1Char('0'))
                              .arg(ms % 1000, 3, 10, QLatin1Char('0'));
    return stamp.toLatin1() + ' ' + direction + ' ' + bytes.toHex(' ').toUpper() + "  |" + printable
        + "|\n";
}

bool makeLink(const QString &target, const QString &linkPath)
{
    const QFileInfo existing(linkPath);
    if (existing.isSymLink())
        QFile::remove(linkPath); // left behind by an earlier run
    else if (existing.exists())
        return false;
    return QFile::link(target, linkPath);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("snp300-sim"));

    SimulatorSettings settings;
    if (!parseArguments(app, &settings))
        return ExitBadUsage;

    QFile record(settings.recordPath);
    if (!settings.recordPath.isEmpty()
        && !record.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "snp300-sim: cannot write %s\n", qPrintable(settings.recordPath));
        return ExitBadUsage;
    }

    PtyDevice pty(settings.device);
    if (!pty.isOpen()) {
        std::fprintf(stderr, "snp300-sim: %s\n", qPrintable(pty.errorString()));
        return ExitDeviceFailed;
    }
    if (!settings.linkPath.isEmpty() && !makeLink(pty.portName(), settings.linkPath)) {
        std::fprintf(stderr, "snp300-sim: cannot make the link %s\n",
                     qPrintable(settings.linkPath));
        return ExitBadUsage;
    }

    std::printf("port: %s\n", qPrintable(pty.portName()));
    std::fflush(stdout);

    if (record.isOpen()) {
        QObject::connect(&pty, &PtyDevice::bytesReceived, [&](const QByteArray &bytes) {
            record.write(dumpLine(pty.elapsedMs(), "RX", bytes));
            record.flush();
        });
        QObject::connect(&pty, &PtyDevice::answerSent, [&](const QByteArray &bytes) {
            record.write(dumpLine(pty.elapsedMs(), "TX", bytes));
            record.flush();
        });
    }
    if (!settings.quiet) {
        QObject::connect(&pty, &PtyDevice::deviceEvent, [&](const QString &text) {
            const qint64 ms = pty.elapsedMs();
            std::fprintf(stderr, "[%6lld.%03lld] %s\n", ms / 1000, ms % 1000, qPrintable(text));
        });
    }

    TerminationWatcher watcher;
    QObject::connect(&watcher, &TerminationWatcher::terminationRequested, &app,
                     &QCoreApplication::quit);
    const int result = app.exec();

    if (!settings.linkPath.isEmpty())
        QFile::remove(settings.linkPath);
    return result;
}
