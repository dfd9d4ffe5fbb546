#include "stationrun.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>

namespace {

// A device that answers at once: the host alone sets the pace.
Snp300Options immediateDevice()
{
    Snp300Options options;
    options.replyDelayMs = 0;
    options.eraseDelayMs = 0;
    return options;
}

} // namespace

StationRun::StationRun(int devices)
{
    m_clock.start();
    for (int i = 0; i < devices; ++i) {
        m_devices.push_back(std::make_unique<PtyDevice>(immediateDevice()));
        m_wires.push_back(std::make_unique<WireTiming>(&m_clock));
        PtyDevice *device = m_devices.back().get();
        WireTiming *wire = m_wires.back().get();
        QObject::connect(device, &PtyDevice::bytesReceived,
                         [wire](const QByteArray &bytes) { wire->onDeviceRead(bytes); });
        QObject::connect(device, &PtyDevice::answerSent,
                         [wire](const QByteArray &bytes) { wire->onDeviceAnswered(bytes); });
    }
}

StationRun::Result StationRun::run(const QString &imagePath, const QString &serverUrl,
                                   int timeoutMs)
{
    Result result;
    QStringList arguments { QStringLiteral("--yes"),    QStringLiteral("--json"),
                            QStringLiteral("--image"),  imagePath,
                            QStringLiteral("--server"), serverUrl };
    for (const auto &device : m_devices) {
        if (!device->isOpen()) {
            result.failure = QStringLiteral("pseudo-terminal: ") + device->errorString();
            return result;
        }
        arguments << device->portName();
    }

    QProcess station;
    // Its JSON is read only at the end, for the results: this process serves the devices and
    // watches their wires meanwhile.
    station.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QEventLoop loop;
    QObject::connect(&station, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), &loop,
                     &QEventLoop::quit);
    QObject::connect(&station, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    station.start(QCoreApplication::applicationDirPath() + QStringLiteral("/snp300-upgrade"),
                  arguments);
    loop.exec();

    if (station.state() != QProcess::NotRunning) {
        station.kill();
        station.waitForFinished();
        result.failure = QStringLiteral("snp300-upgrade did not end in %1 s").arg(timeoutMs / 1000);
        return result;
    }
    if (station.exitStatus() != QProcess::NormalExit || station.exitCode() != 0) {
        QByteArray results;
        for (const QByteArray &line : station.readAllStandardOutput().split('\n')) {
            if (line.contains("\"event\":\"result\""))
                results += '\n' + line;
        }
        result.failure = QStringLiteral("snp300-upgrade ended with %1:%2")
                             .arg(station.exitCode())
                             .arg(QString::fromUtf8(results));
        return result;
    }
    for (const auto &wire : m_wires) {
        if (!wire->hasEnded()) {
            result.failure = QStringLiteral("a device saw no end of programming");
            return result;
        }
        result.devices << wire->figures();
    }
    result.done = true;
    return result;
}
