// Whole upgrades through the real window, a simulated SNP300 on a pseudo-terminal and a firmware
// server on 127.0.0.1: the bytes on the wire, the log, the progress, the boxes, and the cases
// where nothing may be started.

#include "basicfilelog.h"
#include "firmwareimage.h"
#include "logengine.h"
#include "sampleimage.h"
#include "snpupgraderprobe.h"
#include "snpversion.h"
#include "testdata.h"
#include "windowfixture.h"

#include <QCryptographicHash>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {

QString firmwareDialog(const QString &current, const QString &available)
{
    return QString("You are about to start updating the firmware on your SNP300.\nCurrent "
                   "version: %1\nAvailable version: %2\nThis operation can corrupt the device if "
                   "not done in appropriate conditions:\n\t- Make sure your device will not sleep "
                   "or lock during the 3 min update\n\t- Make sure the SNP300 is connected to a "
                   "power supply for the duration of the update\n\t- Don't try to run other "
                   "programs during the update.\n\t- Switch off any other nearby devices that "
                   "could possibly connect to the SNP300\n")
        .arg(current, available);
}

QString bootloaderDialog(const QString &current, const QString &available)
{
    QString text = firmwareDialog(current, available);
    return text.replace("updating the firmware", "updating the bootloader");
}

// Every line as read in text mode (CR LF becomes LF, a last line without end stays so), then
// CR LF.
QByteArray sentAsStored(QByteArray image)
{
    image.replace("\r\n", "\n");
    QByteArray wire;
    for (int start = 0; start < image.size();) {
        const int lineFeed = image.indexOf('\n', start);
        const int end = lineFeed < 0 ? image.size() : lineFeed + 1;
        wire += image.mid(start, end - start) + "\r\n";
        start = end;
    }
    return wire;
}

// The image with one character replaced.
QByteArray damaged(QByteArray image, int at, char replacement)
{
    image[at] = replacement;
    return image;
}

// What the device gets from the upgrade's first STX to the cancels after the last line.
QByteArray upgradeOnTheWire(const QByteArray &image)
{
    return QByteArray("\x02\x02UNLOCK\r\r\nEYP") + sentAsStored(image) + '\x18' + '\x18';
}

} // namespace

class tst_Upgrade : public QObject
{
    Q_OBJECT

private slots:
    void applicationUpgradeEndToEnd();
    void oneLineImage();
    void oldBootloaderIsUpdatedFirst();
    void newerBootloaderOnTheServerIsUpdatedFirst();
    void deviceInItsBootloader();
    void bootloaderVersionThatIsNotHexadecimal();
    void promptSplitAcrossChunks();
    void chunkDuringTheServerQuery();
    void testImagesArePreferred();
    void serverDownStartsNothing();
    void cancelStartsNothing();
    void upToDateStartsNothing();
    void emptyImageIsNotStarted();
    void imageThatVanishesAfterErase();
    void imageChangedAfterTheCheckIsNotProgrammed();
    // A choice runs nested event loops: what happens in them must not start a second upgrade,
    // nor program another image, nor start on another link.
    void secondPressDuringTheDownloadStartsNothing();
    void reconnectDuringTheDownloadProgramsNothing();
    void linkClosedDuringTheConfirmationStartsNothing();
    void imageCheckNamesTheFirstFault_data();
    void imageCheckNamesTheFirstFault();
    void damagedImageIsNotStarted();
    void imagesGoOutAsStored_data();
    void imagesGoOutAsStored();
    void recordOfACompletedUpgrade();
    void twoWindowsUpgradeTwoDevicesAtOnce();
};

