#include "servercause.h"

#include "boundedreply.h"

#include <QNetworkReply>
#include <QSslCertificate>
#include <QSslError>
#include <QStringList>
#include <QUrl>

namespace {

QString httpText(int status, const QString &reason)
{
    return reason.isEmpty() ? QStringLiteral("HTTP %1").arg(status)
                            : QStringLiteral("HTTP %1 %2").arg(status).arg(reason);
}

// The certificate's fault in the words of someone who looks after the server, and what to do.
struct CertificateFault
{
    QString fault;
    QString remedy;
};

CertificateFault certificateFault(const QSslError &error)
{
    const QSslCertificate certificate = error.certificate();
    switch (error.error()) {
    case QSslError::SelfSignedCertificate:
    case QSslError::SelfSignedCertificateInChain:
    case QSslError::UnableToGetIssuerCertificate:
    case QSslError::UnableToGetLocalIssuerCertificate:
    case QSslError::UnableToVerifyFirstCertificate:
    case QSslError::CertificateUntrusted:
    case QSslError::CertificateRejected:
    case QSslError::InvalidCaCertificate:
        return { QStringLiteral("its certificate is not trusted (no certificate authority this "
                                "program trusts issued it)"),
                 QStringLiteral("name the server's certificate authority in SNP300_SERVER_CA "
                                "(a PEM file), or give the server a certificate from an "
                                "authority this computer trusts") };
    case QSslError::CertificateExpired:
        return { certificate.isNull()
                     ? QStringLiteral("its certificate has expired")
                     : QStringLiteral("its certificate expired on %1")
                           .arg(certificate.expiryDate().toUTC().toString(Qt::ISODate)),
                 QStringLiteral("the server's certificate must be renewed (or this computer's "
                                "clock is wrong)") };
    case QSslError::CertificateNotYetValid:
        return { certificate.isNull()
                     ? QStringLiteral("its certificate is not valid yet")
                     : QStringLiteral("its certificate is valid only from %1")
                           .arg(certificate.effectiveDate().toUTC().toString(Qt::ISODate)),
                 QStringLiteral("check this computer's clock") };
    case QSslError::HostNameMismatch: {
        QStringList names = certificate.subjectInfo(QSslCertificate::CommonName);
        const auto alternatives = certificate.subjectAlternativeNames();
        for (auto it = alternatives.cbegin(); it != alternatives.cend(); ++it) {
            if (!names.contains(it.value()))
                names.append(it.value());
        }
        return { names.isEmpty()
                     ? QStringLiteral("its certificate was issued for another name")
                     : QStringLiteral("its certificate was issued for another name (%1)")
                           .arg(names.join(QLatin1String(", "))),
                 QStringLiteral("use the name the certificate was issued for in the server's "
                                "address, or have the certificate issued for this one") };
    }
    default:
        return { error.errorString(),
                 QStringLiteral("tell whoever looks after the firmware server") };
    }
}

} // namespace

namespace ServerCause {

QString requestText(const QString &fileName)
{
    return fileName.isEmpty() ? QStringLiteral("the list request")
                              : QStringLiteral("the download of %1").arg(fileName);
}

QString ofHttpStatus(int status, const QString &reason, const QString &server,
                     const QString &fileName)
{
    const QString request = requestText(fileName);
    const QString http = httpText(status, reason);
    if (status == 401 || status == 403)
        return QStringLiteral("The firmware server %1 refused the program's account for %2 (%3): "
                              "the account built into the program or the server's "
                              "configuration must be renewed.")
            .arg(server, request, http);
    if (status == 404 && !fileName.isEmpty())
        return QStringLiteral("The firmware server %1 lists %2 but does not serve it (%3): the "
                              "server's image folder must be mended.")
            .arg(server, fileName, http);
    if (status == 404)
        return QStringLiteral("The firmware server %1 has no firmware list at its address (%2): "
                              "check the server's address.")
            .arg(server, http);
    if (status >= 500 && status <= 599)
        return QStringLiteral("The firmware server %1 failed to answer %2 (%3): the fault is the "
                              "server's own, try again later.")
            .arg(server, request, http);
    return QStringLiteral("The firmware server %1 answered %2 with %3, not with %4.")
        .arg(server, request, http,
             fileName.isEmpty() ? QStringLiteral("its file list") : QStringLiteral("the image"));
}

QString ofCertificate(const QList<QSslError> &sslErrors, const QString &server)
{
    QStringList faults;
    QStringList remedies;
    for (const QSslError &error : sslErrors) {
        const CertificateFault told = certificateFault(error);
        if (!faults.contains(told.fault))
            faults.append(told.fault);
        if (!remedies.contains(told.remedy))
            remedies.append(told.remedy);
    }
    if (faults.isEmpty()) {
        faults.append(QStringLiteral("the secure connection could not be set up"));
        remedies.append(QStringLiteral("tell whoever looks after the firmware server"));
    }
    return QStringLiteral("The identity of the firmware server %1 could not be checked, so "
                          "nothing was sent to it: %2. To mend it, %3.")
        .arg(server, faults.join(QLatin1String("; ")), remedies.join(QLatin1String("; or ")));
}

QString ofReply(const QNetworkReply &reply, const QList<QSslError> &sslErrors,
                const QString &server, const QString &fileName)
{
    const QVariant status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid() && status.toInt() != 200)
        return ofHttpStatus(status.toInt(),
                            reply.attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString(),
                            server, fileName);
    if (!sslErrors.isEmpty() || reply.error() == QNetworkReply::SslHandshakeFailedError)
        return ofCertificate(sslErrors, server);
    const QString request = requestText(fileName);
    switch (reply.error()) {
    case QNetworkReply::TimeoutError:
    case QNetworkReply::OperationCanceledError:
        return QStringLiteral("The firmware server %1 did not answer %2 in time (%3): check the "
                              "network connection, or try again later.")
            .arg(server, request, reply.errorString());
    default:
        return QStringLiteral("The firmware server %1 could not be reached for %2 (%3): check "
                              "the network connection and the server's address.")
            .arg(server, request, reply.errorString());
    }
}

QString ofSilence(const QString &server, const QString &fileName, int waitMs)
{
    return QStringLiteral("The firmware server %1 did not answer %2 within %3 s: check the "
                          "network connection, or try again later.")
        .arg(server, requestText(fileName))
        .arg(waitMs / 1000);
}

// "The reply of the firmware server http://host:8300 to the download of x was refused: ..."
QString ofBound(const BoundedReply &body, const QString &server, const QString &fileName)
{
    const bool list = fileName.isEmpty();
    const QString size = body.announced() > body.bound()
        ? QStringLiteral("it announced %1 bytes").arg(body.announced())
        : QStringLiteral("more than %1 bytes arrived").arg(body.bound());
    return QStringLiteral("The reply of the firmware server %1 to %2 was refused: it is larger "
                          "than the bound of %3 for %4 (%5). %6")
        .arg(server, requestText(fileName), BoundedReply::sizeText(body.bound()),
             list ? QStringLiteral("a file list") : QStringLiteral("an image"), size,
             list ? QStringLiteral("Nothing of it was used.")
                  : QStringLiteral("Nothing was stored."));
}

QString ofUnreadableList(const QString &server, const QString &why)
{
    return QStringLiteral("The firmware server %1 answered the list request with something that "
                          "is not a file list (%2): tell whoever looks after the server.")
        .arg(server, why);
}

} // namespace ServerCause
