// Bounded randomised input to the receive handler, through the real window and a real
// pseudo-terminal: the window is brought into each state of the bootloader dialogue by scripted
// device answers, then fed seeded random chunks. Whatever arrives, the window must not crash or
// hang, its receive buffer holds no more than was sent, the process stays within a generous
// memory bound, and every byte it writes to the device is one of its commands or a line of the
// image being programmed.
//
// Reproducing a failure: the message names the seed of the round and every case sent in it.
// SNP_FUZZ_SEED=<n> in the environment replaces the base seed; each round's seed is derived
// from it, the state and the round's number, so a row run alone sends the same chunks again
// (the device's timing may still differ a little from run to run).

#include "chunkgenerator.h"
#include "commandtokenizer.h"
#include "dialoguedriver.h"
#include "processmemory.h"
#include "snpupgraderprobe.h"
#include "testdata.h"
#include "windowfixture.h"

#include <QMap>
#include <QtTest>

namespace {

const quint32 DefaultSeed = 0x5e300f2;
const qint64 MemoryAllowanceKb = 512 * 1024; // above the resident size at start
const int CaseTimeLimitMs = 30000;

quint32 baseSeed()
{
    bool ok = false;
    const quint32 seed = qEnvironmentVariable("SNP_FUZZ_SEED").toUInt(&ok, 0);
    return ok ? seed : DefaultSeed;
}

quint32 roundSeed(int state, int round)
{
    return baseSeed() ^ (quint32(state) * 0x9e3779b1u) ^ (quint32(round + 1) * 0x85ebca6bu);
}

// An image as an operator might keep it: hex records, one of them stored with CR LF, the last
// one without a line end.
QByteArray fuzzImage(int lines)
{
    QByteArray image = hexImage(lines);
    image.chop(1);
    image.replace(43, 1, "\r\n");
    return image;
}

} // namespace

class tst_ReceiveFuzz : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void tokenizerAcceptsOnlyCommands_data();
    void tokenizerAcceptsOnlyCommands();
    void dialogueStates_data();
    void dialogueStates();
    void hugeChunks_data();
    void hugeChunks();
    void cleanupTestCase();

private:
    void addRows(const QList<int> &states, const QList<int> &rounds, const QList<int> &cases);
    void runRound(int state, int round, int cases, bool huge);

    qint64 m_startResidentKb = 0;
    QMap<int, int> m_largestBuffer; // dialogue state -> largest receive buffer seen in it
    QMap<int, qint64> m_slowestCaseMs; // row state -> slowest case
    QMap<QString, int> m_commands; // every command the window wrote, counted
};

void tst_ReceiveFuzz::initTestCase()
{
    m_startResidentKb = ProcessMemory::residentKb();
    qInfo("base seed 0x%x (SNP_FUZZ_SEED replaces it), resident %lld KiB", baseSeed(),
          m_startResidentKb);
}

// The fuzz rounds are only as strict as the tokenizer: it must refuse what is not a command.
void tst_ReceiveFuzz::tokenizerAcceptsOnlyCommands_data()
{
    QTest::addColumn<QByteArray>("stream");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("pending");
    const QByteArray all = QByteArray("VER\r\r\n\x02"
                                      "BUNLOCK\r\r\nEYP")
        + ":10\n\r\n" + "\x18";
    QTest::newRow("every command") << all << true << 0;
    QTest::newRow("cut inside a command") << QByteArray("VER\r\r\nUNLO") << true << 4;
    QTest::newRow("cut inside a line") << QByteArray("P:1") << true << 2;
    QTest::newRow("lower case") << QByteArray("ver\r\r\n") << false << 0;
    QTest::newRow("a line without its CR LF") << QByteArray(":10\nE") << false << 0;
    QTest::newRow("a line of another image") << QByteArray(":11\n\r\n") << false << 0;
    QTest::newRow("VER with one CR") << QByteArray("VER\r\nE") << false << 0;
    QTest::newRow("NUL") << QByteArray("E\0Y", 3) << false << 0;
}

