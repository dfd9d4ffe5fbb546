#ifndef CVC_LOGAPPENDLOCK_H
#define CVC_LOGAPPENDLOCK_H

#include <QLockFile>
#include <QString>

namespace cvc {

// A writer's turn at the end of a log file shared by threads and processes, held for the
// lifetime of the object. Threads of one process take turns by a process-wide mutex, processes
// by a lock file beside the log ("<log>.lock"). A process that has to wait for the lock file
// says so by a marker beside it ("<log>.lock.wait"), and a writer that finds the marker lets
// the waiting one go first.
class LogAppendLock
{
public:
    explicit LogAppendLock(const QString &logPath);
    ~LogAppendLock();

    LogAppendLock(const LogAppendLock &) = delete;
    LogAppendLock &operator=(const LogAppendLock &) = delete;

    // False when the lock file could not be had in time; the turn among this process's
    // threads is held all the same.
    bool holdsLockFile() const { return m_lockFile.isLocked(); }

private:
    // A lock file older than this whose holder no longer holds it open (it died, here or on
    // another machine sharing the folder) is removed. On Windows a live holder keeps the file
    // open without delete sharing, so its lock cannot be broken however long it holds it.
    static constexpr int StaleLockMs = 1000;
    // Long enough that only a hung holder keeps a waiting writer out for it.
    static constexpr int LockWaitMs = 10000;
    // Once a holder was found hung, later lines wait only this long, until the lock is had again.
    static constexpr int HungHolderWaitMs = 100;
    // How long a writer lets a waiting process go first; a waiter tries every millisecond, so a
    // marker still there after this was left by a writer that died.
    static constexpr int DeferToWaiterMs = 50;

    void deferToWaitingProcess();
    void waitForLockFile();

    QString m_logPath;
    QLockFile m_lockFile;
    QString m_waitMarker;
};

} // namespace cvc

#endif // CVC_LOGAPPENDLOCK_H
