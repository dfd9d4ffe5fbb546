#include "serialportclient.h"

#include <QSerialPort>
#include <QSignalSpy>

namespace SerialPortClient {

bool open(QSerialPort &port, const QString &name)
{
    port.setPortName(name);
    port.setDataBits(QSerialPort::Data8);
    port.setBaudRate(QSerialPort::Baud115200);
    port.setParity(QSerialPort::NoParity);
    port.setStopBits(QSerialPort::OneStop);
    port.setFlowControl(QSerialPort::NoFlowControl);
    return port.open(QIODevice::ReadWrite);
}

QByteArray ask(QSerialPort &port, const QByteArray &request, int timeoutMs)
{
    QSignalSpy readyRead(&port, &QSerialPort::readyRead);
    port.write(request);
    return readyRead.wait(timeoutMs) ? port.readAll() : QByteArray("<no answer>");
}

} // namespace SerialPortClient
