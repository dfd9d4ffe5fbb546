#include "portopenfailure.h"

#include <QFileInfo>

namespace PortOpenFailure {

namespace {

QString busy(const Facts &facts)
{
    return QStringLiteral("The port %1 is busy (%2): another program, or another window of SNP300 "
                          "Upgrader, holds it. Close that program or press Disconnect in that "
                          "window, then press Connect again.")
        .arg(facts.portName, facts.errorString);
}

QString notFound(const Facts &facts)
{
    return QStringLiteral("The port %1 was not found (%2): the SNP300 may be unplugged, or its "
                          "port renamed. Plug it in, press Detect Ports, choose its port and "
                          "press Connect again.")
        .arg(facts.portName, facts.errorString);
}

QString noPermission(const Facts &facts)
{
    const QString file = QStringLiteral("%1 (owner %2, group %3, mode %4)")
                             .arg(deviceFilePath(facts.portName), facts.owner, facts.group,
                                  modeText(facts.permissions));
    const bool groupMayUse = facts.permissions.testFlag(QFileDevice::ReadGroup)
        && facts.permissions.testFlag(QFileDevice::WriteGroup);
    if (groupMayUse && !facts.group.isEmpty()) {
        return QStringLiteral("You may not open the port %1: its device file %2 lets only the "
                              "members of the group \"%3\" use it. Ask for your user to be added "
                              "to the group \"%3\" (sudo usermod -aG %3 $USER), then log out "
                              "and in again.")
            .arg(facts.portName, file, facts.group);
    }
    return QStringLiteral("You may not open the port %1: its device file %2 does not let you use "
                          "it. Ask the administrator to give your user access to it.")
        .arg(facts.portName, file);
}

QString other(const Facts &facts)
{
    return QStringLiteral("The port %1 could not be opened (%2). Check the cable, press Detect "
                          "Ports, choose the SNP300's port and press Connect again.")
        .arg(facts.portName, facts.errorString);
}

} // namespace

Facts factsOf(const QSerialPort &port, const QString &portName)
{
    Facts facts;
    facts.portName = portName;
    facts.error = port.error();
    facts.errorString = port.errorString();
#ifdef Q_OS_WIN
    // COM ports are no files with an owner and a mode.
    facts.deviceFile = false;
#else
    facts.deviceFile = true;
    const QFileInfo file(deviceFilePath(portName));
    facts.exists = file.exists();
    if (facts.exists) {
        facts.accessible = file.isReadable() && file.isWritable();
        facts.owner = file.owner();
        facts.group = file.group();
        facts.permissions = file.permissions();
    }
#endif
    return facts;
}

QString explanation(const Facts &facts)
{
    if (facts.error == QSerialPort::DeviceNotFoundError || (facts.deviceFile && !facts.exists))
        return notFound(facts);
    switch (facts.error) {
    case QSerialPort::PermissionError:
        // Qt reports a port that another program holds (its lock file, or a system "busy") as a
        // permission error too; the device file tells which it is. Windows has no such files:
        // there a port that may not be opened is one that another program holds.
        if (facts.deviceFile && !facts.accessible)
            return noPermission(facts);
        return busy(facts);
    case QSerialPort::OpenError: // already open
    case QSerialPort::ResourceError: // busy, or not ready
        return busy(facts);
    default:
        return other(facts);
    }
}

QString modeText(QFileDevice::Permissions permissions)
{
    const auto bit = [permissions](QFileDevice::Permission flag, char letter) {
        return QLatin1Char(permissions.testFlag(flag) ? letter : '-');
    };
    QString text = QStringLiteral("c");
    text += bit(QFileDevice::ReadOwner, 'r');
    text += bit(QFileDevice::WriteOwner, 'w');
    text += bit(QFileDevice::ExeOwner, 'x');
    text += bit(QFileDevice::ReadGroup, 'r');
    text += bit(QFileDevice::WriteGroup, 'w');
    text += bit(QFileDevice::ExeGroup, 'x');
    text += bit(QFileDevice::ReadOther, 'r');
    text += bit(QFileDevice::WriteOther, 'w');
    text += bit(QFileDevice::ExeOther, 'x');
    return text;
}

QString deviceFilePath(const QString &portName)
{
    if (portName.startsWith(QLatin1Char('/')) || portName.startsWith(QLatin1String("./"))
        || portName.startsWith(QLatin1String("../")))
        return portName;
    return QStringLiteral("/dev/") + portName;
}

} // namespace PortOpenFailure
