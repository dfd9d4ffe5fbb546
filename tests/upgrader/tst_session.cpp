// The upgrade engine against the simulated SNP300 behind an in-process link: the dialogue's rules
// without a window or a terminal, so that they run on every platform.

#include "simulatedlink.h"
#include "snp300session.h"
#include "snpdurations.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// An Intel HEX image of dataLines data records of 16 bytes and the end-of-file record.
QByteArray intelHexImage(int dataLines)
{
    QByteArray image;
    for (int i = 0; i < dataLines; ++i) {
        QByteArray record;
        const int address = i * 16;
        record.append(char(16)).append(char(address >> 8)).append(char(address & 0xff));
        record.append(char(0));
        for (int b = 0; b < 16; ++b)
            record.append(char((i * 7 + b) & 0xff));
        quint8 sum = 0;
        for (char c : record)
            sum += quint8(c);
        record.append(char(quint8(-sum)));
        image += ':' + record.toHex().toUpper() + '\n';
    }
    return image + ":00000001FF\n";
}

Snp300Options quickDevice()
{
    Snp300Options options;
    options.eraseDelayMs = 50;
    return options;
}

// A session on a simulated device, with what it logged and the History it writes.
struct SessionFixture
{
    explicit SessionFixture(const Snp300Options &options = quickDevice())
        : link(options)
    {
        session.setHistoryPath(historyPath());
        QObject::connect(&session, &Snp300Session::logLine, &session,
                         [this](const QString &line) { log << line; });
        link.open();
    }

