// Connecting to and disconnecting from a simulated SNP300 on a pseudo-terminal: the exact bytes
// on the wire, the watchdogs of a silent device, and the controls.

#include "snpupgraderprobe.h"
#include "testdata.h"
#include "windowfixture.h"

#include <QSerialPort>
#include <QtTest>

namespace {

Snp300Options silentDevice()
{
    Snp300Options options;
    options.startMode = Snp300Options::Mode::Silent;
    return options;
}

} // namespace

class tst_SerialLink : public QObject
{
    Q_OBJECT

private slots:
    void connectSendsVersionRequestAndDisconnectSendsCancel();
    void silentDeviceIsProbedThenDisconnected();
    void detectPortsWhileConnectedKeepsTheLink();
    void reconnectStartsTheDialogueOver();
    void portHeldByAnotherOpenIsBusy();
};

void tst_SerialLink::connectSendsVersionRequestAndDisconnectSendsCancel()
{
    WindowFixture f(silentDevice());
    QElapsedTimer sinceConnect;
    sinceConnect.start();
    f.connectDevice();

    QCOMPARE(f.logLines(), QStringList { "Connected. Select Upgrade SNP300 to continue." });
    QCOMPARE(f.connectButton()->text(), QString("Disconnect"));
    QVERIFY(f.upgradeButton()->isEnabled());
    QCOMPARE(SNPUpgraderProbe::state(*f.window), 0);
    QVERIFY(SNPUpgraderProbe::versionWatchdogActive(*f.window));
    QTRY_COMPARE_WITH_TIMEOUT(f.device.received(), VersionRequest, 5000);

    QTest::mouseClick(f.connectButton(), Qt::LeftButton);
    // The watchdog cannot fire before a second has passed, so on a fast run the version request
    // and the cancel are all the device ever gets.
    const QByteArray expected = sinceConnect.elapsed() < 1000 ? VersionRequest + '\x18'
                                                              : VersionRequest + '\x02' + '\x18';
    QTRY_COMPARE_WITH_TIMEOUT(f.device.received(), expected, 5000);
    QVERIFY(!SNPUpgraderProbe::portOpen(*f.window));
    QCOMPARE(f.connectButton()->text(), QString("Connect"));
    QVERIFY(!f.upgradeButton()->isEnabled());
    QCOMPARE(f.logLines().size(), 1);
}

void tst_SerialLink::silentDeviceIsProbedThenDisconnected()
{
    WindowFixture f(silentDevice());
    f.connectDevice();

    // About a second after the version request, the bootloader probe.
    QTRY_COMPARE_WITH_TIMEOUT(f.device.received(), VersionRequest + '\x02', 5000);
    const QList<PtyDevice::Chunk> chunks = f.device.chunks();
    const qint64 probeDelay = chunks.last().ms - chunks.first().ms;
    QVERIFY2(probeDelay >= 900 && probeDelay < 4000, qPrintable(QString::number(probeDelay)));
    QCOMPARE(SNPUpgraderProbe::state(*f.window), 11);
    QVERIFY(!SNPUpgraderProbe::versionWatchdogActive(*f.window));
    QVERIFY(SNPUpgraderProbe::bootloaderWatchdogActive(*f.window));

    // About a second later, the box; after Ok the link is closed.
    QTRY_COMPARE_WITH_TIMEOUT(f.boxes.count(), 1, 5000);
    const MessageBoxAnswerer::Record box = f.boxes.boxes().first();
    QCOMPARE(box.title, QString("SNPUpgrader"));
    QCOMPARE(box.text,
             QString("The SNP300 is not responding to request,\nPlease switch it off to reset it "
                     "and restart.\nConnection will be closed."));
    QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(box.icon, QMessageBox::Information);
    QVERIFY(!box.hadParent);
    QTRY_VERIFY_WITH_TIMEOUT(!SNPUpgraderProbe::portOpen(*f.window), 5000);
    QTRY_COMPARE_WITH_TIMEOUT(f.device.received(), VersionRequest + '\x02' + '\x18', 5000);
    const qint64 boxDelay = f.device.chunks().last().ms - chunks.last().ms;
    QVERIFY2(boxDelay >= 900, qPrintable(QString::number(boxDelay)));
    QCOMPARE(f.connectButton()->text(), QString("Connect"));
    QVERIFY(!f.upgradeButton()->isEnabled());
    QVERIFY(!SNPUpgraderProbe::bootloaderWatchdogActive(*f.window));
    QCOMPARE(SNPUpgraderProbe::state(*f.window), 11);
}

void tst_SerialLink::detectPortsWhileConnectedKeepsTheLink()
{
    WindowFixture f(silentDevice());
    f.connectDevice();
    QTest::mouseClick(f.refreshButton(), Qt::LeftButton);
    QVERIFY(SNPUpgraderProbe::portOpen(*f.window));
    QCOMPARE(f.connectButton()->text(), QString("Disconnect"));
    QVERIFY(f.portList()->findText(f.device.portName()) >= 0);
    QTest::mouseClick(f.connectButton(), Qt::LeftButton);
    QVERIFY(!SNPUpgraderProbe::portOpen(*f.window));
}

void tst_SerialLink::reconnectStartsTheDialogueOver()
{
    WindowFixture f;
    QVERIFY(f.connectAndReadVersions());
    QCOMPARE(SNPUpgraderProbe::state(*f.window), 1);
    QTest::mouseClick(f.connectButton(), Qt::LeftButton);
    QVERIFY(!SNPUpgraderProbe::portOpen(*f.window));
    QCOMPARE(SNPUpgraderProbe::state(*f.window), 1); // kept until the next connect
    QTRY_VERIFY_WITH_TIMEOUT(f.device.received().endsWith('\x18'), 5000);

    f.device.clearReceived();
    f.connectDevice();
    QCOMPARE(SNPUpgraderProbe::state(*f.window), 0);
    QTRY_VERIFY_WITH_TIMEOUT(f.device.received().startsWith(VersionRequest), 5000);
    // Versions of the earlier connection are kept until the device reports again.
    QCOMPARE(SNPUpgraderProbe::appVersion(*f.window), QString("1.2.9"));
    QVERIFY(f.waitForLogLine("Connected. Select Upgrade SNP300 to continue."));
    QTRY_COMPARE_WITH_TIMEOUT(f.logLines().count("Application Version: 1.2.9"), 2, 10000);
}

// A port that another window (here another open of the same port) holds: after the specified
// line, the cause and the remedy; once the other lets go, Connect works.
void tst_SerialLink::portHeldByAnotherOpenIsBusy()
{
    WindowFixture f;
    QSerialPort other(f.device.portName());
    QVERIFY2(other.open(QIODevice::ReadWrite), qPrintable(other.errorString()));

    f.connectDevice();
    QCOMPARE(f.logLines().size(), 2);
    QCOMPARE(f.logLines().first(), QString("Unable to connect."));
    const QString cause = f.logLines().last();
    QVERIFY2(cause.startsWith("The port " + f.device.portName() + " is busy ("), qPrintable(cause));
    QVERIFY2(cause.endsWith("another program, or another window of SNP300 Upgrader, holds it. "
                            "Close that program or press Disconnect in that window, then press "
                            "Connect again."),
             qPrintable(cause));
    QVERIFY(!SNPUpgraderProbe::portOpen(*f.window));
    QCOMPARE(f.connectButton()->text(), QString("Connect"));
    QVERIFY(!f.upgradeButton()->isEnabled());

    other.close();
    QVERIFY(f.connectAndReadVersions());
}

QTEST_MAIN(tst_SerialLink)
#include "tst_seriallink.moc"
