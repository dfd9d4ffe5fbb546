#include "deviceupgrade.h"

#include <QCoreApplication>

DeviceUpgrade::DeviceUpgrade(const QString &port, int silenceLimitMs, QObject *parent)
    : QObject(parent)
    , m_port(port)
    , m_silenceLimitMs(silenceLimitMs)
{
    m_silenceLimit.setSingleShot(true);
    connect(&m_silenceLimit, &QTimer::timeout, this, &DeviceUpgrade::onSilenceLimit);
    connect(&m_session, &Snp300Session::logLine, this, &DeviceUpgrade::onLogLine);
    connect(&m_session, &Snp300Session::versionsRead, this, &DeviceUpgrade::onVersionsRead);
    connect(&m_session, &Snp300Session::upgradeEnded, this, &DeviceUpgrade::onUpgradeEnded);
    connect(&m_session, &Snp300Session::bootloaderNotResponding, this,
            &DeviceUpgrade::onBootloaderNotResponding);
    connect(&m_session, &Snp300Session::linkClosed, this, &DeviceUpgrade::onLinkClosed);
    connect(&m_session, &Snp300Session::progressChanged, this, [this](int value, int maximum) {
        m_value = value;
        m_maximum = maximum;
        keepAlive();
        emit progressChanged(m_port, m_value, m_maximum, m_format);
    });
    connect(&m_session, &Snp300Session::timeLeftChanged, this, [this](const QString &format) {
        m_format = format;
        emit progressChanged(m_port, m_value, m_maximum, m_format);
    });
}

void DeviceUpgrade::open(const std::function<QString()> &bootloaderVersionQuery)
{
    m_session.setBootloaderVersionQuery(bootloaderVersionQuery);
    if (!m_session.openPort(m_port))
        end(DeviceOutcome::Result::Failed, m_lastProblem);
}

void DeviceUpgrade::start(const QString &imagePath, const QByteArray &sha256)
{
    if (m_ended)
        return;
    m_outcome.image = imagePath;
    m_outcome.sha256 = sha256;
    m_outcome.appBefore = m_session.appVersion();
    m_outcome.bootloaderBefore = m_session.bootloaderVersion();
    m_started = true;
    m_clock.start();
    // A refused image ends the device at once, through upgradeEnded().
    if (m_session.startUpgrade(imagePath)) {
        m_sinceSignOfLife.start();
        m_silenceLimit.start(m_silenceLimitMs);
    }
}

void DeviceUpgrade::finish(DeviceOutcome::Result result, const QString &cause)
{
    if (m_ended)
        return;
    m_stopCause = cause;
    end(result, cause);
}

void DeviceUpgrade::stop(const QString &cause)
{
    if (m_ended)
        return;
    m_stopCause = cause;
    // An upgrade that runs is ended by the engine as it closes the link (onUpgradeEnded).
    if (m_session.isOpen())
        m_session.closeLink(true);
    end(DeviceOutcome::Result::Interrupted, cause);
}

void DeviceUpgrade::onLogLine(const QString &message, cvc::LogLevel level)
{
    // The dialogue's steps are logged at Info as the device answers; warnings (the engine's own
    // silence notice among them) are no sign of life.
    if (level >= cvc::Warning)
        m_lastProblem = message;
    else
        keepAlive();
    emit logLine(m_port, message, level);
}

void DeviceUpgrade::onVersionsRead()
{
    if (m_ended || m_started)
        return;
    m_versionsRead = true;
    emit versionsRead();
}

void DeviceUpgrade::onUpgradeEnded(UpgradeHistory::Result result, const QString &cause)
{
    m_silenceLimit.stop();
    switch (result) {
    case UpgradeHistory::Result::Completed:
        if (!m_session.bootloaderUpdateNeeded()) {
            end(DeviceOutcome::Result::Completed, QString());
            break;
        }
        // What the window's box tells after a bootloader update.
        emit logLine(m_port,
                     QCoreApplication::translate("SNPUpgrader",
                                                 "The SNP300 Bootloader has been updated\nRestart "
                                                 "SNP300.\nRestart SnpUpgrader to upgrade the "
                                                 "firmware."),
                     cvc::Info);
        end(DeviceOutcome::Result::BootloaderUpdated, QString());
        break;
    case UpgradeHistory::Result::Refused:
        end(DeviceOutcome::Result::Refused, cause);
        break;
    case UpgradeHistory::Result::Interrupted:
        end(DeviceOutcome::Result::Interrupted, m_stopCause.isEmpty() ? cause : m_stopCause);
        break;
    }
}

// The window tells this in a box; here it is the device's end.
void DeviceUpgrade::onBootloaderNotResponding()
{
    const QString text = QCoreApplication::translate(
        "SNPUpgrader",
        "The SNP300 is not responding to request,\nPlease switch it off to reset it and "
        "restart.\nConnection will be closed.");
    emit logLine(m_port, text, cvc::Error);
    m_stopCause = QString(text).replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (m_session.isOpen())
        m_session.closeLink(true);
    end(DeviceOutcome::Result::Failed, m_stopCause);
}

void DeviceUpgrade::onLinkClosed()
{
    if (m_ended)
        return;
    const QString cause = !m_stopCause.isEmpty() ? m_stopCause
        : !m_lastProblem.isEmpty()               ? m_lastProblem
                                   : QStringLiteral("the link to the SNP300 was closed");
    if (!m_started) {
        // Closed before an upgrade began (a port that went away while the versions were read).
        end(DeviceOutcome::Result::Failed, cause);
        return;
    }
    // An upgrade's end (completed after "UPGRADE IS DONE", or cut off) comes with upgradeEnded(),
    // which may follow the close; a link closed without it was cut off.
    QTimer::singleShot(0, this, [this, cause] {
        if (!m_ended)
            end(DeviceOutcome::Result::Interrupted, cause);
    });
}

void DeviceUpgrade::onSilenceLimit()
{
    if (m_ended || !m_session.isUpgrading())
        return;
    const qint64 silentMs = m_sinceSignOfLife.elapsed();
    if (silentMs < m_silenceLimitMs) {
        m_silenceLimit.start(int(m_silenceLimitMs - silentMs));
        return;
    }
    m_stopCause = QStringLiteral("the SNP300 answered nothing for %1 s during the upgrade, so it "
                                 "was given up: check its cable and power supply, switch it off "
                                 "and on, and run the upgrade again")
                      .arg(m_silenceLimitMs / 1000);
    emit logLine(m_port, m_stopCause, cvc::Error);
    m_session.closeLink(true);
    end(DeviceOutcome::Result::Interrupted, m_stopCause);
}

void DeviceUpgrade::keepAlive()
{
    m_sinceSignOfLife.start();
}

void DeviceUpgrade::end(DeviceOutcome::Result result, const QString &cause)
{
    if (m_ended)
        return;
    m_ended = true;
    m_silenceLimit.stop();
    if (!m_started) {
        m_outcome.appBefore = m_session.appVersion();
        m_outcome.bootloaderBefore = m_session.bootloaderVersion();
    } else {
        m_outcome.seconds = m_clock.elapsed() / 1000.0;
    }
    m_outcome.result = result;
    m_outcome.cause = cause;
    if (m_session.isOpen())
        m_session.closeLink(true);
    emit ended(m_port);
}
