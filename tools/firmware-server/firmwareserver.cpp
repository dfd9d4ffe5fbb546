#include "firmwareserver.h"

#include "httpconnection.h"
#include "tlstcpserver.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTcpSocket>
#include <QTimer>

namespace {

const QByteArray EndpointPath = "/snp300/index.php";

} // namespace

QString FirmwareServer::Request::field(const QString &name) const
{
    for (const auto &pair : fields) {
        if (pair.first == name)
            return pair.second;
    }
    return {};
}

FirmwareServer::FirmwareServer(QObject *parent)
    : QObject(parent)
    , m_server(new TlsTcpServer(this))
{
    connect(m_server, &QTcpServer::newConnection, this, &FirmwareServer::acceptConnections);
}

FirmwareServer::~FirmwareServer() = default;

bool FirmwareServer::listen(quint16 port)
{
    return m_server->listen(QHostAddress::LocalHost, port);
}

void FirmwareServer::close()
{
    m_server->close();
}

bool FirmwareServer::isListening() const
{
    return m_server->isListening();
}

quint16 FirmwareServer::port() const
{
    return m_server->serverPort();
}

QString FirmwareServer::baseUrl() const
{
    return QStringLiteral("%1://127.0.0.1:%2")
        .arg(m_server->isEncrypted() ? QStringLiteral("https") : QStringLiteral("http"))
        .arg(port());
}

QString FirmwareServer::errorString() const
{
    return m_server->tlsErrorString().isEmpty() ? m_server->errorString()
                                                : m_server->tlsErrorString();
}

bool FirmwareServer::setTlsCertificate(const QString &certificateFile, const QString &keyFile)
{
    return m_server->setCertificate(certificateFile, keyFile);
}

void FirmwareServer::setAccount(const QString &user, const QString &password)
{
    m_user = user;
    m_password = password;
}

void FirmwareServer::setListBody(const QByteArray &body)
{
    m_listBody = body;
    m_hasListBody = true;
}

void FirmwareServer::clearListBody()
{
    m_listBody.clear();
    m_hasListBody = false;
}

// Form decoding as a web server does it: '+' is a blank, then %XX escapes.
QList<QPair<QString, QString>> FirmwareServer::decodeForm(const QByteArray &body)
{
    QList<QPair<QString, QString>> fields;
    for (const QByteArray &pair : body.split('&')) {
        if (pair.isEmpty())
            continue;
        const int equals = pair.indexOf('=');
        const QByteArray key = equals < 0 ? pair : pair.left(equals);
        const QByteArray value = equals < 0 ? QByteArray() : pair.mid(equals + 1);
        const auto decode = [](QByteArray text) {
            return QString::fromUtf8(QByteArray::fromPercentEncoding(text.replace('+', ' ')));
        };
        fields.append({ decode(key), decode(value) });
    }
    return fields;
}

QByteArray FirmwareServer::fileList() const
{
    QByteArray list = "<hr><snp300>";
    const QFileInfoList files = QDir(m_imageDir).entryInfoList(QDir::Files, QDir::Name);
    for (const QFileInfo &file : files) {
        list += "<listItem><name>" + file.fileName().toHtmlEscaped().toUtf8() + "</name><size>"
            + QByteArray::number(file.size()) + "</size></listItem>";
    }
    return list + "</snp300><hr>";
}

void FirmwareServer::acceptConnections()
{
    while (QTcpSocket *socket = m_server->nextPendingConnection()) {
        auto *connection = new HttpConnection(socket, this);
        connect(connection, &HttpConnection::requestReady, this,
                [this, connection](const HttpRequest &request) { handle(connection, request); });
        connection->start();
    }
}