void tst_ReceiveFuzz::tokenizerAcceptsOnlyCommands()
{
    QFETCH(QByteArray, stream);
    QFETCH(bool, accepted);
    QFETCH(int, pending);
    CommandTokenizer tokenizer({ ":10\n\r\n" });
    QCOMPARE(tokenizer.feedStream(stream), accepted);
    if (accepted)
        QCOMPARE(tokenizer.pendingBytes(), pending);
}

void tst_ReceiveFuzz::addRows(const QList<int> &states, const QList<int> &rounds,
                              const QList<int> &cases)
{
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("rounds");
    QTest::addColumn<int>("cases");
    for (int i = 0; i < states.size(); ++i) {
        QTest::addRow("state %d", states.at(i)) << states.at(i) << rounds.at(i) << cases.at(i);
    }
}

void tst_ReceiveFuzz::dialogueStates_data()
{
    // States that move on with any answer get more rounds and fewer cases: after their first
    // chunk the rest of a round exercises the states that follow.
    addRows({ 0, 1, 11, 2, 3, 4, 5, 6, 7, 8, 9 }, { 4, 2, 3, 3, 2, 2, 3, 2, 3, 2, 4 },
            { 12, 40, 30, 10, 50, 50, 10, 50, 10, 60, 3 });
}

void tst_ReceiveFuzz::dialogueStates()
{
    QFETCH(int, state);
    QFETCH(int, rounds);
    QFETCH(int, cases);
    for (int round = 0; round < rounds; ++round) {
        runRound(state, round, cases, false);
        if (QTest::currentTestFailed())
            return;
    }
}

void tst_ReceiveFuzz::hugeChunks_data()
{
    // One megabyte of junk at once, in the states that keep what they receive and in those
    // that act on every read.
    addRows({ 0, 1, 11, 3, 4, 6, 8 }, { 1, 1, 1, 1, 1, 1, 1 }, { 1, 1, 1, 1, 1, 1, 1 });
}

void tst_ReceiveFuzz::hugeChunks()
{
    QFETCH(int, state);
    runRound(state, 1000, 1, true);
}

