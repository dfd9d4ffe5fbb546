#ifndef UPGRADEREPORTER_H
#define UPGRADEREPORTER_H

#include "deviceoutcome.h"
#include "loglevel.h"

#include <QElapsedTimer>
#include <QHash>
#include <QJsonObject>
#include <QString>
#include <QStringList>

// What snp300-upgrade tells, and where. Every log line goes to the run's log file with its port.
// On standard output:
// - Terminal: each log line prefixed with its port, and below them one line per device with its
//   progress and time left, redrawn in place.
// - Plain (output is not a terminal): the log lines, and each device's progress every tenth.
// - Json: one JSON object per line and nothing else; notices go to standard error.
class UpgradeReporter
{
public:
    enum class Mode { Terminal, Plain, Json };

    explicit UpgradeReporter(Mode mode);

    Mode mode() const { return m_mode; }

    // The devices in the order their progress lines are shown.
    void setPorts(const QStringList &ports);
    void log(const QString &port, const QString &message, cvc::LogLevel level);
    // format: the progress text as the window's progress bar shows it ("%p%" and the time left);
    // empty: the plain percentage.
    void progress(const QString &port, int value, int maximum, const QString &format);
    void result(const QString &port, const DeviceOutcome &outcome);
    // A message of the program itself, not of one device: on standard error, and in the log.
    void notice(const QString &message, cvc::LogLevel level = cvc::Info);

    // "%p% - 1 min left" with value 30 of 60: "50% - 1 min left".
    static QString progressText(int value, int maximum, const QString &format);
    static QJsonObject resultObject(const QString &port, const DeviceOutcome &outcome);
    static QString levelName(cvc::LogLevel level);

private:
    struct DeviceLine
    {
        int value = 0;
        int maximum = 0;
        int percent = -1; // as last told
        QString format;
        QString text; // as last drawn
        QElapsedTimer lastTold;
    };

    void writeJson(const QJsonObject &object);
    void writeAboveProgress(const QByteArray &text);
    void eraseProgress();
    void drawProgress();

    Mode m_mode;
    QStringList m_ports;
    QHash<QString, DeviceLine> m_lines;
    int m_drawnLines = 0; // progress lines on the terminal below the last log line
};

#endif // UPGRADEREPORTER_H
