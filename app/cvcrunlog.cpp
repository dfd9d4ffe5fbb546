#include "cvcrunlog.h"

#include "basicfilelog.h"
#include "logger.h"
#include "loglevel.h"
#include "logretention.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QStandardPaths>

namespace CvcRunLog {

QString dataFolderPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + QLatin1Char('/')
        + QCoreApplication::organizationName() + QLatin1Char('/')
        + QCoreApplication::applicationName();
}

bool open(QDir *dataDir, const QString &version)
{
    const QString dataPath = dataFolderPath();
    dataDir->setPath(dataPath);
    if (!dataDir->mkpath(dataPath)) {
        cvc::Logger::fatal("Failed to create application data folder '%s'",
                           dataPath.toUtf8().constData());
        return false;
    }

    const QString logsFolder = QStringLiteral("Logs");
    dataDir->mkdir(logsFolder);
    cvc::deleteEntriesCreatedBefore(dataDir->filePath(logsFolder),
                                    QDateTime::currentDateTime().addDays(-7));

    const QString logName
        = QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyy-MM-dd-hh-mm-ss"))
        + QLatin1String(".log");
    new cvc::BasicFileLog(dataDir->filePath(logsFolder + QLatin1Char('/') + logName));

    cvc::Logger::log(cvc::Info, QCoreApplication::applicationName() + QLatin1Char(' ') + version);
    return true;
}

} // namespace CvcRunLog
