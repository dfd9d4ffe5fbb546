#include "imagestore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

namespace {

// What Qt's file classes say when they have lost the system's own text.
bool saysNothing(const QString &errorString)
{
    // Qt's own text, in Qt's catalogue: named through a variable so that lupdate does not take
    // it into the program's catalogues.
    static const char *const unknownError = "Unknown error";
    return errorString.trimmed().isEmpty()
        || errorString.compare(QLatin1String(unknownError), Qt::CaseInsensitive) == 0
        || errorString == QCoreApplication::translate("QIODevice", unknownError);
}

qint64 bytesFreeIn(const QString &folder)
{
    QStorageInfo storage(folder);
    storage.refresh();
    return storage.isValid() && storage.isReady() ? storage.bytesAvailable() : -1;
}

} // namespace

QString ImageStore::failureCause(const QString &errorString, qint64 bytesFree, qint64 bytesNeeded)
{
    if (!saysNothing(errorString))
        return errorString;
    if (bytesFree >= 0 && bytesFree < bytesNeeded)
        return QStringLiteral("No space left on device");
    return QStringLiteral("the file could not be written whole");
}

bool ImageStore::store(const QString &path, const QByteArray &data)
{
    m_errorString.clear();
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        m_errorString = QStringLiteral("the folder %1 cannot be created").arg(folder);
        return false;
    }
    QString errorString;
    {
        QSaveFile file(path);
        // Every byte must be taken, and then reach the disk: commit() writes what is buffered and
        // replaces the file only when that succeeded.
        if (file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit())
            return true;
        errorString = file.errorString();
    }
    // The room is measured once the temporary file has gone with its partial content.
    m_errorString = failureCause(errorString, bytesFreeIn(folder), data.size());
    return false;
}
