#include "dialoguedriver.h"

#include "commandtokenizer.h"
#include "snpupgraderprobe.h"
#include "testdata.h"
#include "windowfixture.h"

#include <QElapsedTimer>
#include <QtTest>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

const QByteArray VersionAnswer("\r\n<VER>1.2.9</VER>\r\n<BOOT>1.0.14</BOOT>\r\n");
const int StepTimeoutMs = 5000;

} // namespace

DialogueDriver::DialogueDriver(WindowFixture &fixture)
    : m_fixture(fixture)
{
    m_fixture.device.setAutoAnswer(false);
    // Opened before the window opens the port, which then takes the terminal for itself.
    m_terminal = ::open(QFile::encodeName(m_fixture.device.portName()).constData(),
                        O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
}

DialogueDriver::~DialogueDriver()
{
    if (m_terminal >= 0)
        ::close(m_terminal);
}

QString DialogueDriver::prepareUpgrade(const QByteArray &image)
{
    m_fixture.addServerImage(Fmr130, "server image\n");
    return m_fixture.addDocument(QStringLiteral("test_fuzz.quenmarksnpfmr"), image);
}

bool DialogueDriver::portOpen() const
{
    return SNPUpgraderProbe::portOpen(*m_fixture.window);
}

int DialogueDriver::state() const
{
    return SNPUpgraderProbe::state(*m_fixture.window);
}

bool DialogueDriver::waitFor(const std::function<bool()> &condition, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (condition())
            return true;
        if (clock.elapsed() > timeoutMs)
            return false;
        QTest::qWait(1);
    }
}

int DialogueDriver::queuedAtTerminal() const
{
    int queued = 0;
    if (::ioctl(m_terminal, FIONREAD, &queued) != 0)
        return -1;
    return queued;
}

bool DialogueDriver::sendChunk(const QByteArray &chunk, QString *error)
{
    for (int offset = 0; offset < chunk.size(); offset += MaxReadSize) {
        if (!portOpen())
            return true;
        if (!sendPiece(chunk.mid(offset, MaxReadSize), error))
            return false;
    }
    return true;
}

bool DialogueDriver::sendPiece(const QByteArray &piece, QString *error)
{
    if (!waitFor([this] { return queuedAtTerminal() == 0 || !portOpen(); }, 10000)) {
        *error = QStringLiteral("the window left %1 bytes unread").arg(queuedAtTerminal());
        return false;
    }
    if (!portOpen())
        return true;
    if (!m_fixture.device.send(piece)) {
        *error = QStringLiteral("the pseudo-terminal refused %1 bytes").arg(piece.size());
        return false;
    }
    m_sent += piece.size();

    // Without running the event loop (so the window cannot read yet), wait until the whole
    // piece has reached the terminal: it is then read in one go.
    QElapsedTimer clock;
    clock.start();
    while (queuedAtTerminal() < piece.size()) {
        if (clock.elapsed() > 5000) {
            *error = QStringLiteral("only %1 of %2 bytes reached the terminal")
                         .arg(queuedAtTerminal())
                         .arg(piece.size());
            return false;
        }
        ::poll(nullptr, 0, 1);
    }

    if (!waitFor([this] { return queuedAtTerminal() == 0 || !portOpen(); }, 10000)) {
        *error = QStringLiteral("the window did not read %1 bytes within 10 s (state %2)")
                     .arg(queuedAtTerminal())
                     .arg(state());
        return false;
    }
    return true;
}

bool DialogueDriver::answerAndWaitForState(const QByteArray &answer, int wanted, QString *error)
{
    if (!sendChunk(answer, error))
        return false;
    if (!waitFor([this, wanted] { return state() == wanted; }, StepTimeoutMs)) {
        *error = QStringLiteral("after %1 the window is in state %2, not %3")
                     .arg(escapedBytes(answer))
                     .arg(state())
                     .arg(wanted);
        return false;
    }
    return true;
}

bool DialogueDriver::reachVersionsRead(QString *error)
{
    if (!reach(Snp300Session::ReadVersion, error))
        return false;
    if (!sendChunk(VersionAnswer, error))
        return false;
    if (!m_fixture.waitForLogLine(QStringLiteral("Application Version: 1.2.9"), StepTimeoutMs)) {
        *error = QStringLiteral("the version answer was not taken");
        return false;
    }
    return true;
}

bool DialogueDriver::reach(int wanted, QString *error)
{
    switch (wanted) {
    case Snp300Session::ConnectProbe:
        m_fixture.connectDevice();
        if (!waitFor([this] { return m_fixture.device.received() == VersionRequest; },
                     StepTimeoutMs)
            || state() != Snp300Session::ConnectProbe) {
            *error = QStringLiteral("connecting did not send the version request");
            return false;
        }
        return true;
    case Snp300Session::ReadVersion:
        return reach(Snp300Session::ConnectProbe, error)
            && answerAndWaitForState("\r\nSNP300\r\n", Snp300Session::ReadVersion, error);
    case Snp300Session::BootloaderProbe:
        // A device that does not answer the version request is probed for its bootloader.
        if (!reach(Snp300Session::ConnectProbe, error))
            return false;
        if (!waitFor([this] { return state() == Snp300Session::BootloaderProbe; }, StepTimeoutMs)) {
            *error = QStringLiteral("the version watchdog did not start the bootloader probe");
            return false;
        }
        return true;
    case Snp300Session::EnterBootloader:
        if (!reachVersionsRead(error))
            return false;
        QTest::mouseClick(m_fixture.upgradeButton(), Qt::LeftButton);
        if (!waitFor([this] { return state() == Snp300Session::EnterBootloader; }, StepTimeoutMs)) {
            *error = QStringLiteral("the Upgrade button did not start the upgrade");
            return false;
        }
        return true;
    case Snp300Session::WaitPrompt:
        return reach(Snp300Session::EnterBootloader, error)
            && answerAndWaitForState("\r\nBOOTLOADER\r\n01>", Snp300Session::WaitPrompt, error);
    case Snp300Session::Unlock:
        return reach(Snp300Session::WaitPrompt, error)
            && answerAndWaitForState("\r\n01>", Snp300Session::Unlock, error);
    case Snp300Session::ConfirmErase:
        return reach(Snp300Session::Unlock, error)
            && answerAndWaitForState("\r\nUNLOCKED\r\n01>", Snp300Session::ConfirmErase, error);
    case Snp300Session::Erase:
        return reach(Snp300Session::ConfirmErase, error)
            && answerAndWaitForState("\r\nERASE ALL? (Y/N)", Snp300Session::Erase, error);
    case Snp300Session::LoadImage:
        return reach(Snp300Session::Erase, error)
            && answerAndWaitForState("\r\nERASED\r\n01>", Snp300Session::LoadImage, error);
    case Snp300Session::Programming:
        return reach(Snp300Session::LoadImage, error)
            && answerAndWaitForState("\r\nSEND HEX\r\n", Snp300Session::Programming, error);
    case Snp300Session::Finished:
        if (!reach(Snp300Session::Programming, error))
            return false;
        while (state() == Snp300Session::Programming) {
            if (!sendChunk("\r\nOK", error))
                return false;
        }
        if (state() != Snp300Session::Finished) {
            *error = QStringLiteral("programming ended in state %1").arg(state());
            return false;
        }
        return true;
    default:
        *error = QStringLiteral("no such state: %1").arg(wanted);
        return false;
    }
}
