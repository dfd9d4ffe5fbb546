#ifndef SERIALPORTLIST_H
#define SERIALPORTLIST_H

#include <QStringList>

// The serial ports a front end offers: the system's, then those named in SNP300_SERIAL_PORTS.
namespace SerialPortList {

// Ports the system does not list (pseudo-terminals, network serial servers), named in the
// environment and separated like the entries of PATH.
QStringList extraPorts();

} // namespace SerialPortList

#endif // SERIALPORTLIST_H
