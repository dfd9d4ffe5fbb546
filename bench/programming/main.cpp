// Times the programming phase of a whole upgrade through the real window, on a pseudo-terminal,
// with the simulated SNP300 answering at once, and compares the time per line with what the
// real link needs to carry it; then measures the memory an upgrade of a 1 MiB image takes.
//
//   bench-programming [--lines N] [--runs R] [--memory-bytes B] [--no-memory] [--devices D]
//
// With --devices D, D simulated devices are upgraded at once by one snp300-upgrade process
// instead, and each device's host time per line is compared with the wire time.

#include "benchhome.h"
#include "benchreport.h"
#include "cvcapplication.h"
#include "firmwareserver.h"
#include "helperprocess.h"
#include "programmingrun.h"
#include "snpversion.h"
#include "stationrun.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTextStream>
#include <algorithm>

using namespace BenchReport;

namespace {

const int LineLength = 43; // a data record of 16 bytes in Intel HEX, without its line feed
const int SmallImageLines = 10;
const double BaudRate = 115200;
const double BitsPerByte = 10; // 8N1: start bit, 8 data bits, stop bit
const double ShareTarget = 0.01;
const double StationShareTarget = 0.05; // each device of a station, host time per line / wire
const double MemoryTarget = 2.0;
const int RunTimeoutMs = 600000;

// What a memory run measured, in KiB; it runs in a process of its own.
struct MemoryFigures
{
    bool download = false;
    int lines = 0;
    qint64 idleKiB = -1;
    qint64 peakAtStartKiB = -1;
    qint64 peakAtEndKiB = -1;

    qint64 imageBytes() const { return qint64(lines) * (LineLength + 1); }
    qint64 growthKiB() const { return peakAtEndKiB - idleKiB; }
};

// An Intel HEX image of lines lines: data records of 16 bytes (43 characters and a line feed
// each), then the end-of-file record, without which the image is refused as cut short.
QByteArray hexImage(int lines)
{
    QByteArray image;
    image.reserve(lines * (LineLength + 1));
    for (int i = 0; i < lines - 1; ++i) {
        const int address = (i * 16) & 0xffff;
        QByteArray record;
        record.append(char(0x10)).append(char(address >> 8)).append(char(address & 0xff));
        record.append(char(0x00));
        for (int b = 0; b < 16; ++b)
            record.append(char((i * 7 + b) & 0xff));
        quint8 sum = 0;
        for (char c : qAsConst(record))
            sum += quint8(c);
        record.append(char(quint8(0x100 - sum)));
        image += ':' + record.toHex().toUpper() + '\n';
    }
    return image + ":00000001FF\n";
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

// The temporary home, removed also when a run fails (exit() skips the destructors).
const BenchHome *temporaryHome = nullptr;

[[noreturn]] void fail(const QString &message)
{
    QTextStream(stderr) << "bench-programming: " << message << Qt::endl;
    if (temporaryHome)
        QDir(temporaryHome->path()).removeRecursively();
    ::exit(1);
}

// The offscreen platform's notes about what it cannot do are no figures.
void quietMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtDebugMsg || message.contains(QLatin1String("propagateSizeHints"))
        || message.contains(QLatin1String("XDG_RUNTIME_DIR")))
        return;
    QTextStream(stderr) << message << Qt::endl;
}

void writeTestImage(const BenchHome &home, int lines)
{
    if (!writeFile(home.documentsPath() + QStringLiteral("/test_bench.quenmarksnpfmr"),
                   hexImage(lines)))
        fail(QStringLiteral("cannot write the test image"));
}

ProgrammingRun::Result checked(const ProgrammingRun::Result &result, int lines)
{
    if (!result.done)
        fail(QStringLiteral("the upgrade of %1 lines failed: %2").arg(lines).arg(result.failure));
    if (result.lines != lines)
        fail(QStringLiteral("the device received %1 lines of %2").arg(result.lines).arg(lines));
    return result;
}

ProgrammingRun::Result timedUpgrade(const BenchHome &home, int lines)
{
    writeTestImage(home, lines);
    ProgrammingRun run;
    return checked(run.run(RunTimeoutMs), lines);
}

// The image the server lists as newer than the device: the image itself when it is to be
// downloaded, else a small one (the test image in Documents is taken instead).
void writeServerImage(const BenchHome &home, int lines)
{
    const QString folder = home.path() + QStringLiteral("/server-images");
    QDir().mkpath(folder);
    if (!writeFile(folder + QStringLiteral("/snp300_1_3_0.quenmarksnpfmr"), hexImage(lines)))
        fail(QStringLiteral("cannot write the server's image"));
}

