// The dialogue with the SNP300: reading its versions, and driving its bootloader through unlock,
// erase and programming, one image line per answer, up to the restart of the device.
//
// Commands that follow an answer go out after a short delay, as single-shot timers with the
// session as context; the rules of every state stand in DialogueRules below.

#include "snp300session.h"
#include "firmwareimage.h"
#include "portopenfailure.h"
#include "snpdurations.h"
#include "snpprotocol.h"
#include "versionnumber.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QRegularExpression>
#include <QTimer>

namespace {

using namespace SnpDurations;

const int MinimumBootloaderNumber = 1014; // version 1.0.14
// The answers the dialogue waits for are short; of a device that sends more (a chatty
// application, line noise) only this much of the latest bytes is kept.
const int MaxReceiveBuffer = 64 * 1024;

// The device's answers are ASCII; patterns are matched on their UTF-8 reading.
QString asText(const QByteArray &bytes)
{
    return QString::fromUtf8(bytes);
}

// The answers a state waits for, asked of the receive buffer as the state's rule leaves it.
bool anyAnswer(const QByteArray &)
{
    return true;
}

bool endsWithPrompt(const QByteArray &buffer)
{
    static const QRegularExpression promptAtEnd(QLatin1String(SnpProtocol::PromptLastPattern));
    return promptAtEnd.match(asText(buffer.trimmed())).hasMatch();
}

bool holdsPrompt(const QByteArray &buffer)
{
    return buffer.contains(SnpProtocol::PromptAfterCrLf)
        || buffer.contains(SnpProtocol::PromptAfterLfCr);
}

bool unlockedAtPrompt(const QByteArray &buffer)
{
    return endsWithPrompt(buffer) && buffer.contains(SnpProtocol::Unlocked);
}

bool erasedAtPrompt(const QByteArray &buffer)
{
    return endsWithPrompt(buffer) && buffer.trimmed().contains(SnpProtocol::Erased);
}

// What becomes of a chunk before the state's answer is judged.
enum class Receive { Drop, Append, ClearBuffer };

// The watchdog that runs while a state waits: started by whatever enters the state, stopped by
// the answer the state waits for.
enum class Watchdog { None, Version, Bootloader };

} // namespace

// One state of the dialogue. A chunk is received as `receive` says; then either `handler` judges
// it, or, when `awaited` holds for the receive buffer, `answerLog` is logged, the state's
// watchdog stops and the step follows after `delayMs`: it logs `stepLog`, enters `next`, clears
// the receive buffer (if `clearBeforeCommand`), writes `command` and starts the watchdog of
// `next`. Each answer that meets the condition schedules one more step, even while one is
// pending; nothing cancels or merges them.
struct Snp300Session::DialogueRule
{
    DialogueState state;
    const char *stage; // where the dialogue stands, for the operator
    Watchdog watchdog;
    Receive receive;
    bool (*awaited)(const QByteArray &buffer);
    void (Snp300Session::*handler)(const QByteArray &chunk); // instead of awaited and the step
    const char *answerLog;
    int delayMs;
    const char *stepLog;
    DialogueState next;
    bool clearBeforeCommand;
    const char *command;
};

