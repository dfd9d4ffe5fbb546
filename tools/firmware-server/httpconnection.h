#ifndef HTTPCONNECTION_H
#define HTTPCONNECTION_H

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>

class QTcpSocket;

// One HTTP/1.1 request as it came in.
struct HttpRequest
{
    QByteArray method;
    QByteArray target; // path and query, as sent
    QList<QPair<QByteArray, QByteArray>> headers; // names in lower case
    QByteArray body;

    // The target without its query, and without scheme and host when it came in the absolute
    // form that clients send to a proxy ("POST http://host:port/path HTTP/1.1").
    QByteArray path() const;
    bool hasAbsoluteTarget() const;
    QByteArray header(const QByteArray &lowerCaseName) const;
};

// Reads one request from a socket and writes one answer, then closes the
// connection ("Connection: close"). Malformed or oversized requests are
// answered here (400, 413, 501); the object deletes itself when the socket
// is gone, which also cancels anything still waiting to answer on it.
class HttpConnection : public QObject
{
    Q_OBJECT

public:
    explicit HttpConnection(QTcpSocket *socket, QObject *parent = nullptr);

    void start(); // call once requestReady is connected

    void respond(int status, const QByteArray &contentType, const QByteArray &body,
                 const QList<QPair<QByteArray, QByteArray>> &extraHeaders = {});

    // How an endless answer says that it never ends.
    enum class Endless {
        Chunked, // Transfer-Encoding: chunked, and never the last chunk
        HugeLength // Content-Length: 1 TiB
    };
    // A 200 answer whose body is start, then unit over and over until the client goes away. The
    // body is written only as fast as the client reads it (at most about a megabyte waits on the
    // socket), so the server's memory stays small however long it runs.
    void respondEndless(const QByteArray &contentType, const QByteArray &start,
                        const QByteArray &unit, Endless framing);

    static QByteArray reasonPhrase(int status);

signals:
    void requestReady(const HttpRequest &request);

private:
    void readSocket();
    bool parseHead(const QByteArray &head);
    void fail(int status);
    void feedEndless();

    QTcpSocket *m_socket;
    QByteArray m_buffer;
    HttpRequest m_request;
    qint64 m_contentLength = -1; // -1 while the head is incomplete
    bool m_done = false; // a request was handed on or refused
    QByteArray m_endlessBlock; // what each write of an endless answer sends, empty when none
};

#endif // HTTPCONNECTION_H
