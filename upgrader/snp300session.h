#ifndef SNP300SESSION_H
#define SNP300SESSION_H

#include "linkticket.h"
#include "loglevel.h"
#include "timeleftestimate.h"
#include "upgradeattempt.h"
#include "upgradehistory.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QSerialPort>
#include <QString>

#include <functional>

class FirmwareImage;
class QIODevice;
class QTimer;

// The upgrade engine: the serial link, the two watchdogs, the dialogue state and its buffers, the
// image lines and the delayed steps. No widgets; front ends (the window, snp300-upgrade) show what
// it reports. It never writes the log file itself: front ends log each logLine().
//
// The dialogue is strictly request and answer: the session writes a command and the next chunk
// the device sends decides what happens next. Its rules stand in one table (snp300session.cpp),
// one row per state.
class Snp300Session : public QObject
{
    Q_OBJECT

public:
    // States of the device dialogue, the values of m_state. The numbers are the device
    // dialogue's own (10 is not used).
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
    Q_ENUM(DialogueState)

    explicit Snp300Session(QObject *parent = nullptr);
    ~Snp300Session() override; // an upgrade it cuts off is recorded as interrupted

    // Asked while the device's tagged version answer is handled: the newest bootloader version
    // the server offers ("" when none or unanswered). The window hands its nested server query;
    // snp300-upgrade hands the answer it got before opening any port. Unset: "" (only the 1.0.14
    // threshold decides).
    void setBootloaderVersionQuery(std::function<QString()> query);
    // Where History.csv is; empty (the default) is UpgradeHistory::defaultPath(), found again
    // for each record. Takes effect for the next attempt.
    void setHistoryPath(const QString &path);

    // Opens the serial port (115200 baud, 8N1, no flow control) and sends VER. On failure emits
    // "Unable to connect." and its cause (PortOpenFailure) as Error log lines, returns false.
    bool openPort(const QString &portName);
    // The same over a link already open for reading and writing (a test's in-process device);
    // portName is what logs and History name. The session does not take ownership.
    bool openLink(QIODevice *link, const QString &portName);
    // As Disconnect: CAN (when sendCancel), every pending write drained, close; an upgrade that
    // was running is recorded as interrupted (upgradeEnded). Emits linkClosed().
    void closeLink(bool sendCancel = true);
    bool isOpen() const;
    QString portName() const;
    // The link open now, to be asked after a nested event loop whether it still is.
    LinkTicket linkTicket() const;

    int state() const; // a DialogueState
    QString appVersion() const; // m_appVersion
    QString bootloaderVersion() const; // m_bootloaderVersion
    bool bootloaderUpdateNeeded() const; // m_bootloaderUpdateNeeded
    QString firmwareFilePath() const; // m_firmwareFilePath, the image of the last start
    // Between the upgrade's first byte and its end.
    bool isUpgrading() const;

    // Checks the whole image before the first byte. A damaged or unreadable image: logs "The
    // upgrade was not started: <cause>", records a "refused" History row, emits
    // upgradeEnded(Refused, cause) and returns false; nothing is sent. Otherwise logs "Start update
    // using file: <native path>", starts the attempt (History row at its end), enters state 2 and
    // sends STX; returns true. The kind recorded is bootloaderUpdateNeeded().
    bool startUpgrade(const QString &imagePath);

    // The front end goes away in the middle of an upgrade: it is recorded as interrupted
    // (upgradeEnded) while the front end still listens. The link is left as it is.
    void abandonUpgrade();

