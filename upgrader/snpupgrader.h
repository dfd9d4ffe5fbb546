#ifndef SNPUPGRADER_H
#define SNPUPGRADER_H

#include "linkticket.h"
#include "loglevel.h"
#include "replywaits.h"
#include "timeleftestimate.h"
#include "upgradeattempt.h"
#include "upgradehistory.h"

#include <QByteArray>
#include <QList>
#include <QMainWindow>
#include <QSerialPort>
#include <QString>

#include <functional>
#include <optional>

class FirmwareImage;
class QCloseEvent;
class QDomNode;
class QNetworkReply;
class QTimer;

namespace Ui {
class SNPUpgrader;
}

// The program's only window. It owns the serial link to the SNP300, the dialogue with the
// device's bootloader, the firmware-server client and the upgrade decision. Everything runs on
// the GUI thread; the server waits and the message boxes run nested event loops, so every
// handler acts on the state it finds when it runs.
class SNPUpgrader : public QMainWindow
{
    Q_OBJECT

public:
    // States of the device dialogue, the values of m_state. The numbers are the device
    // dialogue's own (10 is not used); ask isReadingVersions() or isUpgrading() rather than
    // comparing them.
    enum DialogueState {
        ConnectProbe = 0, // first answer after opening, dropped
        ReadVersion = 1, // the application's tagged version answer
        EnterBootloader = 2, // any answer to the STX that starts an upgrade
        WaitPrompt = 3, // the bootloader prompt
        Unlock = 4, // "UNLOCKED" and the prompt
        ConfirmErase = 5, // any answer to "E"
        Erase = 6, // "ERASED" and the prompt
        LoadImage = 7, // any answer to "P": load the image, send its first line
        Programming = 8, // one answer per image line
        Finished = 9, // the application's start-up after CAN
        BootloaderProbe = 11 // a device that did not answer VER: its prompt, then its answer to B
    };

    explicit SNPUpgrader(QWidget *parent = nullptr);
    ~SNPUpgrader() override;

    // The one entry to the firmware server, synchronous to its callers. Returns
    // "NoRequestResponse" when the list went unanswered, the newest file's name when it is newer
    // than the device and download is false, the stored file's path when it was downloaded, and
    // an empty string otherwise. *availableVersion gets the newest version of the kind whenever
    // the list holds a file of that kind.
    QString queryFirmwareServer(bool bootloader, QString *availableVersion, bool download);

    // Text of the first child element of node named tagName, empty when there is none.
    static QString childElementText(const QDomNode &node, const QString &tagName);

signals:
    void phpDownloadFinished();

protected:
    // Between the upgrade's first byte and its end, asks before the window closes.
    void closeEvent(QCloseEvent *event) override;

private slots:
    void replyUrlRequestFinished(QNetworkReply *reply);
    void verStrTimeout();
    void bootLoaderTimeout();

private:
    void initialize();
    void refreshSerialPorts();
    void toggleConnection();
    void readSerialData();
    void onUpgradeClicked();
    QString selectUpgradeFile();
    void startUpgrade(const FirmwareImage &image);

    // An upgrade is being chosen (m_upgradeChoice); the Upgrade button stays disabled meanwhile.
    bool isChoosingUpgrade() const;

    // The record of an upgrade: the log file and History.csv.
    UpgradeHistory::Entry historyEntry(const FirmwareImage &image) const;
    void endAttempt(UpgradeHistory::Result result);
    void reportUnrecorded(bool recorded);

    // The one writer of m_state.
    void setState(DialogueState state);
    // The device's versions are being read: its first answer, its tagged answer, or the probe of
    // a device that did not answer VER.
    bool isReadingVersions() const;
    // An upgrade runs on the device, from the STX that starts it to the application's start-up
    // after CAN.
    bool isUpgrading() const;

    // The device dialogue, one handler per state that reads the chunk.
    void appendToReceiveBuffer(const QByteArray &chunk);
    void handleVersionAnswer(const QByteArray &chunk);
    void recordApplicationVersion(const QString &trimmedChunk);
    void handleBootloaderProbeAnswer(const QByteArray &chunk);
    void handleLoadImage();
    void handleProgrammingAnswer();
    void showTimeLeft();
    void handleFinished();
    void recordBootloaderDecision(int bootloaderNumber, int serverNumber);
    // The delayed step that follows the answer the current state waited for.
    void scheduleNextStep();

    void closeLink(bool sendCancel);
    void drainWrites(int timeoutMs);
    // The link open now, to be asked after a nested event loop whether it still is.
    LinkTicket linkTicket() const;
    void onSerialError(QSerialPort::SerialPortError error);
    void onDeviceSilent();
    QString dialogueStage() const;
    void writeToDevice(const QByteArray &bytes);
    // A line of the log box, which also goes to the run's log file at the given level.
    void appendLog(const QString &message, cvc::LogLevel level = cvc::Info);
    void showInformation(const QString &text);
    void runModal(const std::function<void()> &showBox);
    // The firmware-server requests, the values of m_requestKind.
    enum RequestKind { ListRequest = 0, DownloadRequest = 1 };
    ReplyWaits::Outcome awaitReply(QNetworkReply *reply, RequestKind kind, int timeoutMs,
                                   const QString &fileName = QString());
    QString storeDownload(const QString &fileName);
    bool confirmCloseDuringUpgrade();

    friend struct SNPUpgraderProbe; // read access for the tests

    int m_requestKind = 0; // 0: list request outstanding, 1: download outstanding
    QString m_replyText;
    QByteArray m_downloadData;
    QString m_appVersion;
    QString m_bootloaderVersion;
    bool m_bootloaderUpdateNeeded = false;
    QTimer *m_verStrTimer = nullptr;
    QTimer *m_bootLoaderTimer = nullptr;
    QSerialPort *m_serialPort = nullptr;
    Ui::SNPUpgrader *ui = nullptr;
    int m_state = ConnectProbe; // a DialogueState, written only by setState()
    QString m_firmwareFilePath = QStringLiteral("");
    int m_lineIndex = 0;
    QByteArray m_rxBuffer;
    QList<QByteArray> m_fileLines;

    // The server replies that the waits in progress wait for, and what each brought.
    ReplyWaits m_replyWaits;
    // Each successful connect counts one link; linkTicket() remembers which one was open.
    LinkTicket::Counter m_linksOpened;
    // The link an upgrade is being chosen for (server queries, confirmation, download); none
    // while no upgrade is being chosen. Owned by the Upgrade button's handler.
    std::optional<LinkTicket> m_upgradeChoice;
    // The image chosen was downloaded but could not be stored. The cause has been told; nothing
    // that blames the server follows it.
    bool m_downloadNotStored = false;
    // The upgrade running on the device since its first STX, recorded when it ends.
    UpgradeAttempt m_attempt;
    // The pace of programming, for the time left on the progress bar.
    TimeLeftEstimate m_timeLeft;
    // An image that cannot be read in the middle of an upgrade is reported once, not per chunk.
    bool m_imageProblemReported = false;
    // Runs while the bootloader dialogue waits for the device; restarted by every answer. When
    // it runs out the operator is told that the device has gone quiet.
    QTimer *m_silenceTimer = nullptr;
};

#endif // SNPUPGRADER_H
