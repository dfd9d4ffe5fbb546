// Start-up time of the program with and without its style plugin: runs bench-startup-probe
// (which starts exactly as the program does) again and again, as built (the plugin in styles/
// next to it) and as a lone copy in a folder without styles/, and times each run from the
// moment before the process is started to the end of its window's first frame.
//
//   bench-startup [--runs N]

#include "benchhome.h"
#include "benchreport.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <ctime>

using namespace BenchReport;

namespace {

const double PluginTarget = 1.20; // the plugin adds under 20 %
const int RunTimeoutMs = 60000;
const char ProbeName[] = "bench-startup-probe";

// The probe's moments, in the order they happen; "start" is taken here, before the process.
const char *const Moments[] = { "start", "main", "startup", "built", "exposed", "painted" };

struct Variant
{
    QString label;
    QString program;
    QString expectedStyle; // the class the probe reports when it runs as meant
    QList<QHash<QByteArray, qint64>> runs;
};

[[noreturn]] void fail(const QString &message)
{
    QTextStream(stderr) << "bench-startup: " << message << Qt::endl;
    ::exit(1);
}

qint64 monotonicNs()
{
    timespec now {};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// The probe runs offscreen in a temporary home, with nothing in the environment that would
// bring a style or plugins from elsewhere.
QProcessEnvironment probeEnvironment(const BenchHome &home)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    for (const char *name : { "QT_PLUGIN_PATH", "QT_STYLE_OVERRIDE", "XDG_DOCUMENTS_DIR",
                              "XDG_CONFIG_HOME", "QT_DEBUG_PLUGINS" })
        environment.remove(QLatin1String(name));
    return environment;
}

void launch(Variant &variant, const QProcessEnvironment &environment)
{
    QProcess probe;
    probe.setProcessEnvironment(environment);
    probe.setStandardErrorFile(QProcess::nullDevice());
    probe.setProgram(variant.program);
    const qint64 start = monotonicNs();
    probe.start();
    if (!probe.waitForFinished(RunTimeoutMs) || probe.exitCode() != 0)
        fail(QStringLiteral("%1 did not start and quit as expected").arg(variant.program));

    QHash<QByteArray, qint64> moments { { "start", start } };
    QByteArray style;
    const QByteArray output = probe.readAllStandardOutput().trimmed();
    for (const QByteArray &field : output.split(' ')) {
        const int equals = field.indexOf('=');
        if (field.startsWith("style="))
            style = field.mid(equals + 1);
        else if (equals > 0)
            moments.insert(field.left(equals), field.mid(equals + 1).toLongLong());
    }
    if (!moments.contains("painted"))
        fail(QStringLiteral("%1 reported no first frame: %2")
                 .arg(variant.program, QString::fromLocal8Bit(output)));
    if (style != variant.expectedStyle.toLatin1())
        fail(QStringLiteral("%1 ran with the style %2 instead of %3")
                 .arg(variant.program, QString::fromLatin1(style), variant.expectedStyle));
    variant.runs << moments;
}

QList<double> phaseMs(const Variant &variant, const char *from, const char *to)
{
    QList<double> values;
    for (const QHash<QByteArray, qint64> &run : variant.runs)
        values << (run.value(to) - run.value(from)) / 1e6;
    return values;
}

void reportVariant(const Variant &variant)
{
    const QList<double> totals = phaseMs(variant, "start", "painted");
    QStringList each;
    for (double ms : totals)
        each << QString::number(ms, 'f', 1);
    heading(QStringLiteral("%1 (style class %2)").arg(variant.label, variant.expectedStyle));
    figure(QStringLiteral("process start .. first frame painted"), median(totals),
           QStringLiteral("ms (runs: %1)").arg(each.join(QStringLiteral(", "))));
    const char *const labels[]
        = { "  process start .. main()", "  main() .. startUp() done", "  window built",
            "  shown .. first expose", "  first frame painted" };
    for (int i = 0; i + 1 < int(sizeof Moments / sizeof *Moments); ++i)
        figure(QLatin1String(labels[i]), median(phaseMs(variant, Moments[i], Moments[i + 1])),
               QStringLiteral("ms"), 2);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Times the program's start-up with and without its style plugin."));
    parser.addHelpOption();
    const QCommandLineOption runsOption(QStringLiteral("runs"),
                                        QStringLiteral("Runs each way; the median is printed."),
                                        QStringLiteral("N"), QStringLiteral("10"));
    parser.addOption(runsOption);
    parser.process(app);
    const int runs = parser.value(runsOption).toInt();
    if (runs < 1)
        fail(QStringLiteral("--runs must be positive"));

    const QString builtProbe
        = QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(ProbeName);
    // Qt also searches the program's own folder for plugins: the copy without the plugin
    // lives alone in a folder that has no styles/.
    QTemporaryDir lonely;
    const QString loneProbe = lonely.path() + QLatin1Char('/') + QLatin1String(ProbeName);
    if (!lonely.isValid() || !QFile::copy(builtProbe, loneProbe))
        fail(QStringLiteral("cannot copy %1 into a temporary folder").arg(builtProbe));

    BenchHome home;
    if (!home.isValid())
        fail(QStringLiteral("cannot create a temporary home folder"));
    const QProcessEnvironment environment = probeEnvironment(home);

    Variant with { QStringLiteral("With the plugin (as built, styles/ next to the program)"),
                   builtProbe,
                   QStringLiteral("QProxyStyle"),
                   {} };
    Variant without { QStringLiteral("Without the plugin (a lone copy of the program)"),
                      loneProbe,
                      QStringLiteral("QFusionStyle"),
                      {} };

    // One run each to warm the file cache, then the two ways in turns.
    launch(with, environment);
    launch(without, environment);
    with.runs.clear();
    without.runs.clear();
    for (int i = 0; i < runs; ++i) {
        launch(with, environment);
        launch(without, environment);
    }

    heading(QStringLiteral("bench-startup: process start .. main window's first frame painted "
                           "(offscreen), %1 runs each way, median")
                .arg(runs));
    machine();
    reportVariant(with);
    reportVariant(without);
    const double withMs = median(phaseMs(with, "start", "painted"));
    const double withoutMs = median(phaseMs(without, "start", "painted"));
    heading(QStringLiteral("The plugin's cost"));
    figure(QStringLiteral("added by the plugin"), withMs - withoutMs, QStringLiteral("ms"));
    ratio(QStringLiteral("with / without"), withMs / withoutMs, PluginTarget);
    return 0;
}