void tst_Upgrade::applicationUpgradeEndToEnd()
{
    WindowFixture f(quickDevice());
    // One line ends in CR LF on disk: it is read as LF like the others.
    QByteArray image = hexImage(5);
    image.replace(43, 1, "\r\n");
    f.addServerImage(Fmr130, image);
    f.addServerImage("snp300_1_0_14.quenmarksnpbtl", hexImage(2));
    QSignalSpy progress(f.progressBar(), &QProgressBar::valueChanged);

    QVERIFY(f.connectAndReadVersions());
    QVERIFY(f.waitForLogLine("Device ready to start update"));
    QTest::mouseClick(f.upgradeButton(), Qt::LeftButton);
    QVERIFY(!f.upgradeButton()->isEnabled());
    QVERIFY(f.waitForLogLine("UPGRADE IS DONE", 30000));

    const QString path = f.home.documentsPath() + '/' + Fmr130;
    QCOMPARE(f.boxes.count(), 1);
    const MessageBoxAnswerer::Record box = f.boxes.boxes().first();
    QCOMPARE(box.text, firmwareDialog("1.2.9", "1.3.0"));
    QCOMPARE(box.title, QString());
    QCOMPARE(box.buttons, QMessageBox::Ok | QMessageBox::Cancel);
    QCOMPARE(box.styleSheet, QString("QLabel{min-width:550 px;}"));
    QCOMPARE(box.icon, QMessageBox::NoIcon);
    QVERIFY(!box.hadParent);

    QTRY_VERIFY_WITH_TIMEOUT(!SNPUpgraderProbe::portOpen(*f.window), 5000);
    QTRY_COMPARE_WITH_TIMEOUT(f.device.received(),
                              VersionRequest + VersionRequest + upgradeOnTheWire(image), 5000);
    QCOMPARE(f.device.device().programmedLines().size(), 5);

    const QStringList expectedLog = {
        "Connected. Select Upgrade SNP300 to continue.",
        "Bootloader Version: 1.0.14",
        "Bootloader Version number: 1014",
        "Device ready to start update",
        "Application Version: 1.2.9",
        "Start update using file: " + path,
        "Device in bootloader mode",
        "Device is in Bootloader mode",
        "Device is UNLOCKED",
        "Erasing... This can take a few seconds",
        "Device is ERASED",
        "All lines of the input file have been parsed. TOTAL: 5 lines.",
        "Start programming.",
        "Programmming done.",
        "Starting Application",
        "UPGRADE IS DONE",
    };
    QCOMPARE(f.logLines(), expectedLog);

    QList<int> values;
    for (const QList<QVariant> &args : qAsConst(progress))
        values << args.first().toInt();
    QCOMPARE(values, (QList<int> { 2, 3, 4, 5 }));
    QCOMPARE(f.progressBar()->maximum(), 5);
    QCOMPARE(f.connectButton()->text(), QString("Connect"));
    QVERIFY(!f.upgradeButton()->isEnabled());
    QCOMPARE(SNPUpgraderProbe::state(*f.window), 9);
    QCOMPARE(f.boxes.count(), 1); // no bootloader box after an application update
}

void tst_Upgrade::oneLineImage()
{
    WindowFixture f(quickDevice());
    f.addServerImage(Fmr130, hexImage(1));
    QVERIFY(f.startUpgrade());
    QVERIFY(f.waitForLogLine("UPGRADE IS DONE", 30000));
    QTRY_COMPARE_WITH_TIMEOUT(f.device.received(), upgradeOnTheWire(hexImage(1)), 5000);
    QCOMPARE(f.progressBar()->maximum(), 1);
    QCOMPARE(f.progressBar()->value(), 0);
}

void tst_Upgrade::oldBootloaderIsUpdatedFirst()
{
    WindowFixture f(quickDevice("1.2.9", "1.0.13"));
    f.addServerImage(Fmr130, hexImage(3));
    f.addServerImage(Btl015, hexImage(2));
    QVERIFY(f.connectAndReadVersions());
    const QStringList log = f.logLines();
    QCOMPARE(
        log.mid(1, 4),
        (QStringList { "Bootloader Version: 1.0.13", "Bootloader Version number: 1013",
                       "Device bootloader needs to be updated", "Device ready to start update" }));
    QVERIFY(SNPUpgraderProbe::bootloaderUpdateNeeded(*f.window));

    QTest::mouseClick(f.upgradeButton(), Qt::LeftButton);
    QVERIFY(f.waitForLogLine("UPGRADE IS DONE", 30000));
    QVERIFY(f.waitForLogLine("Start update using file: " + f.home.documentsPath() + '/' + Btl015));
    QTRY_COMPARE_WITH_TIMEOUT(f.boxes.count(), 2, 10000);
    QCOMPARE(f.boxes.boxes().at(0).text, bootloaderDialog("1.0.13", "1.0.15"));
    QCOMPARE(f.boxes.boxes().at(1).text,
             QString("The SNP300 Bootloader has been updated\nRestart SNP300.\nRestart "
                     "SnpUpgrader to upgrade the firmware."));
    QCOMPARE(f.boxes.boxes().at(1).title, QString("SNPUpgrader"));
    QCOMPARE(f.device.device().programmedLines().size(), 2);
    QVERIFY(f.server.requests().last().body.endsWith("name=" + Btl015.toUtf8()));
    QVERIFY(!SNPUpgraderProbe::portOpen(*f.window));
}

