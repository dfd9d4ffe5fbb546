// The simulated SNP300's logic: what it answers, in which order it accepts
// commands, and its faults. Bytes are spelt out as the device sees them.

#include "snp300device.h"

#include <QtTest>

namespace {

const QByteArray Ver = "VER\r\r\n";
const QByteArray Unlock = "UNLOCK\r\r\n";
const QByteArray Stx = "\x02";
const QByteArray Can = "\x18";

enum class Split { Whole, Bytes, Pairs };

// Feeds the bytes in the given split and returns every answer.
QList<Snp300Reply> feed(Snp300Device &device, const QByteArray &bytes, Split split = Split::Whole)
{
    if (split == Split::Whole)
        return device.receive(bytes);
    const int step = split == Split::Bytes ? 1 : 2;
    QList<Snp300Reply> replies;
    for (int i = 0; i < bytes.size(); i += step)
        replies += device.receive(bytes.mid(i, step));
    return replies;
}

QByteArray only(const QList<Snp300Reply> &replies)
{
    return replies.size() == 1 ? replies.first().bytes
                               : QByteArray("<" + QByteArray::number(replies.size()) + " replies>");
}

// The bootloader's version as the host reads its answer to "B": drop every
// prompt, split at CR LF, take the last-but-one part as hexadecimal.
int versionFromB(const QByteArray &answer)
{
    QString text = QString::fromUtf8(answer);
    text.remove(QStringLiteral("01>"));
    const QStringList parts = text.split(QStringLiteral("\r\n"));
    return parts.size() < 2 ? -1 : parts.at(parts.size() - 2).toInt(nullptr, 16);
}

Snp300Options fastOptions()
{
    Snp300Options options;
    options.eraseDelayMs = 0;
    return options;
}

} // namespace

Q_DECLARE_METATYPE(Split)

class tst_Snp300Device : public QObject
{
    Q_OBJECT

private slots:
    void applicationAnswersVersion_data();
    void applicationAnswersVersion();
    void applicationIgnoresOtherBytes();
    void bootloaderAnswersB_data();
    void bootloaderAnswersB();
    void bootloaderRefusesVer();
    void upgradeDialogue_data();
    void upgradeDialogue();
    void commandsOutOfOrderAreRefused_data();
    void commandsOutOfOrderAreRefused();
    void canInBootloaderStartsApplication();
    void silentDeviceNeverAnswers();
    void delays();
    void stallAfterLines();
    void garbage();
    void malformedImageLineIsStillAnswered();
};

void tst_Snp300Device::applicationAnswersVersion_data()
{
    QTest::addColumn<Split>("split");
    QTest::newRow("whole") << Split::Whole;
    QTest::newRow("byte by byte") << Split::Bytes;
    QTest::newRow("pairs") << Split::Pairs;
}

void tst_Snp300Device::applicationAnswersVersion()
{
    QFETCH(Split, split);
    Snp300Options options;
    options.appVersion = QStringLiteral("2.3.1");
    Snp300Device device(options);
    QCOMPARE(only(feed(device, Ver, split)),
             QByteArray("\r\n<VER>2.3.1</VER>\r\n<BOOT>1.0.14</BOOT>\r\n"));
    QCOMPARE(device.received(), Ver);
    QCOMPARE(device.mode(), Snp300Device::Mode::Application);
    // Asked again, it answers again.
    QCOMPARE(feed(device, Ver, split).size(), 1);
}

void tst_Snp300Device::applicationIgnoresOtherBytes()
{
    Snp300Device device;
    for (const QByteArray &bytes :
         { Can, QByteArray("B"), QByteArray("E"), Unlock, QByteArray("XYZ\r\n") })
        QVERIFY2(device.receive(bytes).isEmpty(), bytes.constData());
    QCOMPARE(device.mode(), Snp300Device::Mode::Application);
    QCOMPARE(device.restarts(), 0);

    const QByteArray entered = only(device.receive(Stx));
    QVERIFY(entered.endsWith("01>"));
    QVERIFY(!entered.contains("<VER>"));
    QCOMPARE(device.mode(), Snp300Device::Mode::Bootloader);
}

