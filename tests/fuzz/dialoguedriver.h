#ifndef DIALOGUEDRIVER_H
#define DIALOGUEDRIVER_H

#include <QByteArray>
#include <QString>
#include <functional>

class WindowFixture;

// Plays the SNP300's part by hand (the simulated device's own answers are off) to bring the
// window into any state of the bootloader dialogue, and delivers chunks so that the window
// reads each one on its own.
//
// Chunk boundaries: the driver keeps a descriptor of the terminal side of the pseudo-terminal
// and asks it how many bytes wait to be read. A chunk is written, the driver waits until all of
// it has arrived at the terminal, then lets the event loop run until the window has read it. A
// terminal holds at most 4 KiB, so a larger chunk is delivered as several reads of
// MaxReadSize bytes, each read by the window before the next is written, as a device that
// talks without pause would deliver it.
class DialogueDriver
{
public:
    static const int MaxReadSize = 4000;

    explicit DialogueDriver(WindowFixture &fixture);
    ~DialogueDriver();

    DialogueDriver(const DialogueDriver &) = delete;
    DialogueDriver &operator=(const DialogueDriver &) = delete;

    bool isValid() const { return m_terminal >= 0; }

    // A local test image in Documents (the one the upgrade takes) and a newer application
    // image on the server, so that the Upgrade button starts an upgrade. Returns the image's
    // path.
    QString prepareUpgrade(const QByteArray &image);

    // From a fresh connection up to the given dialogue state (0, 1, 11, 2 to 9).
    bool reach(int state, QString *error);

    // Sends one chunk as described above. Returns false when the window does not read it in
    // time while its port is open (a hang); a port the window has closed ends the delivery.
    bool sendChunk(const QByteArray &chunk, QString *error);

    qint64 bytesSent() const { return m_sent; }
    bool portOpen() const;
    int state() const;

    // Runs the event loop until condition holds or timeoutMs passes.
    static bool waitFor(const std::function<bool()> &condition, int timeoutMs);

private:
    int queuedAtTerminal() const;
    bool sendPiece(const QByteArray &piece, QString *error);
    bool reachVersionsRead(QString *error);
    bool answerAndWaitForState(const QByteArray &answer, int state, QString *error);

    WindowFixture &m_fixture;
    int m_terminal = -1;
    qint64 m_sent = 0;
};

#endif // DIALOGUEDRIVER_H
