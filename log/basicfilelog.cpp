#include "basicfilelog.h"

#include "logger.h"
#include "loglevel.h"

#include <QDateTime>

namespace cvc {

namespace {

QString levelName(int level)
{
    switch (level) {
    case Debug:
        return QStringLiteral("Debug");
    case Info:
        return QStringLiteral("Info");
    case Warning:
        return QStringLiteral("Warning");
    case Error:
        return QStringLiteral("Error");
    case Critical:
        return QStringLiteral("Critical");
    case Fatal:
        return QStringLiteral("Fatal");
    default:
        return QString();
    }
}

} // namespace

BasicFileLog::BasicFileLog(const QString &path)
    : m_file(path)
    , m_timeFormat(QStringLiteral("hh:mm:ss.zzz"))
{
    // Unbuffered: every write reaches the system at once, so a crash loses no line.
    // No text mode: line ends are written as given.
    if (!m_file.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered)) {
        Logger::log(Critical,
                    QStringLiteral("Log file creation failed (%1)").arg(m_file.errorString()));
    }
}

BasicFileLog::~BasicFileLog() = default;

void BasicFileLog::log(int level, qint64 utc, const QString &message)
{
    if (!m_file.isOpen() || level == Trace)
        return;
    writeLine(levelName(level), utc, message);
}

void BasicFileLog::writeLine(const QString &levelName, qint64 utc, const QString &message)
{
    const QString time = QDateTime::fromMSecsSinceEpoch(utc, Qt::UTC).toString(m_timeFormat);
    const QString prefix
        = QLatin1Char('[') + time + QLatin1String("] [") + levelName + QLatin1String("] ");
    m_file.write(prefix.toUtf8());
    m_file.write(message.toUtf8());
    m_file.write("\n", 1);
}

} // namespace cvc
