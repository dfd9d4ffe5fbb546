#include "logengine.h"

#include "ilogger.h"

namespace cvc {

LogEngine *LogEngine::instance = nullptr;

LogEngine::LogEngine()
{
    instance = this;
}

LogEngine::~LogEngine()
{
    // Each sink takes itself off m_loggers as it is deleted, so delete from a copy.
    const QList<ILogger *> loggers = m_loggers;
    qDeleteAll(loggers);
    m_loggers.clear();

    // Logging after the engine is gone must find no engine rather than a dangling one.
    if (instance == this)
        instance = nullptr;
}

void LogEngine::_log(int level, qint64 utc, QString message)
{
    // A sink registered while this message is dispatched gets only the next one; a sink
    // deleted meanwhile must not be called any more.
    const QList<ILogger *> loggers = m_loggers;
    for (ILogger *logger : loggers) {
        if (m_loggers.contains(logger))
            logger->log(level, utc, message);
    }
}

} // namespace cvc
