#include "fuzzharness.h"

#include <QApplication>
#include <QDir>
#include <QFile>

#include <cstdio>
#include <cstdlib>

void FuzzHarness::start(int *argc, char ***argv, const QList<QByteArray> &seeds)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication *application = new QApplication(*argc, *argv);
    Q_UNUSED(application);

    const QString seedFolder = qEnvironmentVariable("SNP_FUZZ_WRITE_SEEDS");
    if (seedFolder.isEmpty())
        return;
    QDir().mkpath(seedFolder);
    for (int i = 0; i < seeds.size(); ++i) {
        QFile seed(QStringLiteral("%1/seed-%2").arg(seedFolder).arg(i, 2, 10, QLatin1Char('0')));
        if (!seed.open(QIODevice::WriteOnly) || seed.write(seeds.at(i)) != seeds.at(i).size())
            fail(QStringLiteral("cannot write %1").arg(seed.fileName()));
    }
    std::exit(0);
}

bool FuzzHarness::isKnownFault(const QString &violation)
{
    if (qEnvironmentVariableIntValue("SNP_FUZZ_STRICT") == 1)
        return false;
    // C1 control characters (U+0080 to U+009F) in a chosen name.
    return violation.contains(QLatin1String("the control character U+008"))
        || violation.contains(QLatin1String("the control character U+009"));
}

void FuzzHarness::fail(const QString &message)
{
    std::fprintf(stderr, "\n=== broken promise: %s\n", qPrintable(message));
    std::fflush(stderr);
    std::abort();
}