void tst_ReceiveFuzz::runRound(int state, int round, int cases, bool huge)
{
    const quint32 seed = roundSeed(state, round);
    WindowFixture f;
    DialogueDriver driver(f);
    QVERIFY2(driver.isValid(), "cannot open the terminal side of the pseudo-terminal");
    // Programming state: an image long enough that random answers do not finish it.
    const QString imagePath
        = driver.prepareUpgrade(fuzzImage(state == Snp300Session::Programming ? 400 : 4));
    CommandTokenizer tokenizer(CommandTokenizer::imageLinesOnTheWire(imagePath));

    qInfo("round %d from state %d, seed 0x%x", round, state, seed);
    QString error;
    QVERIFY2(driver.reach(state, &error),
             qPrintable(QStringLiteral("reaching state %1: %2").arg(state).arg(error)));
    QVERIFY2(tokenizer.feedStream(f.device.received()), qPrintable(tokenizer.error()));

    ChunkGenerator generator(seed);
    QStringList history;
    const auto context = [&] {
        return QStringLiteral("seed 0x%1, round %2 from state %3, cases sent:\n  %4\n")
            .arg(seed, 0, 16)
            .arg(round)
            .arg(state)
            .arg(history.join(QLatin1String("\n  ")));
    };

    for (int i = 0; i < cases && driver.portOpen(); ++i) {
        const int stateBefore = driver.state();
        const ChunkCase chunkCase = huge ? generator.make(ChunkGenerator::Huge) : generator.next();
        history.append(QStringLiteral("#%1 in state %2: %3")
                           .arg(i)
                           .arg(stateBefore)
                           .arg(chunkCase.describe()));
        QElapsedTimer clock;
        clock.start();
        for (const QByteArray &chunk : chunkCase.chunks)
            QVERIFY2(driver.sendChunk(chunk, &error), qPrintable(context() + error));

        // The event loop still turns: a timer started now fires.
        bool timerFired = false;
        QTimer::singleShot(0, f.window.get(), [&timerFired] { timerFired = true; });
        QVERIFY2(DialogueDriver::waitFor([&timerFired] { return timerFired; }, 10000),
                 qPrintable(context() + QStringLiteral("the event loop stopped turning")));
        const qint64 elapsed = clock.elapsed();
        m_slowestCaseMs[state] = qMax(m_slowestCaseMs.value(state), elapsed);
        QVERIFY2(elapsed < CaseTimeLimitMs,
                 qPrintable(context() + QStringLiteral("the case took %1 ms").arg(elapsed)));

        const int buffered = SNPUpgraderProbe::rxBuffer(*f.window).size();
        const int stateAfter = driver.state();
        m_largestBuffer[stateAfter] = qMax(m_largestBuffer.value(stateAfter), buffered);
        QVERIFY2(buffered <= driver.bytesSent(),
                 qPrintable(context()
                            + QStringLiteral("the receive buffer holds %1 bytes, %2 were sent")
                                  .arg(buffered)
                                  .arg(driver.bytesSent())));

        QVERIFY2(tokenizer.feedStream(f.device.received()),
                 qPrintable(context()
                            + QStringLiteral("the window wrote a byte outside its "
                                             "commands: ")
                            + tokenizer.error()));
    }

    // A command cut at the end is only a write still on its way; it must complete.
    QVERIFY2(DialogueDriver::waitFor(
                 [&] {
                     return !tokenizer.feedStream(f.device.received())
                         || tokenizer.pendingBytes() == 0;
                 },
                 5000),
             qPrintable(context() + QStringLiteral("the window wrote an incomplete command: ")
                        + tokenizer.pendingText()));
    QVERIFY2(!tokenizer.failed(), qPrintable(context() + tokenizer.error()));

    const qint64 resident = ProcessMemory::residentKb();
    QVERIFY2(resident
                 < m_startResidentKb + MemoryAllowanceKb + ProcessMemory::sanitizerOverheadKb(),
             qPrintable(context()
                        + QStringLiteral("resident size %1 KiB, %2 KiB at start")
                              .arg(resident)
                              .arg(m_startResidentKb)));

    const QHash<QString, int> counts = tokenizer.counts();
    for (auto it = counts.constBegin(); it != counts.constEnd(); ++it)
        m_commands[it.key()] += it.value();
}

void tst_ReceiveFuzz::cleanupTestCase()
{
    QStringList buffers;
    for (auto it = m_largestBuffer.constBegin(); it != m_largestBuffer.constEnd(); ++it)
        buffers.append(QStringLiteral("%1: %2").arg(it.key()).arg(it.value()));
    QStringList slowest;
    for (auto it = m_slowestCaseMs.constBegin(); it != m_slowestCaseMs.constEnd(); ++it)
        slowest.append(QStringLiteral("%1: %2 ms").arg(it.key()).arg(it.value()));
    QStringList commands;
    for (auto it = m_commands.constBegin(); it != m_commands.constEnd(); ++it)
        commands.append(QStringLiteral("%1 x%2").arg(it.key()).arg(it.value()));
    qInfo("largest receive buffer by dialogue state (bytes): %s",
          qPrintable(buffers.join(QLatin1String(", "))));
    qInfo("slowest case by starting state: %s", qPrintable(slowest.join(QLatin1String(", "))));
    qInfo("commands written: %s", qPrintable(commands.join(QLatin1String(", "))));
    qInfo("peak resident size %lld KiB (%lld KiB at start)", ProcessMemory::peakResidentKb(),
          m_startResidentKb);
}

QTEST_MAIN(tst_ReceiveFuzz)
#include "tst_receivefuzz.moc"
