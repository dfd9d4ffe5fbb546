#ifndef CVC_ILOGGER_H
#define CVC_ILOGGER_H

#include <QtGlobal>

class QString;

namespace cvc {

// A log sink. It is registered with the process-wide LogEngine for exactly its lifetime;
// the engine owns it and deletes it when the engine itself goes.
class ILogger
{
public:
    ILogger();
    virtual ~ILogger();

    // utc: milliseconds since 1970-01-01T00:00:00 UTC, taken when the message was logged.
    virtual void log(int level, qint64 utc, const QString &message) = 0;

private:
    Q_DISABLE_COPY(ILogger)
};

} // namespace cvc

#endif // CVC_ILOGGER_H
