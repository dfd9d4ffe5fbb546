#include "firmwareserverclient.h"

#include "boundedreply.h"
#include "imagestore.h"
#include "servercause.h"
#include "serverconfig.h"
#include "serverfilename.h"
#include "servertrust.h"
#include "snpdurations.h"
#include "snpprotocol.h"

#include <QDir>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrlQuery>

namespace {

const QString EndpointPath = QStringLiteral("/snp300/index.php");

QByteArray formBody(const QList<QPair<QString, QString>> &fields)
{
    QUrlQuery form;
    form.setQueryItems(fields);
    return form.toString(QUrl::FullyEncoded).toUtf8();
}

QList<QPair<QString, QString>> accountFields()
{
    return { { QStringLiteral("user"), ServerConfig::userName() },
             { QStringLiteral("pwd"), ServerConfig::password() } };
}

} // namespace

// The request running: its reply, read up to its bound, and its wait. A request ends from inside
// the signals of its own objects (a refusal, the time-out), so they go only once those signals
// have returned.
struct FirmwareServerClient::Request
{
    ~Request()
    {
        deadline->stop();
        deadline->deleteLater();
        body->deleteLater();
    }

    QPointer<QNetworkReply> reply;
    BoundedReply *body = nullptr;
    QTimer *deadline = nullptr;
    QString name; // the image asked for; empty for the list
    QString folder;
};

FirmwareServerClient::FirmwareServerClient(QObject *parent)
    : QObject(parent)
    , m_endpoint(ServerConfig::endpoint())
    , m_manager(new QNetworkAccessManager(this))
{
    // Behind a company proxy the server is reached through it, whichever front end asks.
    ServerConfig::useSystemProxy();
}

FirmwareServerClient::~FirmwareServerClient()
{
    abort();
}

bool FirmwareServerClient::prepareRequest(const QUrl &endpoint, QNetworkRequest *request,
                                          QString *cause)
{
    *request = QNetworkRequest(endpoint);
    request->setHeader(QNetworkRequest::ContentTypeHeader,
                       QStringLiteral("application/x-www-form-urlencoded"));
    // No redirect is followed (Qt 6 would by default, Qt 5 does not): the replies come from the
    // server asked.
    request->setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                          QNetworkRequest::ManualRedirectPolicy);
    return ServerTrust::apply(request, cause);
}

QByteArray FirmwareServerClient::listForm()
{
    return formBody(accountFields() << qMakePair(QStringLiteral("service"),
                                                 QString::fromLatin1(SnpProtocol::ListService)));
}

QByteArray FirmwareServerClient::downloadForm(const QString &name)
{
    return formBody(accountFields() << qMakePair(QStringLiteral("service"),
                                                 QString::fromLatin1(SnpProtocol::GetService))
                                    << qMakePair(QStringLiteral("name"), name));
}

QString FirmwareServerClient::serverText(const QUrl &endpoint)
{
    QString text
        = endpoint.toString(QUrl::RemoveUserInfo | QUrl::RemoveQuery | QUrl::RemoveFragment);
    if (text.endsWith(EndpointPath))
        text.chop(EndpointPath.size());
    return text;
}

void FirmwareServerClient::setEndpoint(const QUrl &endpoint)
{
    m_endpoint = endpoint;
}

bool FirmwareServerClient::isBusy() const
{
    return m_request != nullptr;
}

void FirmwareServerClient::fetchList()
{
    start(listForm(), BoundedReply::ListBoundBytes, SnpDurations::ListWaitMs, QString(), QString());
}

void FirmwareServerClient::fetchImage(const QString &name, const QString &folder)
{
    // The name becomes a file name in folder: one that could lead elsewhere is never asked for.
    if (!isSafeServerFileName(name)) {
        abort();
        failLater(QStringLiteral("The image name \"%1\" cannot be stored as a file in %2: it is "
                                 "not a plain file name.")
                      .arg(name, QDir::toNativeSeparators(folder)));
        return;
    }
    start(downloadForm(name), BoundedReply::ImageBoundBytes, SnpDurations::DownloadWaitMs, name,
          folder);
}

