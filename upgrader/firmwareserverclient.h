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

    // What every front end sends, and how: the endpoint with the form's content type, no
    // redirect followed, and the server's certificate authorities (ServerTrust). False when the
    // request must not be sent; *cause then says why.
    static bool prepareRequest(const QUrl &endpoint, QNetworkRequest *request, QString *cause);
    static QByteArray listForm();
    static QByteArray downloadForm(const QString &name);
    // The server's address as the operator knows it: the endpoint without the server's path.
    static QString serverText(const QUrl &endpoint);

signals:
    void listed(const FirmwareCatalogue &catalogue);
    void stored(const QString &name, const QString &path);
    // The real cause in one line, with what to do: the HTTP status and its reason, the
    // network's words, the TLS fault with the server's address, the bound passed, the disk full.
    void failed(const QString &cause);
    void downloadProgress(qint64 received, qint64 total);

private:
    struct Request;

    void start(const QByteArray &form, qint64 bound, int waitMs, const QString &name,
               const QString &folder);
    void onFinished();
    void finishList(const QByteArray &body);
    void finishImage(const QString &name, const QString &folder, const QByteArray &body);
    void fail(const QString &cause);
    // A cause found before anything was sent is told once the caller has returned.
    void failLater(const QString &cause);

    QUrl m_endpoint;
    QNetworkAccessManager *m_manager = nullptr;
    std::unique_ptr<Request> m_request;
};

#endif // FIRMWARESERVERCLIENT_H
