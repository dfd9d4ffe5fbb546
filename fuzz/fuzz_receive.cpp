// libFuzzer target: the receive handler of the real window, on a simulated SNP300 behind a real
// pseudo-terminal whose answers come from the input. The window lives across inputs, so the
// dialogue carries its state from one input to the next like a device that keeps talking, and
// the dialogue's delays pass in real time. An input is a list of operations, each chosen by the
// low three bits of its first byte:
//   0 to 4, n, n bytes   the device sends the bytes (one read by the window)
//   5, n                 n ms pass with the event loop running, so delayed steps can fire
//   6                    the operator presses "Upgrade SNP300..." when it is enabled
//   7                    the operator presses Connect or Disconnect
// A closed port is connected again before an input runs. After each input every byte the window
// wrote must be a command of the dialogue or a line of the image, and its receive buffer may
// hold no more than the device sent.
//
// The state a crash needs may have been built up by earlier inputs: a reproducer is the input
// together with the ones run before it (-runs over the crash's corpus, or the printed history).

#include "commandtokenizer.h"
#include "dialoguedriver.h"
#include "fuzzharness.h"
#include "snpupgraderprobe.h"
#include "windowfixture.h"

#include <QtTest>

#include <cstddef>
#include <cstdint>

namespace {

// A fresh window, device and home now and then keep the log box and the recorded traffic small.
const int InputsPerSession = 2000;
// Pauses of one input add up to at most this, so that an input stays short.
const int WaitPerInputMs = 2500;

enum Operation { SendLast = 4, Wait = 5, Upgrade = 6, ToggleConnection = 7 };

QByteArray sendOp(const QByteArray &bytes)
{
    return QByteArray(1, '\0') + char(bytes.size()) + bytes;
}

QByteArray waitOp(int ms)
{
    QByteArray ops;
    for (; ms > 0; ms -= 255)
        ops += QByteArray(1, char(Wait)) + char(qMin(255, ms));
    return ops;
}

QList<QByteArray> seeds()
{
    const QByteArray versions = sendOp("\r\nx") + waitOp(600)
        + sendOp("\r\n<VER>1.2.9</VER>\r\n<BOOT>1.0.14</BOOT>\r\n") + waitOp(40);
    QByteArray upgrade = versions + QByteArray(1, char(Upgrade)) + sendOp("\r\nBOOTLOADER\r\n01>")
        + waitOp(400) + sendOp("\r\n01>") + waitOp(200) + sendOp("\r\nUNLOCKED\r\n01>")
        + waitOp(200) + sendOp("\r\nERASE ALL? (Y/N)") + waitOp(200) + sendOp("\r\nERASED\r\n01>")
        + waitOp(200) + sendOp("\r\nSEND HEX\r\n");
    for (int i = 0; i < 5; ++i)
        upgrade += sendOp("\r\nOK");
    return {
        versions,
        upgrade,
        waitOp(1000) + waitOp(200) + sendOp("\r\n01>") + sendOp("B\r\n72\r\n01>"),
        sendOp("\r\n0") + sendOp("1>") + sendOp("<VER>1.") + sendOp("2.3</VER>"),
        QByteArray(1, char(ToggleConnection)) + QByteArray(1, char(ToggleConnection))
            + sendOp("UNLOCKED ERASED 01>"),
    };
}

struct Session
{
    Session()
        : driver(fixture)
    {
        const QString image = driver.prepareUpgrade(hexImage(6));
        tokenizer.reset(new CommandTokenizer(CommandTokenizer::imageLinesOnTheWire(image)));
    }

    WindowFixture fixture;
    DialogueDriver driver;
    std::unique_ptr<CommandTokenizer> tokenizer;
    int inputs = 0;
};

// Left to the end of the process on purpose: destroying a window after the platform plugin is
// gone would crash in exit handlers.
Session *session = nullptr;

void run(const uint8_t *data, size_t size)
{
    WindowFixture &f = session->fixture;
    DialogueDriver &driver = session->driver;
    if (!driver.portOpen())
        f.connectDevice();

    QString error;
    int waitLeftMs = WaitPerInputMs;
    size_t at = 0;
    while (at < size) {
        const int op = data[at++] & 7;
        if (op <= Wait) {
            const int n = at < size ? data[at++] : 0;
            if (op == Wait) {
                const int ms = qMin(n, waitLeftMs);
                waitLeftMs -= ms;
                QTest::qWait(ms);
                continue;
            }
            const int available = int(qMin<size_t>(size_t(n), size - at));
            const QByteArray chunk(reinterpret_cast<const char *>(data) + at, available);
            at += size_t(available);
            if (driver.portOpen() && !driver.sendChunk(chunk, &error))
                FuzzHarness::fail(QStringLiteral("the window hangs: ") + error);
        } else if (op == Upgrade) {
            if (f.upgradeButton()->isEnabled())
                QTest::mouseClick(f.upgradeButton(), Qt::LeftButton);
        } else {
            QTest::mouseClick(f.connectButton(), Qt::LeftButton);
        }
    }
    QCoreApplication::processEvents();

    if (!session->tokenizer->feed(f.device.received()))
        FuzzHarness::fail(QStringLiteral("a byte outside the commands: ")
                          + session->tokenizer->error());
    f.device.clearReceived();
    const int buffered = SNPUpgraderProbe::rxBuffer(*f.window).size();
    if (buffered > driver.bytesSent()) {
        FuzzHarness::fail(QStringLiteral("the receive buffer holds %1 bytes, %2 were sent")
                              .arg(buffered)
                              .arg(driver.bytesSent()));
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzHarness::start(argc, argv, seeds());
    session = new Session;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    run(data, size);
    if (++session->inputs == InputsPerSession) {
        delete session;
        session = new Session;
    }
    return 0;
}
