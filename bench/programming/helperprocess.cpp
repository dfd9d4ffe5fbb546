#include "helperprocess.h"

#include <QCoreApplication>

namespace {

const int StartTimeoutMs = 10000;
const int StopTimeoutMs = 5000;

} // namespace

HelperProcess::~HelperProcess()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(StopTimeoutMs))
        m_process.kill();
    m_process.waitForFinished(StopTimeoutMs);
}

QString HelperProcess::start(const QString &program, const QStringList &arguments,
                             const QByteArray &prefix)
{
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(QCoreApplication::applicationDirPath() + QLatin1Char('/') + program, arguments);
    if (!m_process.waitForStarted(StartTimeoutMs))
        return QString();
    while (!m_process.canReadLine() && m_process.waitForReadyRead(StartTimeoutMs)) { }
    const QByteArray line = m_process.readLine().trimmed();
    if (!line.startsWith(prefix))
        return QString();
    return QString::fromLocal8Bit(line.mid(prefix.size()));
}
