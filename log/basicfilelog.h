#ifndef CVC_BASICFILELOG_H
#define CVC_BASICFILELOG_H

#include "ilogger.h"

#include <QFile>
#include <QString>

namespace cvc {

// Writes one UTF-8 line per message to a file: "[hh:mm:ss.zzz] [Level] message\n", time in UTC.
class BasicFileLog : public ILogger
{
public:
    explicit BasicFileLog(const QString &path);
    ~BasicFileLog() override;

    void log(int level, qint64 utc, const QString &message) override;

    // Appends bytes to file, opened for appending, as one whole at its end, however many
    // writers (threads or processes) append to it the same way.
    static qint64 appendWhole(QFile &file, const QByteArray &bytes);

private:
    void writeLine(const QString &levelName, qint64 utc, const QString &message);

    QFile m_file;
    QString m_timeFormat;
};

} // namespace cvc

#endif // CVC_BASICFILELOG_H
