#include "httpconnection.h"

#include <QTcpSocket>

namespace {

const int MaxHeadSize = 64 * 1024;
const qint64 MaxBodySize = 16 * 1024 * 1024;
const qint64 EndlessBacklog = 1024 * 1024; // what an endless answer lets wait on the socket
const int EndlessBlockSize = 64 * 1024;
const QByteArray HugeLength = "1099511627776"; // 1 TiB

} // namespace

bool HttpRequest::hasAbsoluteTarget() const
{
    return target.startsWith("http://") || target.startsWith("https://");
}

QByteArray HttpRequest::path() const
{
    QByteArray path = target;
    if (hasAbsoluteTarget()) {
        const int slash = path.indexOf('/', path.indexOf("//") + 2);
        path = slash < 0 ? QByteArray("/") : path.mid(slash);
    }
    const int query = path.indexOf('?');
    return query < 0 ? path : path.left(query);
}

QByteArray HttpRequest::header(const QByteArray &lowerCaseName) const
{
    for (const auto &header : headers) {
        if (header.first == lowerCaseName)
            return header.second;
    }
    return {};
}

HttpConnection::HttpConnection(QTcpSocket *socket, QObject *parent)
    : QObject(parent)
    , m_socket(socket)
{
    socket->setParent(this);
    connect(socket, &QTcpSocket::readyRead, this, &HttpConnection::readSocket);
    connect(socket, &QTcpSocket::disconnected, this, &QObject::deleteLater);
}

void HttpConnection::start()
{
    if (m_socket->state() == QAbstractSocket::UnconnectedState)
        deleteLater();
    else
        readSocket();
}

void HttpConnection::readSocket()
{
    if (m_done) {
        m_socket->readAll(); // one request per connection
        return;
    }
    m_buffer += m_socket->readAll();
    if (m_contentLength < 0) {
        const int headEnd = m_buffer.indexOf("\r\n\r\n");
        if (headEnd < 0) {
            if (m_buffer.size() > MaxHeadSize)
                fail(431);
            return;
        }
        if (!parseHead(m_buffer.left(headEnd)))
            return;
        m_buffer.remove(0, headEnd + 4);
    }
    if (m_buffer.size() < m_contentLength)
        return;
    m_request.body = m_buffer.left(static_cast<int>(m_contentLength));
    m_buffer.clear();
    m_done = true;
    emit requestReady(m_request);
}

bool HttpConnection::parseHead(const QByteArray &head)
{
    const QList<QByteArray> lines = head.split('\n');
    const QList<QByteArray> requestLine = lines.first().trimmed().split(' ');
    if (requestLine.size() != 3 || !requestLine.at(2).startsWith("HTTP/1.")) {
        fail(400);
        return false;
    }
    m_request.method = requestLine.at(0);
    m_request.target = requestLine.at(1);
    for (int i = 1; i < lines.size(); ++i) {
        const int colon = lines.at(i).indexOf(':');
        if (colon <= 0) {
            fail(400);
            return false;
        }
        m_request.headers.append(
            { lines.at(i).left(colon).trimmed().toLower(), lines.at(i).mid(colon + 1).trimmed() });
    }
    if (!m_request.header("transfer-encoding").isEmpty()) {
        fail(501);
        return false;
    }
    const QByteArray length = m_request.header("content-length");
    bool ok = true;
    m_contentLength = length.isEmpty() ? 0 : length.toLongLong(&ok);
    if (!ok || m_contentLength < 0) {
        fail(400);
        return false;
    }
    if (m_contentLength > MaxBodySize) {
        fail(413);
        return false;
    }
    return true;
}

void HttpConnection::fail(int status)
{
    m_done = true;
    respond(status, "text/plain", QByteArray::number(status) + ' ' + reasonPhrase(status) + '\n');
}

void HttpConnection::respond(int status, const QByteArray &contentType, const QByteArray &body,
                             const QList<QPair<QByteArray, QByteArray>> &extraHeaders)
{
    QByteArray head
        = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reasonPhrase(status) + "\r\n";
    head += "Content-Type: " + contentType + "\r\n";
    head += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    for (const auto &header : extraHeaders)
        head += header.first + ": " + header.second + "\r\n";
    head += "Connection: close\r\n\r\n";
    m_socket->write(head + body);
    m_socket->disconnectFromHost(); // after the answer has gone out
}

void HttpConnection::respondEndless(const QByteArray &contentType, const QByteArray &start,
                                    const QByteArray &unit, Endless framing)
{
    QByteArray head = "HTTP/1.1 200 OK\r\nContent-Type: " + contentType + "\r\n";
    head += framing == Endless::Chunked ? QByteArray("Transfer-Encoding: chunked\r\n")
                                        : "Content-Length: " + HugeLength + "\r\n";
    head += "Connection: close\r\n\r\n";
    const QByteArray block = unit.repeated(qMax(1, EndlessBlockSize / qMax(1, unit.size())));
    if (framing == Endless::Chunked) {
        if (!start.isEmpty()) // a chunk of size 0 would end the body
            head += QByteArray::number(start.size(), 16) + "\r\n" + start + "\r\n";
        m_endlessBlock = QByteArray::number(block.size(), 16) + "\r\n" + block + "\r\n";
    } else {
        head += start;
        m_endlessBlock = block;
    }
    m_socket->write(head);
    connect(m_socket, &QTcpSocket::bytesWritten, this, &HttpConnection::feedEndless);
    feedEndless();
}

void HttpConnection::feedEndless()
{
    while (m_socket->state() == QAbstractSocket::ConnectedState
           && m_socket->bytesToWrite() < EndlessBacklog)
        m_socket->write(m_endlessBlock);
}

QByteArray HttpConnection::reasonPhrase(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 204:
        return "No Content";
    case 301:
        return "Moved Permanently";
    case 302:
        return "Found";
    case 400:
        return "Bad Request";
    case 401:
        return "Unauthorized";
    case 403:
        return "Forbidden";
    case 404:
        return "Not Found";
    case 405:
        return "Method Not Allowed";
    case 408:
        return "Request Timeout";
    case 413:
        return "Payload Too Large";
    case 431:
        return "Request Header Fields Too Large";
    case 500:
        return "Internal Server Error";
    case 501:
        return "Not Implemented";
    case 502:
        return "Bad Gateway";
    case 503:
        return "Service Unavailable";
    case 504:
        return "Gateway Timeout";
    default:
        return "Status";
    }
}