    // The device did not answer VER in time: it may be running its bootloader, so probe for the
    // bootloader prompt. Run by the version watchdog.
    void probeBootloader();

signals:
    void logLine(const QString &message, cvc::LogLevel level);
    // The link has just opened, before VER goes out.
    void linkOpened();
    // The versions are read and the bootloader decision made ("Device ready to start update" was
    // logged); appVersion() is set where the device's answer carried it.
    void versionsRead();
    void progressChanged(int value, int maximum);
    // The progress text format (QProgressBar::setFormat); empty: the plain percentage.
    void timeLeftChanged(const QString &format);
    // The bootloader watchdog ran out: the device does not answer. The front end tells the
    // operator, then (if the same link is still open) calls closeLink(true).
    void bootloaderNotResponding();
    // No answer for SilenceNoticeMs while the upgrade runs (the notice was logged too).
    void deviceSilent();
    // An upgrade ended: Completed (after "UPGRADE IS DONE"), Interrupted (link closed, port
    // lost) or Refused; its History row is written. cause: empty for Completed, else the words
    // the window showed.
    void upgradeEnded(UpgradeHistory::Result result, const QString &cause);
    void linkClosed();

private slots:
    void verStrTimeout();
    void bootLoaderTimeout();

private:
    struct DialogueRule;
    static const DialogueRule &ruleOf(int state);

    bool refuseSecondLink(const QString &portName);
    bool startLink(QIODevice *link, const QString &portName);
    // The one writer of m_state.
    void setState(DialogueState state);
    // The device's versions are being read: its first answer, its tagged answer, or the probe of
    // a device that did not answer VER.
    bool isReadingVersions() const;
    // The bootloader dialogue runs, from the STX that starts an upgrade to the application's
    // start-up after CAN.
    bool isInUpgradeDialogue() const;

    // The device dialogue: one chunk, handled as the state's rule says.
    void readSerialData();
    void appendToReceiveBuffer(const QByteArray &chunk);
    void answerAwaited();
    void scheduleNextStep();
    void runStep(const DialogueRule &rule);
    void handleVersionAnswer(const QByteArray &chunk);
    void recordApplicationVersion(const QString &trimmedChunk);
    void handleBootloaderProbeAnswer(const QByteArray &chunk);
    void handleLoadImage(const QByteArray &chunk);
    void handleProgrammingAnswer(const QByteArray &chunk);
    void handleFinished(const QByteArray &chunk);
    void recordBootloaderDecision(int bootloaderNumber, int serverNumber);
    void showTimeLeft();

    // The record of an upgrade: the History row, and the report of one that cannot be written.
    UpgradeHistory::Entry historyEntry(const FirmwareImage &image) const;
    // Ends the running attempt, if there is one; true when one was running.
    bool finishAttempt(UpgradeHistory::Result result);
    void reportUnrecorded(bool recorded);

    void drainWrites(int timeoutMs);
    void onSerialError(QSerialPort::SerialPortError error);
    void onLinkClosing();
    void loseLink(const QString &reason);
    void onDeviceSilent();
    QString dialogueStage() const;
    void writeToDevice(const QByteArray &bytes);
    void log(const QString &message, cvc::LogLevel level = cvc::Info);

    friend struct SNPUpgraderProbe; // read access for the tests

    QString m_appVersion;
    QString m_bootloaderVersion;
    bool m_bootloaderUpdateNeeded = false;
    QTimer *m_verStrTimer = nullptr;
    QTimer *m_bootLoaderTimer = nullptr;
    // The link in use: the session's own port (openPort) or a link handed to openLink().
    QIODevice *m_serialPort = nullptr;
    int m_state = ConnectProbe; // a DialogueState, written only by setState()
    QString m_firmwareFilePath = QStringLiteral("");
    int m_lineIndex = 0;
    QByteArray m_rxBuffer;
    QList<QByteArray> m_fileLines;

    // The port openPort() opens, made once.
    QSerialPort *m_port = nullptr;
    QString m_portName;
    std::function<QString()> m_bootloaderVersionQuery;
    // Each link opened counts one; linkTicket() remembers which one was open.
    LinkTicket::Counter m_linksOpened;
    int m_linkNumber = 0; // the same count, for a link that closed under the session
    // closeLink() is closing the link: its own close is no loss of the link.
    bool m_closing = false;
    // Why a running upgrade is cut off by the next closeLink(), for upgradeEnded().
    QString m_interruptCause;
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

Q_DECLARE_METATYPE(UpgradeHistory::Result)

#endif // SNP300SESSION_H
