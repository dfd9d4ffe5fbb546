#include "ilogger.h"

#include "logengine.h"

namespace cvc {

ILogger::ILogger()
{
    Q_ASSERT_X(LogEngine::instance, "cvc::ILogger", "a log sink needs the log engine");
    if (LogEngine::instance)
        LogEngine::instance->m_loggers.append(this);
}

ILogger::~ILogger()
{
    if (LogEngine::instance)
        LogEngine::instance->m_loggers.removeOne(this);
}

} // namespace cvc
