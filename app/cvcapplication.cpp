#include "cvcapplication.h"

#include "basicfilelog.h"
#include "loglevel.h"
#include "logretention.h"
#include "qnofloatsettings.h"

#include <QDateTime>
#include <QStandardPaths>
#include <QStyle>

CvcApplication::CvcApplication(const char *name, int &argc, char **argv)
    : QApplication(argc, argv)
    , m_appDir(QCoreApplication::applicationDirPath())
    , m_dataDir()
    , m_logEngine()
{
    const QString appName = QString::fromUtf8(name);
    setObjectName(appName);
    setOrganizationName(QStringLiteral("Corvane"));
    setApplicationName(appName);
}

CvcApplication::~CvcApplication() = default;

bool CvcApplication::startUp(const QString &version, const QString &styleName)
{
    // Run from a development tree: the executable sits in a build output folder named
    // "release", and the installation lies three levels up.
    m_installed = m_appDir.dirName().compare(QLatin1String("release"), Qt::CaseInsensitive) != 0;
    if (!m_installed && !m_appDir.cd(QStringLiteral("../../../Install"))) {
        log(cvc::Fatal, QStringLiteral("Installation directory not found."));
        return false;
    }
    QDir::setCurrent(m_appDir.absolutePath());

    const QString dataPath = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
        + QLatin1Char('/') + organizationName() + QLatin1Char('/') + applicationName();
    m_dataDir.setPath(dataPath);
    if (!m_dataDir.mkpath(dataPath)) {
        fatal("Failed to create application data folder '%s'", dataPath.toUtf8().constData());
        return false;
    }

    const QString logsFolder = QStringLiteral("Logs");
    m_dataDir.mkdir(logsFolder);
    cvc::deleteEntriesCreatedBefore(m_dataDir.filePath(logsFolder),
                                    QDateTime::currentDateTime().addDays(-7));

    const QString logName
        = QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyy-MM-dd-hh-mm-ss"))
        + QLatin1String(".log");
    new cvc::BasicFileLog(m_dataDir.filePath(logsFolder + QLatin1Char('/') + logName));

    log(cvc::Info, applicationName() + QLatin1Char(' ') + version);

    applyStyle(styleName);
    return true;
}

void CvcApplication::setStyle(QString styleName)
{
    applyStyle(styleName);
    QNoFloatSettings settings;
    settings.setValue(QStringLiteral("style"), styleName);
}

// An unknown style name leaves the current style in force; its own palette is applied then.
void CvcApplication::applyStyle(const QString &styleName)
{
    QApplication::setStyle(styleName);
    QApplication::setPalette(QApplication::style()->standardPalette());
}
