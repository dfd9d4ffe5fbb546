#include "boundedreply.h"

#include <QNetworkReply>

#include <utility>

BoundedReply::BoundedReply(QNetworkReply *reply, qint64 bound, QObject *parent)
    : QObject(parent)
    , m_reply(reply)
    , m_bound(bound)
{
    // Qt stops reading from the network while this much is unread, so a server that sends
    // faster than the program reads fills nothing beyond it. The size must reach Qt's network
    // thread, which drops it until the request has started there (QHttpThreadDelegate ignores a
    // change while it has no reply yet, and Qt 6 hands it no initial size): the request starts
    // on the next turn of the event loop, so the size is given again right after that, and the
    // network thread takes it after it has started the request.
    reply->setReadBufferSize(ReadBufferBytes);
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_reply && !m_refused)
                m_reply->setReadBufferSize(ReadBufferBytes);
        },
        Qt::QueuedConnection);
    connect(reply, &QNetworkReply::metaDataChanged, this, &BoundedReply::checkAnnouncedLength);
    connect(reply, &QNetworkReply::readyRead, this, &BoundedReply::readAvailable);
    // Only recorded: the errors are never ignored, so the reply ends before anything is sent.
    connect(reply, &QNetworkReply::sslErrors, this,
            [this](const QList<QSslError> &errors) { m_sslErrors = errors; });
}

// A reply that outlives this object (a wait that timed out) is read by nobody: Qt holds at
// most its read buffer of it until the reply goes with its manager.
BoundedReply::~BoundedReply() = default;

QByteArray BoundedReply::takeBody()
{
    readAvailable();
    if (m_refused)
        return QByteArray();
    return std::exchange(m_body, QByteArray());
}

QString BoundedReply::sizeText(qint64 bytes)
{
    const qint64 KiB = 1024;
    const qint64 MiB = 1024 * KiB;
    const auto scaled = [bytes](qint64 unit, const char *name) {
        const QString number = bytes % unit == 0 ? QString::number(bytes / unit)
                                                 : QString::number(double(bytes) / unit, 'f', 1);
        return number + QLatin1Char(' ') + QLatin1String(name);
    };
    if (bytes >= MiB)
        return scaled(MiB, "MiB");
    if (bytes >= KiB)
        return scaled(KiB, "KiB");
    return QStringLiteral("%1 bytes").arg(bytes);
}

void BoundedReply::checkAnnouncedLength()
{
    if (!m_reply || m_refused)
        return;
    const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
    if (!length.isValid())
        return;
    m_announced = length.toLongLong();
    if (m_announced > m_bound)
        refuse();
}

void BoundedReply::readAvailable()
{
    if (!m_reply || m_refused)
        return;
    const qint64 available = m_reply->bytesAvailable();
    if (available <= 0)
        return;
    if (m_received + available > m_bound) {
        m_received += available;
        refuse();
        return;
    }
    m_body += m_reply->read(available);
    m_received = m_body.size();
    emit progress(m_received, m_announced);
}

void BoundedReply::refuse()
{
    m_refused = true;
    m_body = QByteArray(); // releases the memory, not only the contents
    emit refused();
    // Aborting finishes the reply with an error at once: nothing of it is stored.
    if (m_reply)
        m_reply->abort();
}