const Snp300Session::DialogueRule &Snp300Session::ruleOf(int state)
{
    using S = Snp300Session;
    static const DialogueRule rules[] = {
        // The first answer after the port opens is dropped: ask again, and watch for the answer.
        { ConnectProbe, "waiting for the device's first answer", Watchdog::Version,
          Receive::ClearBuffer, anyAnswer, nullptr, nullptr, VersionRetryDelayMs, nullptr,
          ReadVersion, false, SnpProtocol::VersionRequest },
        { ReadVersion, "reading the device's versions", Watchdog::Version, Receive::Append, nullptr,
          &S::handleVersionAnswer, nullptr, 0, nullptr, ReadVersion, false, nullptr },
        // The device has left its application: the STX that gets the bootloader's prompt.
        { EnterBootloader, "entering the bootloader", Watchdog::None, Receive::Drop, anyAnswer,
          nullptr, "Device in bootloader mode", BootloaderEntryDelayMs, nullptr, WaitPrompt, true,
          SnpProtocol::Stx },
        { WaitPrompt, "waiting for the bootloader prompt", Watchdog::None, Receive::Append,
          holdsPrompt, nullptr, nullptr, CommandDelayMs, "Device is in Bootloader mode", Unlock,
          true, SnpProtocol::UnlockCommand },
        { Unlock, "unlocking the device", Watchdog::None, Receive::Append, unlockedAtPrompt,
          nullptr, "Device is UNLOCKED", CommandDelayMs, nullptr, ConfirmErase, true,
          SnpProtocol::EraseCommand },
        { ConfirmErase, "confirming the erase", Watchdog::None, Receive::Drop, anyAnswer, nullptr,
          nullptr, CommandDelayMs, "Erasing... This can take a few seconds", Erase, false,
          SnpProtocol::EraseConfirmation },
        { Erase, "erasing the device", Watchdog::None, Receive::Append, erasedAtPrompt, nullptr,
          "Device is ERASED", CommandDelayMs, nullptr, LoadImage, true,
          SnpProtocol::ProgramCommand },
        { LoadImage, "loading the image", Watchdog::None, Receive::Drop, nullptr,
          &S::handleLoadImage, nullptr, 0, nullptr, Programming, false, nullptr },
        { Programming, "programming", Watchdog::None, Receive::Drop, nullptr,
          &S::handleProgrammingAnswer, nullptr, 0, nullptr, Finished, false, nullptr },
        { Finished, "starting the application", Watchdog::None, Receive::Drop, nullptr,
          &S::handleFinished, nullptr, 0, nullptr, Finished, false, nullptr },
        // Entered by the version watchdog, after STX: the prompt gets B, then its answer.
        { BootloaderProbe, "probing the bootloader", Watchdog::Bootloader, Receive::Drop, nullptr,
          &S::handleBootloaderProbeAnswer, nullptr, 0, nullptr, BootloaderProbe, false, nullptr },
    };
    // setState() writes only DialogueState values, each of which has its row.
    for (const DialogueRule &rule : rules) {
        if (rule.state == state)
            return rule;
    }
    Q_UNREACHABLE();
    return rules[0];
}

Snp300Session::Snp300Session(QObject *parent)
    : QObject(parent)
{
    // For queued connections to upgradeEnded() (a front end on another thread, a signal spy).
    qRegisterMetaType<UpgradeHistory::Result>();
    m_verStrTimer = new QTimer(this);
    m_verStrTimer->setInterval(WatchdogMs);
    m_bootLoaderTimer = new QTimer(this);
    m_bootLoaderTimer->setInterval(WatchdogMs);
    m_port = new QSerialPort(this);
    m_silenceTimer = new QTimer(this);
    m_silenceTimer->setSingleShot(true);
    m_silenceTimer->setInterval(SilenceNoticeMs);

    connect(m_verStrTimer, &QTimer::timeout, this, &Snp300Session::verStrTimeout);
    connect(m_bootLoaderTimer, &QTimer::timeout, this, &Snp300Session::bootLoaderTimeout);
    connect(m_port, &QSerialPort::errorOccurred, this, &Snp300Session::onSerialError);
    connect(m_silenceTimer, &QTimer::timeout, this, &Snp300Session::onDeviceSilent);
}

// The port and the timers are children of the session and go with it. The links report nothing
// while it is being destroyed.
Snp300Session::~Snp300Session()
{
    disconnect(m_port, nullptr, this, nullptr);
    if (m_serialPort)
        disconnect(m_serialPort, nullptr, this, nullptr);
    // Cut off in the middle of an upgrade, the device is left half-programmed.
    m_attempt.end(UpgradeHistory::Result::Interrupted);
}

void Snp300Session::setBootloaderVersionQuery(std::function<QString()> query)
{
    m_bootloaderVersionQuery = std::move(query);
}

void Snp300Session::setHistoryPath(const QString &path)
{
    if (!m_attempt.isRunning())
        m_attempt = UpgradeAttempt(path);
}

