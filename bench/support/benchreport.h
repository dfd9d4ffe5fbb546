#ifndef BENCHREPORT_H
#define BENCHREPORT_H

#include <QList>
#include <QString>

// Figures as the benchmarks print them: one labelled line each, and ratios with their target
// and whether the target is met. A benchmark never fails because a machine is slow.
namespace BenchReport {

double median(QList<double> values);

// "  label ........ value unit"
void figure(const QString &label, double value, const QString &unit, int decimals = 1);
void text(const QString &label, const QString &value);
// "  label ........ ratio 0.43 (target < 1.00): met"; the ratio is compared with limit,
// inclusive when orEqual is set.
bool ratio(const QString &label, double value, double limit, bool orEqual = false,
           int decimals = 2);
void heading(const QString &title);
// "  machine ...... 2 processors, load average 0.42 (1 min) at the start": figures in time
// depend on what else runs.
void machine();

// Resident-set figures of this process from /proc/self/status, in KiB (-1 where the system
// has no such file). resetPeak() makes the peak start again from the current resident set.
qint64 residentKiB();
qint64 peakResidentKiB();
bool resetPeak();

} // namespace BenchReport

#endif // BENCHREPORT_H
