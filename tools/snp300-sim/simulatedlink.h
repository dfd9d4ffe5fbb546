#ifndef SIMULATEDLINK_H
#define SIMULATEDLINK_H

#include "snp300device.h"

#include <QElapsedTimer>
#include <QIODevice>
#include <QList>

class QTimer;

// The simulated SNP300 behind an in-process link, for tests that need no terminal: what the host
// writes reaches the device model at once, and each of its answers comes back as one chunk (one
// readyRead) after its delay, never before an earlier one. Only Qt: it builds on every platform.
class SimulatedLink : public QIODevice
{
    Q_OBJECT

public:
    explicit SimulatedLink(const Snp300Options &options = {}, QObject *parent = nullptr);

    // Opens the link for reading and writing.
    bool open();
    Snp300Device &device() { return m_device; }

    // Answers not yet delivered are dropped when the cable is pulled.
    void unplug();

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 size) override;

private:
    void deliverNextAnswer();
    void scheduleNextAnswer();

    struct PendingAnswer
    {
        qint64 dueMs;
        QByteArray bytes;
    };

    Snp300Device m_device;
    QList<PendingAnswer> m_pending;
    QByteArray m_incoming; // delivered, not yet read by the host
    QElapsedTimer m_clock;
    QTimer *m_answerTimer = nullptr;
};

#endif // SIMULATEDLINK_H