void tst_Snp300Device::bootloaderAnswersB_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<QByteArray>("hex");
    QTest::newRow("1.0.14") << QStringLiteral("1.0.14") << QByteArray("72");
    QTest::newRow("1.0.13") << QStringLiteral("1.0.13") << QByteArray("71");
    QTest::newRow("1.0.15") << QStringLiteral("1.0.15") << QByteArray("73");
    QTest::newRow("2.0.5") << QStringLiteral("2.0.5") << QByteArray("CD");
}

void tst_Snp300Device::bootloaderAnswersB()
{
    QFETCH(QString, version);
    QFETCH(QByteArray, hex);
    Snp300Options options;
    options.startMode = Snp300Options::Mode::Bootloader;
    options.bootloaderVersion = version;
    Snp300Device device(options);

    const QByteArray prompt = only(device.receive(Stx));
    QCOMPARE(prompt, QByteArray("\r\n01>"));
    QVERIFY(prompt.trimmed().startsWith("01>"));
    const QByteArray answer = only(device.receive("B"));
    QCOMPARE(answer, "B\r\n" + hex + "\r\n01>");
    const QStringList parts = version.split(QLatin1Char('.'));
    QCOMPARE(versionFromB(answer), parts.at(0).toInt() * 100 + parts.at(2).toInt());
}

void tst_Snp300Device::bootloaderRefusesVer()
{
    Snp300Options options;
    options.startMode = Snp300Options::Mode::Bootloader;
    Snp300Device device(options);
    const QByteArray answer = only(feed(device, Ver, Split::Bytes));
    QVERIFY(!answer.contains("<VER>"));
    QVERIFY(!answer.contains("<BOOT>"));
    QVERIFY(answer.endsWith("01>"));
    QCOMPARE(device.mode(), Snp300Device::Mode::Bootloader);
}

void tst_Snp300Device::upgradeDialogue_data()
{
    QTest::addColumn<Split>("split");
    QTest::newRow("whole") << Split::Whole;
    QTest::newRow("byte by byte") << Split::Bytes;
}

// The dialogue as the upgrader drives it, from the application to its restart.
void tst_Snp300Device::upgradeDialogue()
{
    QFETCH(Split, split);
    Snp300Options options;
    options.eraseDelayMs = 1200;
    Snp300Device device(options);

    QVERIFY(!only(feed(device, Stx, split)).isEmpty());
    QVERIFY(only(feed(device, Stx, split)).contains("\r\n01>"));
    QVERIFY(!device.unlocked());

    const QByteArray unlocked = only(feed(device, Unlock, split));
    QVERIFY(unlocked.contains("UNLOCKED"));
    QVERIFY(unlocked.trimmed().endsWith("01>"));
    QVERIFY(device.unlocked());

    QVERIFY(!only(feed(device, "E", split)).isEmpty());
    const QList<Snp300Reply> erased = feed(device, "Y", split);
    QCOMPARE(erased.size(), 1);
    QVERIFY(erased.first().bytes.trimmed().contains("ERASED"));
    QVERIFY(erased.first().bytes.trimmed().endsWith("01>"));
    QCOMPARE(erased.first().delayMs, 1200);
    QVERIFY(device.erased());

    QVERIFY(!only(feed(device, "P", split)).isEmpty());
    QVERIFY(device.programming());

    // Stored lines go out with CR LF added, so a line with its own LF arrives
    // as "...\n\r\n"; the last line of a file may have no line end at all.
    const QList<QByteArray> stored
        = { ":10000000000102030405060708090A0B0C0D0E0F78\n",
            ":10001000101112131415161718191A1B1C1D1E1F68\n", ":00000001FF" };
    for (const QByteArray &line : stored)
        QCOMPARE(only(feed(device, line + "\r\n", split)), QByteArray("\r\nOK"));
    QCOMPARE(device.programmedLines(),
             QList<QByteArray>({ ":10000000000102030405060708090A0B0C0D0E0F78",
                                 ":10001000101112131415161718191A1B1C1D1E1F68", ":00000001FF" }));
    QCOMPARE(device.badLines(), 0);

    QVERIFY(!only(feed(device, Can, split)).isEmpty());
    QCOMPARE(device.mode(), Snp300Device::Mode::Application);
    QCOMPARE(device.restarts(), 1);
    QCOMPARE(device.programmedLines().size(), 3);
    // Disconnecting sends CAN once more: the application ignores it.
    QVERIFY(device.receive(Can).isEmpty());
    QCOMPARE(device.restarts(), 1);
}