bool Snp300Session::openPort(const QString &portName)
{
    if (refuseSecondLink(portName))
        return false;
    m_port->setPortName(portName);
    m_port->setDataBits(QSerialPort::Data8);
    m_port->setBaudRate(QSerialPort::Baud115200, QSerialPort::AllDirections);
    m_port->setParity(QSerialPort::NoParity);
    m_port->setStopBits(QSerialPort::OneStop);
    m_port->setFlowControl(QSerialPort::NoFlowControl);

    if (!m_port->open(QIODevice::ReadWrite)) {
        // The port's error is read before close(), which replaces it.
        const PortOpenFailure::Facts facts = PortOpenFailure::factsOf(*m_port, portName);
        m_port->close();
        m_port->clearError();
        log(QStringLiteral("Unable to connect."), cvc::Error);
        log(PortOpenFailure::explanation(facts), cvc::Error);
        return false;
    }
    // Named as the port names itself ("ttyUSB0", not "/dev/ttyUSB0").
    return startLink(m_port, m_port->portName());
}

bool Snp300Session::openLink(QIODevice *link, const QString &portName)
{
    if (refuseSecondLink(portName))
        return false;
    if (!link || !link->isOpen() || !link->isReadable() || !link->isWritable()) {
        log(QStringLiteral("Unable to connect."), cvc::Error);
        log(QStringLiteral("The link to %1 is not open for reading and writing.").arg(portName),
            cvc::Error);
        return false;
    }
    return startLink(link, portName);
}

// One session drives one device: a second link would take over the dialogue of the first.
bool Snp300Session::refuseSecondLink(const QString &portName)
{
    if (!isOpen())
        return false;
    log(QStringLiteral("Unable to connect."), cvc::Error);
    log(QStringLiteral("The link to %1 is still open: close it before %2 is opened.")
            .arg(m_portName, portName),
        cvc::Error);
    return true;
}

bool Snp300Session::startLink(QIODevice *link, const QString &portName)
{
    if (m_serialPort) {
        disconnect(m_serialPort, &QIODevice::readyRead, this, nullptr);
        disconnect(m_serialPort, &QIODevice::aboutToClose, this, nullptr);
    }
    m_serialPort = link;
    m_portName = portName;
    connect(m_serialPort, &QIODevice::readyRead, this, &Snp300Session::readSerialData);
    connect(m_serialPort, &QIODevice::aboutToClose, this, &Snp300Session::onLinkClosing);

    m_linksOpened.linkOpened();
    ++m_linkNumber;
    emit linkOpened();
    setState(ConnectProbe);
    writeToDevice(SnpProtocol::VersionRequest);
    // A port that fails on the first write has closed the link and said so: nothing to watch.
    if (!isOpen())
        return true;
    m_verStrTimer->start();
    return true;
}

bool Snp300Session::isOpen() const
{
    return m_serialPort && m_serialPort->isOpen();
}

QString Snp300Session::portName() const
{
    return m_portName;
}

LinkTicket Snp300Session::linkTicket() const
{
    return LinkTicket(m_serialPort ? m_serialPort : m_port, m_linksOpened);
}

int Snp300Session::state() const
{
    return m_state;
}

QString Snp300Session::appVersion() const
{
    return m_appVersion;
}

QString Snp300Session::bootloaderVersion() const
{
    return m_bootloaderVersion;
}

bool Snp300Session::bootloaderUpdateNeeded() const
{
    return m_bootloaderUpdateNeeded;
}

QString Snp300Session::firmwareFilePath() const
{
    return m_firmwareFilePath;
}

bool Snp300Session::isUpgrading() const
{
    return m_attempt.isRunning();
}

void Snp300Session::setState(DialogueState state)
{
    m_state = state;
}

bool Snp300Session::isReadingVersions() const
{
    return m_state == ConnectProbe || m_state == ReadVersion || m_state == BootloaderProbe;
}

// setState() writes only DialogueState values: a state is either of the two.
bool Snp300Session::isInUpgradeDialogue() const
{
    return !isReadingVersions();
}

