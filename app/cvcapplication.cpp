#include "cvcapplication.h"

#include "cvcrunlog.h"
#include "loglevel.h"
#include "qnofloatsettings.h"

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

    if (!CvcRunLog::open(&m_dataDir, version))
        return false;

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
