#include "simulatedlink.h"

#include <QTimer>

#include <cstring>

SimulatedLink::SimulatedLink(const Snp300Options &options, QObject *parent)
    : QIODevice(parent)
    , m_device(options)
{
    m_clock.start();
    m_answerTimer = new QTimer(this);
    m_answerTimer->setSingleShot(true);
    connect(m_answerTimer, &QTimer::timeout, this, &SimulatedLink::deliverNextAnswer);
    connect(this, &QIODevice::aboutToClose, this, [this] {
        m_pending.clear();
        m_incoming.clear();
        m_answerTimer->stop();
    });
}

// Unbuffered: a read takes exactly what has been delivered, so each answer stays one chunk.
bool SimulatedLink::open()
{
    return QIODevice::open(QIODevice::ReadWrite | QIODevice::Unbuffered);
}

void SimulatedLink::unplug()
{
    close();
}

qint64 SimulatedLink::bytesAvailable() const
{
    return m_incoming.size() + QIODevice::bytesAvailable();
}

qint64 SimulatedLink::readData(char *data, qint64 maxSize)
{
    const qint64 count = qMin<qint64>(maxSize, m_incoming.size());
    std::memcpy(data, m_incoming.constData(), size_t(count));
    m_incoming.remove(0, int(count));
    return count;
}

qint64 SimulatedLink::writeData(const char *data, qint64 size)
{
    const QList<Snp300Reply> replies = m_device.receive(QByteArray(data, int(size)));
    for (const Snp300Reply &reply : replies) {
        qint64 due = m_clock.elapsed() + reply.delayMs;
        if (!m_pending.isEmpty())
            due = qMax(due, m_pending.last().dueMs);
        m_pending.append({ due, reply.bytes });
    }
    scheduleNextAnswer();
    return size;
}

// One answer per turn of the event loop, so that two answers due at once stay two chunks.
void SimulatedLink::deliverNextAnswer()
{
    if (m_pending.isEmpty() || !isOpen())
        return;
    m_incoming.append(m_pending.takeFirst().bytes);
    scheduleNextAnswer();
    emit readyRead();
}

void SimulatedLink::scheduleNextAnswer()
{
    if (m_pending.isEmpty() || m_answerTimer->isActive())
        return;
    m_answerTimer->start(int(qMax<qint64>(0, m_pending.first().dueMs - m_clock.elapsed())));
}
