#ifndef SNP300DEVICE_H
#define SNP300DEVICE_H

#include <QByteArray>
#include <QList>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>

// How the simulated SNP300 starts and which faults it shows.
struct Snp300Options
{
    enum class Mode { Application, Bootloader, Silent };

    Mode startMode = Mode::Application;
    QString appVersion = QStringLiteral("1.2.9"); // answered in <VER>..</VER>
    // Answered in <BOOT>..</BOOT>; its answer to "B" is major * 100 + patch in hexadecimal.
    QString bootloaderVersion = QStringLiteral("1.0.14");
    int replyDelayMs = 0; // added to every answer
    int eraseDelayMs = 1500; // before the answer to "Y"
    int stallAfterLines = -1; // answers nothing at all after this many image lines (-1: never)
    bool garbage = false; // answers every request with junk instead of its texts
    quint32 garbageSeed = 1;
};

// One answer of the device: written as one piece after delayMs.
struct Snp300Reply
{
    QByteArray bytes;
    int delayMs = 0;
};

// The SNP300 as seen from its serial port: pure logic, no I/O and no timers.
// receive() takes whatever the host wrote, in any split, and returns the answers
// the device gives, each with the delay after which it should be written.
class Snp300Device
{
public:
    using Mode = Snp300Options::Mode;

    explicit Snp300Device(const Snp300Options &options = {});

    QList<Snp300Reply> receive(const QByteArray &bytes);

    // Fault switches and versions may change at any time; startMode is only read
    // by the constructor (use setMode() to switch a running device).
    const Snp300Options &options() const { return m_options; }
    void setOptions(const Snp300Options &options);
    Mode mode() const { return m_mode; }
    void setMode(Mode mode);

    QString appVersion() const { return m_options.appVersion; }
    QString bootloaderVersion() const { return m_options.bootloaderVersion; }

    QByteArray received() const { return m_received; }
    void clearReceived() { m_received.clear(); }
    // Image lines as received since the last erase, without their CR LF.
    QList<QByteArray> programmedLines() const { return m_programmedLines; }
    int badLines() const { return m_badLines; } // lines that were not valid Intel HEX
    bool unlocked() const { return m_unlocked; } // in this bootloader session
    bool erased() const { return m_erased; } // in this bootloader session
    int eraseCount() const { return m_eraseCount; }
    bool programming() const { return m_state == BootState::Program; }
    bool stalled() const { return m_stalled; }
    int restarts() const { return m_restarts; } // how often CAN started the application

    // Short descriptions of the commands and state changes since the last call.
    QStringList takeEvents();

    // "1.0.14" -> "72": the bootloader's own spelling of its version.
    static QByteArray versionHex(const QString &version);

private:
    enum class BootState { Prompt, ConfirmErase, Program };

    void receiveByte(char byte);
    void receiveApplicationByte(char byte);
    void receiveBootloaderByte(char byte);
    void receiveProgramByte(char byte);
    void applicationLine(const QByteArray &line);
    void bootloaderLine(const QByteArray &line);
    void bootloaderCommand(char command);
    void confirmErase(char answer);
    void programLine(QByteArray line);
    void enterBootloader();
    void startApplication();

    void answer(const QByteArray &bytes, int extraDelayMs = 0);
    QByteArray junk();
    void event(const QString &text);
    static QString modeName(Mode mode);

    Snp300Options m_options;
    Mode m_mode;
    BootState m_state = BootState::Prompt;
    QByteArray m_line; // command or image line being received
    QByteArray m_received;
    QList<QByteArray> m_programmedLines;
    int m_sessionLines = 0; // image lines since the last "P"
    int m_badLines = 0;
    bool m_unlocked = false;
    bool m_erased = false;
    int m_eraseCount = 0;
    bool m_stalled = false;
    int m_restarts = 0;
    QRandomGenerator m_random;
    QList<Snp300Reply> m_replies; // answers of the current receive()
    QStringList m_events;
};

#endif // SNP300DEVICE_H