// Nothing goes to the device unless the whole image can be programmed: a device erased for an
// image that is missing, cut short or damaged would be left without working firmware.
bool Snp300Session::startUpgrade(const QString &imagePath)
{
    m_firmwareFilePath = imagePath;
    FirmwareImage image;
    const QString problem = image.load(imagePath) ? image.intelHexFault() : image.errorString();
    if (!problem.isEmpty()) {
        log(QStringLiteral("The upgrade was not started: %1").arg(problem), cvc::Warning);
        UpgradeHistory::Entry refused = historyEntry(image);
        refused.result = UpgradeHistory::Result::Refused;
        reportUnrecorded(m_attempt.record(refused));
        emit upgradeEnded(UpgradeHistory::Result::Refused, problem);
        return false;
    }

    log(QStringLiteral("Start update using file: %1")
            .arg(QDir::toNativeSeparators(m_firmwareFilePath)));
    m_attempt.start(historyEntry(image));
    m_imageProblemReported = false;
    m_interruptCause.clear();
    setState(EnterBootloader);
    writeToDevice(SnpProtocol::Stx);
    // A port that failed on this write has closed the link and said so.
    if (isOpen())
        m_silenceTimer->start();
    return true;
}

void Snp300Session::abandonUpgrade()
{
    if (!m_attempt.isRunning())
        return;
    const QString cause = QStringLiteral("The upgrade on %1 was abandoned while %2.")
                              .arg(m_portName, dialogueStage());
    if (finishAttempt(UpgradeHistory::Result::Interrupted))
        emit upgradeEnded(UpgradeHistory::Result::Interrupted, cause);
}

void Snp300Session::readSerialData()
{
    // All that has arrived, as one chunk (readAll() would grow its result in large steps).
    const QByteArray chunk = m_serialPort->read(m_serialPort->bytesAvailable());
    if (isInUpgradeDialogue())
        m_silenceTimer->start();

    const DialogueRule &rule = ruleOf(m_state);
    switch (rule.receive) {
    case Receive::Drop:
        break;
    case Receive::Append:
        appendToReceiveBuffer(chunk);
        break;
    case Receive::ClearBuffer:
        m_rxBuffer.clear();
        break;
    }
    if (rule.handler) {
        (this->*rule.handler)(chunk);
        return;
    }
    if (rule.awaited(m_rxBuffer))
        answerAwaited();
}

void Snp300Session::appendToReceiveBuffer(const QByteArray &chunk)
{
    m_rxBuffer.append(chunk);
    if (m_rxBuffer.size() > MaxReceiveBuffer)
        m_rxBuffer.remove(0, m_rxBuffer.size() - MaxReceiveBuffer);
}

void Snp300Session::answerAwaited()
{
    const DialogueRule &rule = ruleOf(m_state);
    if (rule.answerLog)
        log(QLatin1String(rule.answerLog));
    if (rule.watchdog == Watchdog::Version)
        m_verStrTimer->stop();
    else if (rule.watchdog == Watchdog::Bootloader)
        m_bootLoaderTimer->stop();
    scheduleNextStep();
}

// The answer the dialogue waited for in its state has come: the step that follows it goes out
// after its delay.
void Snp300Session::scheduleNextStep()
{
    const DialogueRule *rule = &ruleOf(m_state);
    QTimer::singleShot(rule->delayMs, this, [this, rule] { runStep(*rule); });
}

void Snp300Session::runStep(const DialogueRule &rule)
{
    if (rule.stepLog)
        log(QLatin1String(rule.stepLog));
    setState(rule.next);
    if (rule.clearBeforeCommand)
        m_rxBuffer.clear();
    writeToDevice(rule.command);
    const Watchdog next = ruleOf(rule.next).watchdog;
    if (next == Watchdog::Version)
        m_verStrTimer->start();
    else if (next == Watchdog::Bootloader)
        m_bootLoaderTimer->start();
}

void Snp300Session::handleVersionAnswer(const QByteArray &chunk)
{
    const QString trimmed = asText(chunk.trimmed());

    static const QRegularExpression bootTag(QLatin1String(SnpProtocol::BootTagPattern));
    const QRegularExpressionMatch boot = bootTag.match(trimmed);
    if (!boot.hasMatch()) {
        recordApplicationVersion(trimmed);
        return;
    }

    m_verStrTimer->stop();
    log(QStringLiteral("Bootloader Version: %1").arg(boot.captured(1)));
    m_bootloaderVersion = boot.captured(1);
    const int bootloaderNumber = versionNumber(m_bootloaderVersion);
    log(QStringLiteral("Bootloader Version number: %1").arg(bootloaderNumber));

    // The front end may ask the server in a nested event loop, during which the device may send
    // more. A port reports no new data while its readyRead is being handled, so the rest of this
    // answer runs right after this handler has returned: chunks that arrive during the query are
    // then handled at once, by nested calls, before this one finishes. An answer of a link that
    // has closed or been opened again since decides nothing.
    const LinkTicket link = linkTicket();
    QTimer::singleShot(0, this, [this, trimmed, bootloaderNumber, link] {
        if (!link.isSameOpenLink())
            return;
        const QString serverVersion
            = m_bootloaderVersionQuery ? m_bootloaderVersionQuery() : QString();
        if (!link.isSameOpenLink())
            return;
        recordBootloaderDecision(bootloaderNumber, versionNumber(serverVersion));
        recordApplicationVersion(trimmed);
        emit versionsRead();
    });
}

