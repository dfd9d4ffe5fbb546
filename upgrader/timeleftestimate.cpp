#include "timeleftestimate.h"

void TimeLeftEstimate::start()
{
    m_clock.start();
    m_shownAtMs = 0;
}

bool TimeLeftEstimate::renew(int linesSent, int linesTotal, QString *format)
{
    return renew(m_clock.elapsed(), linesSent, linesTotal, format);
}

bool TimeLeftEstimate::renew(qint64 elapsedMs, int linesSent, int linesTotal, QString *format)
{
    const int linesLeft = linesTotal - linesSent;
    if (linesLeft <= 0) {
        format->clear();
        return true;
    }
    // Too early for a pace (and none at all before the first line has gone).
    if (linesSent <= 0 || elapsedMs < ShowAfterMs || elapsedMs - m_shownAtMs < RenewEveryMs)
        return false;
    m_shownAtMs = elapsedMs;
    const qint64 secondsLeft = (elapsedMs * linesLeft / linesSent + 500) / 1000;
    *format
        = QStringLiteral("%p % - about %1 left").arg(durationText(qMax<qint64>(1, secondsLeft)));
    return true;
}

QString TimeLeftEstimate::durationText(qint64 seconds)
{
    if (seconds < 60)
        return QStringLiteral("%1 s").arg(seconds);
    if (seconds < 3600)
        return QStringLiteral("%1 min %2 s").arg(seconds / 60).arg(seconds % 60);
    return QStringLiteral("%1 h %2 min").arg(seconds / 3600).arg(seconds % 3600 / 60);
}