void tst_Snp300Device::commandsOutOfOrderAreRefused_data()
{
    QTest::addColumn<QList<QByteArray>>("before"); // accepted steps first
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QByteArray>("mustNotContain");
    QTest::newRow("E while locked")
        << QList<QByteArray> {} << QByteArray("E") << QByteArray("ERASE");
    QTest::newRow("Y without E") << QList<QByteArray> { Unlock } << QByteArray("Y")
                                 << QByteArray("ERASED");
    QTest::newRow("P while locked")
        << QList<QByteArray> {} << QByteArray("P") << QByteArray("SEND");
    QTest::newRow("P before erase")
        << QList<QByteArray> { Unlock } << QByteArray("P") << QByteArray("SEND");
    QTest::newRow("P after a cancelled erase")
        << QList<QByteArray> { Unlock, "E", "N" } << QByteArray("P") << QByteArray("SEND");
    QTest::newRow("unknown text") << QList<QByteArray> {} << QByteArray("UNLOK\r\r\n")
                                  << QByteArray("UNLOCKED");
}

void tst_Snp300Device::commandsOutOfOrderAreRefused()
{
    QFETCH(QList<QByteArray>, before);
    QFETCH(QByteArray, command);
    QFETCH(QByteArray, mustNotContain);
    Snp300Options options = fastOptions();
    options.startMode = Snp300Options::Mode::Bootloader;
    Snp300Device device(options);
    for (const QByteArray &step : before)
        QCOMPARE(device.receive(step).size(), 1);

    const QByteArray answer = only(device.receive(command));
    QVERIFY2(!answer.contains(mustNotContain), answer.constData());
    QVERIFY2(answer.endsWith("01>"), answer.constData());
    QVERIFY(!device.programming());
    QCOMPARE(device.eraseCount(), 0);
}

void tst_Snp300Device::canInBootloaderStartsApplication()
{
    Snp300Device device;
    device.receive(Stx);
    device.receive(Unlock);
    QCOMPARE(device.mode(), Snp300Device::Mode::Bootloader);
    QVERIFY(!only(device.receive(Can)).isEmpty());
    QCOMPARE(device.mode(), Snp300Device::Mode::Application);
    QCOMPARE(device.restarts(), 1);
    QCOMPARE(only(device.receive(Ver)),
             QByteArray("\r\n<VER>1.2.9</VER>\r\n<BOOT>1.0.14</BOOT>\r\n"));

    // A new bootloader session starts locked again.
    device.receive(Stx);
    QVERIFY(!device.unlocked());
    QVERIFY(!only(device.receive("E")).contains("ERASE"));
}

void tst_Snp300Device::silentDeviceNeverAnswers()
{
    Snp300Options options;
    options.startMode = Snp300Options::Mode::Silent;
    Snp300Device device(options);
    for (const QByteArray &bytes : { Ver, Stx, QByteArray("B"), Unlock, Can })
        QVERIFY(device.receive(bytes).isEmpty());
    QCOMPARE(device.received(), Ver + Stx + "B" + Unlock + Can);
    QCOMPARE(device.restarts(), 0);

    device.setMode(Snp300Device::Mode::Application);
    QCOMPARE(device.receive(Ver).size(), 1);
    device.setMode(Snp300Device::Mode::Silent);
    QVERIFY(device.receive(Ver).isEmpty());
}