void tst_Upgrade::newerBootloaderOnTheServerIsUpdatedFirst()
{
    WindowFixture f(quickDevice("1.2.9", "1.0.14"));
    f.addServerImage(Btl015, hexImage(2));
    QVERIFY(f.connectAndReadVersions());
    QVERIFY(f.logLines().contains("Device bootloader needs to be updated"));
    QVERIFY(SNPUpgraderProbe::bootloaderUpdateNeeded(*f.window));
    // The server was asked for the bootloader list while the version answer was handled.
    QCOMPARE(f.server.requests().size(), 1);
}

void tst_Upgrade::deviceInItsBootloader()
{
    Snp300Options options = quickDevice("1.2.9", "1.0.14");
    options.startMode = Snp300Options::Mode::Bootloader;
    WindowFixture f(options);
    f.connectDevice();
    QVERIFY(f.waitForLogLine("Device ready to start update"));
    const QStringList log = f.logLines();
    QCOMPARE(log.mid(1),
             (QStringList { "Bootloader Version (bootloader only): 1.0.14",
                            "Bootloader Version number: 1014", "Device ready to start update" }));
    QVERIFY(!SNPUpgraderProbe::bootloaderUpdateNeeded(*f.window));
    QVERIFY(!SNPUpgraderProbe::bootloaderWatchdogActive(*f.window));
    QCOMPARE(SNPUpgraderProbe::state(*f.window), 11);
    QCOMPARE(SNPUpgraderProbe::bootloaderVersion(*f.window), QString("1.0.14"));
    QVERIFY(f.device.received().endsWith(QByteArray("\x02") + "B"));
    QVERIFY(f.server.requests().isEmpty()); // a bootloader is not compared with the server
    QTest::qWait(1500); // the bootloader watchdog must not fire any more
    QCOMPARE(f.boxes.count(), 0);
    QVERIFY(SNPUpgraderProbe::portOpen(*f.window));
}

void tst_Upgrade::bootloaderVersionThatIsNotHexadecimal()
{
    Snp300Options options = quickDevice();
    options.startMode = Snp300Options::Mode::Silent;
    WindowFixture f(options);
    f.device.setAutoAnswer(false);
    f.connectDevice();
    QTRY_VERIFY_WITH_TIMEOUT(f.device.received().endsWith('\x02'), 5000);
    f.device.send("\r\n01>");
    QTRY_VERIFY_WITH_TIMEOUT(f.device.received().endsWith('B'), 5000);
    f.device.send("B\r\nzz\r\n01>");
    QVERIFY(f.waitForLogLine("Device ready to start update"));
    QCOMPARE(f.logLines().mid(1),
             (QStringList { "Bootloader Version (bootloader only): 0.0.0",
                            "Bootloader Version number: 0", "Device bootloader needs to be updated",
                            "Device ready to start update" }));
    QVERIFY(SNPUpgraderProbe::bootloaderUpdateNeeded(*f.window));

    // An answer with fewer than two parts records nothing and stops the watchdog.
    f.device.send("01>");
    f.device.send("junk");
    QTest::qWait(300);
    QCOMPARE(SNPUpgraderProbe::bootloaderVersion(*f.window), QString("0.0.0"));
}

