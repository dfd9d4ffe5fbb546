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

// Makes the program reach the server through the system's proxy, if one is set: on Linux the
// environment (http_proxy, no_proxy), on Windows and macOS the system's settings. Called once at
// start-up.
void useSystemProxy();

} // namespace ServerConfig

#endif // SERVERCONFIG_H
