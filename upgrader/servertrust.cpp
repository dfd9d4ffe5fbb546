#include "servertrust.h"

#include "serverca.h"

#include <QDir>
#include <QFile>
#include <QNetworkRequest>
#include <QSslCertificate>
#include <QSslConfiguration>

namespace {

const char CaVariable[] = "SNP300_SERVER_CA";

QList<QSslCertificate> embeddedAuthorities()
{
    static const QList<QSslCertificate> certificates
        = QSslCertificate::fromData(QByteArray(SNP300_EMBEDDED_SERVER_CA), QSsl::Pem);
    return certificates;
}

} // namespace

namespace ServerTrust {

QList<QSslCertificate> namedAuthorities(QString *problem)
{
    QList<QSslCertificate> authorities = embeddedAuthorities();
    const QString path = qEnvironmentVariable(CaVariable);
    if (path.isEmpty())
        return authorities;
    const QString shown = QDir::toNativeSeparators(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *problem = QStringLiteral("%1 names %2, which cannot be read (%3): name a readable PEM "
                                  "file of the firmware server's certificate authority, or unset "
                                  "%1. Nothing was sent to the server.")
                       .arg(QLatin1String(CaVariable), shown, file.errorString());
        return {};
    }
    const QList<QSslCertificate> named = QSslCertificate::fromData(file.readAll(), QSsl::Pem);
    if (named.isEmpty()) {
        *problem = QStringLiteral("%1 names %2, which holds no PEM certificate (\"-----BEGIN "
                                  "CERTIFICATE-----\"): name a PEM file of the firmware server's "
                                  "certificate authority, or unset %1. Nothing was sent to the "
                                  "server.")
                       .arg(QLatin1String(CaVariable), shown);
        return {};
    }
    return authorities + named;
}

bool apply(QNetworkRequest *request, QString *problem)
{
    QString why;
    const QList<QSslCertificate> authorities = namedAuthorities(&why);
    if (!why.isEmpty()) {
        *problem = why;
        return false;
    }
    if (authorities.isEmpty())
        return true; // the system's trust store
    QSslConfiguration configuration = request->sslConfiguration();
    configuration.setCaCertificates(authorities);
    request->setSslConfiguration(configuration);
    return true;
}

} // namespace ServerTrust
