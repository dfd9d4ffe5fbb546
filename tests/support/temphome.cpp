#include "temphome.h"

#include <QDir>

TempHome::TempHome()
{
    for (const char *name : { "HOME", "XDG_DOCUMENTS_DIR", "XDG_CONFIG_HOME" })
        m_saved.append({ name, qEnvironmentVariableIsSet(name), qgetenv(name) });
    if (!m_dir.isValid())
        return;
    QDir(m_dir.path()).mkpath(QStringLiteral("Documents"));
    qputenv("HOME", QFile::encodeName(m_dir.path()));
    qunsetenv("XDG_DOCUMENTS_DIR");
    qunsetenv("XDG_CONFIG_HOME");
}

TempHome::~TempHome()
{
    for (const SavedVariable &variable : m_saved) {
        if (variable.wasSet)
            qputenv(variable.name, variable.value);
        else
            qunsetenv(variable.name);
    }
}

QString TempHome::documentsPath() const
{
    return QDir(m_dir.path()).filePath(QStringLiteral("Documents"));
}
