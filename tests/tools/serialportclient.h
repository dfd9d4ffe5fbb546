#ifndef SERIALPORTCLIENT_H
#define SERIALPORTCLIENT_H

#include <QByteArray>
#include <QString>

class QSerialPort;

// The host's side of the simulated device, as the upgrader sets up its link.
namespace SerialPortClient {

// Opens the port at 115200 baud, 8N1, no flow control.
bool open(QSerialPort &port, const QString &name);

// Writes a request and returns the first chunk of the answer, as one readAll() after
// readyRead, the way the upgrader reads it; "<no answer>" when none comes in time.
QByteArray ask(QSerialPort &port, const QByteArray &request, int timeoutMs);

} // namespace SerialPortClient

#endif // SERIALPORTCLIENT_H
