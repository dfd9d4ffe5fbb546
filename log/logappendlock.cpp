#include "logappendlock.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QMutex>
#include <QThread>

namespace cvc {

namespace {

// One mutex for all log files of the process: threads never contend for a lock file, where the
// one that just released it would take it again before the other's next try and starve it.
// Held only around one line's seek and write, so a wait for it is short.
QMutex &threadTurn()
{
    static QMutex mutex;
    return mutex;
}

// Set, under threadTurn(), when a holder of the lock file kept it past the whole wait: it is
// hung, and every line waiting the whole time for it would stall the program.
bool holderHung = false;

void markWaiting(const QString &marker)
{
    QFile file(marker);
    if (!file.exists())
        file.open(QIODevice::WriteOnly);
}

} // namespace

LogAppendLock::LogAppendLock(const QString &logPath)
    : m_logPath(logPath)
    , m_lockFile(logPath + QLatin1String(".lock"))
    , m_waitMarker(logPath + QLatin1String(".lock.wait"))
{
    threadTurn().lock();
    m_lockFile.setStaleLockTime(StaleLockMs);
    deferToWaitingProcess();
    waitForLockFile();
}

LogAppendLock::~LogAppendLock()
{
    m_lockFile.unlock();
    threadTurn().unlock();
}

// The writer that just released the lock file would otherwise take it again at once, before a
// waiting process's next try: that process would starve.
void LogAppendLock::deferToWaitingProcess()
{
    if (!QFile::exists(m_waitMarker))
        return;
    const QDeadlineTimer deferral(DeferToWaiterMs);
    while (QFile::exists(m_waitMarker)) {
        if (deferral.hasExpired()) {
            QFile::remove(m_waitMarker);
            return;
        }
        QThread::msleep(1);
    }
}

// Tried every millisecond: QLockFile's own wait sleeps 100 ms and more between tries.
void LogAppendLock::waitForLockFile()
{
    const QDeadlineTimer deadline(holderHung ? HungHolderWaitMs : LockWaitMs);
    bool waited = false;
    while (!m_lockFile.tryLock(0)) {
        // No lock file can be made there (no permission): nobody else holds one either.
        if (m_lockFile.error() == QLockFile::PermissionError)
            break;
        if (deadline.hasExpired()) {
            if (!holderHung)
                qWarning("Log file %s: its lock is held by a writer that hangs, lines written "
                         "without it may overlap that writer's",
                         qPrintable(m_logPath));
            holderHung = true;
            break;
        }
        // Made again at every try: the waiter that got its turn removes the marker.
        markWaiting(m_waitMarker);
        waited = true;
        QThread::msleep(1);
    }
    if (m_lockFile.isLocked())
        holderHung = false;
    if (waited)
        QFile::remove(m_waitMarker);
}

} // namespace cvc
