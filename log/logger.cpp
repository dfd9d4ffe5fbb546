#include "logger.h"

#include "logengine.h"
#include "loglevel.h"

#include <QDateTime>
#include <QMetaObject>

#include <cstdarg>

namespace cvc {

void Logger::log(int level, const QString &message)
{
    // The stamp is taken here, so a call queued from another thread keeps its own time.
    const qint64 utc = QDateTime::currentMSecsSinceEpoch();
    QMetaObject::invokeMethod(LogEngine::instance, "_log", Qt::AutoConnection, Q_ARG(int, level),
                              Q_ARG(qint64, utc), Q_ARG(QString, message));
}

void Logger::fatal(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    const QString message = QString::vasprintf(format, args);
    va_end(args);
    log(Fatal, message);
}

} // namespace cvc
