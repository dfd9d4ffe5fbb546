// Why a port did not open, told from the port's error and the device file's owner and mode: a
// data table of facts and the line each gives.

#include "portopenfailure.h"

#include <QtTest>

using PortOpenFailure::Facts;

Q_DECLARE_METATYPE(PortOpenFailure::Facts)

namespace {

const QFileDevice::Permissions UserAndGroup = QFileDevice::ReadOwner | QFileDevice::WriteOwner
    | QFileDevice::ReadGroup | QFileDevice::WriteGroup;

Facts deviceFile(QSerialPort::SerialPortError error, const QString &errorString, bool accessible,
                 const QString &group = QStringLiteral("dialout"),
                 QFileDevice::Permissions permissions = UserAndGroup)
{
    Facts facts;
    facts.portName = QStringLiteral("ttyUSB0");
    facts.error = error;
    facts.errorString = errorString;
    facts.deviceFile = true;
    facts.exists = true;
    facts.accessible = accessible;
    facts.owner = QStringLiteral("root");
    facts.group = group;
    facts.permissions = permissions;
    return facts;
}

Facts comPort(QSerialPort::SerialPortError error, const QString &errorString)
{
    Facts facts;
    facts.portName = QStringLiteral("COM3");
    facts.error = error;
    facts.errorString = errorString;
    return facts;
}

} // namespace

class tst_PortOpenFailure : public QObject
{
    Q_OBJECT

private slots:
    void explanation_data();
    void explanation();
    void modeText();
    void deviceFilePath();
    void factsOfAMissingPort();
};

void tst_PortOpenFailure::explanation_data()
{
    QTest::addColumn<Facts>("facts");
    QTest::addColumn<QString>("line");

    const QString busy = "The port %1 is busy (%2): another program, or another window of SNP300 "
                         "Upgrader, holds it. Close that program or press Disconnect in that "
                         "window, then press Connect again.";
    const QString notFound = "The port %1 was not found (%2): the SNP300 may be unplugged, or its "
                             "port renamed. Plug it in, press Detect Ports, choose its port and "
                             "press Connect again.";

    // Qt Serial Port reports its lock file held by another program, and a device that the
    // system calls busy, as permission errors: the file, which this user may use, tells them
    // apart from a permission that is missing.
    QTest::newRow("locked by another program")
        << deviceFile(QSerialPort::PermissionError, "Permission error while locking the device",
                      true)
        << busy.arg("ttyUSB0", "Permission error while locking the device");
    QTest::newRow("busy by the system")
        << deviceFile(QSerialPort::PermissionError, "Device or resource busy", true)
        << busy.arg("ttyUSB0", "Device or resource busy");
    QTest::newRow("resource error")
        << deviceFile(QSerialPort::ResourceError, "Input/output error", true)
        << busy.arg("ttyUSB0", "Input/output error");
    QTest::newRow("not in the group")
        << deviceFile(QSerialPort::PermissionError, "Permission denied", false)
        << QString("You may not open the port ttyUSB0: its device file /dev/ttyUSB0 (owner root, "
                   "group dialout, mode crw-rw----) lets only the members of the group "
                   "\"dialout\" use it. Ask for your user to be added to the group \"dialout\" "
                   "(sudo usermod -aG dialout $USER), then log out and in again.");
    QTest::newRow("another group")
        << deviceFile(QSerialPort::PermissionError, "Permission denied", false, "uucp")
        << QString("You may not open the port ttyUSB0: its device file /dev/ttyUSB0 (owner root, "
                   "group uucp, mode crw-rw----) lets only the members of the group \"uucp\" use "
                   "it. Ask for your user to be added to the group \"uucp\" (sudo usermod -aG "
                   "uucp $USER), then log out and in again.");
    QTest::newRow("only the owner")
        << deviceFile(QSerialPort::PermissionError, "Permission denied", false, "root",
                      QFileDevice::ReadOwner | QFileDevice::WriteOwner)
        << QString("You may not open the port ttyUSB0: its device file /dev/ttyUSB0 (owner root, "
                   "group root, mode crw-------) does not let you use it. Ask the administrator "
                   "to give your user access to it.");
    QTest::newRow("not found") << deviceFile(QSerialPort::DeviceNotFoundError,
                                             "No such file or directory", false)
                               << notFound.arg("ttyUSB0", "No such file or directory");
    Facts vanished = deviceFile(QSerialPort::PermissionError, "Permission error", false);
    vanished.exists = false;
    QTest::newRow("file gone") << vanished << notFound.arg("ttyUSB0", "Permission error");
    QTest::newRow("other error")
        << deviceFile(QSerialPort::UnsupportedOperationError, "Unsupported operation", true)
        << QString("The port ttyUSB0 could not be opened (Unsupported operation). Check the "
                   "cable, press Detect Ports, choose the SNP300's port and press Connect again.");
    // Windows: a COM port that may not be opened is one that another program holds.
    QTest::newRow("COM port held") << comPort(QSerialPort::PermissionError, "Access is denied.")
                                   << busy.arg("COM3", "Access is denied.");
    QTest::newRow("COM port gone")
        << comPort(QSerialPort::DeviceNotFoundError, "The system cannot find the file specified.")
        << notFound.arg("COM3", "The system cannot find the file specified.");
}

void tst_PortOpenFailure::explanation()
{
    QFETCH(Facts, facts);
    QFETCH(QString, line);
    QCOMPARE(PortOpenFailure::explanation(facts), line);
}

void tst_PortOpenFailure::modeText()
{
    QCOMPARE(PortOpenFailure::modeText(UserAndGroup), QString("crw-rw----"));
    QCOMPARE(PortOpenFailure::modeText(QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                       | QFileDevice::WriteGroup),
             QString("crw--w----"));
    QCOMPARE(PortOpenFailure::modeText(QFileDevice::Permissions(0x7777)), QString("crwxrwxrwx"));
}

void tst_PortOpenFailure::deviceFilePath()
{
    QCOMPARE(PortOpenFailure::deviceFilePath("ttyUSB0"), QString("/dev/ttyUSB0"));
    QCOMPARE(PortOpenFailure::deviceFilePath("/dev/pts/4"), QString("/dev/pts/4"));
    QCOMPARE(PortOpenFailure::deviceFilePath("./port"), QString("./port"));
}

// The facts come from the port and the file system, not from guesses.
void tst_PortOpenFailure::factsOfAMissingPort()
{
#ifdef Q_OS_WIN
    QSKIP("COM ports are no files");
#else
    QTemporaryDir dir;
    const QString name = dir.path() + "/no-such-port";
    QSerialPort port(name);
    QVERIFY(!port.open(QIODevice::ReadWrite));
    const Facts facts = PortOpenFailure::factsOf(port, name);
    QCOMPARE(facts.error, QSerialPort::DeviceNotFoundError);
    QVERIFY(facts.deviceFile);
    QVERIFY(!facts.exists);
    QVERIFY(PortOpenFailure::explanation(facts).startsWith("The port " + name + " was not found"));
#endif
}

QTEST_MAIN(tst_PortOpenFailure)
#include "tst_portopenfailure.moc"
