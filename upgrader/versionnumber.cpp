#include "versionnumber.h"

#include <QStringList>
#include <limits>

namespace {

// A field as QString::toInt reads it in base 10; anything unreadable counts as 0.
int fieldValue(const QStringList &fields, int index)
{
    return index < fields.size() ? fields.at(index).toInt(nullptr, 10) : 0;
}

QStringList serverFileHeadFields(const QString &fileName)
{
    const QString head = fileName.section(QLatin1Char('.'), 0, 0);
    return head.split(QLatin1Char('_'), Qt::KeepEmptyParts);
}

// Fields near the limits of int would overflow the weighted sum; such a number saturates at
// the limits instead, so a huge version never wraps round to a small or negative one.
int weighted(int major, int minor, int patch)
{
    const qint64 number = qint64(major) * 1000 + qint64(minor) * 100 + patch;
    return int(qBound(qint64(std::numeric_limits<int>::min()), number,
                      qint64(std::numeric_limits<int>::max())));
}

} // namespace

int versionNumber(const QString &version)
{
    const QStringList fields = version.split(QLatin1Char('.'), Qt::KeepEmptyParts);
    return weighted(fieldValue(fields, 0), fieldValue(fields, 1), fieldValue(fields, 2));
}

int serverFileVersionNumber(const QString &fileName)
{
    const QStringList fields = serverFileHeadFields(fileName);
    return weighted(fieldValue(fields, 1), fieldValue(fields, 2), fieldValue(fields, 3));
}

QString serverFileVersionText(const QString &fileName)
{
    const QStringList fields = serverFileHeadFields(fileName);
    return QStringLiteral("%1.%2.%3").arg(fields.value(1), fields.value(2), fields.value(3));
}

bool hasServerFileVersion(const QString &fileName)
{
    return serverFileHeadFields(fileName).size() > 2;
}

bool newerServerFileFirst(const QString &a, const QString &b)
{
    return serverFileVersionNumber(b) < serverFileVersionNumber(a);
}
