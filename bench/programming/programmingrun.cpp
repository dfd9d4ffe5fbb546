#include "programmingrun.h"
#include "benchreport.h"
#include "snpupgrader.h"
#include "upgradepilot.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <ctime>

namespace {

const char Cancel = 0x18;

qint64 processCpuNs()
{
    timespec now {};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// A device that answers at once: the host alone sets the pace.
Snp300Options immediateDevice()
{
    Snp300Options options;
    options.replyDelayMs = 0;
    options.eraseDelayMs = 0;
    return options;
}

} // namespace

ProgrammingRun::ProgrammingRun()
    : m_device(new PtyDevice(immediateDevice()))
    , m_portName(m_device->portName())
{
    QObject::connect(m_device.get(), &PtyDevice::bytesReceived,
                     [this](const QByteArray &bytes) { onDeviceRead(bytes); });
    QObject::connect(m_device.get(), &PtyDevice::answerSent,
                     [this](const QByteArray &bytes) { onDeviceAnswered(bytes); });
}

ProgrammingRun::ProgrammingRun(const QString &externalPort)
    : m_portName(externalPort)
{ }

ProgrammingRun::Result ProgrammingRun::run(int timeoutMs)
{
    if (m_device && !m_device->isOpen()) {
        m_result.failure = QStringLiteral("pseudo-terminal: ") + m_device->errorString();
        return m_result;
    }
    // The window lists the ports named here when it is built.
    qputenv("SNP300_SERIAL_PORTS", m_portName.toLocal8Bit());
    m_clock.start();
    {
        SNPUpgrader window;
        window.show();
        UpgradePilot pilot(&window, m_portName);
        pilot.setReporter([this](const QString &line) { onLogLine(line); });
        QEventLoop loop;
        QObject::connect(&pilot, &UpgradePilot::finished, &loop, &QEventLoop::quit);
        pilot.start(timeoutMs);
        if (pilot.outcome() == UpgradePilot::Running)
            loop.exec();
        m_result.done = pilot.outcome() == UpgradePilot::Done;
        m_result.failure = pilot.failure();
        if (!m_device)
            m_result.peakAtEndKiB = BenchReport::peakResidentKiB();
        else if (m_result.done && m_phase != Phase::After) {
            m_result.done = false;
            m_result.failure = QStringLiteral("the device saw no end of programming");
        }
    }
    // Let the window's late deletions run before the next run starts.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return m_result;
}

// The device reads the window's bytes: image lines from the first ':' after "P", CAN at the end.
// A line that comes in two reads is still one line: the time runs from its first piece.
void ProgrammingRun::onDeviceRead(const QByteArray &bytes)
{
    const qint64 now = m_clock.nsecsElapsed();
    switch (m_phase) {
    case Phase::BeforeImage:
        if (!bytes.startsWith(':'))
            return;
        m_phase = Phase::Programming;
        m_firstLineNs = now;
        m_firstLineCpuNs = processCpuNs();
        m_lastLineNs = now;
        m_answerPending = true;
        break;
    case Phase::Programming:
        if (m_answerPending)
            break;
        m_result.hostNs += now - m_lastAnswerNs;
        if (bytes.startsWith(Cancel)) {
            m_result.totalNs = now - m_firstLineNs;
            m_result.cpuNs = processCpuNs() - m_firstLineCpuNs;
            m_phase = Phase::After;
            return;
        }
        m_lastLineNs = now;
        m_answerPending = true;
        break;
    case Phase::After:
        return;
    }
    m_result.lineBytes += bytes.size();
    m_result.lines += bytes.count("\r\n");
}

void ProgrammingRun::onDeviceAnswered(const QByteArray &bytes)
{
    if (m_phase != Phase::Programming || !m_answerPending)
        return;
    m_lastAnswerNs = m_clock.nsecsElapsed();
    m_result.deviceNs += m_lastAnswerNs - m_lastLineNs;
    m_result.answerBytes += bytes.size();
    m_answerPending = false;
}

// The autopilot hands over each new log line within a few milliseconds. Once the versions are
// read the window idles until Upgrade is pressed; once the upgrade is started, the image has
// been checked and the dialogue takes several hundred milliseconds more before it loads the
// image for programming.
void ProgrammingRun::onLogLine(const QString &line)
{
    if (m_device)
        return;
    if (m_result.idleKiB < 0 && line.startsWith(QLatin1String("Application Version"))) {
        BenchReport::resetPeak();
        m_result.idleKiB = BenchReport::residentKiB();
    } else if (line.startsWith(QLatin1String("Start update using file"))) {
        m_result.peakAtStartKiB = BenchReport::peakResidentKiB();
    } else if (line.startsWith(QLatin1String("All lines of the input file have been parsed"))) {
        m_result.lines = line.section(QLatin1Char(' '), -2, -2).toInt();
    }
}
