#ifndef PTYDEVICE_H
#define PTYDEVICE_H

#include "snp300device.h"

#include <QElapsedTimer>
#include <QObject>

class QSocketNotifier;
class QTimer;

// A simulated SNP300 behind a pseudo-terminal: the host opens portName() like
// any serial port (QSerialPort accepts the path). Everything the host writes
// is recorded and fed to the Snp300Device model; the model's answers are
// written back after their delays, one write each, never overtaking an earlier
// answer. The driver keeps its own descriptor on the terminal side open, so the
// host may close and reopen the port as often as it likes.
class PtyDevice : public QObject
{
    Q_OBJECT

public:
    struct Chunk
    {
        qint64 ms = 0; // since the driver was constructed
        QByteArray bytes;
    };

    explicit PtyDevice(const Snp300Options &options = {}, QObject *parent = nullptr);
    ~PtyDevice() override;

    bool isOpen() const { return m_master >= 0; }
    QString errorString() const { return m_errorString; }
    QString portName() const { return m_portName; } // e.g. /dev/pts/4

    Snp300Device &device() { return m_device; }
    const Snp300Device &device() const { return m_device; }

    QByteArray received() const; // all bytes the host wrote since the last clearReceived()
    QList<Chunk> chunks() const { return m_chunks; } // each read, with its time stamp
    void clearReceived();
    qint64 elapsedMs() const { return m_clock.elapsed(); }

    // Off: the model still sees every byte, but its answers are dropped (also
    // those already waiting), so the test writes the answers itself with send().
    void setAutoAnswer(bool on);
    bool autoAnswer() const { return m_autoAnswer; }
    int pendingAnswers() const { return m_pending.size(); }

    // Writes raw bytes to the host at once, as one write.
    bool send(const QByteArray &bytes);

signals:
    void bytesReceived(const QByteArray &bytes);
    void answerSent(const QByteArray &bytes);
    void deviceEvent(const QString &text); // commands and state changes of the model

private:
    struct PendingAnswer
    {
        qint64 dueMs = 0;
        QByteArray bytes;
    };

    bool openPseudoTerminal();
    void readMaster();
    void queueAnswers(const QList<Snp300Reply> &replies);
    void writeDueAnswers();
    void scheduleNextAnswer();
    void closeAll();

    Snp300Device m_device;
    int m_master = -1;
    int m_slave = -1; // kept open so the host never causes a hang-up
    QString m_portName;
    QString m_errorString;
    QSocketNotifier *m_notifier = nullptr;
    QTimer *m_answerTimer = nullptr;
    QElapsedTimer m_clock;
    QList<Chunk> m_chunks;
    QList<PendingAnswer> m_pending;
    bool m_autoAnswer = true;
};

#endif // PTYDEVICE_H
