#ifndef IMAGESTORE_H
#define IMAGESTORE_H

#include <QByteArray>
#include <QString>

// Stores a downloaded image so that its path never names a partial file: the bytes go to a
// temporary file beside it that replaces the file only once everything is written; on failure an
// earlier file of that name stays as it was and nothing else is left behind. A failure is told
// by its real cause, never "Unknown error".
class ImageStore
{
public:
    // False when the image could not be stored whole; errorString() then says why.
    bool store(const QString &path, const QByteArray &data);
    QString errorString() const { return m_errorString; }

    // The cause of a failed write in plain words: the system's own text when it says something,
    // else, when the folder has less room than the file needs, "No space left on device" (some
    // paths of Qt's file classes lose the system's text of a full disk and say "Unknown error").
    // bytesFree is -1 when the free space is not known.
    static QString failureCause(const QString &errorString, qint64 bytesFree, qint64 bytesNeeded);

private:
    QString m_errorString;
};

#endif // IMAGESTORE_H
