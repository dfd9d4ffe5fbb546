#ifndef STATIONRUN_H
#define STATIONRUN_H

#include "ptydevice.h"
#include "wiretiming.h"

#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <memory>
#include <vector>

// Several simulated SNP300s upgraded at once by one snp300-upgrade process (the program next to
// this one), as a production station runs it: each device on a pseudo-terminal of its own in
// this process, answering at once, each wire watched as ProgrammingRun watches the window's.
class StationRun
{
public:
    struct Result
    {
        bool done = false;
        QString failure;
        QList<WireTiming::Figures> devices; // in the order of the ports
    };

    explicit StationRun(int devices);

    // Programs imagePath into every device, asking the server at serverUrl for its list.
    Result run(const QString &imagePath, const QString &serverUrl, int timeoutMs);

private:
    QElapsedTimer m_clock;
    std::vector<std::unique_ptr<PtyDevice>> m_devices;
    std::vector<std::unique_ptr<WireTiming>> m_wires;
};

#endif // STATIONRUN_H
