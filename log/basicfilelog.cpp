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
    // The whole line goes to the file in one write: with the file opened for appending, each
    // write lands at the end as a whole, so lines never tear, whatever else appends to the file
    // (another window started in the same second writes to the same file).
    const QString line = QLatin1Char('[') + time + QLatin1String("] [") + levelName
        + QLatin1String("] ") + message + QLatin1Char('\n');
    m_file.write(line.toUtf8());
}

} // namespace cvc
