#ifndef CVC_LOGENGINE_H
#define CVC_LOGENGINE_H

#include <QList>
#include <QObject>
#include <QString>

namespace cvc {

class ILogger;

// The one log engine of the process. Logger::log reaches it by name through the meta-object
// system, so a message logged on another thread is queued to the engine's thread.
class LogEngine : public QObject
{
    Q_OBJECT

public:
    LogEngine();
    ~LogEngine() override;

    static LogEngine *instance;

private:
    Q_INVOKABLE void _log(int level, qint64 utc, QString message);

    friend class ILogger;

    QList<ILogger *> m_loggers;
};

} // namespace cvc

#endif // CVC_LOGENGINE_H
