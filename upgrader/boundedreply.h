#ifndef BOUNDEDREPLY_H
#define BOUNDEDREPLY_H

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSslError>

class QNetworkReply;

// Reads a network reply as it arrives, up to a bound. A reply that announces more than the bound
// (its Content-Length) or whose body passes it is aborted at once and what it brought is dropped:
// neither Qt nor this object ever holds more than the bound plus one read, whatever the server
// sends (an endless chunked body, a length of a terabyte). Make it right after the request is
// sent, before the event loop runs.
class BoundedReply : public QObject
{
    Q_OBJECT

public:
    // What Qt may hold of the reply unread, between two reads here.
    static constexpr qint64 ReadBufferBytes = 256 * 1024;
    // The largest replies taken from the firmware server. A list of a few thousand images is
    // some hundred kilobytes; images are about a megabyte.
    static constexpr qint64 ListBoundBytes = 4 * 1024 * 1024;
    static constexpr qint64 ImageBoundBytes = 64 * 1024 * 1024;

    BoundedReply(QNetworkReply *reply, qint64 bound, QObject *parent = nullptr);
    ~BoundedReply() override;

    qint64 bound() const { return m_bound; }
    qint64 received() const { return m_received; }
    // The length the server announced, -1 when it announced none (a chunked body).
    qint64 announced() const { return m_announced; }
    bool isRefused() const { return m_refused; }
    // The faults of the server's certificate, as the reply reported them before it ended.
    QList<QSslError> sslErrors() const { return m_sslErrors; }

    // The whole body, once the reply has finished: what was read so far and what is still
    // unread. Empty when the reply was refused, which the rest of the body may still make it.
    QByteArray takeBody();

    // "64 MiB", "4 MiB", "1.5 KiB", "12 bytes".
    static QString sizeText(qint64 bytes);

signals:
    // After each read; total is the announced length, or -1.
    void progress(qint64 received, qint64 total);
    // Once, when the reply passed the bound and was aborted.
    void refused();

private:
    void readAvailable();
    void checkAnnouncedLength();
    void refuse();

    QPointer<QNetworkReply> m_reply;
    qint64 m_bound;
    qint64 m_received = 0;
    qint64 m_announced = -1;
    bool m_refused = false;
    QByteArray m_body;
    QList<QSslError> m_sslErrors;
};

#endif // BOUNDEDREPLY_H
