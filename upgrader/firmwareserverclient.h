#ifndef FIRMWARESERVERCLIENT_H
#define FIRMWARESERVERCLIENT_H

#include "firmwarecatalogue.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QUrl>

#include <memory>

class BoundedReply;
class QNetworkAccessManager;
class QNetworkReply;
class QNetworkRequest;

// Asynchronous client of the firmware server: requests, bounded replies, the store. One request
// at a time per client object; a front end that needs two at once makes two clients.
class FirmwareServerClient : public QObject
{
    Q_OBJECT

public:
    explicit FirmwareServerClient(QObject *parent = nullptr); // the endpoint of ServerConfig
    ~FirmwareServerClient() override;

    void setEndpoint(const QUrl &endpoint); // e.g. snp300-upgrade --server
    QUrl endpoint() const { return m_endpoint; }

    // Ends with listed() or failed(), within SnpDurations::ListWaitMs.
    void fetchList();
    // Downloads name into folder (ImageStore: never a partial file under the name); ends with
    // stored() or failed(), within SnpDurations::DownloadWaitMs; downloadProgress() meanwhile.
    void fetchImage(const QString &name, const QString &folder);
    void abort();

    // A request is running.
    bool isBusy() const;

signals:
    void listed(const FirmwareCatalogue &catalogue);
    void stored(const QString &name, const QString &path);
    // The real cause in one line, with what to do: the HTTP status and its reason, the
    // network's words, the TLS fault with the server's address, the bound passed, the disk full.
    void failed(const QString &cause);
    void downloadProgress(qint64 received, qint64 total);

private:
    struct Request;

    void start(const QByteArray &form, qint64 bound, int waitMs);
    void onFinished();
    void onTimedOut();
    void finishList(const QByteArray &body);
    void finishImage(const QByteArray &body);
    void fail(const QString &cause);

    QUrl m_endpoint;
    QNetworkAccessManager *m_manager = nullptr;
    std::unique_ptr<Request> m_request;
};

#endif // FIRMWARESERVERCLIENT_H