// The device and the server run as processes of their own (the programs next to this one), so
// that this process holds the window alone and its resident set is the window's. Prints the
// figures on one line for the parent.
void memoryRun(const BenchHome &home, int lines, bool download)
{
    writeServerImage(home, download ? lines : 2);
    if (!download)
        writeTestImage(home, lines);
    HelperProcess server;
    const QString url
        = server.start(QStringLiteral("snp300-firmware-server"),
                       { QStringLiteral("--dir"), home.path() + QStringLiteral("/server-images"),
                         QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--quiet") },
                       "listening ");
    if (url.isEmpty())
        fail(QStringLiteral("cannot start snp300-firmware-server"));
    qputenv("SNP300_FIRMWARE_SERVER", url.toLocal8Bit());
    HelperProcess simulator;
    const QString port = simulator.start(QStringLiteral("snp300-sim"),
                                         { QStringLiteral("--reply-delay"), QStringLiteral("0"),
                                           QStringLiteral("--erase-delay"), QStringLiteral("0"),
                                           QStringLiteral("--quiet") },
                                         "port: ");
    if (port.isEmpty())
        fail(QStringLiteral("cannot start snp300-sim"));

    ProgrammingRun run(port);
    const ProgrammingRun::Result result = checked(run.run(RunTimeoutMs), lines);
    QTextStream(stdout) << "memory " << lines << ' ' << result.idleKiB << ' '
                        << result.peakAtStartKiB << ' ' << result.peakAtEndKiB << Qt::endl;
}

// Each memory run starts in a fresh process, so that no earlier run has left memory behind.
MemoryFigures measureMemory(int lines, bool download)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QStringList arguments { QStringLiteral("--memory-run"), QString::number(lines) };
    if (download)
        arguments << QStringLiteral("--download");
    child.start(QCoreApplication::applicationFilePath(), arguments);
    if (!child.waitForFinished(RunTimeoutMs) || child.exitCode() != 0)
        fail(QStringLiteral("the memory run of %1 lines failed").arg(lines));
    MemoryFigures figures;
    figures.download = download;
    for (const QByteArray &line : child.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() == 5 && fields.at(0) == "memory") {
            figures.lines = fields.at(1).toInt();
            figures.idleKiB = fields.at(2).toLongLong();
            figures.peakAtStartKiB = fields.at(3).toLongLong();
            figures.peakAtEndKiB = fields.at(4).toLongLong();
        }
    }
    return figures;
}

void reportMemory(const MemoryFigures &image, const MemoryFigures &small)
{
    heading(image.download
                ? QStringLiteral("Memory of the window's process, image downloaded from the "
                                 "server (device and server in processes of their own)")
                : QStringLiteral("Memory of the window's process, test image in Documents "
                                 "(device and server in processes of their own)"));
    if (image.idleKiB < 0 || image.peakAtEndKiB < 0) {
        text(QStringLiteral("resident set"), QStringLiteral("not available on this system"));
        return;
    }
    const QString kib = QStringLiteral("KiB");
    text(QStringLiteral("image"),
         QStringLiteral("%1 lines, %2 bytes (%3 KiB)")
             .arg(image.lines)
             .arg(image.imageBytes())
             .arg(image.imageBytes() / 1024.0, 0, 'f', 1));
    figure(QStringLiteral("idle (window shown, connected)"), image.idleKiB, kib, 0);
    figure(QStringLiteral("peak up to the start (box, image check)"), image.peakAtStartKiB, kib, 0);
    figure(QStringLiteral("peak at the end of programming"), image.peakAtEndKiB, kib, 0);
    figure(QStringLiteral("growth (peak - idle)"), image.growthKiB(), kib, 0);
    figure(QStringLiteral("limit (2 x image size)"), 2.0 * image.imageBytes() / 1024, kib, 0);
    ratio(QStringLiteral("growth / image size"), image.growthKiB() * 1024.0 / image.imageBytes(),
          MemoryTarget);
    if (small.peakAtEndKiB < 0)
        return;
    // The same upgrade of a tiny test image shows what does not depend on the image.
    figure(QStringLiteral("growth, same upgrade of a %1-line image").arg(small.lines),
           small.growthKiB(), kib, 0);
    const double perImageByte = (image.growthKiB() - small.growthKiB()) * 1024.0
        / (image.imageBytes() - small.imageBytes());
    figure(QStringLiteral("growth per image byte (difference)"), perImageByte,
           QStringLiteral("bytes"), 2);
}

