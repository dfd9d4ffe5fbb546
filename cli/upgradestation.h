#ifndef UPGRADESTATION_H
#define UPGRADESTATION_H

#include "firmwarecatalogue.h"
#include "firmwareserverclient.h"
#include "interruptguard.h"
#include "terminalquestion.h"
#include "upgradeoptions.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

class DeviceUpgrade;
class UpgradeReporter;

// The station: one engine per port, side by side in one process. It asks the firmware server
// once, opens every port, reads every device's versions, decides what each needs, asks the
// operator once, downloads each image once, starts the upgrades and waits for their ends.
class UpgradeStation : public QObject
{
    Q_OBJECT

public:
    UpgradeStation(const UpgradeOptions &options, UpgradeReporter *reporter,
                   QObject *parent = nullptr);
    ~UpgradeStation() override;

    void start();
    // Ctrl+C and its kin: before programming the station stops at once; during programming the
    // first says what stopping costs, and a second within a few seconds stops.
    void interrupt(InterruptGuard::Kind kind);
    bool hasFinished() const { return m_finished; }
    int exitStatus() const { return m_exitStatus; }

signals:
    void finished(int exitStatus);

private:
    enum class Phase { AskingServer, ReadingVersions, Confirming, Downloading, Upgrading, Done };

    // What one device is to be given.
    struct Plan
    {
        ImageKind kind = ImageKind::Application;
        QString serverName; // the server's image to download; empty: imagePath is set
        QString imagePath;
        QString availableVersion;
    };

    void onListed(const FirmwareCatalogue &catalogue);
    void onListFailed(const QString &cause);
    void openPorts();
    void onVersionsRead();
    void onDeviceEnded(const QString &port);
    void decide();
    QString localImage() const;
    void confirm();
    void onConfirmed(bool yes);
    void downloadNext();
    void onStored(const QString &name, const QString &path);
    void onDownloadFailed(const QString &cause);
    void startUpgrades();
    void stopAll(const QString &cause);
    void finishIfDone();
    QList<DeviceUpgrade *> devicesWaiting() const; // not ended
    QByteArray sha256Of(const QString &path);

    UpgradeOptions m_options;
    UpgradeReporter *m_reporter;
    FirmwareServerClient m_server;
    TerminalQuestion m_question;
    QList<DeviceUpgrade *> m_devices;
    Phase m_phase = Phase::AskingServer;
    bool m_listed = false;
    FirmwareCatalogue m_catalogue;
    QString m_serverCause; // why the server gave no list
    QHash<QString, Plan> m_plans; // by port, for the devices to upgrade
    QStringList m_downloads; // server names still to fetch
    QString m_downloading;
    QHash<QString, QByteArray> m_sha256; // by image path
    QTimer m_secondInterrupt; // runs after a first Ctrl+C during programming
    bool m_finished = false;
    int m_exitStatus = 1;
};

#endif // UPGRADESTATION_H
