// What the operator is told, and what the window does, when the device goes away or goes quiet
// in the middle of an upgrade.

#include "snpupgraderprobe.h"
#include "testdata.h"
#include "windowfixture.h"

#include <QLockFile>
#include <QProcess>
#include <QScopeGuard>
#include <QThread>
#include <QtTest>
#include <memory>

class tst_Faults : public QObject
{
    Q_OBJECT

private slots:
    void deviceUnpluggedWhileProgramming();
    void deviceQuietWhileProgramming();
    void stepPendingAtDisconnectWritesNothing();
    void deviceTextIsShownAsItStands();
    void chattyDeviceFillsNoMoreThanTheReceiveLimit();
    void interruptedUpgradesAreRecorded();
    void historyThatCannotBeWrittenStopsNothing();
    void imageThatDoesNotFitTellsTheFullDisk();
    void closingMidUpgradeAsksFirst();
    void closingAtOtherTimesAsksNothing();
    void historyRowQuotesWhatNeedsIt_data();
    void historyRowQuotesWhatNeedsIt();
    void historyRowWaitsForTheLockBesideIt();
};

void tst_Faults::deviceUnpluggedWhileProgramming()
{
    WindowFixture f(quickDevice());
    f.addTestImage(hexImage(400));
    // A second device that the test can pull out.
    Snp300Options options = quickDevice();
    options.replyDelayMs = 2;
    auto unplugged = std::make_unique<PtyDevice>(options);
    const QString port = unplugged->portName();
    qputenv("SNP300_SERIAL_PORTS", port.toLocal8Bit());
    QTest::mouseClick(f.refreshButton(), Qt::LeftButton);
    f.portList()->setCurrentIndex(f.portList()->findText(port));
    QTest::mouseClick(f.connectButton(), Qt::LeftButton);
    QVERIFY(f.waitForLogLine("Application Version: 1.2.9"));
    QTest::mouseClick(f.upgradeButton(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(f.progressBar()->value() >= 20, 20000);

    unplugged.reset();
    QTRY_VERIFY_WITH_TIMEOUT(!SNPUpgraderProbe::portOpen(*f.window), 10000);
    // The port is named as the serial port names it, without the "/dev/" of the system.
    const QString portName = QString(port).remove(QRegularExpression("^/dev/"));
    const QStringList lost = f.logLines().filter("The link to " + portName + " was lost");
    QCOMPARE(lost.size(), 1);
    QVERIFY2(lost.first().contains(QRegularExpression(
                 "failed \\(.+\\) while programming \\(state 8\\), line \\d+ of 400\\. The "
                 "connection is "
                 "closed\\. The upgrade did not complete")),
             qPrintable(lost.first()));
    QCOMPARE(f.connectButton()->text(), QString("Connect"));
    QVERIFY(!f.upgradeButton()->isEnabled());
    QVERIFY(!SNPUpgraderProbe::versionWatchdogActive(*f.window));
    QVERIFY(!SNPUpgraderProbe::bootloaderWatchdogActive(*f.window));

    // The window stays usable: the other device connects as usual.
    qputenv("SNP300_SERIAL_PORTS", f.device.portName().toLocal8Bit());
    QTest::mouseClick(f.refreshButton(), Qt::LeftButton);
    QVERIFY(f.connectAndReadVersions());
}

void tst_Faults::deviceQuietWhileProgramming()
{
    Snp300Options options = quickDevice();
    options.stallAfterLines = 5;
    WindowFixture f(options);
    f.addTestImage(hexImage(20));
    QVERIFY(f.startUpgrade());
    QVERIFY(f.waitForLogLine("Start programming."));
    const QString notice = "The SNP300 has not answered for 10 s while programming (state 8), "
                           "line 6 of 20. Still waiting; check its cable and power, or press "
                           "Disconnect.";
    QVERIFY(f.waitForLogLine(notice, 20000));
    QCOMPARE(f.logLines().count(notice), 1);
    QCOMPARE(SNPUpgraderProbe::state(*f.window), 8);
    QVERIFY(SNPUpgraderProbe::portOpen(*f.window));

    // The dialogue still waits, and Disconnect still works.
    f.device.clearReceived();
    QTest::mouseClick(f.connectButton(), Qt::LeftButton);
    QVERIFY(!SNPUpgraderProbe::portOpen(*f.window));
    QTRY_COMPARE_WITH_TIMEOUT(f.device.received(), QByteArray("\x18"), 5000);
    QCOMPARE(f.logLines().count(notice), 1);
}

void tst_Faults::stepPendingAtDisconnectWritesNothing()
{
    WindowFixture f(quickDevice());
    f.addTestImage(hexImage(3));
    QVERIFY(f.connectAndReadVersions());
    f.device.setAutoAnswer(false);
    QTest::mouseClick(f.upgradeButton(), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(SNPUpgraderProbe::state(*f.window), 2, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(f.device.received().endsWith('\x02'), 5000);

    // The answer schedules the next STX 300 ms later; the operator disconnects before that.
    f.device.clearReceived();
    f.device.send("\r\nBOOTLOADER\r\n01>");
    QVERIFY(f.waitForLogLine("Device in bootloader mode"));
    QTest::mouseClick(f.connectButton(), Qt::LeftButton);
    QTest::qWait(600);
    QCOMPARE(SNPUpgraderProbe::state(*f.window), 3);
    QCOMPARE(f.device.received(), QByteArray("\x18"));
}

void tst_Faults::deviceTextIsShownAsItStands()
{
    Snp300Options options = quickDevice();
    options.appVersion = "<b>1.2.9</b> & <i>more";
    WindowFixture f(options);
    QVERIFY(f.connectAndReadVersions());
    QCOMPARE(f.logLines().last(), QString("Application Version: <b>1.2.9</b> & <i>more"));
}

void tst_Faults::chattyDeviceFillsNoMoreThanTheReceiveLimit()
{
    WindowFixture f(quickDevice());
    QVERIFY(f.connectAndReadVersions());
    // Once the versions are read the dialogue stays in state 1; a device that goes on talking
    // must not fill the memory.
    const QByteArray output = QByteArray("application output that nobody reads\r\n").repeated(90);
    for (int i = 0; i < 100; ++i) {
        const QByteArray marker = "chunk " + QByteArray::number(i) + "\r\n";
        f.device.send(output + marker);
        QTRY_VERIFY_WITH_TIMEOUT(SNPUpgraderProbe::rxBuffer(*f.window).endsWith(marker), 5000);
    }
    QCOMPARE(SNPUpgraderProbe::state(*f.window), 1);
    QCOMPARE(SNPUpgraderProbe::rxBuffer(*f.window).size(), 64 * 1024);
}

// An upgrade cut off after its first STX by Disconnect is recorded as interrupted (cut off by the
// window closing: closingMidUpgradeAsksFirst).
void tst_Faults::interruptedUpgradesAreRecorded()
{
    Snp300Options options = quickDevice();
    options.replyDelayMs = 10;
    WindowFixture f(options);
    f.addTestImage(hexImage(1000));
    QVERIFY(f.startUpgrade());
    // A few seconds of programming give the pace: the bar tells the time left.
    static const QRegularExpression timeLeft("^\\d+ % - about (\\d+ min )?\\d+ s left$");
    QTRY_VERIFY_WITH_TIMEOUT(timeLeft.match(f.progressBar()->text()).hasMatch(), 20000);
    QTest::mouseClick(f.connectButton(), Qt::LeftButton);
    QCOMPARE(f.progressBar()->format(), QString("%p%"));
    const QList<QStringList> history = f.historyRows();
    QCOMPARE(history.size(), 2);
    QCOMPARE(history.at(1).at(9), QString("interrupted"));
    QCOMPARE(history.at(1).at(8), QString("1000"));
}

// A record that cannot be written is reported and changes nothing of the upgrade.
void tst_Faults::historyThatCannotBeWrittenStopsNothing()
{
    WindowFixture f(quickDevice());
    f.addTestImage(hexImage(3));
    QVERIFY(QDir().mkpath(f.historyPath())); // a folder where the file should be
    QVERIFY(f.startUpgrade());
    QVERIFY(f.waitForLogLine("UPGRADE IS DONE", 30000));
    QTRY_VERIFY_WITH_TIMEOUT(!SNPUpgraderProbe::portOpen(*f.window), 5000);
    const QStringList told
        = f.logLines().filter("The upgrade could not be recorded in " + f.historyPath() + " (");
    QCOMPARE(told.size(), 1);
    QCOMPARE(f.logLines().indexOf(told.first()), f.logLines().indexOf("UPGRADE IS DONE") + 1);
    QCOMPARE(f.device.device().programmedLines().size(), 3);
    QCOMPARE(f.device.device().restarts(), 1);
}

// A download that does not fit on the disk: a tmpfs of 1 MiB on the Documents folder (where the
// test may mount one) and an image of 2 MiB. The cause is the full disk, and no line blames the
// server after it.
void tst_Faults::imageThatDoesNotFitTellsTheFullDisk()
{
    WindowFixture f(quickDevice());
    f.addServerImage(Fmr130, QByteArray(2 * 1024 * 1024, 'x'));
    const QString documents = f.home.documentsPath();
    QProcess mount;
    mount.start("mount", { "-t", "tmpfs", "-o", "size=1m", "tmpfs", documents });
    if (!mount.waitForFinished(10000) || mount.exitStatus() != QProcess::NormalExit
        || mount.exitCode() != 0) {
        QSKIP(qPrintable("a small tmpfs cannot be mounted here (it needs root on Linux): "
                         + mount.errorString() + ' ' + mount.readAllStandardError().trimmed()));
    }
    const auto unmount = qScopeGuard([documents] { QProcess::execute("umount", { documents }); });

    QVERIFY(f.connectAndReadVersions());
    QVERIFY(f.waitForLogLine("Device ready to start update"));
    f.device.clearReceived();
    QTest::mouseClick(f.upgradeButton(), Qt::LeftButton);

    const QString path = documents + '/' + Fmr130;
    QCOMPARE(f.logLines().last(),
             "Cannot store the downloaded image " + path
                 + " (No space left on device). The upgrade was not started: make room in "
                 + documents + " or make it writable, then press Upgrade SNP300... again.");
    QVERIFY(!f.logLines().contains("Server not available or firmware already up to date"));
    // Nothing is left behind, not even a part of the image.
    QCOMPARE(QDir(documents).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList());
    QVERIFY(f.upgradeButton()->isEnabled());
    QTest::qWait(200);
    QCOMPARE(f.device.received(), QByteArray());
}

// Closing the window in the middle of programming asks first. No keeps the upgrade running to
// its end; Yes closes, and the upgrade is recorded as interrupted.
void tst_Faults::closingMidUpgradeAsksFirst()
{
    Snp300Options options = quickDevice();
    options.replyDelayMs = 5;
    WindowFixture f(options);
    f.addTestImage(hexImage(300));
    QVERIFY(f.startUpgrade());
    QTRY_VERIFY_WITH_TIMEOUT(f.progressBar()->value() >= 10, 20000);

    f.boxes.answerNext(QMessageBox::No);
    QVERIFY(!f.window->close());
    const MessageBoxAnswerer::Record asked = f.boxes.last();
    QCOMPARE(asked.text,
             QString("An upgrade of the SNP300 is running. Closing now leaves the device without "
                     "working firmware until it is upgraded again. Close anyway?"));
    QCOMPARE(asked.title, QString("SNPUpgrader"));
    QCOMPARE(asked.buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(asked.defaultButton, QMessageBox::No);
    QVERIFY(f.window->isVisible());
    QVERIFY(f.waitForLogLine("UPGRADE IS DONE", 30000));
    QCOMPARE(f.device.device().programmedLines().size(), 300);
    QCOMPARE(f.historyRows().size(), 2);
    QCOMPARE(f.historyRows().at(1).at(9), QString("completed"));

    QVERIFY(f.startUpgrade());
    QTRY_VERIFY_WITH_TIMEOUT(f.progressBar()->value() >= 10, 20000);
    const int boxes = f.boxes.count();
    f.boxes.answerNext(QMessageBox::Yes);
    QVERIFY(f.window->close());
    QCOMPARE(f.boxes.count(), boxes + 1);
    QVERIFY(!f.window->isVisible());
    f.window.reset(); // what the program's end does after the last window closed
    QCOMPARE(f.historyRows().size(), 3);
    QCOMPARE(f.historyRows().at(2).at(9), QString("interrupted"));
}

// Before the first byte of an upgrade (here while connected, versions read) and after its end,
// the window closes without a question.
void tst_Faults::closingAtOtherTimesAsksNothing()
{
    {
        WindowFixture f(quickDevice());
        QVERIFY(f.connectAndReadVersions());
        QVERIFY(f.window->close());
        QCOMPARE(f.boxes.count(), 0);
    }
    WindowFixture f(quickDevice());
    f.addTestImage(hexImage(3));
    QVERIFY(f.startUpgrade());
    QVERIFY(f.waitForLogLine("UPGRADE IS DONE", 30000));
    const int boxes = f.boxes.count();
    QVERIFY(f.window->close());
    QCOMPARE(f.boxes.count(), boxes);
}

// A field is quoted when it holds a comma, a quote or a line break, and when a spreadsheet would
// run it as a formula (then with an apostrophe first); the row is UTF-8 and ends in CR LF.
void tst_Faults::historyRowQuotesWhatNeedsIt_data()
{
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QByteArray>("row");
    QTest::newRow("as they stand")
        << QStringList { "1.2.9", "a=b", "", "'x", "a-1" } << QByteArray("1.2.9,a=b,,'x,a-1\r\n");
    QTest::newRow("comma") << QStringList { "a,b", "c" } << QByteArray("\"a,b\",c\r\n");
    QTest::newRow("quote") << QStringList { "say \"hi\"" } << QByteArray("\"say \"\"hi\"\"\"\r\n");
    QTest::newRow("line feed") << QStringList { "a\nb" } << QByteArray("\"a\nb\"\r\n");
    QTest::newRow("CR LF") << QStringList { "a\r\nb" } << QByteArray("\"a\r\nb\"\r\n");
    const QStringList formulas { "=1+2", "+1", "-1", "@SUM(A1)", "\tx", "\rx" };
    QTest::newRow("formulas")
        << formulas << QByteArray("\"'=1+2\",\"'+1\",\"'-1\",\"'@SUM(A1)\",\"'\tx\",\"'\rx\"\r\n");
    QTest::newRow("formula with quotes")
        << QStringList { "=HYPERLINK(\"http://example.invalid\",\"1.2.9\")" }
        << QByteArray("\"'=HYPERLINK(\"\"http://example.invalid\"\",\"\"1.2.9\"\")\"\r\n");
    const QByteArray utf8 = "/home/j\xc3\xb6rg/\xe6\x97\xa5/a.hex";
    QTest::newRow("UTF-8") << QStringList { QString::fromUtf8(utf8) } << QByteArray(utf8 + "\r\n");
}

void tst_Faults::historyRowQuotesWhatNeedsIt()
{
    QFETCH(QStringList, fields);
    QFETCH(QByteArray, row);
    QCOMPARE(UpgradeHistory::csvRow(fields), row);
}

// A row is written under the lock file beside History.csv: while another program holds it the
// row waits, and goes in whole once the lock is free, its fields quoted as above.
void tst_Faults::historyRowWaitsForTheLockBesideIt()
{
    TempHome home;
    const QString path = home.path() + "/History.csv";
    QLockFile held(path + ".lock");
    QVERIFY(held.tryLock(0));

    UpgradeHistory::Entry entry;
    entry.startedUtc = QDateTime(QDate(2024, 3, 5), QTime(14, 3, 9), Qt::UTC);
    entry.port = "ttyUSB0";
    entry.appBefore = "=HYPERLINK(\"http://example.invalid\",\"1.2.9\")"; // as the device said
    bool appended = false;
    QThread *writer = QThread::create(
        [path, entry, &appended] { appended = UpgradeHistory(path).append(entry); });
    writer->start();
    QTest::qWait(500);
    QVERIFY(!QFileInfo::exists(path));
    held.unlock();
    QVERIFY(writer->wait(15000));
    delete writer;
    QVERIFY(appended);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> rows = file.readAll().split('\n');
    QCOMPARE(rows.size(), 3); // the header, the row, and nothing after the last line end
    QVERIFY(rows.at(1).startsWith("2024-03-05T14:03:09Z,ttyUSB0,\"'=HYPERLINK(\"\"http://"
                                  "example.invalid\"\",\"\"1.2.9\"\")\","));
    QVERIFY(!QFileInfo::exists(path + ".lock"));
}

QTEST_MAIN(tst_Faults)
#include "tst_faults.moc"
