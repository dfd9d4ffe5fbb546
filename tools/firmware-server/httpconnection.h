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

    QByteArray path() const; // the target without its query
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

    static QByteArray reasonPhrase(int status);

signals:
    void requestReady(const HttpRequest &request);

private:
    void readSocket();
    bool parseHead(const QByteArray &head);
    void fail(int status);

    QTcpSocket *m_socket;
    QByteArray m_buffer;
    HttpRequest m_request;
    qint64 m_contentLength = -1; // -1 while the head is incomplete
    bool m_done = false; // a request was handed on or refused
};

#endif // HTTPCONNECTION_H