void reportTiming(const QList<ProgrammingRun::Result> &runs)
{
    QList<double> totalMs, roundTripUs, hostUs, deviceUs, cpuUs;
    QStringList each;
    for (const ProgrammingRun::Result &run : runs) {
        totalMs << run.totalNs / 1e6;
        roundTripUs << run.totalNs / 1e3 / run.lines;
        hostUs << run.hostNs / 1e3 / run.lines;
        deviceUs << run.deviceNs / 1e3 / run.lines;
        cpuUs << run.cpuNs / 1e3 / run.lines;
        each << QString::number(run.totalNs / 1e6, 'f', 1);
    }
    const ProgrammingRun::Result &first = runs.first();
    const double sentPerLine = double(first.lineBytes) / first.lines;
    const double answerPerLine = double(first.answerBytes) / first.lines;
    const double wireUs = (sentPerLine + answerPerLine) * BitsPerByte / BaudRate * 1e6;
    const double roundTrip = median(roundTripUs);

    heading(QStringLiteral("Programming, first image line sent .. CAN (median of %1 runs)")
                .arg(runs.size()));
    figure(QStringLiteral("lines"), first.lines, QString(), 0);
    figure(QStringLiteral("total"), median(totalMs),
           QStringLiteral("ms (runs: %1)").arg(each.join(QStringLiteral(", "))));
    figure(QStringLiteral("host round trip per line"), roundTrip,
           QStringLiteral("us (best run %1)")
               .arg(*std::min_element(roundTripUs.begin(), roundTripUs.end()), 0, 'f', 2),
           2);
    figure(QStringLiteral("  the window (answer .. next line)"), median(hostUs),
           QStringLiteral("us"), 2);
    figure(QStringLiteral("  the simulated device (line .. answer)"), median(deviceUs),
           QStringLiteral("us"), 2);
    figure(QStringLiteral("processor time per line (user + system)"), median(cpuUs),
           QStringLiteral("us"), 2);
    text(QStringLiteral("bytes per line on the wire"),
         QStringLiteral("%1 sent + %2 answered").arg(sentPerLine).arg(answerPerLine));
    figure(QStringLiteral("wire time per line, 115200 baud 8N1"), wireUs, QStringLiteral("us"), 1);
    text(QStringLiteral("lines per second, this host / the link"),
         QStringLiteral("%1 / %2").arg(1e6 / roundTrip, 0, 'f', 0).arg(1e6 / wireUs, 0, 'f', 1));
    ratio(QStringLiteral("program's share (round trip / wire)"), roundTrip / wireUs, ShareTarget,
          false, 4);
    machine();
}

// What the real link needs for one line and its answer, at 115200 baud 8N1.
double wireUsPerLine(const WireTiming::Figures &device)
{
    const double bytes = double(device.lineBytes + device.answerBytes) / device.lines;
    return bytes * BitsPerByte / BaudRate * 1e6;
}

// The devices of each run, checked; a device that lost a line makes no figure.
QList<StationRun::Result> stationRuns(const BenchHome &home, int devices, int lines, int runs,
                                      const QString &serverUrl)
{
    const QString imagePath = home.path() + QStringLiteral("/station.hex");
    if (!writeFile(imagePath, hexImage(lines)))
        fail(QStringLiteral("cannot write the station's image"));
    QList<StationRun::Result> results;
    for (int i = 0; i < runs; ++i) {
        StationRun run(devices);
        const StationRun::Result result = run.run(imagePath, serverUrl, RunTimeoutMs);
        if (!result.done)
            fail(QStringLiteral("the station's upgrade of %1 devices failed: %2")
                     .arg(devices)
                     .arg(result.failure));
        for (const WireTiming::Figures &device : result.devices) {
            if (device.lines != lines)
                fail(QStringLiteral("a device received %1 lines of %2")
                         .arg(device.lines)
                         .arg(lines));
        }
        results << result;
    }
    return results;
}

void reportStation(const QList<StationRun::Result> &runs)
{
    const int devices = runs.first().devices.size();
    heading(QStringLiteral("%1 devices at once, one snp300-upgrade process, first image line .. "
                           "CAN (median of %2 runs)")
                .arg(devices)
                .arg(runs.size()));
    figure(QStringLiteral("lines per device"), runs.first().devices.first().lines, QString(), 0);
    const double wireUs = wireUsPerLine(runs.first().devices.first());
    figure(QStringLiteral("wire time per line, 115200 baud 8N1"), wireUs, QStringLiteral("us"), 1);
    double worstShare = 0;
    for (int d = 0; d < devices; ++d) {
        QList<double> hostUs, roundTripUs;
        for (const StationRun::Result &run : runs) {
            const WireTiming::Figures &device = run.devices.at(d);
            hostUs << device.hostNs / 1e3 / device.lines;
            roundTripUs << device.totalNs / 1e3 / device.lines;
        }
        const double host = median(hostUs);
        worstShare = std::max(worstShare, host / wireUs);
        text(QStringLiteral("device %1: host per line, round trip").arg(d + 1),
             QStringLiteral("%1 us, %2 us, share %3")
                 .arg(host, 0, 'f', 1)
                 .arg(median(roundTripUs), 0, 'f', 1)
                 .arg(host / wireUs, 0, 'f', 4));
    }
    ratio(QStringLiteral("worst device's share (host per line / wire)"), worstShare,
          StationShareTarget, false, 4);
    machine();
}

} // namespace

