#ifndef TLSTCPSERVER_H
#define TLSTCPSERVER_H

#include <QSslCertificate>
#include <QSslKey>
#include <QString>
#include <QTcpServer>

// A TCP server that, once given a certificate and its key, speaks TLS on every connection it
// accepts: each is wrapped in a QSslSocket that starts the server's side of the handshake. The
// sockets it hands out read and write plain HTTP once the handshake is done; a client that
// refuses the certificate leaves before any request arrives.
class TlsTcpServer : public QTcpServer
{
    Q_OBJECT

public:
    explicit TlsTcpServer(QObject *parent = nullptr);

    // Reads a PEM certificate (with its chain) and a PEM private key. False, with
    // errorString(), when either cannot be read.
    bool setCertificate(const QString &certificateFile, const QString &keyFile);
    bool isEncrypted() const { return !m_certificates.isEmpty(); }
    QString tlsErrorString() const { return m_tlsError; }

protected:
    void incomingConnection(qintptr socketDescriptor) override;

private:
    QList<QSslCertificate> m_certificates;
    QSslKey m_key;
    QString m_tlsError;
};

#endif // TLSTCPSERVER_H
