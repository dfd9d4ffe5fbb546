// The dialogue with the SNP300: reading its versions, and driving its bootloader through unlock,
// erase and programming, one image line per answer, up to the restart of the device.
//
// The dialogue is strictly request and answer: the program writes a command and the next chunk
// the device sends decides what happens next. Commands that follow an answer go out after a short
// delay, as single-shot timers with the window as context: the steps of DelayedSteps below.

#include "firmwareimage.h"
#include "snpdurations.h"
#include "snpprotocol.h"
#include "snpupgrader.h"
#include "ui_snpupgrader.h"
#include "versionnumber.h"

#include <QDir>
#include <QRegularExpression>
#include <QSerialPort>
#include <QTimer>

namespace {

using State = SNPUpgrader::DialogueState;

// What a step does besides writing its command: clear the receive buffer before, or start the
// version watchdog after.
enum class Extra { None, ClearBuffer, StartVersionWatchdog };

// A command that follows the answer the dialogue waited for in one state. After its delay, in
// this order: log the line (if any), enter the next state, clear the receive buffer (if asked),
// write the command, start the version watchdog (if asked).
struct DelayedStep
{
    char name;
    State answeredIn; // the state whose answer schedules the step
    int delayMs;
    State nextState;
    const char *command;
    Extra extra;
    const char *logLine; // nullptr: none
};

constexpr DelayedStep DelayedSteps[] = {
    // The first answer after the port opens was dropped: ask again, and watch for the answer.
    { 'A', SNPUpgrader::ConnectProbe, SnpDurations::VersionRetryDelayMs, SNPUpgrader::ReadVersion,
      SnpProtocol::VersionRequest, Extra::StartVersionWatchdog, nullptr },
    // The device has left its application: the STX that gets the bootloader's prompt.
    { 'B', SNPUpgrader::EnterBootloader, SnpDurations::BootloaderEntryDelayMs,
      SNPUpgrader::WaitPrompt, SnpProtocol::Stx, Extra::ClearBuffer, nullptr },
    { 'C', SNPUpgrader::WaitPrompt, SnpDurations::CommandDelayMs, SNPUpgrader::Unlock,
      SnpProtocol::UnlockCommand, Extra::ClearBuffer, "Device is in Bootloader mode" },
    { 'D', SNPUpgrader::Unlock, SnpDurations::CommandDelayMs, SNPUpgrader::ConfirmErase,
      SnpProtocol::EraseCommand, Extra::ClearBuffer, nullptr },
    { 'E', SNPUpgrader::ConfirmErase, SnpDurations::CommandDelayMs, SNPUpgrader::Erase,
      SnpProtocol::EraseConfirmation, Extra::None, "Erasing... This can take a few seconds" },
    { 'F', SNPUpgrader::Erase, SnpDurations::CommandDelayMs, SNPUpgrader::LoadImage,
      SnpProtocol::ProgramCommand, Extra::ClearBuffer, nullptr },
};

constexpr const DelayedStep *stepAfter(State state)
{
    for (const DelayedStep &step : DelayedSteps) {
        if (step.answeredIn == state)
            return &step;
    }
    return nullptr;
}

const int MinimumBootloaderNumber = 1014; // version 1.0.14
// The answers the dialogue waits for are short; of a device that sends more (a chatty
// application, line noise) only this much of the latest bytes is kept.
const int MaxReceiveBuffer = 64 * 1024;

// The device's answers are ASCII; patterns are matched on their UTF-8 reading.
QString asText(const QByteArray &bytes)
{
    return QString::fromUtf8(bytes);
}

bool endsWithPrompt(const QByteArray &buffer)
{
    static const QRegularExpression promptAtEnd(QStringLiteral("01>$"));
    return promptAtEnd.match(asText(buffer.trimmed())).hasMatch();
}

} // namespace

void SNPUpgrader::setState(DialogueState state)
{
    m_state = state;
}

bool SNPUpgrader::isReadingVersions() const
{
    return m_state == ConnectProbe || m_state == ReadVersion || m_state == BootloaderProbe;
}

// setState() writes only DialogueState values: a state is either of the two.
bool SNPUpgrader::isUpgrading() const
{
    return !isReadingVersions();
}

