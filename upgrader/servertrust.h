#ifndef SERVERTRUST_H
#define SERVERTRUST_H

#include <QList>
#include <QString>

class QNetworkRequest;
class QSslCertificate;

// The certificate authorities the firmware server's certificate is checked against. A company
// that serves its images under its own authority names it when it builds the program (embedded,
// SNP300_SERVER_CA_FILE) or at run time (SNP300_SERVER_CA, a PEM file); the authorities named
// are then the only ones trusted for the firmware server, and for nothing else. Without either,
// the system's trust store is used. Certificates are always checked.
namespace ServerTrust {

// The authorities named, and why they cannot be used when the run-time file is unreadable or
// holds no certificate (then *problem is set and the list is empty).
QList<QSslCertificate> namedAuthorities(QString *problem);

// Sets the named authorities on request's TLS configuration. False when SNP300_SERVER_CA cannot
// be used; *problem then says why and what to do, and the request must not be sent.
bool apply(QNetworkRequest *request, QString *problem);

} // namespace ServerTrust

#endif // SERVERTRUST_H
