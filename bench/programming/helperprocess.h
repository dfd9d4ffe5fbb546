#ifndef HELPERPROCESS_H
#define HELPERPROCESS_H

#include <QProcess>
#include <QStringList>

// One of the stand-in programs next to this one (snp300-sim, snp300-firmware-server), started
// as a process of its own. start() waits for its first line, which names where it serves; the
// destructor stops the process by its id.
class HelperProcess
{
public:
    HelperProcess() = default;
    ~HelperProcess();

    HelperProcess(const HelperProcess &) = delete;
    HelperProcess &operator=(const HelperProcess &) = delete;

    // Returns what follows prefix on the first line, or an empty string on failure.
    QString start(const QString &program, const QStringList &arguments, const QByteArray &prefix);

private:
    QProcess m_process;
};

#endif // HELPERPROCESS_H
