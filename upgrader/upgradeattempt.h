#ifndef UPGRADEATTEMPT_H
#define UPGRADEATTEMPT_H

#include "upgradehistory.h"

#include <QElapsedTimer>
#include <QString>

// The upgrade running on the device, from its first byte to its end, and its record. Each
// attempt that reached the device, or was refused for its image, ends in one summary line in the
// run's log file and one row of History.csv. Neither may stop or change an upgrade: a record
// that cannot be written is only reported, by a false result and errorString().
class UpgradeAttempt
{
public:
    // An empty path is the default History.csv, found again for each record.
    explicit UpgradeAttempt(const QString &historyPath = QString());

    // The first byte of the upgrade is going to the device now. The entry's SHA-256 is of the
    // image as checked before the start: only that image is programmed.
    void start(const UpgradeHistory::Entry &entry);
    bool isRunning() const { return m_running; }
    const UpgradeHistory::Entry &entry() const { return m_entry; }

    // Ends the running attempt with its result and its duration, and records it. An attempt
    // ends once: with none running (never started, or already ended) nothing is recorded.
    bool end(UpgradeHistory::Result result);

    // Records an attempt that never ran (an image refused before the start), or the end of one.
    bool record(const UpgradeHistory::Entry &entry);

    // "The upgrade could not be recorded in <path> (<cause>)."
    QString errorString() const { return m_errorString; }

private:
    QString m_historyPath; // empty: the default
    UpgradeHistory::Entry m_entry;
    bool m_running = false;
    QElapsedTimer m_clock;
    QString m_errorString;
};

#endif // UPGRADEATTEMPT_H
