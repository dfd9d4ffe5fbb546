#include "tlstcpserver.h"

#include <QFile>
#include <QSslSocket>

TlsTcpServer::TlsTcpServer(QObject *parent)
    : QTcpServer(parent)
{ }

bool TlsTcpServer::setCertificate(const QString &certificateFile, const QString &keyFile)
{
    QFile certificate(certificateFile);
    if (!certificate.open(QIODevice::ReadOnly)) {
        m_tlsError
            = QStringLiteral("cannot read %1 (%2)").arg(certificateFile, certificate.errorString());
        return false;
    }
    const QList<QSslCertificate> chain = QSslCertificate::fromData(certificate.readAll());
    if (chain.isEmpty()) {
        m_tlsError = QStringLiteral("%1 holds no PEM certificate").arg(certificateFile);
        return false;
    }
    QFile key(keyFile);
    if (!key.open(QIODevice::ReadOnly)) {
        m_tlsError = QStringLiteral("cannot read %1 (%2)").arg(keyFile, key.errorString());
        return false;
    }
    const QByteArray keyPem = key.readAll();
    QSslKey privateKey(keyPem, QSsl::Rsa);
    if (privateKey.isNull())
        privateKey = QSslKey(keyPem, QSsl::Ec);
    if (privateKey.isNull()) {
        m_tlsError = QStringLiteral("%1 holds no PEM RSA or EC private key").arg(keyFile);
        return false;
    }
    m_certificates = chain;
    m_key = privateKey;
    return true;
}

void TlsTcpServer::incomingConnection(qintptr socketDescriptor)
{
    if (!isEncrypted()) {
        QTcpServer::incomingConnection(socketDescriptor);
        return;
    }
    auto *socket = new QSslSocket(this);
    if (!socket->setSocketDescriptor(socketDescriptor)) {
        delete socket;
        return;
    }
    socket->setLocalCertificateChain(m_certificates);
    socket->setPrivateKey(m_key);
    socket->setPeerVerifyMode(QSslSocket::VerifyNone); // clients bring no certificate
    // A client that refuses the certificate ends the handshake: the connection is dropped.
    connect(socket, QOverload<const QList<QSslError> &>::of(&QSslSocket::sslErrors), socket,
            &QSslSocket::abort);
    addPendingConnection(socket);
    socket->startServerEncryption();
}