void FirmwareServerClient::abort()
{
    if (!m_request)
        return;
    std::unique_ptr<Request> request = std::move(m_request);
    if (request->reply) {
        request->reply->disconnect(this);
        request->reply->abort();
        request->reply->deleteLater();
    }
}

void FirmwareServerClient::start(const QByteArray &form, qint64 bound, int waitMs,
                                 const QString &name, const QString &folder)
{
    abort();
    QNetworkRequest request;
    QString cause;
    if (!prepareRequest(m_endpoint, &request, &cause)) {
        failLater(cause);
        return;
    }
    m_request = std::make_unique<Request>();
    m_request->name = name;
    m_request->folder = folder;
    m_request->reply = m_manager->post(request, form);
    m_request->body = new BoundedReply(m_request->reply, bound, this);
    m_request->deadline = new QTimer(this);
    const QString server = serverText(m_endpoint);
    BoundedReply *body = m_request->body;
    connect(body, &BoundedReply::refused, this,
            [this, body, server, name] { fail(ServerCause::ofBound(*body, server, name)); });
    if (!name.isEmpty())
        connect(body, &BoundedReply::progress, this, &FirmwareServerClient::downloadProgress);
    connect(m_request->reply, &QNetworkReply::finished, this, &FirmwareServerClient::onFinished);
    m_request->deadline->setSingleShot(true);
    connect(m_request->deadline, &QTimer::timeout, this,
            [this, server, name, waitMs] { fail(ServerCause::ofSilence(server, name, waitMs)); });
    m_request->deadline->start(waitMs);
}

void FirmwareServerClient::onFinished()
{
    if (!m_request)
        return;
    QNetworkReply *reply = m_request->reply;
    const QString name = m_request->name;
    const QString folder = m_request->folder;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->error() != QNetworkReply::NoError || status != 200) {
        fail(ServerCause::ofReply(*reply, m_request->body->sslErrors(), serverText(m_endpoint),
                                  name));
        return;
    }
    // The rest of the body may still pass the bound: the refusal then ends the request and
    // tells it.
    const QByteArray body = m_request->body->takeBody();
    if (!m_request)
        return;
    abort();
    if (name.isEmpty())
        finishList(body);
    else
        finishImage(name, folder, body);
}

void FirmwareServerClient::finishList(const QByteArray &body)
{
    FirmwareCatalogue catalogue;
    if (!catalogue.read(QString::fromUtf8(body))) {
        emit failed(ServerCause::ofUnreadableList(serverText(m_endpoint), catalogue.errorString()));
        return;
    }
    emit listed(catalogue);
}

void FirmwareServerClient::finishImage(const QString &name, const QString &folder,
                                       const QByteArray &body)
{
    if (body.isEmpty()) {
        emit failed(QStringLiteral("The firmware server %1 answered the download of %2 with an "
                                   "empty file: nothing was stored. The server's image folder "
                                   "must be mended.")
                        .arg(serverText(m_endpoint), name));
        return;
    }
    const QString path = QDir(folder).filePath(name);
    ImageStore store;
    if (!store.store(path, body)) {
        emit failed(QStringLiteral("Cannot store the downloaded image %1 (%2): make room in %3 or "
                                   "make it writable.")
                        .arg(QDir::toNativeSeparators(path), store.errorString(),
                             QDir::toNativeSeparators(folder)));
        return;
    }
    emit stored(name, path);
}

void FirmwareServerClient::fail(const QString &cause)
{
    abort();
    emit failed(cause);
}

void FirmwareServerClient::failLater(const QString &cause)
{
    QMetaObject::invokeMethod(
        this, [this, cause] { emit failed(cause); }, Qt::QueuedConnection);
}
