#ifndef PORTLISTING_H
#define PORTLISTING_H

#include <QList>
#include <QSerialPortInfo>
#include <QString>

// snp300-upgrade --list-ports: each serial port with what tells its fixture apart, as a table
// for the operator or one JSON object per line.
namespace PortListing {

struct Port
{
    QString name;
    QString description;
    QString manufacturer;
    QString serialNumber;
    QString vendorId; // "0403", empty when the port is not a USB one
    QString productId;
};

// The system's ports in its order, then those of SNP300_SERIAL_PORTS.
QList<Port> ports();
QString table(const QList<Port> &ports);
QString json(const QList<Port> &ports);

} // namespace PortListing

#endif // PORTLISTING_H
