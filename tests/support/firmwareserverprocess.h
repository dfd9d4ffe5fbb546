#ifndef FIRMWARESERVERPROCESS_H
#define FIRMWARESERVERPROCESS_H

#include <QProcess>
#include <QStringList>

// Runs snp300-firmware-server (the program next to the test executable) on a
// free port of 127.0.0.1 for one test, and stops it by its PID when it goes
// out of scope: SIGTERM, a bounded wait, then SIGKILL.
class FirmwareServerProcess
{
public:
    // imageDir: the folder to serve; extraArguments: e.g. {"--status", "500"}.
    explicit FirmwareServerProcess(const QString &imageDir, const QStringList &extraArguments = {},
                                   int startTimeoutMs = 10000);
    ~FirmwareServerProcess();

    FirmwareServerProcess(const FirmwareServerProcess &) = delete;
    FirmwareServerProcess &operator=(const FirmwareServerProcess &) = delete;

    bool isRunning() const;
    QString errorString() const { return m_errorString; }
    quint16 port() const { return m_port; }
    QString baseUrl() const; // "http://127.0.0.1:PORT", https:// when given a certificate
    qint64 pid() const { return m_process.processId(); }

    // One line per request answered so far, "POST /snp300/index.php 200 user=opsr
    // pwd=rdox4%25bnT service=list" (values percent-encoded). Collected while the
    // event loop runs, so poll it with QTRY_*.
    QStringList requestLines();

    // Ends the server now; returns whether it stopped on SIGTERM.
    bool stop(int timeoutMs = 5000);

    static QString programPath();
    static QString sampleImagesDir(); // the sample images shipped with the server

private:
    void readOutput();

    QProcess m_process;
    QString m_errorString;
    quint16 m_port = 0;
    QString m_scheme;
    QStringList m_requestLines;
};

#endif // FIRMWARESERVERPROCESS_H
