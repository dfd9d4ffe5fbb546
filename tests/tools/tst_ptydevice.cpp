// The simulated device on a real pseudo-terminal, reached through a plain
// QSerialPort at 115200 8N1 as the upgrader reaches it.

#include "ptydevice.h"

#include <QElapsedTimer>
#include <QSerialPort>
#include <QtTest>

#include "serialportclient.h"

namespace {

const QByteArray Ver = "VER\r\r\n";
const QByteArray VersionAnswer = "\r\n<VER>1.2.9</VER>\r\n<BOOT>1.0.14</BOOT>\r\n";
const int Timeout = 5000;

} // namespace

class tst_PtyDevice : public QObject
{
    Q_OBJECT

private slots:
    void versionAnswerArrivesAsOneChunk();
    void portCanBeReopened();
    void answersWaitForTheirDelayAndKeepOrder();
    void scriptedAnswers();
    void everyImageLineGetsOneChunk();
};

void tst_PtyDevice::versionAnswerArrivesAsOneChunk()
{
    PtyDevice pty;
    QVERIFY2(pty.isOpen(), qPrintable(pty.errorString()));
    QSerialPort port;
    QVERIFY2(SerialPortClient::open(port, pty.portName()), qPrintable(port.errorString()));

    QSignalSpy received(&pty, &PtyDevice::bytesReceived);
    QCOMPARE(SerialPortClient::ask(port, Ver, Timeout), VersionAnswer);
    QCOMPARE(pty.received(), Ver);
    QCOMPARE(received.size(), 1);
    QCOMPARE(pty.chunks().size(), 1);
    QVERIFY(pty.chunks().first().ms <= pty.elapsedMs());
}

// The driver holds its own descriptor on the terminal side: closing the port
// is no hang-up, and the next connection talks to the same device.
void tst_PtyDevice::portCanBeReopened()
{
    PtyDevice pty;
    for (int round = 0; round < 3; ++round) {
        QSerialPort port;
        QVERIFY2(SerialPortClient::open(port, pty.portName()), qPrintable(port.errorString()));
        QCOMPARE(SerialPortClient::ask(port, Ver, Timeout), VersionAnswer);
        port.write("\x18"); // the upgrader's goodbye
        QVERIFY(port.waitForBytesWritten(Timeout) || port.bytesToWrite() == 0);
        port.close();
    }
    QTRY_COMPARE_WITH_TIMEOUT(pty.received(), QByteArray(Ver + "\x18").repeated(3), Timeout);
    QVERIFY(pty.isOpen());
}

void tst_PtyDevice::answersWaitForTheirDelayAndKeepOrder()
{
    Snp300Options options;
    options.replyDelayMs = 300;
    options.eraseDelayMs = 600;
    PtyDevice pty(options);
    QSerialPort port;
    QVERIFY(SerialPortClient::open(port, pty.portName()));

    QElapsedTimer clock;
    clock.start();
    QCOMPARE(SerialPortClient::ask(port, Ver, Timeout), VersionAnswer);
    QVERIFY2(clock.elapsed() >= 290, QByteArray::number(clock.elapsed()).constData());

    // Unlock, E and Y at once: the slow erase answer still comes last.
    QVERIFY(SerialPortClient::ask(port, "\x02", Timeout).endsWith("01>"));
    QByteArray answers;
    port.write("UNLOCK\r\r\nEY");
    QTRY_VERIFY_WITH_TIMEOUT((answers += port.readAll()).contains("ERASED"), Timeout);
    QVERIFY(answers.indexOf("UNLOCKED") < answers.indexOf("ERASE ALL"));
    QVERIFY(answers.indexOf("ERASE ALL") < answers.indexOf("ERASED"));
    QVERIFY(answers.endsWith("01>"));
}

void tst_PtyDevice::scriptedAnswers()
{
    PtyDevice pty;
    pty.setAutoAnswer(false);
    QSerialPort port;
    QVERIFY(SerialPortClient::open(port, pty.portName()));
    QSignalSpy readyRead(&port, &QSerialPort::readyRead);

    port.write(Ver);
    QTRY_COMPARE_WITH_TIMEOUT(pty.received(), Ver, Timeout);
    QVERIFY(!readyRead.wait(300)); // the model saw it, but nothing is answered
    QCOMPARE(pty.device().received(), Ver);

    // A prompt split over two writes arrives as two chunks.
    QVERIFY(pty.send("\r\n0"));
    QVERIFY(readyRead.wait(Timeout));
    QCOMPARE(port.readAll(), QByteArray("\r\n0"));
    QVERIFY(pty.send("1>"));
    QVERIFY(readyRead.wait(Timeout));
    QCOMPARE(port.readAll(), QByteArray("1>"));

    pty.clearReceived();
    QVERIFY(pty.received().isEmpty());
    pty.setAutoAnswer(true);
    QCOMPARE(SerialPortClient::ask(port, Ver, Timeout), VersionAnswer);
}

// The upgrader releases one image line per chunk: each answer must come alone.
void tst_PtyDevice::everyImageLineGetsOneChunk()
{
    Snp300Options options;
    options.eraseDelayMs = 0;
    PtyDevice pty(options);
    QSerialPort port;
    QVERIFY(SerialPortClient::open(port, pty.portName()));
    for (const QByteArray &step :
         { QByteArray("\x02"), QByteArray("\x02"), QByteArray("UNLOCK\r\r\n"), QByteArray("E"),
           QByteArray("Y"), QByteArray("P") })
        QVERIFY(SerialPortClient::ask(port, step, Timeout) != "<no answer>");
    QVERIFY(pty.device().programming());

    QList<QByteArray> sent;
    for (int i = 0; i < 40; ++i) {
        const QByteArray line = ":00000001FF\n";
        sent.append(":00000001FF");
        QCOMPARE(SerialPortClient::ask(port, line + "\r\n", Timeout), QByteArray("\r\nOK"));
    }
    QCOMPARE(SerialPortClient::ask(port, "\x18", Timeout),
             QByteArray("\r\nSNP300 APPLICATION START\r\n"));
    QCOMPARE(pty.device().programmedLines(), sent);
    QCOMPARE(pty.device().restarts(), 1);
}

QTEST_GUILESS_MAIN(tst_PtyDevice)
#include "tst_ptydevice.moc"