void SNPUpgrader::readSerialData()
{
    // All that has arrived, as one chunk (readAll() would grow its result in large steps).
    const QByteArray chunk = m_serialPort->read(m_serialPort->bytesAvailable());
    if (isUpgrading())
        m_silenceTimer->start();

    switch (m_state) {
    case ConnectProbe:
        // The first answer after the port opens is dropped; ask again a little later.
        m_rxBuffer.clear();
        m_verStrTimer->stop();
        scheduleNextStep();
        break;
    case ReadVersion:
        appendToReceiveBuffer(chunk);
        handleVersionAnswer(chunk);
        break;
    case BootloaderProbe:
        handleBootloaderProbeAnswer(chunk);
        break;
    case EnterBootloader:
        appendLog(QStringLiteral("Device in bootloader mode"));
        scheduleNextStep();
        break;
    case WaitPrompt:
        appendToReceiveBuffer(chunk);
        if (m_rxBuffer.contains("\r\n01>") || m_rxBuffer.contains("\n\r01>"))
            scheduleNextStep();
        break;
    case Unlock:
        appendToReceiveBuffer(chunk);
        if (endsWithPrompt(m_rxBuffer) && m_rxBuffer.contains("UNLOCKED")) {
            appendLog(QStringLiteral("Device is UNLOCKED"));
            scheduleNextStep();
        }
        break;
    case ConfirmErase:
        scheduleNextStep();
        break;
    case Erase:
        appendToReceiveBuffer(chunk);
        if (endsWithPrompt(m_rxBuffer) && m_rxBuffer.trimmed().contains("ERASED")) {
            appendLog(QStringLiteral("Device is ERASED"));
            scheduleNextStep();
        }
        break;
    case LoadImage:
        handleLoadImage();
        break;
    case Programming:
        handleProgrammingAnswer();
        break;
    case Finished:
        handleFinished();
        break;
    default:
        break;
    }
}

void SNPUpgrader::appendToReceiveBuffer(const QByteArray &chunk)
{
    m_rxBuffer.append(chunk);
    if (m_rxBuffer.size() > MaxReceiveBuffer)
        m_rxBuffer.remove(0, m_rxBuffer.size() - MaxReceiveBuffer);
}

// The answer the dialogue waited for in its state has come: the step that follows it goes out
// after its delay. Each answer that meets the state's condition schedules one more step, even
// while one is pending; nothing cancels or merges them.
void SNPUpgrader::scheduleNextStep()
{
    const DelayedStep *step = stepAfter(DialogueState(m_state));
    Q_ASSERT(step);
    if (!step)
        return;
    QTimer::singleShot(step->delayMs, this, [this, step] {
        if (step->logLine)
            appendLog(QLatin1String(step->logLine));
        setState(step->nextState);
        if (step->extra == Extra::ClearBuffer)
            m_rxBuffer.clear();
        writeToDevice(step->command);
        if (step->extra == Extra::StartVersionWatchdog)
            m_verStrTimer->start();
    });
}

void SNPUpgrader::handleVersionAnswer(const QByteArray &chunk)
{
    const QString trimmed = asText(chunk.trimmed());

    static const QRegularExpression bootTag(QStringLiteral("<BOOT>(.*)</BOOT>"));
    const QRegularExpressionMatch boot = bootTag.match(trimmed);
    if (!boot.hasMatch()) {
        recordApplicationVersion(trimmed);
        return;
    }

    m_verStrTimer->stop();
    appendLog(QStringLiteral("Bootloader Version: %1").arg(boot.captured(1)));
    m_bootloaderVersion = boot.captured(1);
    const int bootloaderNumber = versionNumber(m_bootloaderVersion);
    appendLog(QStringLiteral("Bootloader Version number: %1").arg(bootloaderNumber));

    // The server is asked for its newest bootloader in a nested event loop, during which the
    // device may send more. The port reports no new data while its readyRead is being handled,
    // so the rest of this answer runs right after this handler has returned: chunks that arrive
    // during the query are then handled at once, by nested calls, before this one finishes.
    // An answer of a link that has closed or been opened again since decides nothing.
    const LinkTicket link = linkTicket();
    QTimer::singleShot(0, this, [this, trimmed, bootloaderNumber, link] {
        if (!link.isSameOpenLink())
            return;
        QString serverVersion;
        queryFirmwareServer(true, &serverVersion, false);
        if (!link.isSameOpenLink())
            return;
        recordBootloaderDecision(bootloaderNumber, versionNumber(serverVersion));
        recordApplicationVersion(trimmed);
    });
}

