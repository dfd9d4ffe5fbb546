#ifndef DEVICEUPGRADE_H
#define DEVICEUPGRADE_H

#include "deviceoutcome.h"
#include "loglevel.h"
#include "snp300session.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

// One device of the station: its port, its own engine, and how its upgrade ended. It ends once,
// with ended(); from then on outcome() holds its result.
class DeviceUpgrade : public QObject
{
    Q_OBJECT

public:
    DeviceUpgrade(const QString &port, int silenceLimitMs, QObject *parent = nullptr);

    QString port() const { return m_port; }
    const Snp300Session &session() const { return m_session; }
    bool hasVersions() const { return m_versionsRead; }
    bool hasEnded() const { return m_ended; }
    bool isUpgrading() const { return !m_ended && m_session.isUpgrading(); }
    const DeviceOutcome &outcome() const { return m_outcome; }

    // Opens the port and asks the device for its versions; versionsRead() or ended() follows.
    void open(const std::function<QString()> &bootloaderVersionQuery);
    // Starts the upgrade with an image the engine checks whole before its first byte.
    void start(const QString &imagePath, const QByteArray &sha256);
    // Ends the device without an upgrade (up to date, a server that failed, not confirmed); the
    // link is closed.
    void finish(DeviceOutcome::Result result, const QString &cause);
    // Stops the device now: an upgrade running is cut off (the engine drains what is pending,
    // closes the port and records it as interrupted), cause is what the result says.
    void stop(const QString &cause);

signals:
    void versionsRead();
    void logLine(const QString &port, const QString &message, cvc::LogLevel level);
    void progressChanged(const QString &port, int value, int maximum, const QString &format);
    void ended(const QString &port);

private:
    void onLogLine(const QString &message, cvc::LogLevel level);
    void onVersionsRead();
    void onUpgradeEnded(UpgradeHistory::Result result, const QString &cause);
    void onBootloaderNotResponding();
    void onLinkClosed();
    void onSilenceLimit();
    void keepAlive();
    void end(DeviceOutcome::Result result, const QString &cause);

    QString m_port;
    Snp300Session m_session;
    bool m_versionsRead = false;
    bool m_started = false;
    bool m_ended = false;
    QString m_lastProblem; // the last warning or error the engine logged
    QString m_stopCause; // why this program stopped the device, told instead of the engine's
    int m_value = 0;
    int m_maximum = 0;
    QString m_format;
    int m_silenceLimitMs;
    // Runs while the upgrade runs; when it fires, the device is given up unless it has shown a
    // sign of life since (every answer would restart a timer otherwise, once per image line).
    QTimer m_silenceLimit;
    QElapsedTimer m_sinceSignOfLife;
    QElapsedTimer m_clock;
    DeviceOutcome m_outcome;
};

#endif // DEVICEUPGRADE_H
