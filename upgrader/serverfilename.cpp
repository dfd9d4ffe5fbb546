#include "serverfilename.h"

#include <QStringList>

bool isSafeServerFileName(const QString &fileName)
{
    if (fileName.isEmpty() || fileName == QLatin1String(".") || fileName == QLatin1String(".."))
        return false;
    for (const QChar c : fileName) {
        // Control and format characters (C0, DEL, C1, bidirectional overrides, zero widths)
        // have no place in a file name and could disguise it in the log.
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':')
            || c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            return false;
    }
    // Windows turns these names, whatever their extension, into devices.
    static const QStringList reserved
        = { QStringLiteral("CON"),  QStringLiteral("PRN"),  QStringLiteral("AUX"),
            QStringLiteral("NUL"),  QStringLiteral("COM1"), QStringLiteral("COM2"),
            QStringLiteral("COM3"), QStringLiteral("COM4"), QStringLiteral("COM5"),
            QStringLiteral("COM6"), QStringLiteral("COM7"), QStringLiteral("COM8"),
            QStringLiteral("COM9"), QStringLiteral("LPT1"), QStringLiteral("LPT2"),
            QStringLiteral("LPT3"), QStringLiteral("LPT4"), QStringLiteral("LPT5"),
            QStringLiteral("LPT6"), QStringLiteral("LPT7"), QStringLiteral("LPT8"),
            QStringLiteral("LPT9") };
    const QString base = fileName.section(QLatin1Char('.'), 0, 0).trimmed();
    if (reserved.contains(base, Qt::CaseInsensitive))
        return false;
    // Windows also drops trailing dots and blanks, so such a name would name another file.
    return !fileName.endsWith(QLatin1Char('.')) && !fileName.endsWith(QLatin1Char(' '));
}

bool isServerFileCandidate(const QString &fileName, const QString &serviceId)
{
    return fileName.count(QLatin1Char('_')) == 3 && fileName.endsWith(serviceId)
        && isSafeServerFileName(fileName);
}
