#include "basicfilelog.h"

#include "logappendlock.h"
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
    // The whole line goes to the file at once, so lines never tear, whatever else appends to
    // the file (another window started in the same second writes to the same file).
    const QString line = QLatin1Char('[') + time + QLatin1String("] [") + levelName
        + QLatin1String("] ") + message + QLatin1Char('\n');
    appendWhole(m_file, line.toUtf8());
}

// On POSIX systems a file opened for appending takes each write at its end, whole. On Windows Qt
// moves to the end once, when the file is opened, and then writes where it is: two writers would
// overwrite or cut into each other's lines. There each writer waits for its turn and writes at the
// end as it stands then. A lock that cannot be had in time (a writer that hangs while holding it)
// does not cost the line: it is written at the end all the same, and a warning says so.
qint64 BasicFileLog::appendWhole(QFile &file, const QByteArray &bytes)
{
#ifdef Q_OS_WIN
    const LogAppendLock turn(file.fileName());
    file.seek(file.size());
#endif
    return file.write(bytes);
}

} // namespace cvc
