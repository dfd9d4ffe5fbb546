#include "logretention.h"

#include <QDateTime>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace cvc {

namespace {

// Most Unix file systems keep no creation time; the last status change is the nearest one.
QDateTime creationTime(const QFileInfo &info)
{
    const QDateTime born = info.birthTime();
    return born.isValid() ? born : info.metadataChangeTime();
}

} // namespace

void deleteEntriesCreatedBefore(const QString &folderPath, const QDateTime &cutOff)
{
    QDirIterator it(folderPath);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        if (creationTime(info) < cutOff)
            QFile::remove(info.absoluteFilePath());
    }
}

} // namespace cvc
