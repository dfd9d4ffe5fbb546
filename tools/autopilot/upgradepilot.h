#ifndef UPGRADEPILOT_H
#define UPGRADEPILOT_H

#include <QObject>
#include <QStringList>
#include <functional>

class QProgressBar;
class QTextEdit;
class QTimer;
class SNPUpgrader;

// Drives a window the way an operator would: chooses the port, presses Connect, waits until the
// device's versions are read, presses "Upgrade SNP300...", confirms the box with OK and waits
// until the log box says the upgrade is done (or the time runs out). Every new log-box line,
// every box text and every tenth of the progress is handed to the reporter as it appears.
class UpgradePilot : public QObject
{
    Q_OBJECT

public:
    enum Outcome { Running, Done, Failed };

    UpgradePilot(SNPUpgrader *window, const QString &portName, QObject *parent = nullptr);

    void setReporter(std::function<void(const QString &)> reporter);
    void start(int timeoutMs);
    Outcome outcome() const { return m_outcome; }
    QString failure() const { return m_failure; }

signals:
    void finished(bool done);

private:
    void poll();
    void readNewLogLines();
    void pressUpgradeWhenReady();
    void answerMessageBox();
    void reportProgress(int value);
    void finish(Outcome outcome, const QString &failure = QString());

    SNPUpgrader *m_window;
    QString m_portName;
    QTextEdit *m_log;
    QProgressBar *m_progress;
    QTimer *m_poll;
    QTimer *m_deadline;
    std::function<void(const QString &)> m_report;
    QStringList m_seen;
    bool m_upgradePressed = false;
    int m_reportedTenths = 0;
    Outcome m_outcome = Running;
    QString m_failure;
};

#endif // UPGRADEPILOT_H
