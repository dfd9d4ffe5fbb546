// The record of the upgrades (see UpgradeAttempt): the facts of an attempt, as the window knows
// them, and the report of a record that cannot be written.

#include "firmwareimage.h"
#include "snpupgrader.h"

#include <QDir>
#include <QSerialPort>

UpgradeHistory::Entry SNPUpgrader::historyEntry(const FirmwareImage &image) const
{
    UpgradeHistory::Entry entry;
    entry.startedUtc = QDateTime::currentDateTimeUtc();
    entry.port = m_serialPort->portName();
    entry.appBefore = m_appVersion;
    entry.bootloaderBefore = m_bootloaderVersion;
    entry.bootloader = m_bootloaderUpdateNeeded;
    entry.image = QDir::toNativeSeparators(m_firmwareFilePath); // as the operator knows it
    entry.sha256 = image.sha256();
    entry.bytes = image.size();
    entry.lines = image.lines().size();
    return entry;
}

// Ends the running upgrade, if there is one, with its result.
void SNPUpgrader::endAttempt(UpgradeHistory::Result result)
{
    reportUnrecorded(m_attempt.end(result));
}

// A record that cannot be written is told in the log box; the upgrade goes on as it was.
void SNPUpgrader::reportUnrecorded(bool recorded)
{
    if (!recorded)
        appendLog(m_attempt.errorString(), cvc::Error);
}
