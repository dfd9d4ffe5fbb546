#include "portlisting.h"

#include "serialportlist.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QVector>

#include <algorithm>

namespace PortListing {

namespace {

QString hexId(bool has, quint16 id)
{
    return has ? QStringLiteral("%1").arg(id, 4, 16, QLatin1Char('0')) : QString();
}

QStringList columns(const Port &port)
{
    return { port.name, port.description, port.manufacturer, port.serialNumber,
             port.vendorId.isEmpty() ? QString()
                                     : port.vendorId + QLatin1Char(':') + port.productId };
}

} // namespace

QList<Port> ports()
{
    QList<Port> list;
    const QList<QSerialPortInfo> infos = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : infos) {
        list << Port { info.portName(),
                       info.description(),
                       info.manufacturer(),
                       info.serialNumber(),
                       hexId(info.hasVendorIdentifier(), info.vendorIdentifier()),
                       hexId(info.hasProductIdentifier(), info.productIdentifier()) };
    }
    for (const QString &name : SerialPortList::extraPorts())
        list << Port { name, QStringLiteral("(named in SNP300_SERIAL_PORTS)"), {}, {}, {}, {} };
    return list;
}

QString table(const QList<Port> &ports)
{
    if (ports.isEmpty())
        return QStringLiteral("No serial port found.\n");
    QList<QStringList> rows { { QStringLiteral("PORT"), QStringLiteral("DESCRIPTION"),
                                QStringLiteral("MANUFACTURER"), QStringLiteral("SERIAL"),
                                QStringLiteral("USB ID") } };
    for (const Port &port : ports)
        rows << columns(port);
    QVector<int> widths(rows.first().size(), 0);
    for (const QStringList &row : qAsConst(rows)) {
        for (int i = 0; i < row.size(); ++i)
            widths[i] = std::max(widths.at(i), int(row.at(i).size()));
    }
    QString text;
    for (const QStringList &row : qAsConst(rows)) {
        QString line;
        for (int i = 0; i < row.size(); ++i)
            line += row.at(i).leftJustified(widths.at(i) + 2);
        text += line.trimmed() + QLatin1Char('\n');
    }
    return text;
}

QString json(const QList<Port> &ports)
{
    QString text;
    for (const Port &port : ports) {
        const QJsonObject object { { QStringLiteral("port"), port.name },
                                   { QStringLiteral("description"), port.description },
                                   { QStringLiteral("manufacturer"), port.manufacturer },
                                   { QStringLiteral("serial_number"), port.serialNumber },
                                   { QStringLiteral("vendor_id"), port.vendorId },
                                   { QStringLiteral("product_id"), port.productId } };
        text += QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact))
            + QLatin1Char('\n');
    }
    return text;
}

} // namespace PortListing
