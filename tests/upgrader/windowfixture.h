#ifndef WINDOWFIXTURE_H
#define WINDOWFIXTURE_H

#include "firmwareserver.h"
#include "messageboxanswerer.h"
#include "ptydevice.h"
#include "snpupgrader.h"
#include "temphome.h"

#include <QComboBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTextEdit>
#include <memory>

// One window on a simulated SNP300 behind a pseudo-terminal, a firmware server on 127.0.0.1
// serving a folder of images, a temporary HOME (and so Documents folder), and an answerer that
// closes every message box the window shows.
class WindowFixture
{
public:
    explicit WindowFixture(const Snp300Options &options = {});
    ~WindowFixture();

    TempHome home;
    PtyDevice device;
    FirmwareServer server;
    MessageBoxAnswerer boxes;
    std::unique_ptr<SNPUpgrader> window;

    QComboBox *portList() const;
    QPushButton *connectButton() const;
    QPushButton *refreshButton() const;
    QPushButton *upgradeButton() const;
    QProgressBar *progressBar() const;
    QTextEdit *logBox() const;
    QStringList logLines() const; // one entry per line of the log box

    QString serverImagePath(const QString &name) const;
    void addServerImage(const QString &name, const QByteArray &content);
    QString addDocument(const QString &name, const QByteArray &content);
    // A test image in the Documents folder, which the window prefers, and the server's 1.3.0 so
    // that the server answers too; returns the test image's path.
    QString addTestImage(const QByteArray &content);

    // Chooses the simulated device's port and presses Connect.
    void connectDevice();
    // Connects and waits until the device's versions have been read.
    bool connectAndReadVersions();
    // Connects, reads the versions and presses Upgrade: from then on the device's received bytes
    // are the upgrade's, and a box is answered Ok unless told otherwise.
    bool startUpgrade();
    bool waitForLogLine(const QString &line, int timeoutMs = 15000) const;

    // The record of the upgrades in the data folder, one list of fields per row, header first.
    QString historyPath() const;
    QList<QStringList> historyRows() const;

private:
    QString m_serverImages;
};

#endif // WINDOWFIXTURE_H
