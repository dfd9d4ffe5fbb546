#include "ptydevice.h"

#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

QString systemError(const char *what)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what),
                                        QString::fromLocal8Bit(std::strerror(errno)));
}

void setFlag(int fd, int getCommand, int setCommand, int flag)
{
    const int flags = ::fcntl(fd, getCommand);
    if (flags >= 0)
        ::fcntl(fd, setCommand, flags | flag);
}

} // namespace

PtyDevice::PtyDevice(const Snp300Options &options, QObject *parent)
    : QObject(parent)
    , m_device(options)
    , m_answerTimer(new QTimer(this))
{
    m_clock.start();
    m_answerTimer->setSingleShot(true);
    connect(m_answerTimer, &QTimer::timeout, this, &PtyDevice::writeDueAnswers);
    if (!openPseudoTerminal()) {
        closeAll();
        return;
    }
    m_notifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &PtyDevice::readMaster);
}

PtyDevice::~PtyDevice()
{
    closeAll();
}

bool PtyDevice::openPseudoTerminal()
{
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0) {
        m_errorString = systemError("posix_openpt");
        return false;
    }
    if (::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) {
        m_errorString = systemError("grantpt/unlockpt");
        return false;
    }
    char name[256] = {};
    if (::ptsname_r(m_master, name, sizeof name) != 0) {
        m_errorString = systemError("ptsname_r");
        return false;
    }
    m_slave = ::open(name, O_RDWR | O_NOCTTY);
    if (m_slave < 0) {
        m_errorString = systemError("open terminal side");
        return false;
    }
    // Raw bytes both ways, no echo: the host sees exactly what the device writes.
    termios settings {};
    if (::tcgetattr(m_slave, &settings) != 0) {
        m_errorString = systemError("tcgetattr");
        return false;
    }
    ::cfmakeraw(&settings);
    ::cfsetispeed(&settings, B115200);
    ::cfsetospeed(&settings, B115200);
    if (::tcsetattr(m_slave, TCSANOW, &settings) != 0) {
        m_errorString = systemError("tcsetattr");
        return false;
    }
    setFlag(m_master, F_GETFL, F_SETFL, O_NONBLOCK);
    setFlag(m_master, F_GETFD, F_SETFD, FD_CLOEXEC);
    setFlag(m_slave, F_GETFD, F_SETFD, FD_CLOEXEC);
    m_portName = QString::fromLocal8Bit(name);
    return true;
}

void PtyDevice::closeAll()
{
    delete m_notifier;
    m_notifier = nullptr;
    m_answerTimer->stop();
    m_pending.clear();
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
    m_master = -1;
    m_slave = -1;
}

QByteArray PtyDevice::received() const
{
    QByteArray all;
    for (const Chunk &chunk : m_chunks)
        all += chunk.bytes;
    return all;
}

void PtyDevice::clearReceived()
{
    m_chunks.clear();
}

void PtyDevice::setAutoAnswer(bool on)
{
    m_autoAnswer = on;
    if (!on) {
        m_pending.clear();
        m_answerTimer->stop();
    }
}

bool PtyDevice::send(const QByteArray &bytes)
{
    if (m_master < 0)
        return false;
    const ssize_t written = ::write(m_master, bytes.constData(), static_cast<size_t>(bytes.size()));
    if (written != bytes.size()) {
        qWarning("PtyDevice: %s",
                 qPrintable(written < 0 ? systemError("write") : QStringLiteral("short write")));
        return false;
    }
    emit answerSent(bytes);
    return true;
}

// One notification is one chunk: everything the terminal holds at this moment.
void PtyDevice::readMaster()
{
    QByteArray chunk;
    char buffer[4096];
    for (;;) {
        const ssize_t count = ::read(m_master, buffer, sizeof buffer);
        if (count <= 0)
            break;
        chunk.append(buffer, static_cast<int>(count));
    }
    if (chunk.isEmpty())
        return;
    m_chunks.append({ m_clock.elapsed(), chunk });
    const QList<Snp300Reply> replies = m_device.receive(chunk);
    emit bytesReceived(chunk);
    for (const QString &text : m_device.takeEvents())
        emit deviceEvent(text);
    if (m_autoAnswer)
        queueAnswers(replies);
}

// A device answers in order: an answer never leaves before an earlier one.
void PtyDevice::queueAnswers(const QList<Snp300Reply> &replies)
{
    for (const Snp300Reply &reply : replies) {
        qint64 due = m_clock.elapsed() + reply.delayMs;
        if (!m_pending.isEmpty())
            due = qMax(due, m_pending.last().dueMs);
        m_pending.append({ due, reply.bytes });
    }
    scheduleNextAnswer();
}

void PtyDevice::writeDueAnswers()
{
    while (!m_pending.isEmpty() && m_pending.first().dueMs <= m_clock.elapsed())
        send(m_pending.takeFirst().bytes);
    scheduleNextAnswer();
}

void PtyDevice::scheduleNextAnswer()
{
    if (m_pending.isEmpty() || m_answerTimer->isActive())
        return;
    m_answerTimer->start(
        static_cast<int>(qMax<qint64>(0, m_pending.first().dueMs - m_clock.elapsed())));
}
