#include "serverconfig.h"

#include <QNetworkProxyFactory>
#include <QtGlobal>

namespace ServerConfig {

QString baseUrl()
{
    QString base = qEnvironmentVariable("SNP300_FIRMWARE_SERVER");
    if (base.isEmpty())
        base = QStringLiteral(SNP300_FIRMWARE_SERVER_URL);
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    return base;
}

QUrl endpoint()
{
    return QUrl(baseUrl() + QLatin1String("/snp300/index.php"), QUrl::TolerantMode);
}

QString userName()
{
    return QStringLiteral(SNP300_SERVER_USER);
}

QString password()
{
    return QStringLiteral(SNP300_SERVER_PASSWORD);
}

void useSystemProxy()
{
    QNetworkProxyFactory::setUseSystemConfiguration(true);
}

} // namespace ServerConfig
