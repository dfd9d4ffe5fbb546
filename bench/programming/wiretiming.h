#ifndef WIRETIMING_H
#define WIRETIMING_H

#include <QByteArray>
#include <QElapsedTimer>

// The programming phase of one upgrade as the simulated device sees it on its wire: every chunk
// the host writes and every answer, with their times on one nanosecond clock. From the first
// image line (the first chunk that begins with ':') to the CAN after the last.
class WireTiming
{
public:
    struct Figures
    {
        int lines = 0; // image lines the device received
        qint64 lineBytes = 0; // bytes of those lines as they came over the wire
        qint64 answerBytes = 0; // the device's answers to them
        qint64 totalNs = 0; // first image line read by the device .. CAN read by the device
        qint64 hostNs = 0; // answer written .. next line (or CAN) read: the host's turn
        qint64 deviceNs = 0; // line read .. answer written: the simulated device's turn
    };

    explicit WireTiming(const QElapsedTimer *clock)
        : m_clock(clock)
    { }

    // Return true when the chunk began programming or ended it (the caller may read its own
    // clocks then).
    bool onDeviceRead(const QByteArray &bytes);
    void onDeviceAnswered(const QByteArray &bytes);

    bool isProgramming() const { return m_phase == Phase::Programming; }
    bool hasEnded() const { return m_phase == Phase::After; }
    const Figures &figures() const { return m_figures; }

private:
    enum class Phase { BeforeImage, Programming, After };

    const QElapsedTimer *m_clock;
    Phase m_phase = Phase::BeforeImage;
    bool m_answerPending = false;
    qint64 m_firstLineNs = 0;
    qint64 m_lastLineNs = 0;
    qint64 m_lastAnswerNs = 0;
    Figures m_figures;
};

#endif // WIRETIMING_H
