#ifndef SERVERCONFIG_H
#define SERVERCONFIG_H

#include <QString>
#include <QUrl>

// Where the firmware server is and which account the program uses there. The base URL is fixed
// when the program is built; the environment variable SNP300_FIRMWARE_SERVER, when set, replaces
// it at run time (a local test server, a staging host).
namespace ServerConfig {

QString baseUrl();
QUrl endpoint(); // the base URL followed by "/snp300/index.php"
QString userName();
QString password();

} // namespace ServerConfig

#endif // SERVERCONFIG_H