void Snp300Session::recordApplicationVersion(const QString &trimmedChunk)
{
    static const QRegularExpression versionTag(QLatin1String(SnpProtocol::VersionTagPattern));
    const QRegularExpressionMatch version = versionTag.match(trimmedChunk);
    if (version.hasMatch()) {
        m_verStrTimer->stop();
        log(QStringLiteral("Application Version: %1").arg(version.captured(1)));
        m_appVersion = version.captured(1);
    }
}

void Snp300Session::handleBootloaderProbeAnswer(const QByteArray &chunk)
{
    static const QRegularExpression promptFirst(QLatin1String(SnpProtocol::PromptFirstPattern));
    if (promptFirst.match(asText(chunk.trimmed())).hasMatch()) {
        writeToDevice(SnpProtocol::BootloaderVersionRequest);
        return;
    }

    // The bootloader answers B with lines whose last-but-one is its version in hexadecimal:
    // v / 100 is the major number and v % 100 the last one.
    m_bootLoaderTimer->stop();
    QString text = asText(chunk);
    text.remove(QLatin1String(SnpProtocol::Prompt));
    const QStringList parts
        = text.split(QLatin1String(SnpProtocol::BootloaderLineSeparator), Qt::KeepEmptyParts);
    if (parts.size() < 2)
        return;
    const int v = parts.at(parts.size() - 2).toInt(nullptr, 16);
    m_bootloaderVersion = QStringLiteral("%1.%2.%3").arg(v / 100).arg(0).arg(v % 100);
    log(QStringLiteral("Bootloader Version (bootloader only): %1").arg(m_bootloaderVersion));
    const int bootloaderNumber = versionNumber(m_bootloaderVersion);
    log(QStringLiteral("Bootloader Version number: %1").arg(bootloaderNumber));
    // A device already in its bootloader is not compared with the server.
    recordBootloaderDecision(bootloaderNumber, 0);
    emit versionsRead();
}

// These texts keep the translations (and their context) that the window has always given them.
void Snp300Session::recordBootloaderDecision(int bootloaderNumber, int serverNumber)
{
    m_bootloaderUpdateNeeded
        = bootloaderNumber < MinimumBootloaderNumber || bootloaderNumber < serverNumber;
    if (m_bootloaderUpdateNeeded)
        log(QCoreApplication::translate("SNPUpgrader", "Device bootloader needs to be updated"));
    log(QCoreApplication::translate("SNPUpgrader", "Device ready to start update"));
}

// The device has accepted "P": read the whole image and send its first line at once. The image
// must still be the one checked before the start: the device has been erased for that one.
void Snp300Session::handleLoadImage(const QByteArray &)
{
    FirmwareImage image;
    QString problem;
    if (!image.load(m_firmwareFilePath))
        problem = image.errorString();
    else if (image.sha256() != m_attempt.entry().sha256)
        problem = QStringLiteral("the image file %1 has changed since it was checked.")
                      .arg(QDir::toNativeSeparators(m_firmwareFilePath));
    if (!problem.isEmpty()) {
        // Every further chunk tries again; the operator is told once.
        if (!m_imageProblemReported) {
            log(QStringLiteral("Cannot program the device: %1 The device is erased and waits for "
                               "the image; fix the file or disconnect.")
                    .arg(problem),
                cvc::Error);
            m_imageProblemReported = true;
        }
        return;
    }

    m_fileLines = image.lines();
    log(QStringLiteral("All lines of the input file have been parsed. TOTAL: %1 lines.")
            .arg(m_fileLines.size()));
    emit progressChanged(0, m_fileLines.size());
    emit timeLeftChanged(QString());
    m_timeLeft.start();

    setState(Programming);
    m_lineIndex = 0;
    writeToDevice(m_fileLines.at(0) + SnpProtocol::LineEnd);
    log(QStringLiteral("Start programming."));
    m_lineIndex = 1;
}

