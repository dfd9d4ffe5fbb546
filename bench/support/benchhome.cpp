#include "benchhome.h"

#include <QDir>
#include <QFile>

BenchHome::BenchHome()
    : m_dir(QDir::tempPath() + QStringLiteral("/snp-bench-XXXXXX"))
{
    if (m_dir.isValid())
        QDir(m_dir.path()).mkpath(QStringLiteral("Documents"));
}

QString BenchHome::documentsPath() const
{
    return QDir(m_dir.path()).filePath(QStringLiteral("Documents"));
}

void BenchHome::install() const
{
    qputenv("HOME", QFile::encodeName(m_dir.path()));
    qunsetenv("XDG_DOCUMENTS_DIR");
    qunsetenv("XDG_CONFIG_HOME");
}
