#ifndef CVCAPPLICATION_H
#define CVCAPPLICATION_H

#include "logengine.h"
#include "logger.h"

#include <QApplication>
#include <QDir>

// The application object: identity, installation and data folders, the per-run log file,
// style and palette.
class CvcApplication : public QApplication, private cvc::Logger
{
    Q_OBJECT

public:
    CvcApplication(const char *name, int &argc, char **argv);
    ~CvcApplication() override;

    // Prepares folders, logging and style; true when every step succeeded.
    bool startUp(const QString &version, const QString &styleName);

private slots:
    void setStyle(QString styleName);

private:
    static void applyStyle(const QString &styleName);

    QDir m_appDir;
    QDir m_dataDir;
    cvc::LogEngine m_logEngine;
    bool m_installed = true;
};

#endif // CVCAPPLICATION_H