void tst_Upgrade::promptSplitAcrossChunks()
{
    WindowFixture f(quickDevice());
    f.addTestImage(hexImage(2));
    QVERIFY(f.connectAndReadVersions());
    f.device.setAutoAnswer(false);
    QTest::mouseClick(f.upgradeButton(), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(SNPUpgraderProbe::state(*f.window), 2, 10000);
    f.device.send("\r\nBOOT\r\n");
    QTRY_COMPARE_WITH_TIMEOUT(SNPUpgraderProbe::state(*f.window), 3, 5000);
    f.device.clearReceived();
    f.device.send("\r\n0");
    QTest::qWait(300);
    QCOMPARE(SNPUpgraderProbe::state(*f.window), 3);
    f.device.send("1>");
    QTRY_COMPARE_WITH_TIMEOUT(SNPUpgraderProbe::state(*f.window), 4, 5000);
    QTRY_COMPARE_WITH_TIMEOUT(f.device.received(), QByteArray("UNLOCK\r\r\n"), 5000);
    QVERIFY(f.logLines().contains("Device is in Bootloader mode"));
}

void tst_Upgrade::chunkDuringTheServerQuery()
{
    WindowFixture f(quickDevice());
    f.server.setDelayMs(1000);
    // While the window waits for the server's answer, the device sends another chunk: it is
    // handled by a nested call, in state 1, before the interrupted call finishes.
    QObject::connect(&f.server, &FirmwareServer::requestReceived, &f.device,
                     [&f] { f.device.send("\r\n<VER>7.7.7</VER>\r\n"); });
    f.connectDevice();
    QVERIFY(f.waitForLogLine("Application Version: 1.2.9"));
    QCOMPARE(f.logLines().mid(1),
             (QStringList { "Bootloader Version: 1.0.14", "Bootloader Version number: 1014",
                            "Application Version: 7.7.7", "Device ready to start update",
                            "Application Version: 1.2.9" }));
    QCOMPARE(SNPUpgraderProbe::appVersion(*f.window), QString("1.2.9"));
    QCOMPARE(SNPUpgraderProbe::state(*f.window), 1);
}

void tst_Upgrade::testImagesArePreferred()
{
    WindowFixture f(quickDevice("1.2.9", "1.0.13"));
    f.addServerImage(Fmr130, hexImage(3));
    f.addServerImage(Btl015, hexImage(3));
    f.addDocument("test_b.quenmarksnpfmr", hexImage(4));
    const QString chosen = f.addDocument("test_a.quenmarksnpfmr", hexImage(2));
    f.addDocument("test_a.quenmarksnpbtl", hexImage(5));
    f.addDocument("test_0.quenmarksnpfmr.bak", hexImage(6));
    QVERIFY(QDir(f.home.documentsPath()).mkdir("test_0.quenmarksnpfmr"));
    QVERIFY(f.connectAndReadVersions());
    QVERIFY(SNPUpgraderProbe::bootloaderUpdateNeeded(*f.window));
    QTest::mouseClick(f.upgradeButton(), Qt::LeftButton);
    QVERIFY(f.waitForLogLine("Start update using file: " + chosen));
    QVERIFY(f.waitForLogLine("UPGRADE IS DONE", 30000));
    QCOMPARE(f.device.device().programmedLines().size(), 2);
    for (const FirmwareServer::Request &request : f.server.requests())
        QCOMPARE(request.field("service"), QString("list"));
}

void tst_Upgrade::serverDownStartsNothing()
{
    WindowFixture f(quickDevice());
    f.addServerImage(Fmr130, hexImage(3));
    QVERIFY(f.connectAndReadVersions());
    f.server.close();
    f.device.clearReceived();
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(f.upgradeButton(), Qt::LeftButton);
    QVERIFY(f.waitForLogLine("Server not available or firmware already up to date"));
    QCOMPARE(f.boxes.count(), 1);
    QVERIFY2(clock.elapsed() >= 4500, "the box must wait for the list request");
    QCOMPARE(f.boxes.boxes().first().text,
             QString("You are about to launch an update of your SNP300 firmware.\nYour device "
                     "firmware: 1.2.9\nFirmware Server is not available. Please check your "
                     "Internet Connection, Update is canceled"));
    QCOMPARE(f.device.received(), QByteArray());
    QVERIFY(f.upgradeButton()->isEnabled());
    QCOMPARE(SNPUpgraderProbe::state(*f.window), 1);
}

void tst_Upgrade::cancelStartsNothing()
{
    WindowFixture f(quickDevice());
    f.addTestImage(hexImage(2));
    f.boxes.answerNext(QMessageBox::Cancel);
    QVERIFY(f.startUpgrade());
    QVERIFY(f.waitForLogLine("Server not available or firmware already up to date"));
    QCOMPARE(f.boxes.boxes().first().text, firmwareDialog("1.2.9", "1.3.0"));
    QCOMPARE(f.device.received(), QByteArray());
    QVERIFY(f.upgradeButton()->isEnabled());
    QCOMPARE(SNPUpgraderProbe::firmwareFilePath(*f.window), QString());
}

void tst_Upgrade::upToDateStartsNothing()
{
    WindowFixture f(quickDevice("1.3.0"));
    f.addServerImage(Fmr130, hexImage(3));
    QVERIFY(f.startUpgrade());
    QVERIFY(f.waitForLogLine("Server not available or firmware already up to date"));
    QCOMPARE(f.boxes.boxes().first().text, firmwareDialog("1.3.0", "1.3.0"));
    QCOMPARE(f.device.received(), QByteArray());
    QCOMPARE(f.server.requests().last().field("service"), QString("list"));
}

void tst_Upgrade::emptyImageIsNotStarted()
{
    WindowFixture f(quickDevice());
    const QString empty = f.addTestImage(QByteArray());
    QVERIFY(f.startUpgrade());
    QVERIFY(f.waitForLogLine("The upgrade was not started: the image file " + empty
                             + " holds no line."));
    QCOMPARE(f.device.received(), QByteArray());
    QVERIFY(f.upgradeButton()->isEnabled());
    QCOMPARE(SNPUpgraderProbe::state(*f.window), 1);
    QVERIFY(!f.device.device().erased());
}

void tst_Upgrade::imageThatVanishesAfterErase()
{
    WindowFixture f(quickDevice());
    const QString image = f.addTestImage(hexImage(3));
    QVERIFY(f.startUpgrade());
    QVERIFY(f.waitForLogLine("Device is ERASED"));
    QVERIFY(QFile::rename(image, image + ".away"));
    QTRY_COMPARE_WITH_TIMEOUT(SNPUpgraderProbe::state(*f.window), 7, 5000);
    QTRY_VERIFY_WITH_TIMEOUT(f.device.received().endsWith('P'), 5000);

    // Each chunk tries again; the operator is told once; no line goes out.
    const QString told
        = QString("Cannot program the device: the image file %1 cannot be opened").arg(image);
    QTRY_VERIFY_WITH_TIMEOUT(!f.logLines().filter(told).isEmpty(), 5000);
    f.device.send("\r\nSEND HEX\r\n");
    f.device.send("\r\nSEND HEX\r\n");
    QTest::qWait(300);
    QCOMPARE(f.logLines().filter(told).size(), 1);
    QVERIFY(f.device.received().endsWith('P'));
    QCOMPARE(SNPUpgraderProbe::state(*f.window), 7);

    // Once the image is back, the next chunk starts programming.
    QVERIFY(QFile::rename(image + ".away", image));
    f.device.send("\r\nSEND HEX\r\n");
    QVERIFY(f.waitForLogLine("UPGRADE IS DONE", 30000));
    QCOMPARE(f.device.device().programmedLines().size(), 3);
}

void tst_Upgrade::imageChangedAfterTheCheckIsNotProgrammed()
{
    WindowFixture f(quickDevice());
    const QString image = f.addTestImage(hexImage(3));
    QVERIFY(f.startUpgrade());
    QVERIFY(f.logLines().contains("Start update using file: " + image));
    f.addDocument("test_a.quenmarksnpfmr", hexImage(4)); // while the device unlocks and erases
    QVERIFY(f.waitForLogLine("Cannot program the device: the image file " + image
                             + " has changed since it was checked. The device is erased and "
                               "waits for the image; fix the file or disconnect."));
    QCOMPARE(SNPUpgraderProbe::state(*f.window), 7);
    QVERIFY(f.device.device().programmedLines().isEmpty());
}

void tst_Upgrade::secondPressDuringTheDownloadStartsNothing()
{
    WindowFixture f(quickDevice());
    f.addServerImage(Fmr130, hexImage(3));
    f.server.setDownloadDelayMs(1500);
    QVERIFY(f.connectAndReadVersions());
    f.device.clearReceived();
    bool enabledDuringDownload = true;
    QObject::connect(&f.server, &FirmwareServer::requestReceived, f.window.get(),
                     [&](const FirmwareServer::Request &request) {
                         if (request.field("service") != "get")
                             return;
                         enabledDuringDownload = f.upgradeButton()->isEnabled();
                         QTest::mouseClick(f.upgradeButton(), Qt::LeftButton);
                     });
    QTest::mouseClick(f.upgradeButton(), Qt::LeftButton);
    QVERIFY(f.waitForLogLine("UPGRADE IS DONE", 30000));
    QVERIFY(!enabledDuringDownload);
    QCOMPARE(f.boxes.count(), 1);
    QCOMPARE(f.logLines().filter("Start update using file:").size(), 1);
    QCOMPARE(f.device.device().eraseCount(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(f.device.received(), upgradeOnTheWire(hexImage(3)), 5000);
}

void tst_Upgrade::reconnectDuringTheDownloadProgramsNothing()
{
    WindowFixture f(quickDevice());
    f.addServerImage(Fmr130, hexImage(3));
    QVERIFY(f.startUpgrade());
    QVERIFY(f.waitForLogLine("UPGRADE IS DONE", 30000));
    QTRY_VERIFY_WITH_TIMEOUT(!SNPUpgraderProbe::portOpen(*f.window), 5000);

    // A newer release is published; while it downloads slowly the operator reconnects, and the
    // reconnect's own server query is answered first.
    const QString Fmr140 = "snp300_1_4_0.quenmarksnpfmr";
    const QByteArray release = hexImage(4);
    f.addServerImage(Fmr140, release);
    f.server.setDownloadDelayMs(3000);
    f.logBox()->clear();
    QVERIFY(f.connectAndReadVersions());
    QVERIFY(f.waitForLogLine("Device ready to start update"));
    QObject::connect(&f.server, &FirmwareServer::requestReceived, f.window.get(),
                     [&](const FirmwareServer::Request &request) {
                         if (request.field("service") != "get")
                             return;
                         f.connectButton()->click();
                         f.device.clearReceived();
                         f.connectButton()->click();
                     });
    QTest::mouseClick(f.upgradeButton(), Qt::LeftButton);

    QVERIFY(f.waitForLogLine("The upgrade was not started: the SNP300 was connected again while "
                             "the upgrade was being prepared. Press Upgrade SNP300... to prepare "
                             "it on this connection."));
    QFile stored(f.home.documentsPath() + '/' + Fmr140);
    QVERIFY(stored.open(QIODevice::ReadOnly));
    QCOMPARE(stored.readAll(), release);
    QVERIFY(f.logLines().filter("Start update using file:").isEmpty());
    QVERIFY(f.upgradeButton()->isEnabled());
    QTest::qWait(500);
    QVERIFY(!f.device.received().contains('\x02'));
    QCOMPARE(f.device.device().eraseCount(), 1);
}

void tst_Upgrade::linkClosedDuringTheConfirmationStartsNothing()
{
    WindowFixture f(quickDevice());
    f.addServerImage(Fmr130, hexImage(3));
    QVERIFY(f.connectAndReadVersions());
    QObject::connect(&f.boxes, &MessageBoxAnswerer::boxAnswered, f.window.get(),
                     [&f] { f.connectButton()->click(); });
    f.server.clearRequests();
    f.device.clearReceived();
    QTest::mouseClick(f.upgradeButton(), Qt::LeftButton);
    QCOMPARE(f.logLines().last(),
             QString("The upgrade was not started: the link to the SNP300 was closed while the "
                     "upgrade was being prepared."));
    QTRY_COMPARE_WITH_TIMEOUT(f.device.received(), QByteArray("\x18"), 5000);
    QCOMPARE(f.server.requests().size(), 1); // the list, and no download for a closed link
    QVERIFY(!f.upgradeButton()->isEnabled());
    QCOMPARE(SNPUpgraderProbe::state(*f.window), 1);
}

// The check of an Intel HEX image before the device is erased, on the file alone: the first fault,
// in the words the operator is told.
void tst_Upgrade::imageCheckNamesTheFirstFault_data()
{
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<QString>("fault"); // what follows "the image file <path> is damaged at "
    const QByteArray sound = hexImage(5); // records of 43 characters and a line feed
    QTest::newRow("wrong checksum")
        << damaged(sound, 2 * 44 + 42, sound.at(2 * 44 + 42) == '0' ? '1' : '0')
        << "line 3: its checksum is wrong";
    QTest::newRow("cut short in a record") << sound.left(3 * 44 + 21) << "line 4: its byte count";
    QTest::newRow("cut short after a record")
        << sound.left(4 * 44) << "line 4: the image ends there without its end-of-file record";
    QTest::newRow("record after the end")
        << sound + sound.left(44) << "line 6: only empty lines may follow";
    QTest::newRow("not a hexadecimal digit")
        << damaged(sound, 44 + 20, 'g') << "line 2: it holds a character that is not";
    QTest::newRow("unknown record type") << SampleImage::record(0, 0x06, "ab") + '\n'
            + sound.right(12) << "line 1: its record type 06 is not one of 00 to 05";
}

void tst_Upgrade::imageCheckNamesTheFirstFault()
{
    QFETCH(QByteArray, image);
    QFETCH(QString, fault);
    QTemporaryDir folder;
    const QString path = folder.filePath("test_a.quenmarksnpfmr");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(image) == image.size());
    file.close();
    FirmwareImage checked;
    QVERIFY2(checked.load(path), qPrintable(checked.errorString()));
    const QString found = checked.intelHexFault();
    QVERIFY2(found.startsWith("the image file " + path + " is damaged at " + fault),
             qPrintable(found));
}

// A refused image: the operator is told why, the attempt is recorded, and the device gets nothing.
void tst_Upgrade::damagedImageIsNotStarted()
{
    const QByteArray image = hexImage(5).left(4 * 44); // cut short after its fourth record
    WindowFixture f(quickDevice());
    const QString path = f.addTestImage(image);
    QVERIFY(f.startUpgrade());
    QCOMPARE(f.logLines().last(),
             "The upgrade was not started: the image file " + path
                 + " is damaged at line 4: the image ends there without its end-of-file record "
                   "(it may have been cut short).");
    const QList<QStringList> history = f.historyRows();
    QCOMPARE(history.size(), 2);
    QCOMPARE(history.at(1).at(9), QString("refused"));
    QCOMPARE(history.at(1).at(6),
             QString(QCryptographicHash::hash(image, QCryptographicHash::Sha256).toHex()));
    QCOMPARE(f.device.received(), QByteArray());
    QVERIFY(f.upgradeButton()->isEnabled());
    QCOMPARE(SNPUpgraderProbe::state(*f.window), 1);
    QVERIFY(!f.device.device().erased());
}

void tst_Upgrade::imagesGoOutAsStored_data()
{
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<int>("lines");
    QTest::newRow("lower case, CR LF ends, blank lines")
        << SampleImage::generate(3, 7, true).toLower() + "\r\n\n"
        << 6;
    QTest::newRow("not Intel HEX") << QByteArray("SNP300 IMAGE\n:not a record\n\nend") << 4;
}

void tst_Upgrade::imagesGoOutAsStored()
{
    QFETCH(QByteArray, image);
    QFETCH(int, lines);
    WindowFixture f(quickDevice());
    f.addTestImage(image);
    QVERIFY(f.startUpgrade());
    QVERIFY(f.waitForLogLine("UPGRADE IS DONE", 30000));
    QCOMPARE(f.device.device().programmedLines().size(), lines);
    QTRY_COMPARE_WITH_TIMEOUT(f.device.received(), upgradeOnTheWire(image), 5000);
}

// The run's log file keeps every line of the log box, in order and as it stands, and the
// summary of the upgrade; History.csv gets its row.
void tst_Upgrade::recordOfACompletedUpgrade()
{
    WindowFixture f(quickDevice("1.2.9", "1.0.15"));
    const QString logPath = f.home.path() + "/run.log";
    cvc::LogEngine engine;
    new cvc::BasicFileLog(logPath);
    const QByteArray image = hexImage(4);
    f.addServerImage(Fmr130, image);
    QVERIFY(f.startUpgrade());
    QVERIFY(f.waitForLogLine("UPGRADE IS DONE", 30000));
    const QString sha256 = QCryptographicHash::hash(image, QCryptographicHash::Sha256).toHex();

    QFile log(logPath);
    QVERIFY(log.open(QIODevice::ReadOnly));
    static const QRegularExpression prefix("^\\[\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d\\] \\[(\\w*)\\] ");
    QStringList messages;
    QString summary;
    for (const QString &line : QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch match = prefix.match(line);
        if (!match.hasMatch()) {
            QVERIFY2(!messages.isEmpty(), qPrintable(line));
            messages.last() += '\n' + line; // a message with line feeds stays one message
        } else if (line.mid(match.capturedLength()).startsWith("Upgrade completed:")) {
            QCOMPARE(match.captured(1), QString("Info"));
            summary = line;
        } else {
            messages.append(line.mid(match.capturedLength()));
        }
    }
    QCOMPARE(messages.join('\n'), f.logBox()->toPlainText());
    QVERIFY2(summary.contains("SHA-256 " + sha256) && summary.contains(Fmr130),
             qPrintable(summary));

    const QList<QStringList> history = f.historyRows();
    QCOMPARE(history.size(), 2);
    QCOMPARE(history.at(0),
             (QStringList { "utc_time", "port", "app_before", "bootloader_before", "kind", "image",
                            "sha256", "bytes", "lines", "result", "seconds" }));
    const QStringList row = history.at(1);
    QCOMPARE(row.size(), 11);
    const QDateTime started = QDateTime::fromString(row.at(0), Qt::ISODate);
    QVERIFY2(started.isValid() && started.timeSpec() == Qt::UTC, qPrintable(row.at(0)));
    QVERIFY(qAbs(started.secsTo(QDateTime::currentDateTimeUtc())) < 120);
    QCOMPARE(row.mid(1, 9),
             (QStringList { SNPUpgraderProbe::portName(*f.window), "1.2.9", "1.0.15", "application",
                            f.home.documentsPath() + '/' + Fmr130, sha256,
                            QString::number(image.size()), "4", "completed" }));
    QVERIFY(row.at(10).toDouble() > 0);
}

// Two windows of the program, as two processes started in the same second in one home, upgrade
// two devices at once: both complete, History.csv has its header once and both rows, and the
// log (one file for both when they started in the same second) has every line whole.
void tst_Upgrade::twoWindowsUpgradeTwoDevicesAtOnce()
{
    Snp300Options options = quickDevice();
    options.replyDelayMs = 2;
    WindowFixture f(options);
    f.addServerImage(Fmr130, hexImage(300));
    PtyDevice second(options);
    QVERIFY2(second.isOpen(), qPrintable(second.errorString()));

    const QString pilot = QCoreApplication::applicationDirPath() + "/snp300-autopilot";
    QVERIFY2(QFileInfo(pilot).isExecutable(), qPrintable(pilot));
    std::vector<std::unique_ptr<QProcess>> windows;
    const QStringList ports = { f.device.portName(), second.portName() };
    // Both start early in a second, so that both name their log file after the same one.
    QTRY_VERIFY_WITH_TIMEOUT(QDateTime::currentMSecsSinceEpoch() % 1000 < 100, 2000);
    for (const QString &port : ports) {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("SNP300_SERIAL_PORTS", port);
        process->setProcessEnvironment(environment);
        process->setProcessChannelMode(QProcess::MergedChannels);
        process->start(pilot, { "--port", port, "--timeout", "120" });
        windows.push_back(std::move(process));
    }
    // The devices and the server answer in this process's event loop.
    for (const auto &window : windows) {
        QTRY_VERIFY_WITH_TIMEOUT(window->state() == QProcess::NotRunning, 150000);
        QVERIFY2(window->exitStatus() == QProcess::NormalExit && window->exitCode() == 0,
                 window->readAll().constData());
    }
    QCOMPARE(f.device.device().programmedLines().size(), 300);
    QCOMPARE(second.device().programmedLines().size(), 300);

    const QList<QStringList> history = f.historyRows();
    QCOMPARE(history.size(), 3);
    QCOMPARE(history.at(0).first(), QString("utc_time"));
    QStringList rowPorts;
    for (int i = 1; i < history.size(); ++i) {
        QCOMPARE(history.at(i).size(), 11);
        QCOMPARE(history.at(i).at(9), QString("completed"));
        rowPorts.append(history.at(i).at(1));
    }
    rowPorts.sort();
    QStringList expectedPorts;
    for (const QString &port : ports)
        expectedPorts.append(QString(port).remove(QRegularExpression("^/dev/")));
    expectedPorts.sort();
    QCOMPARE(rowPorts, expectedPorts);

    const QDir logs(f.home.documentsPath() + "/Corvane/SNP300 Upgrader/Logs");
    const QStringList logFiles = logs.entryList({ "*.log" }, QDir::Files);
    qInfo("%d log file(s) for the two windows", int(logFiles.size()));
    static const QRegularExpression prefix("^\\[\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d\\] \\[\\w*\\] ");
    int starts = 0;
    int done = 0;
    for (const QString &name : logFiles) {
        QFile log(logs.filePath(name));
        QVERIFY(log.open(QIODevice::ReadOnly));
        for (const QString &line :
             QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts)) {
            // The one message of the run with a line feed continues on a line of its own.
            QVERIFY2(prefix.match(line).hasMatch() || line == "Starting Application",
                     qPrintable("torn line in " + name + ": " + line));
            const QString message = QString(line).remove(prefix);
            starts += message == QLatin1String("SNP300 Upgrader " SNP_VERSION);
            done += message == "UPGRADE IS DONE";
        }
    }
    QCOMPARE(starts, 2);
    QCOMPARE(done, 2);
}

QTEST_MAIN(tst_Upgrade)
#include "tst_upgrade.moc"
