#include "programmingrun.h"
#include "benchreport.h"
#include "snpupgrader.h"
#include "upgradepilot.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <ctime>

namespace {

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
                     [this](const QByteArray &bytes) { m_wire.onDeviceAnswered(bytes); });
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
        else if (m_result.done && !m_wire.hasEnded()) {
            m_result.done = false;
            m_result.failure = QStringLiteral("the device saw no end of programming");
        }
        if (m_device) {
            const WireTiming::Figures &wire = m_wire.figures();
            m_result.lines = wire.lines;
            m_result.lineBytes = wire.lineBytes;
            m_result.answerBytes = wire.answerBytes;
            m_result.totalNs = wire.totalNs;
            m_result.hostNs = wire.hostNs;
            m_result.deviceNs = wire.deviceNs;
        }
    }
    // Let the window's late deletions run before the next run starts.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return m_result;
}

// The processor time runs from the first image line to CAN, as the wire's figures do.
void ProgrammingRun::onDeviceRead(const QByteArray &bytes)
{
    if (!m_wire.onDeviceRead(bytes))
        return;
    if (m_wire.hasEnded())
        m_result.cpuNs = processCpuNs() - m_firstLineCpuNs;
    else
        m_firstLineCpuNs = processCpuNs();
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
