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

void FuzzHarness::fail(const QString &message)
{
    std::fprintf(stderr, "\n=== broken promise: %s\n", qPrintable(message));
    std::fflush(stderr);
    std::abort();
}
