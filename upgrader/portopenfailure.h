#ifndef PORTOPENFAILURE_H
#define PORTOPENFAILURE_H

#include <QFileDevice>
#include <QSerialPort>
#include <QString>

// Why a serial port did not open, and what the operator can do about it, in one line of plain
// words: busy (another program or window holds it), no permission (on Linux: the group that owns
// the device file, "dialout" on Debian and Ubuntu), not found (unplugged or renamed). Told from
// the port's own error and the device file's owner and mode, never guessed.
namespace PortOpenFailure {

// What is known of a port that did not open.
struct Facts
{
    QString portName; // as the operator chose it
    QSerialPort::SerialPortError error = QSerialPort::UnknownError; // the port's own
    QString errorString; // the port's own text
    bool deviceFile = false; // the port is a device file (Linux, macOS), not a Windows COM port
    bool exists = false; // the device file exists
    bool accessible = false; // this user may read and write it
    QString owner; // of the device file
    QString group;
    QFileDevice::Permissions permissions;
};

// Gathers the facts of a port whose open() just failed: its error and, where ports are device
// files, the file's owner, group and mode.
Facts factsOf(const QSerialPort &port, const QString &portName);

// The line that follows "Unable to connect.". Pure: it reads only the facts.
QString explanation(const Facts &facts);

// "crw-rw----": the mode of a character device as ls shows it.
QString modeText(QFileDevice::Permissions permissions);

// Where the device file of a port named as the operator chose it is: a path as it stands, else
// a name below /dev (as Qt Serial Port resolves it).
QString deviceFilePath(const QString &portName);

} // namespace PortOpenFailure

#endif // PORTOPENFAILURE_H
