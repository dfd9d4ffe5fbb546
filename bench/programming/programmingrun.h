#ifndef PROGRAMMINGRUN_H
#define PROGRAMMINGRUN_H

#include "ptydevice.h"
#include "wiretiming.h"

#include <QElapsedTimer>
#include <QString>
#include <memory>

// One whole upgrade: a new main window on a simulated SNP300 that answers at once, and the
// autopilot pressing Connect, "Upgrade SNP300...", OK. The window takes the test image from the
// Documents folder.
//
// With the device in this process (the default), the run watches the wire from the device's
// side: every chunk the window writes and every answer, with their times. With the device in a
// process of its own (a port given), the process holds the window alone, so the run measures
// its resident set instead.
class ProgrammingRun
{
public:
    struct Result
    {
        bool done = false;
        QString failure;
        int lines = 0; // image lines the device received
        qint64 lineBytes = 0; // bytes of those lines as they came over the wire
        qint64 answerBytes = 0; // the device's answers to them
        qint64 totalNs = 0; // first image line read by the device .. CAN read by the device
        qint64 hostNs = 0; // answer written .. next line (or CAN) read: the window's turn
        qint64 deviceNs = 0; // line read .. answer written: the simulated device's turn
        qint64 cpuNs = 0; // processor time of this process (window and device) meanwhile
        // Resident set in KiB: when the window is connected and idle, its peak from then until
        // the upgrade is started (confirmation box, image check), and the peak at the end.
        qint64 idleKiB = -1;
        qint64 peakAtStartKiB = -1;
        qint64 peakAtEndKiB = -1;
    };

    ProgrammingRun(); // the device in this process, for timing
    explicit ProgrammingRun(const QString &externalPort); // for memory

    Result run(int timeoutMs);

private:
    void onDeviceRead(const QByteArray &bytes);
    void onLogLine(const QString &line);

    std::unique_ptr<PtyDevice> m_device;
    QString m_portName;
    QElapsedTimer m_clock;
    WireTiming m_wire { &m_clock };
    qint64 m_firstLineCpuNs = 0;
    Result m_result;
};

#endif // PROGRAMMINGRUN_H