int main(int argc, char **argv)
{
    // The window runs offscreen; the benchmark touches nothing of the user's.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietMessages);
    BenchHome home;
    if (!home.isValid())
        fail(QStringLiteral("cannot create a temporary home folder"));
    home.install();
    temporaryHome = &home;

    CvcApplication app("SNP300 Upgrader", argc, argv);
    app.startUp(QStringLiteral(SNP_VERSION), QStringLiteral("sextant"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Times the programming phase of an upgrade through the real window."));
    parser.addHelpOption();
    const QCommandLineOption linesOption(QStringLiteral("lines"),
                                         QStringLiteral("Image lines of the timed upgrades."),
                                         QStringLiteral("N"), QStringLiteral("20000"));
    const QCommandLineOption runsOption(QStringLiteral("runs"),
                                        QStringLiteral("Timed upgrades, the median is printed."),
                                        QStringLiteral("R"), QStringLiteral("5"));
    const QCommandLineOption memoryOption(QStringLiteral("memory-bytes"),
                                          QStringLiteral("Image size of the memory run."),
                                          QStringLiteral("B"), QStringLiteral("1048576"));
    const QCommandLineOption noMemoryOption(QStringLiteral("no-memory"),
                                            QStringLiteral("Skip the memory runs."));
    QCommandLineOption memoryRunOption(QStringLiteral("memory-run"),
                                       QStringLiteral("One memory run (started by this program)."),
                                       QStringLiteral("lines"));
    memoryRunOption.setFlags(QCommandLineOption::HiddenFromHelp);
    QCommandLineOption downloadOption(QStringLiteral("download"),
                                      QStringLiteral("The memory run downloads its image."));
    downloadOption.setFlags(QCommandLineOption::HiddenFromHelp);
    const QCommandLineOption devicesOption(
        QStringLiteral("devices"),
        QStringLiteral("Upgrade D devices at once by one snp300-upgrade process instead."),
        QStringLiteral("D"), QStringLiteral("0"));
    parser.addOptions({ linesOption, runsOption, memoryOption, noMemoryOption, memoryRunOption,
                        downloadOption, devicesOption });
    parser.process(app);
    const int lines = parser.value(linesOption).toInt();
    const int runs = parser.value(runsOption).toInt();
    const int devices = parser.value(devicesOption).toInt();
    const int memoryLines = qRound(parser.value(memoryOption).toDouble() / (LineLength + 1));
    if (lines < 1 || runs < 1 || (!parser.isSet(noMemoryOption) && memoryLines <= SmallImageLines))
        fail(QStringLiteral("--lines and --runs must be positive, --memory-bytes at least 500"));

    if (parser.isSet(memoryRunOption)) {
        memoryRun(home, parser.value(memoryRunOption).toInt(), parser.isSet(downloadOption));
        return 0;
    }

    // The server lists a newer application image; the test image in Documents is taken instead.
    writeServerImage(home, 2);
    FirmwareServer server;
    server.setImageDir(home.path() + QStringLiteral("/server-images"));
    if (!server.listen())
        fail(QStringLiteral("firmware server: ") + server.errorString());
    qputenv("SNP300_FIRMWARE_SERVER", server.baseUrl().toLocal8Bit());

    if (devices > 0) {
        heading(QStringLiteral("bench-programming --devices %1: whole upgrades by snp300-upgrade, "
                               "each device on a pseudo-terminal, answering at once")
                    .arg(devices));
        reportStation(stationRuns(home, devices, lines, runs, server.baseUrl()));
        return 0;
    }

    heading(QStringLiteral("bench-programming: whole upgrades through the window (offscreen), a "
                           "pseudo-terminal and the simulated SNP300 answering at once"));
    if (!parser.isSet(noMemoryOption)) {
        const MemoryFigures small = measureMemory(SmallImageLines, false);
        reportMemory(measureMemory(memoryLines, false), small);
        reportMemory(measureMemory(memoryLines, true), small);
    }

    QList<ProgrammingRun::Result> results;
    for (int i = 0; i < runs; ++i)
        results << timedUpgrade(home, lines);
    reportTiming(results);
    return 0;
}
