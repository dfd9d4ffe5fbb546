#ifndef CVC_LOGGER_H
#define CVC_LOGGER_H

#include <QString>

namespace cvc {

// The entry points for logging. Messages go to the process-wide LogEngine; while there is
// no engine, or no sink, they are dropped.
class Logger
{
public:
    static void log(int level, const QString &message);
    static void fatal(const char *format, ...) Q_ATTRIBUTE_FORMAT_PRINTF(1, 2);
};

} // namespace cvc

#endif // CVC_LOGGER_H