    QString historyPath() const { return folder.filePath(QStringLiteral("History.csv")); }
    QByteArray history() const
    {
        QFile file(historyPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QString writeImage(const QByteArray &bytes)
    {
        const QString path = folder.filePath(QStringLiteral("image.hex"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return QString();
        return path;
    }

    bool connectAndReadVersions()
    {
        QSignalSpy read(&session, &Snp300Session::versionsRead);
        return session.openLink(&link, QStringLiteral("SIM0")) && read.wait(5000);
    }

    QTemporaryDir folder;
    SimulatedLink link;
    Snp300Session session;
    QStringList log;
};

} // namespace

class tst_Session : public QObject
{
    Q_OBJECT

private slots:
    void applicationUpgradeByteForByte();
    void bootloaderDecision_data();
    void bootloaderDecision();
    void deviceInBootloaderIsProbed();
    void damagedImageIsRefusedWithNothingSent();
    void silenceWhileProgrammingIsNoticed();
    void lostLinkIsRecordedInterrupted();
};

void tst_Session::applicationUpgradeByteForByte()
{
    SessionFixture f;
    QVERIFY(f.connectAndReadVersions());
    QCOMPARE(f.session.appVersion(), QString("1.2.9"));
    QVERIFY(!f.session.bootloaderUpdateNeeded());
    QCOMPARE(f.link.device().received(), QByteArray("VER\r\r\nVER\r\r\n"));

    const QByteArray image = intelHexImage(30);
    const QString path = f.writeImage(image);
    QSignalSpy progress(&f.session, &Snp300Session::progressChanged);
    QSignalSpy ended(&f.session, &Snp300Session::upgradeEnded);
    QSignalSpy closed(&f.session, &Snp300Session::linkClosed);
    f.link.device().clearReceived();
    f.log.clear();
    QVERIFY(f.session.startUpgrade(path));
    QVERIFY(f.session.isUpgrading());
    QVERIFY(ended.wait(20000));

    QCOMPARE(ended.first().at(0).value<UpgradeHistory::Result>(),
             UpgradeHistory::Result::Completed);
    QCOMPARE(closed.count(), 1);
    QVERIFY(!f.session.isOpen());
    QVERIFY(!f.session.isUpgrading());
    // STX, the second STX, unlock, erase, its confirmation, program, every line with CR LF, CAN
    // to start the application, and the CAN of the close.
    QByteArray expected = QByteArray("\x02\x02UNLOCK\r\r\nEYP");
    for (const QByteArray &line : image.split('\n')) {
        if (!line.isEmpty())
            expected += line + "\n\r\n";
    }
    expected += "\x18\x18";
    QCOMPARE(f.link.device().received(), expected);
    QCOMPARE(f.link.device().badLines(), 0);
    QCOMPARE(f.log,
             QStringList({ "Start update using file: " + QDir::toNativeSeparators(path),
                           "Device in bootloader mode", "Device is in Bootloader mode",
                           "Device is UNLOCKED", "Erasing... This can take a few seconds",
                           "Device is ERASED",
                           "All lines of the input file have been parsed. TOTAL: 31 lines.",
                           "Start programming.", "Programmming done.\nStarting Application",
                           "UPGRADE IS DONE" }));
    QCOMPARE(progress.first(), QVariantList({ 0, 31 }));
    QCOMPARE(progress.last(), QVariantList({ 31, 31 }));
    const QByteArray history = f.history();
    QCOMPARE(history.count("\r\n"), 2); // the header and one row
    QVERIFY(history.contains("\"SIM0\"") || history.contains(",SIM0,"));
    QVERIFY(history.contains("completed"));
}

void tst_Session::bootloaderDecision_data()
{
    QTest::addColumn<QString>("deviceBootloader");
    QTest::addColumn<QString>("serverBootloader");
    QTest::addColumn<bool>("updateNeeded");
    QTest::newRow("1.0.13, below the threshold") << "1.0.13"
                                                 << "" << true;
    QTest::newRow("1.0.14, the threshold") << "1.0.14"
                                           << "" << false;
    QTest::newRow("1.0.14, the server newer") << "1.0.14"
                                              << "1.0.15" << true;
    QTest::newRow("1.0.15, the server older") << "1.0.15"
                                              << "1.0.14" << false;
}

void tst_Session::bootloaderDecision()
{
    QFETCH(QString, deviceBootloader);
    QFETCH(QString, serverBootloader);
    QFETCH(bool, updateNeeded);
    Snp300Options options = quickDevice();
    options.bootloaderVersion = deviceBootloader;
    SessionFixture f(options);
    int asked = 0;
    f.session.setBootloaderVersionQuery([&] {
        ++asked;
        return serverBootloader;
    });
    QVERIFY(f.connectAndReadVersions());
    QCOMPARE(asked, 1);
    QCOMPARE(f.session.bootloaderVersion(), deviceBootloader);
    QCOMPARE(f.session.bootloaderUpdateNeeded(), updateNeeded);
    QStringList expected { "Bootloader Version: " + deviceBootloader,
                           QString("Bootloader Version number: %1")
                               .arg(deviceBootloader.section('.', 2).toInt() + 1000) };
    if (updateNeeded)
        expected << "Device bootloader needs to be updated";
    expected << "Device ready to start update"
             << "Application Version: 1.2.9";
    QCOMPARE(f.log, expected);
    QCOMPARE(f.session.state(), int(Snp300Session::ReadVersion));
}

void tst_Session::deviceInBootloaderIsProbed()
{
    Snp300Options options = quickDevice();
    options.startMode = Snp300Options::Mode::Bootloader;
    options.bootloaderVersion = "1.0.13";
    SessionFixture f(options);
    bool asked = false;
    f.session.setBootloaderVersionQuery([&] {
        asked = true;
        return QString();
    });
    QVERIFY(f.connectAndReadVersions());
    QCOMPARE(f.session.state(), int(Snp300Session::BootloaderProbe));
    QVERIFY(!asked); // a device already in its bootloader is not compared with the server
    QCOMPARE(f.session.bootloaderVersion(), QString("1.0.13"));
    QVERIFY(f.session.bootloaderUpdateNeeded());
    QVERIFY(f.log.contains("Bootloader Version (bootloader only): 1.0.13"));
    // VER (unanswered by the bootloader), STX of the probe, B on the prompt.
    QVERIFY2(f.link.device().received().startsWith("VER\r\r\n"),
             f.link.device().received().toHex().constData());
    QVERIFY(f.link.device().received().endsWith("\x02"
                                                "B"));
    // The bootloader watchdog was stopped by the answer: no "not responding" follows.
    QSignalSpy notResponding(&f.session, &Snp300Session::bootloaderNotResponding);
    QVERIFY(!notResponding.wait(1500));
    QVERIFY(f.session.isOpen());
}

void tst_Session::damagedImageIsRefusedWithNothingSent()
{
    SessionFixture f;
    QVERIFY(f.connectAndReadVersions());
    QByteArray image = intelHexImage(10);
    image[image.indexOf('\n', 200) - 1] = image[image.indexOf('\n', 200) - 1] == '0' ? '1' : '0';
    const QString path = f.writeImage(image);
    QSignalSpy ended(&f.session, &Snp300Session::upgradeEnded);
    f.link.device().clearReceived();

    QVERIFY(!f.session.startUpgrade(path));
    QCOMPARE(ended.count(), 1);
    QCOMPARE(ended.first().at(0).value<UpgradeHistory::Result>(), UpgradeHistory::Result::Refused);
    const QString cause = ended.first().at(1).toString();
    QVERIFY2(cause.contains("checksum"), qPrintable(cause));
    QCOMPARE(f.log.last(), "The upgrade was not started: " + cause);
    QVERIFY(!f.session.isUpgrading());
    QTest::qWait(500); // a step that went out would have reached the device by now
    QCOMPARE(f.link.device().received(), QByteArray());
    QVERIFY(f.history().contains("refused"));
}

void tst_Session::silenceWhileProgrammingIsNoticed()
{
    Snp300Options options = quickDevice();
    options.stallAfterLines = 5;
    SessionFixture f(options);
    QVERIFY(f.connectAndReadVersions());
    QSignalSpy silent(&f.session, &Snp300Session::deviceSilent);
    QVERIFY(f.session.startUpgrade(f.writeImage(intelHexImage(19))));
    QVERIFY(silent.wait(SnpDurations::SilenceNoticeMs + 10000));
    QCOMPARE(f.log.last(),
             QString("The SNP300 has not answered for 10 s while programming (state 8), line 6 of "
                     "20. Still waiting; check its cable and power, or press Disconnect."));
    QCOMPARE(f.session.state(), int(Snp300Session::Programming));
    QVERIFY(f.session.isOpen());
    QVERIFY(f.session.isUpgrading());
}

void tst_Session::lostLinkIsRecordedInterrupted()
{
    SessionFixture f;
    QVERIFY(f.connectAndReadVersions());
    QSignalSpy ended(&f.session, &Snp300Session::upgradeEnded);
    // The cable is pulled in the middle of programming, while the session handles an answer.
    QObject::connect(&f.session, &Snp300Session::progressChanged, &f.link, [&f](int value) {
        if (value == 10)
            f.link.unplug();
    });
    QVERIFY(f.session.startUpgrade(f.writeImage(intelHexImage(400))));
    QVERIFY(ended.wait(20000));
    QCOMPARE(ended.first().at(0).value<UpgradeHistory::Result>(),
             UpgradeHistory::Result::Interrupted);
    const QString cause = ended.first().at(1).toString();
    QVERIFY2(cause.startsWith("The link to SIM0 was lost")
                 && cause.contains("programming (state 8)")
                 && cause.contains("The upgrade did not complete"),
             qPrintable(cause));
    QCOMPARE(f.log.last(), cause);
    QVERIFY(!f.session.isUpgrading());
    QVERIFY(!f.session.isOpen());
    const QByteArray history = f.history();
    QCOMPARE(history.count("\r\n"), 2);
    QVERIFY(history.contains("interrupted"));
}

QTEST_GUILESS_MAIN(tst_Session)
#include "tst_session.moc"
