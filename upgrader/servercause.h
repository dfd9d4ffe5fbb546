#ifndef SERVERCAUSE_H
#define SERVERCAUSE_H

#include <QList>
#include <QString>

class BoundedReply;
class QNetworkReply;
class QSslError;

// Why a request to the firmware server failed, in one line of plain words with what to do. Every
// front end tells the same cause for the same failure. server is the server's address as the
// operator knows it ("https://firmware.example.com"); fileName names the image downloaded, empty
// for the list request.
namespace ServerCause {

// "the list request", "the download of snp300_1_3_0.quenmarksnpfmr"
QString requestText(const QString &fileName);

// A reply that finished with an error or with an HTTP status other than 200: the status and its
// reason, the certificate's fault, or the network's words. sslErrors are those the reply
// reported before it ended.
QString ofReply(const QNetworkReply &reply, const QList<QSslError> &sslErrors,
                const QString &server, const QString &fileName);

// An answer that is not 200 ("HTTP 403 Forbidden"), what it means and what to do.
QString ofHttpStatus(int status, const QString &reason, const QString &server,
                     const QString &fileName);

// The server's certificate could not be checked; nothing was sent.
QString ofCertificate(const QList<QSslError> &sslErrors, const QString &server);

// No answer within the wait.
QString ofSilence(const QString &server, const QString &fileName, int waitMs);

// A reply larger than its bound, refused as soon as it passed it.
QString ofBound(const BoundedReply &body, const QString &server, const QString &fileName);

// A list reply that cannot be read as a file list; why says why.
QString ofUnreadableList(const QString &server, const QString &why);

} // namespace ServerCause

#endif // SERVERCAUSE_H