// Every answer releases exactly one line, whatever it holds; after the last line, CAN starts
// the freshly programmed application.
void Snp300Session::handleProgrammingAnswer(const QByteArray &)
{
    if (m_lineIndex == m_fileLines.size()) {
        log(QStringLiteral("Programmming done.\nStarting Application"));
        setState(Finished);
        writeToDevice(SnpProtocol::Cancel);
        return;
    }
    writeToDevice(m_fileLines.at(m_lineIndex) + SnpProtocol::LineEnd);
    ++m_lineIndex;
    emit progressChanged(m_lineIndex, m_fileLines.size());
    showTimeLeft();
}

void Snp300Session::showTimeLeft()
{
    QString format;
    if (m_timeLeft.renew(m_lineIndex, m_fileLines.size(), &format))
        emit timeLeftChanged(format);
}

// The application has started: the upgrade is done and the link closes as Disconnect does.
void Snp300Session::handleFinished(const QByteArray &)
{
    log(QStringLiteral("UPGRADE IS DONE"));
    const bool ended = finishAttempt(UpgradeHistory::Result::Completed);
    if (isOpen())
        closeLink(true);
    if (ended)
        emit upgradeEnded(UpgradeHistory::Result::Completed, QString());
}

UpgradeHistory::Entry Snp300Session::historyEntry(const FirmwareImage &image) const
{
    UpgradeHistory::Entry entry;
    entry.startedUtc = QDateTime::currentDateTimeUtc();
    entry.port = m_portName;
    entry.appBefore = m_appVersion;
    entry.bootloaderBefore = m_bootloaderVersion;
    entry.bootloader = m_bootloaderUpdateNeeded;
    entry.image = QDir::toNativeSeparators(m_firmwareFilePath); // as the operator knows it
    entry.sha256 = image.sha256();
    entry.bytes = image.size();
    entry.lines = image.lines().size();
    return entry;
}

bool Snp300Session::finishAttempt(UpgradeHistory::Result result)
{
    if (!m_attempt.isRunning())
        return false;
    reportUnrecorded(m_attempt.end(result));
    return true;
}

// A record that cannot be written is told; the upgrade goes on as it was.
void Snp300Session::reportUnrecorded(bool recorded)
{
    if (!recorded)
        log(m_attempt.errorString(), cvc::Error);
}

// Closes the link as Disconnect does. CAN tells the device to leave its bootloader; it must reach
// the device before the port closes, since closing drops what is not yet written (on Windows it
// cancels a write still pending).
//
// The watchdogs are left running on purpose: Disconnect closes the link and changes nothing else
// of the dialogue (its state, the versions, a running watchdog), as the dialogue has always
// behaved. A watchdog that fires afterwards writes nothing to the closed port (writeToDevice)
// and closes nothing (its front end asks linkTicket()), and the front end still tells the
// operator that the device had not answered. Do not stop them here; a port that fails under the
// link is another matter (loseLink).
void Snp300Session::closeLink(bool sendCancel)
{
    if (!m_serialPort)
        return;
    const QString cause = !m_interruptCause.isEmpty()
        ? m_interruptCause
        : QStringLiteral("The link to %1 was closed while %2.").arg(m_portName, dialogueStage());
    m_interruptCause.clear();
    if (sendCancel) {
        writeToDevice(SnpProtocol::Cancel);
        drainWrites(FinalWriteDrainMs);
    }
    m_closing = true;
    m_serialPort->close(); // nothing when it has closed already
    m_closing = false;
    m_silenceTimer->stop();
    if (finishAttempt(UpgradeHistory::Result::Interrupted))
        emit upgradeEnded(UpgradeHistory::Result::Interrupted, cause);
    emit linkClosed();
}

