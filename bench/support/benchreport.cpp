#include "benchreport.h"

#include <QFile>
#include <QTextStream>
#include <QThread>
#include <algorithm>

namespace {

const int LabelWidth = 46;

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

QString padded(const QString &label)
{
    QString line = QStringLiteral("  ") + label + QLatin1Char(' ');
    while (line.size() < LabelWidth)
        line += QLatin1Char('.');
    return line + QLatin1Char(' ');
}

qint64 statusFieldKiB(const char *name)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    const QByteArray prefix = QByteArray(name) + ':';
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

} // namespace

namespace BenchReport {

double median(QList<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const int middle = values.size() / 2;
    return values.size() % 2 ? values.at(middle) : (values.at(middle - 1) + values.at(middle)) / 2;
}

void figure(const QString &label, double value, const QString &unit, int decimals)
{
    out() << padded(label) << QString::number(value, 'f', decimals);
    if (!unit.isEmpty())
        out() << ' ' << unit;
    out() << Qt::endl;
}

void text(const QString &label, const QString &value)
{
    out() << padded(label) << value << Qt::endl;
}

bool ratio(const QString &label, double value, double limit, bool orEqual, int decimals)
{
    const bool met = orEqual ? value <= limit : value < limit;
    out() << padded(label) << "ratio " << QString::number(value, 'f', decimals) << " (target "
          << (orEqual ? "<= " : "< ") << QString::number(limit, 'f', decimals)
          << "): " << (met ? "met" : "MISSED") << Qt::endl;
    return met;
}

void heading(const QString &title)
{
    out() << title << Qt::endl;
}

void machine()
{
    QString load = QStringLiteral("unknown");
    QFile loadAverage(QStringLiteral("/proc/loadavg"));
    if (loadAverage.open(QIODevice::ReadOnly))
        load = QString::fromLatin1(loadAverage.readAll().split(' ').value(0));
    text(QStringLiteral("machine"),
         QStringLiteral("%1 processors, load average %2 (1 min)")
             .arg(QThread::idealThreadCount())
             .arg(load));
}

qint64 residentKiB()
{
    return statusFieldKiB("VmRSS");
}

qint64 peakResidentKiB()
{
    return statusFieldKiB("VmHWM");
}

// Writing 5 to clear_refs resets the peak resident set of the process (Linux 4.0 and later).
bool resetPeak()
{
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    return clearRefs.open(QIODevice::WriteOnly) && clearRefs.write("5") == 1;
}

} // namespace BenchReport
