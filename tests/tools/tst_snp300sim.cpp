// A short run of the snp300-sim program: it announces its port, answers over
// a QSerialPort, records the traffic, and stops cleanly on SIGTERM.

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QtTest>

#include "serialportclient.h"

namespace {

const int Timeout = 10000;

// The simulator as a child process, stopped by its PID when the test ends.
class Simulator
{
public:
    explicit Simulator(const QStringList &arguments)
    {
        m_process.setProgram(
            QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("snp300-sim")));
        m_process.setArguments(arguments);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start();
        const QDeadlineTimer deadline(Timeout);
        while (m_process.waitForStarted(Timeout) && !m_process.canReadLine()
               && !deadline.hasExpired())
            m_process.waitForReadyRead(100);
        m_firstLine = QString::fromUtf8(m_process.readLine()).trimmed();
    }
    ~Simulator()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.terminate();
        if (!m_process.waitForFinished(Timeout))
            m_process.kill();
        m_process.waitForFinished(Timeout);
    }

    QProcess &process() { return m_process; }
    QString firstLine() const { return m_firstLine; }

private:
    QProcess m_process;
    QString m_firstLine;
};

} // namespace

class tst_Snp300Sim : public QObject
{
    Q_OBJECT

private slots:
    void servesUntilSigterm();
    void startsInBootloader();
    void refusesBadOptions_data();
    void refusesBadOptions();
};

void tst_Snp300Sim::servesUntilSigterm()
{
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("snp300"));
    const QString record = dir.filePath(QStringLiteral("traffic.txt"));
    Simulator simulator(
        { "--link", link, "--record", record, "--app-version", "2.3.1", "--quiet" });
    QVERIFY2(simulator.firstLine().startsWith(QStringLiteral("port: /dev/")),
             qPrintable(simulator.firstLine()));
    const QString portName = simulator.firstLine().mid(6);
    QCOMPARE(QFileInfo(link).symLinkTarget(), portName);

    // Twice through the link, closing in between.
    for (int round = 0; round < 2; ++round) {
        QSerialPort port;
        QVERIFY2(SerialPortClient::open(port, link), qPrintable(port.errorString()));
        QCOMPARE(SerialPortClient::ask(port, "VER\r\r\n", Timeout),
                 QByteArray("\r\n<VER>2.3.1</VER>\r\n<BOOT>1.0.14</BOOT>\r\n"));
    }
    QSerialPort port;
    QVERIFY(SerialPortClient::open(port, portName));
    QVERIFY(SerialPortClient::ask(port, "\x02", Timeout).endsWith("01>"));
    QCOMPARE(SerialPortClient::ask(port, "B", Timeout), QByteArray("B\r\n72\r\n01>"));

    simulator.process().terminate();
    QVERIFY(simulator.process().waitForFinished(Timeout));
    QCOMPARE(simulator.process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(simulator.process().exitCode(), 0);
    QVERIFY(!QFileInfo(link).isSymLink());

    QFile traffic(record);
    QVERIFY(traffic.open(QIODevice::ReadOnly));
    const QByteArray dump = traffic.readAll();
    QVERIFY2(dump.contains(" RX 56 45 52 0D 0D 0A  |VER...|\n"), dump.constData());
    QVERIFY(dump.contains(" TX 42 0D 0A 37 32 0D 0A 30 31 3E  |B..72..01>|\n"));
}

void tst_Snp300Sim::startsInBootloader()
{
    Simulator simulator(
        { "--mode", "bootloader", "--bootloader-version", "1.0.13", "--reply-delay", "50" });
    QVERIFY(simulator.firstLine().startsWith(QStringLiteral("port: ")));
    QSerialPort port;
    QVERIFY(SerialPortClient::open(port, simulator.firstLine().mid(6)));
    QVERIFY(!SerialPortClient::ask(port, "VER\r\r\n", Timeout).contains("<VER>"));
    QCOMPARE(SerialPortClient::ask(port, "\x02", Timeout), QByteArray("\r\n01>"));
    QCOMPARE(SerialPortClient::ask(port, "B", Timeout), QByteArray("B\r\n71\r\n01>"));
}

void tst_Snp300Sim::refusesBadOptions_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("mode") << QStringList { "--mode", "sleeping" };
    QTest::newRow("delay") << QStringList { "--reply-delay", "-5" };
    QTest::newRow("stall") << QStringList { "--stall-after", "many" };
}

void tst_Snp300Sim::refusesBadOptions()
{
    QFETCH(QStringList, arguments);
    Simulator simulator(arguments);
    QVERIFY(simulator.process().state() == QProcess::NotRunning
            || simulator.process().waitForFinished(Timeout));
    QCOMPARE(simulator.process().exitCode(), 2);
    QVERIFY(simulator.firstLine().isEmpty());
}

QTEST_GUILESS_MAIN(tst_Snp300Sim)
#include "tst_snp300sim.moc"
