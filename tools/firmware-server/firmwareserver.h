#ifndef FIRMWARESERVER_H
#define FIRMWARESERVER_H

#include "httpconnection.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>

class TlsTcpServer;

// The SNP300 firmware server on 127.0.0.1: POST /snp300/index.php with a
// url-encoded form. service=list answers the image folder's file names as an
// XML list between two "<hr>" rules; service=get&name=N answers the file's
// bytes. Given a certificate, it serves HTTPS. Wrong account: 403; unknown or unsafe name, other
// paths: 404; other methods: 405. Fault switches may change at any time.
class FirmwareServer : public QObject
{
    Q_OBJECT

public:
    struct Request
    {
        QString method;
        QString path; // without the query (and without scheme and host, see proxied)
        bool proxied = false; // the target came in the absolute form a client sends to a proxy
        QList<QPair<QString, QString>> fields; // decoded form fields, in order
        QByteArray body; // as received
        int status = 0; // what the server answered (or will answer after its delay)

        QString field(const QString &name) const;
    };

    explicit FirmwareServer(QObject *parent = nullptr);
    ~FirmwareServer() override;

    bool listen(quint16 port = 0); // 0: any free port
    void close();
    bool isListening() const;
    quint16 port() const;
    QString baseUrl() const; // "http://127.0.0.1:PORT", or https:// once a certificate is set
    QString errorString() const;
    // Serves HTTPS with this PEM certificate (and chain) and key from the next connection on.
    bool setTlsCertificate(const QString &certificateFile, const QString &keyFile);

    void setImageDir(const QString &path) { m_imageDir = path; }
    QString imageDir() const { return m_imageDir; }
    void setAccount(const QString &user, const QString &password);
    QString user() const { return m_user; }
    QString password() const { return m_password; }

    // Faults. Precedence: forced status, then the endless bodies, then the list body for list
    // requests, then the empty bodies, then the normal answer.
    void setForcedStatus(int status) { m_forcedStatus = status; } // 0: off
    int forcedStatus() const { return m_forcedStatus; }
    void setDelayMs(int ms) { m_delayMs = ms; } // before every answer
    int delayMs() const { return m_delayMs; }
    void setDownloadDelayMs(int ms) { m_downloadDelayMs = ms; } // added for service=get
    int downloadDelayMs() const { return m_downloadDelayMs; }
    void setEmptyBody(bool on) { m_emptyBody = on; } // every 200 answer has an empty body
    bool emptyBody() const { return m_emptyBody; }
    void setEmptyDownload(bool on) { m_emptyDownload = on; } // only downloads are empty
    bool emptyDownload() const { return m_emptyDownload; }
    // A 200 answer whose body never ends: to list requests a list that goes on naming images,
    // to downloads of an image the server holds lines of that image's kind, without end.
    enum class Endless { Off, Chunked, HugeLength };
    void setEndlessList(Endless how) { m_endlessList = how; }
    Endless endlessList() const { return m_endlessList; }
    void setEndlessDownload(Endless how) { m_endlessDownload = how; }
    Endless endlessDownload() const { return m_endlessDownload; }
    void setListBody(const QByteArray &body); // answered to list requests as it stands
    void clearListBody();
    bool hasListBody() const { return m_hasListBody; }

    QList<Request> requests() const { return m_requests; }
    void clearRequests() { m_requests.clear(); }

    // The list answer for the current image folder, "<hr><snp300>...</snp300><hr>".
    QByteArray fileList() const;
    static QList<QPair<QString, QString>> decodeForm(const QByteArray &body);

signals:
    void requestReceived(const FirmwareServer::Request &request);

private:
    struct Answer
    {
        int status = 200;
        QByteArray contentType = "text/html; charset=UTF-8";
        QByteArray body;
        Endless endless = Endless::Off; // then body is the start and endlessUnit repeats
        QByteArray endlessUnit;
    };

    void acceptConnections();
    void handle(HttpConnection *connection, const HttpRequest &httpRequest);
    Answer answer(const Request &request) const;
    Answer download(const QString &name) const;
    static Answer endlessAnswer(Endless how, const QByteArray &contentType, const QByteArray &start,
                                const QByteArray &unit);
    QString safeImagePath(const QString &name) const;
    static Answer statusAnswer(int status);

    TlsTcpServer *m_server;
    QString m_imageDir;
    QString m_user = QStringLiteral("opsr");
    QString m_password = QStringLiteral("rdox4%bnT");
    int m_forcedStatus = 0;
    int m_delayMs = 0;
    int m_downloadDelayMs = 0;
    bool m_emptyBody = false;
    bool m_emptyDownload = false;
    Endless m_endlessList = Endless::Off;
    Endless m_endlessDownload = Endless::Off;
    bool m_hasListBody = false;
    QByteArray m_listBody;
    QList<Request> m_requests;
};

#endif // FIRMWARESERVER_H
