#include "firmwareserverprocess.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QUrl>

FirmwareServerProcess::FirmwareServerProcess(const QString &imageDir,
                                             const QStringList &extraArguments, int startTimeoutMs)
{
    m_process.setProgram(programPath());
    m_process.setArguments(QStringList { QStringLiteral("--dir"), imageDir,
                                         QStringLiteral("--port"), QStringLiteral("0") }
                           + extraArguments);
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(QIODevice::ReadOnly);
    if (!m_process.waitForStarted(startTimeoutMs)) {
        m_errorString
            = QStringLiteral("cannot start %1: %2").arg(programPath(), m_process.errorString());
        return;
    }
    const QDeadlineTimer deadline(startTimeoutMs);
    while (!m_process.canReadLine() && m_process.state() == QProcess::Running
           && !deadline.hasExpired())
        m_process.waitForReadyRead(static_cast<int>(qMax<qint64>(1, deadline.remainingTime())));
    const QString firstLine = QString::fromUtf8(m_process.readLine()).trimmed();
    const QString prefix = QStringLiteral("listening ");
    const QUrl announced
        = firstLine.startsWith(prefix) ? QUrl(firstLine.mid(prefix.size())) : QUrl();
    m_port = static_cast<quint16>(announced.port(0));
    m_scheme = announced.scheme();
    if (m_port == 0) {
        m_errorString = QStringLiteral("no port announced (first line \"%1\")").arg(firstLine);
        stop();
        return;
    }
    QObject::connect(&m_process, &QProcess::readyReadStandardOutput, [this] { readOutput(); });
}

FirmwareServerProcess::~FirmwareServerProcess()
{
    stop();
}

bool FirmwareServerProcess::isRunning() const
{
    return m_port != 0 && m_process.state() == QProcess::Running;
}

QString FirmwareServerProcess::baseUrl() const
{
    return QStringLiteral("%1://127.0.0.1:%2").arg(m_scheme).arg(m_port);
}

QStringList FirmwareServerProcess::requestLines()
{
    readOutput();
    return m_requestLines;
}

void FirmwareServerProcess::readOutput()
{
    while (m_process.canReadLine())
        m_requestLines.append(QString::fromUtf8(m_process.readLine()).trimmed());
}

bool FirmwareServerProcess::stop(int timeoutMs)
{
    if (m_process.state() == QProcess::NotRunning)
        return true;
    m_process.terminate(); // SIGTERM to its PID
    if (m_process.waitForFinished(timeoutMs))
        return true;
    m_process.kill();
    m_process.waitForFinished(timeoutMs);
    return false;
}

QString FirmwareServerProcess::programPath()
{
    return QDir(QCoreApplication::applicationDirPath())
        .filePath(QStringLiteral("snp300-firmware-server"));
}

QString FirmwareServerProcess::sampleImagesDir()
{
    return QStringLiteral(SNP_SAMPLE_IMAGES_DIR);
}
