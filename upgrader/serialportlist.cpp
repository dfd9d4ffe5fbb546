#include "serialportlist.h"

#include <QDir>
#include <QtGlobal>

namespace SerialPortList {

QStringList extraPorts()
{
    const QString ports = qEnvironmentVariable("SNP300_SERIAL_PORTS");
    return ports.split(QDir::listSeparator(), Qt::SkipEmptyParts);
}

} // namespace SerialPortList
