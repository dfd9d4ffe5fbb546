#include "firmwareserverclient.h"

#include "boundedreply.h"
#include "imagestore.h"
#include "serverconfig.h"
#include "snpdurations.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

struct FirmwareServerClient::Request
{
    QPointer<QNetworkReply> reply;
    std::unique_ptr<BoundedReply> body;
    QTimer deadline;
    QString name; // the image asked for; empty for the list
    QString folder;
};

FirmwareServerClient::FirmwareServerClient(QObject *parent)
    : QObject(parent)
    , m_endpoint(ServerConfig::endpoint())
    , m_manager(new QNetworkAccessManager(this))
{
}

FirmwareServerClient::~FirmwareServerClient()
{
    abort();
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
    fail(QStringLiteral("not implemented"));
}

void FirmwareServerClient::fetchImage(const QString &name, const QString &folder)
{
    Q_UNUSED(name)
    Q_UNUSED(folder)
    fail(QStringLiteral("not implemented"));
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

void FirmwareServerClient::start(const QByteArray &form, qint64 bound, int waitMs)
{
    Q_UNUSED(form)
    Q_UNUSED(bound)
    Q_UNUSED(waitMs)
}

void FirmwareServerClient::onFinished() { }

void FirmwareServerClient::onTimedOut() { }

void FirmwareServerClient::finishList(const QByteArray &body)
{
    Q_UNUSED(body)
}

void FirmwareServerClient::finishImage(const QByteArray &body)
{
    Q_UNUSED(body)
}

void FirmwareServerClient::fail(const QString &cause)
{
    abort();
    emit failed(cause);
}