void tst_Snp300Device::delays()
{
    Snp300Options options;
    options.replyDelayMs = 250;
    options.eraseDelayMs = 2000;
    Snp300Device device(options);
    QCOMPARE(device.receive(Ver).value(0).delayMs, 250);
    QCOMPARE(device.receive(Stx).value(0).delayMs, 250);
    device.receive(Unlock);
    QCOMPARE(device.receive("E").value(0).delayMs, 250);
    QCOMPARE(device.receive("Y").value(0).delayMs, 2250);

    options.replyDelayMs = 0; // changed while running
    device.setOptions(options);
    QCOMPARE(device.receive("B").value(0).delayMs, 0);
}

void tst_Snp300Device::stallAfterLines()
{
    Snp300Options options = fastOptions();
    options.stallAfterLines = 2;
    Snp300Device device(options);
    for (const QByteArray &step :
         { Stx, Unlock, QByteArray("E"), QByteArray("Y"), QByteArray("P") })
        QCOMPARE(device.receive(step).size(), 1);

    const QByteArray line = ":00000001FF\r\n";
    QCOMPARE(device.receive(line).size(), 1);
    QCOMPARE(device.receive(line).size(), 1);
    QVERIFY(!device.stalled());
    QVERIFY(device.receive(line).isEmpty());
    QVERIFY(device.stalled());
    // Quiet for good: not even CAN or STX brings it back.
    for (const QByteArray &bytes : { line, Can, Stx, Ver })
        QVERIFY(device.receive(bytes).isEmpty());
    QCOMPARE(device.programmedLines().size(), 2);
    QCOMPARE(device.restarts(), 0);
    QVERIFY(device.received().endsWith(Ver));
}

void tst_Snp300Device::garbage()
{
    Snp300Options options = fastOptions();
    options.garbage = true;
    options.garbageSeed = 7;
    Snp300Device device(options);
    Snp300Device twin(options);
    const QList<QByteArray> steps
        = { Ver, Stx, Stx, "B", Unlock, "E", "Y", "P", ":00000001FF\r\n", Can, Ver };
    QList<QByteArray> answers;
    for (const QByteArray &step : steps) {
        const QByteArray answer = only(device.receive(step));
        QCOMPARE(only(twin.receive(step)), answer); // the same seed gives the same junk
        for (const char *text : { "01>", "<VER>", "<BOOT>", "UNLOCKED", "ERASED" })
            QVERIFY2(!answer.contains(text), answer.toHex().constData());
        answers.append(answer);
    }
    // Underneath the junk the device still follows the dialogue.
    QCOMPARE(device.programmedLines().size(), 1);
    QCOMPARE(device.restarts(), 1);

    options.garbageSeed = 8;
    Snp300Device other(options);
    QVERIFY(only(other.receive(Ver)) != answers.first());
}

void tst_Snp300Device::malformedImageLineIsStillAnswered()
{
    Snp300Options options = fastOptions();
    options.startMode = Snp300Options::Mode::Bootloader;
    Snp300Device device(options);
    for (const QByteArray &step : { Unlock, QByteArray("E"), QByteArray("Y"), QByteArray("P") })
        device.receive(step);
    // Wrong checksum, then an empty line: each still gets exactly one answer.
    QCOMPARE(only(device.receive(":00000001FE\r\n")), QByteArray("\r\nERR"));
    QCOMPARE(only(device.receive("\n\r\n")), QByteArray("\r\nERR"));
    QCOMPARE(device.badLines(), 2);
    QCOMPARE(device.programmedLines(), QList<QByteArray>({ ":00000001FE", "" }));
}

QTEST_GUILESS_MAIN(tst_Snp300Device)
#include "tst_snp300device.moc"
