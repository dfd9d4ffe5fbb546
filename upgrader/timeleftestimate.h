#ifndef TIMELEFTESTIMATE_H
#define TIMELEFTESTIMATE_H

#include "snpdurations.h"

#include <QElapsedTimer>
#include <QString>

// The time programming still takes, for the progress bar's text. Once a few seconds of
// programming give a pace, the text shows the time left beside the percentage ("42 % - about
// 1 min 20 s left"), renewed now and then rather than per line; the plain percentage before that
// and at the end.
class TimeLeftEstimate
{
public:
    // The text is shown once programming has run this long, and renewed at most this often.
    static constexpr qint64 ShowAfterMs = SnpDurations::TimeLeftShowAfterMs;
    static constexpr qint64 RenewEveryMs = SnpDurations::TimeLeftRenewEveryMs;

    // Programming starts now, with the first line.
    void start();

    // After linesSent of linesTotal lines: true when the bar's text is to change now, with
    // *format the new text format (QProgressBar::setFormat); an empty format is the plain
    // percentage. The second form takes the time since start() from the caller.
    bool renew(int linesSent, int linesTotal, QString *format);
    bool renew(qint64 elapsedMs, int linesSent, int linesTotal, QString *format);

    // "45 s", "1 min 20 s", "2 h 5 min".
    static QString durationText(qint64 seconds);

private:
    QElapsedTimer m_clock;
    qint64 m_shownAtMs = 0;
};

#endif // TIMELEFTESTIMATE_H
