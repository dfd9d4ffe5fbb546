#include "firmwareimage.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

namespace {

// A record is ':' and then, in hexadecimal, its byte count, a 16-bit address, its type, its data
// and a checksum that makes all its bytes sum to 0 modulo 256.
const int RecordOverhead = 5; // count, two address bytes, type, checksum
const int EndOfFileRecord = 0x01;
const int HighestRecordType = 0x05;

// The line without its end: the line feed, and a carriage return before it.
QByteArray withoutLineEnd(QByteArray line)
{
    if (line.endsWith('\n'))
        line.chop(1);
    if (line.endsWith('\r'))
        line.chop(1);
    return line;
}

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

QString hexByte(int value)
{
    return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
}

} // namespace

bool FirmwareImage::load(const QString &path)
{
    m_path = path;
    m_errorString.clear();
    m_lines.clear();
    m_sha256.clear();
    m_size = 0;

    // The digest is of the bytes as stored, the lines as they are sent.
    QFile file(path);
    const QString shownPath = QDir::toNativeSeparators(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_errorString = QStringLiteral("the image file %1 cannot be opened (%2).")
                            .arg(shownPath, file.errorString());
        return false;
    }
    QCryptographicHash digest(QCryptographicHash::Sha256);
    if (!digest.addData(&file) || file.error() != QFileDevice::NoError) {
        m_errorString = QStringLiteral("the image file %1 cannot be read (%2).")
                            .arg(shownPath, file.errorString());
        return false;
    }
    m_sha256 = digest.result();
    m_size = file.pos();
    file.close();

    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        m_errorString = QStringLiteral("the image file %1 cannot be opened (%2).")
                            .arg(shownPath, file.errorString());
        return false;
    }
    while (!file.atEnd()) {
        const QByteArray line = file.readLine();
        if (line.isEmpty())
            break; // a read that fails gives nothing; the error is reported below
        m_lines.append(line);
    }
    if (file.error() != QFileDevice::NoError) {
        m_errorString = QStringLiteral("the image file %1 cannot be read (%2).")
                            .arg(shownPath, file.errorString());
        return false;
    }
    if (m_lines.isEmpty()) {
        m_errorString = QStringLiteral("the image file %1 holds no line.").arg(shownPath);
        return false;
    }
    return true;
}

bool FirmwareImage::isIntelHex() const
{
    return !m_lines.isEmpty() && m_lines.first().startsWith(':');
}

QString FirmwareImage::intelHexFault() const
{
    if (!isIntelHex())
        return QString();
    int endOfFileLine = 0; // the line of the end-of-file record, 0 until there is one
    for (int i = 0; i < m_lines.size(); ++i) {
        const QByteArray record = withoutLineEnd(m_lines.at(i));
        if (record.isEmpty())
            continue;
        if (endOfFileLine > 0) {
            return faultAtLine(i + 1,
                               QStringLiteral("only empty lines may follow the end-of-file "
                                              "record of line %1")
                                   .arg(endOfFileLine));
        }
        int recordType = 0;
        const QString fault = recordFault(record, &recordType);
        if (!fault.isEmpty())
            return faultAtLine(i + 1, fault);
        if (recordType == EndOfFileRecord)
            endOfFileLine = i + 1;
    }
    if (endOfFileLine == 0) {
        return faultAtLine(m_lines.size(),
                           QStringLiteral("the image ends there without its end-of-file record "
                                          "(it may have been cut short)"));
    }
    return QString();
}

QString FirmwareImage::recordFault(const QByteArray &record, int *recordType)
{
    if (!record.startsWith(':'))
        return QStringLiteral("it is not an Intel HEX record (it does not begin with ':')");
    const QByteArray digits = record.mid(1);
    for (const char c : digits) {
        if (!isHexDigit(c))
            return QStringLiteral("it holds a character that is not a hexadecimal digit");
    }
    if (digits.size() % 2 != 0)
        return QStringLiteral("it holds an odd number of hexadecimal digits");
    const QByteArray bytes = QByteArray::fromHex(digits);
    if (bytes.size() < RecordOverhead)
        return QStringLiteral("it is too short for a record");
    const int byteCount = quint8(bytes.at(0));
    const int dataBytes = bytes.size() - RecordOverhead;
    if (byteCount != dataBytes) {
        return QStringLiteral("its byte count is %1 but it holds %2 bytes of data")
            .arg(byteCount)
            .arg(dataBytes);
    }
    const int type = quint8(bytes.at(3));
    if (type > HighestRecordType)
        return QStringLiteral("its record type %1 is not one of 00 to 05").arg(hexByte(type));
    quint8 sum = 0;
    for (const char byte : bytes)
        sum += quint8(byte);
    if (sum != 0) {
        const int stored = quint8(bytes.at(bytes.size() - 1));
        return QStringLiteral("its checksum is wrong (%1 where its bytes call for %2)")
            .arg(hexByte(stored), hexByte(quint8(stored - sum)));
    }
    *recordType = type;
    return QString();
}

QString FirmwareImage::faultAtLine(int lineNumber, const QString &fault) const
{
    return QStringLiteral("the image file %1 is damaged at line %2: %3.")
        .arg(QDir::toNativeSeparators(m_path), QString::number(lineNumber), fault);
}