void FirmwareServer::handle(HttpConnection *connection, const HttpRequest &httpRequest)
{
    Request request;
    request.method = QString::fromLatin1(httpRequest.method);
    request.path = QString::fromUtf8(httpRequest.path());
    request.proxied = httpRequest.hasAbsoluteTarget();
    request.body = httpRequest.body;
    request.fields = decodeForm(httpRequest.body);
    const Answer reply = answer(request);
    request.status = reply.status;
    m_requests.append(request);
    emit requestReceived(request);

    QList<QPair<QByteArray, QByteArray>> headers;
    if (reply.status == 405)
        headers.append(qMakePair(QByteArray("Allow"), QByteArray("POST")));
    const auto send = [connection, reply, headers] {
        if (reply.endless == Endless::Off) {
            connection->respond(reply.status, reply.contentType, reply.body, headers);
            return;
        }
        connection->respondEndless(reply.contentType, reply.body, reply.endlessUnit,
                                   reply.endless == Endless::Chunked
                                       ? HttpConnection::Endless::Chunked
                                       : HttpConnection::Endless::HugeLength);
    };
    int delay = m_delayMs;
    if (request.field(QStringLiteral("service")) == QLatin1String("get"))
        delay += m_downloadDelayMs;
    if (delay > 0)
        QTimer::singleShot(delay, connection, send); // the event loop keeps serving meanwhile
    else
        send();
}

FirmwareServer::Answer FirmwareServer::answer(const Request &request) const
{
    if (m_forcedStatus > 0)
        return statusAnswer(m_forcedStatus);
    if (request.path.toUtf8() != EndpointPath)
        return statusAnswer(404);
    if (request.method != QLatin1String("POST"))
        return statusAnswer(405);
    if (request.field(QStringLiteral("user")) != m_user
        || request.field(QStringLiteral("pwd")) != m_password)
        return statusAnswer(403);

    const QString service = request.field(QStringLiteral("service"));
    Answer reply;
    if (service == QLatin1String("list")) {
        if (m_endlessList != Endless::Off) {
            return endlessAnswer(m_endlessList, reply.contentType, "<hr><snp300>",
                                 "<listItem><name>snp300_1_3_0.quenmarksnpfmr</name></listItem>");
        }
        if (m_hasListBody)
            reply.body = m_listBody;
        else if (!m_emptyBody)
            reply.body = fileList();
        return reply;
    }
    if (service == QLatin1String("get"))
        return download(request.field(QStringLiteral("name")));
    return statusAnswer(400);
}

FirmwareServer::Answer FirmwareServer::download(const QString &name) const
{
    const QString path = safeImagePath(name);
    if (path.isEmpty())
        return statusAnswer(404);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return statusAnswer(404);
    Answer reply;
    reply.contentType = "application/octet-stream";
    if (m_endlessDownload != Endless::Off) {
        return endlessAnswer(m_endlessDownload, reply.contentType, QByteArray(),
                             ":10000000000102030405060708090A0B0C0D0E0F78\n");
    }
    if (!m_emptyBody && !m_emptyDownload)
        reply.body = file.readAll();
    return reply;
}

FirmwareServer::Answer FirmwareServer::endlessAnswer(Endless how, const QByteArray &contentType,
                                                     const QByteArray &start,
                                                     const QByteArray &unit)
{
    Answer reply;
    reply.contentType = contentType;
    reply.body = start;
    reply.endless = how;
    reply.endlessUnit = unit;
    return reply;
}

// Only plain files that stand in the image folder itself; anything that could
// lead elsewhere (separators, "..", links out of the folder) is unknown.
QString FirmwareServer::safeImagePath(const QString &name) const
{
    if (name.isEmpty() || name.startsWith(QLatin1Char('.')) || name.contains(QLatin1Char('/'))
        || name.contains(QLatin1Char('\\')) || name.contains(QLatin1String("..")))
        return {};
    for (const QChar c : name) {
        if (c.category() == QChar::Other_Control)
            return {};
    }
    const QDir dir(m_imageDir);
    const QFileInfo file(dir.filePath(name));
    if (!file.isFile() || file.canonicalPath() != QFileInfo(dir.absolutePath()).canonicalFilePath())
        return {};
    return file.filePath();
}

FirmwareServer::Answer FirmwareServer::statusAnswer(int status)
{
    Answer reply;
    reply.status = status;
    reply.contentType = "text/plain";
    reply.body = QByteArray::number(status) + ' ' + HttpConnection::reasonPhrase(status) + '\n';
    return reply;
}