void SNPUpgrader::recordApplicationVersion(const QString &trimmedChunk)
{
    static const QRegularExpression versionTag(QStringLiteral("<VER>(.*)</VER>"));
    const QRegularExpressionMatch version = versionTag.match(trimmedChunk);
    if (version.hasMatch()) {
        m_verStrTimer->stop();
        appendLog(QStringLiteral("Application Version: %1").arg(version.captured(1)));
        m_appVersion = version.captured(1);
    }
}

void SNPUpgrader::handleBootloaderProbeAnswer(const QByteArray &chunk)
{
    static const QRegularExpression promptFirst(QStringLiteral("^01>"));
    if (promptFirst.match(asText(chunk.trimmed())).hasMatch()) {
        writeToDevice(SnpProtocol::BootloaderVersionRequest);
        return;
    }

    // The bootloader answers B with lines whose last-but-one is its version in hexadecimal:
    // v / 100 is the major number and v % 100 the last one.
    m_bootLoaderTimer->stop();
    QString text = asText(chunk);
    text.remove(QStringLiteral("01>"));
    const QStringList parts = text.split(QStringLiteral("\r\n"), Qt::KeepEmptyParts);
    if (parts.size() < 2)
        return;
    const int v = parts.at(parts.size() - 2).toInt(nullptr, 16);
    m_bootloaderVersion = QStringLiteral("%1.%2.%3").arg(v / 100).arg(0).arg(v % 100);
    appendLog(QStringLiteral("Bootloader Version (bootloader only): %1").arg(m_bootloaderVersion));
    const int bootloaderNumber = versionNumber(m_bootloaderVersion);
    appendLog(QStringLiteral("Bootloader Version number: %1").arg(bootloaderNumber));
    // A device already in its bootloader is not compared with the server.
    recordBootloaderDecision(bootloaderNumber, 0);
}

void SNPUpgrader::recordBootloaderDecision(int bootloaderNumber, int serverNumber)
{
    m_bootloaderUpdateNeeded
        = bootloaderNumber < MinimumBootloaderNumber || bootloaderNumber < serverNumber;
    if (m_bootloaderUpdateNeeded)
        appendLog(tr("Device bootloader needs to be updated"));
    appendLog(tr("Device ready to start update"));
}

// The device has accepted "P": read the whole image and send its first line at once. The image
// must still be the one checked before the start: the device has been erased for that one.
void SNPUpgrader::handleLoadImage()
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
            appendLog(QStringLiteral("Cannot program the device: %1 The device is erased and "
                                     "waits for the image; fix the file or disconnect.")
                          .arg(problem),
                      cvc::Error);
            m_imageProblemReported = true;
        }
        return;
    }

    m_fileLines = image.lines();
    appendLog(QStringLiteral("All lines of the input file have been parsed. TOTAL: %1 lines.")
                  .arg(m_fileLines.size()));
    ui->usbProgressBar->setMinimum(0);
    ui->usbProgressBar->setMaximum(m_fileLines.size());
    ui->usbProgressBar->setValue(0);
    ui->usbProgressBar->resetFormat();
    m_timeLeft.start();

    setState(Programming);
    m_lineIndex = 0;
    writeToDevice(m_fileLines.at(0) + SnpProtocol::LineEnd);
    appendLog(QStringLiteral("Start programming."));
    m_lineIndex = 1;
}

// Every answer releases exactly one line, whatever it holds; after the last line, CAN starts
// the freshly programmed application.
void SNPUpgrader::handleProgrammingAnswer()
{
    if (m_lineIndex == m_fileLines.size()) {
        appendLog(QStringLiteral("Programmming done.\nStarting Application"));
        setState(Finished);
        writeToDevice(SnpProtocol::Cancel);
        return;
    }
    writeToDevice(m_fileLines.at(m_lineIndex) + SnpProtocol::LineEnd);
    ++m_lineIndex;
    ui->usbProgressBar->setValue(m_lineIndex);
    showTimeLeft();
}

void SNPUpgrader::showTimeLeft()
{
    QString format;
    if (!m_timeLeft.renew(m_lineIndex, m_fileLines.size(), &format))
        return;
    if (format.isEmpty())
        ui->usbProgressBar->resetFormat();
    else
        ui->usbProgressBar->setFormat(format);
}

void SNPUpgrader::handleFinished()
{
    appendLog(QStringLiteral("UPGRADE IS DONE"));
    endAttempt(UpgradeHistory::Result::Completed);
    toggleConnection();
    if (m_bootloaderUpdateNeeded) {
        showInformation(tr("The SNP300 Bootloader has been updated\nRestart SNP300.\nRestart "
                           "SnpUpgrader to upgrade the firmware."));
    }
}