// Waits until every byte written has left, or the time is up. One wait for bytes written may end
// on an earlier write's completion while the last write is still pending, so it waits again
// until nothing is left. The wait reads what the device sends meanwhile; none of it may reach
// the dialogue, which would answer it with an image line after CAN or close the link again.
void Snp300Session::drainWrites(int timeoutMs)
{
    const QSignalBlocker quiet(m_serialPort);
    const QDeadlineTimer deadline(timeoutMs);
    while (m_serialPort->bytesToWrite() > 0 && !deadline.hasExpired()) {
        if (!m_serialPort->waitForBytesWritten(int(deadline.remainingTime())))
            break;
    }
}

void Snp300Session::verStrTimeout()
{
    probeBootloader();
}

void Snp300Session::probeBootloader()
{
    m_verStrTimer->stop();
    setState(BootloaderProbe);
    writeToDevice(SnpProtocol::Stx);
    m_bootLoaderTimer->start();
}

void Snp300Session::bootLoaderTimeout()
{
    m_bootLoaderTimer->stop();
    emit bootloaderNotResponding();
}

// Bytes go out at once rather than on the next turn of the event loop, which saves a turn per
// image line. A step scheduled before the link was closed finds no link: nothing is written then.
void Snp300Session::writeToDevice(const QByteArray &bytes)
{
    if (!isOpen())
        return;
    m_serialPort->write(bytes);
    if (m_serialPort == m_port)
        m_port->flush();
}

// The port failed under the open link, typically because the device was unplugged.
void Snp300Session::onSerialError(QSerialPort::SerialPortError error)
{
    if (error == QSerialPort::NoError || m_serialPort != m_port || !m_port->isOpen())
        return; // failures of open() are reported by openPort()
    const QString reason = m_port->errorString();
    m_port->clearError();
    const bool linkLost = error == QSerialPort::ResourceError || error == QSerialPort::ReadError
        || error == QSerialPort::WriteError || error == QSerialPort::DeviceNotFoundError
        || error == QSerialPort::PermissionError;
    if (!linkLost) {
        log(QStringLiteral("Serial port %1 reported an error (%2).")
                .arg(m_port->portName(), reason),
            cvc::Warning);
        return;
    }
    loseLink(reason);
}

// A link closed by its other end, not by closeLink(), is lost as a failed port is. It is told
// once it has closed, unless the session has opened another link meanwhile.
void Snp300Session::onLinkClosing()
{
    if (m_closing)
        return;
    const int link = m_linkNumber;
    QTimer::singleShot(0, this, [this, link] {
        if (link == m_linkNumber && !isOpen())
            loseLink(QStringLiteral("the link was closed under the session"));
    });
}

// The link is closed as Disconnect does, but nothing more is written to a link that is gone,
// and unlike Disconnect (see closeLink) the watchdogs stop: there is no device left to probe, and
// a watchdog firing later would tell the operator about a device that is not there.
void Snp300Session::loseLink(const QString &reason)
{
    // After CAN the whole image is on the device, which is only starting its application.
    const bool upgrading = isInUpgradeDialogue() && m_state != Finished;
    const QString message
        = QStringLiteral("The link to %1 was lost: the port failed (%2) while %3. The "
                         "connection is closed.%4")
              .arg(m_portName, reason, dialogueStage(),
                   upgrading ? QStringLiteral(" The upgrade did not complete: reconnect the "
                                              "SNP300 and start the upgrade again.")
                             : QString());
    log(message, cvc::Error);
    m_verStrTimer->stop();
    m_bootLoaderTimer->stop();
    m_interruptCause = message;
    closeLink(false);
}

void Snp300Session::onDeviceSilent()
{
    log(QStringLiteral("The SNP300 has not answered for %1 s while %2. Still waiting; check its "
                       "cable and power, or press Disconnect.")
            .arg(SilenceNoticeMs / 1000)
            .arg(dialogueStage()),
        cvc::Warning);
    emit deviceSilent();
}

// Where the dialogue stands, for the operator: "programming (state 8), line 120 of 2000".
QString Snp300Session::dialogueStage() const
{
    QString stage = QLatin1String(ruleOf(m_state).stage);
    stage += QStringLiteral(" (state %1)").arg(m_state);
    if (m_state == Programming)
        stage += QStringLiteral(", line %1 of %2").arg(m_lineIndex).arg(m_fileLines.size());
    return stage;
}

void Snp300Session::log(const QString &message, cvc::LogLevel level)
{
    emit logLine(message, level);
}
