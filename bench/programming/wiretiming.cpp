#include "wiretiming.h"

namespace {

const char Cancel = 0x18;

} // namespace

// Image lines from the first ':' after "P", CAN at the end. A line that comes in two reads is
// still one line: the time runs from its first piece.
bool WireTiming::onDeviceRead(const QByteArray &bytes)
{
    const qint64 now = m_clock->nsecsElapsed();
    bool turned = false;
    switch (m_phase) {
    case Phase::BeforeImage:
        if (!bytes.startsWith(':'))
            return false;
        m_phase = Phase::Programming;
        m_firstLineNs = now;
        m_lastLineNs = now;
        m_answerPending = true;
        turned = true;
        break;
    case Phase::Programming:
        if (m_answerPending)
            break;
        m_figures.hostNs += now - m_lastAnswerNs;
        if (bytes.startsWith(Cancel)) {
            m_figures.totalNs = now - m_firstLineNs;
            m_phase = Phase::After;
            return true;
        }
        m_lastLineNs = now;
        m_answerPending = true;
        break;
    case Phase::After:
        return false;
    }
    m_figures.lineBytes += bytes.size();
    m_figures.lines += bytes.count("\r\n");
    return turned;
}

void WireTiming::onDeviceAnswered(const QByteArray &bytes)
{
    if (m_phase != Phase::Programming || !m_answerPending)
        return;
    m_lastAnswerNs = m_clock->nsecsElapsed();
    m_figures.deviceNs += m_lastAnswerNs - m_lastLineNs;
    m_figures.answerBytes += bytes.size();
    m_answerPending = false;
}
