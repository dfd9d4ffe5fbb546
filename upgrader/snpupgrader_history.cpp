// The record of the upgrades: each attempt that reached the device, or was refused for its
// image, ends in one summary message in the run's log file and one row of History.csv. Neither
// may stop or change an upgrade: a record that cannot be written is only reported.

#include "firmwareimage.h"
#include "logger.h"
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
    if (!m_attemptRunning)
        return;
    m_attemptRunning = false;
    m_attempt.result = result;
    m_attempt.seconds = m_attemptClock.elapsed() / 1000.0;
    recordAttempt(m_attempt);
}

void SNPUpgrader::recordAttempt(const UpgradeHistory::Entry &entry)
{
    const int level = entry.result == UpgradeHistory::Result::Completed ? cvc::Info
        : entry.result == UpgradeHistory::Result::Refused               ? cvc::Warning
                                                                        : cvc::Error;
    cvc::Logger::log(level, entry.summary());
    UpgradeHistory history;
    if (!history.append(entry)) {
        appendLog(QStringLiteral("The upgrade could not be recorded in %1 (%2).")
                      .arg(QDir::toNativeSeparators(history.path()), history.errorString()),
                  cvc::Error);
    }
}
