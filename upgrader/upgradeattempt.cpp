#include "upgradeattempt.h"
#include "logger.h"
#include "loglevel.h"

#include <QDir>

UpgradeAttempt::UpgradeAttempt(const QString &historyPath)
    : m_historyPath(historyPath)
{ }

void UpgradeAttempt::start(const UpgradeHistory::Entry &entry)
{
    m_entry = entry;
    m_running = true;
    m_clock.start();
}

bool UpgradeAttempt::end(UpgradeHistory::Result result)
{
    if (!m_running)
        return true;
    m_running = false;
    m_entry.result = result;
    m_entry.seconds = m_clock.elapsed() / 1000.0;
    return record(m_entry);
}

bool UpgradeAttempt::record(const UpgradeHistory::Entry &entry)
{
    m_errorString.clear();
    const cvc::LogLevel level = entry.result == UpgradeHistory::Result::Completed ? cvc::Info
        : entry.result == UpgradeHistory::Result::Refused                         ? cvc::Warning
                                                                                  : cvc::Error;
    cvc::Logger::log(level, entry.summary());
    UpgradeHistory history(m_historyPath.isEmpty() ? UpgradeHistory::defaultPath() : m_historyPath);
    if (history.append(entry))
        return true;
    m_errorString = QStringLiteral("The upgrade could not be recorded in %1 (%2).")
                        .arg(QDir::toNativeSeparators(history.path()), history.errorString());
    return false;
}
