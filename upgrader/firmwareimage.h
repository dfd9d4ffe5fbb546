#ifndef FIRMWAREIMAGE_H
#define FIRMWAREIMAGE_H

#include <QByteArray>
#include <QList>
#include <QString>

// An image file as it is programmed: read whole, one element per line exactly as read in text
// mode (each line with its line feed, a CR LF read as LF, a last line without line end kept as
// it is), and the SHA-256 of the file's bytes, by which the record names it and by which a file
// changed since it was checked is told apart.
class FirmwareImage
{
public:
    // Reads the file; false when it cannot be opened or read or holds no line (errorString()
    // then says which, naming the file).
    bool load(const QString &path);

    QString path() const { return m_path; }
    QString errorString() const { return m_errorString; }
    const QList<QByteArray> &lines() const { return m_lines; }
    QByteArray sha256() const { return m_sha256; }
    qint64 size() const { return m_size; }

    // An image whose first line begins with ':' is Intel HEX; any other is sent as stored.
    bool isIntelHex() const;
    // The first fault of an Intel HEX image that the device must never be erased for, naming the
    // file and the line ("the image file x.hex is damaged at line 12: its checksum is wrong");
    // empty when the image is sound or is not Intel HEX.
    QString intelHexFault() const;

private:
    // What is wrong with one line that is not empty, read as a record; empty when it is a
    // well-formed record, whose type is then stored in *recordType.
    static QString recordFault(const QByteArray &record, int *recordType);
    QString faultAtLine(int lineNumber, const QString &fault) const;

    QString m_path;
    QString m_errorString;
    QList<QByteArray> m_lines;
    QByteArray m_sha256;
    qint64 m_size = 0;
};

#endif // FIRMWAREIMAGE_H
