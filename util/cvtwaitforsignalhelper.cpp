#include "cvtwaitforsignalhelper.h"

#include <QTimer>

CvtWaitForSignalHelper::CvtWaitForSignalHelper(QObject *sender, const char *signal)
{
    connect(sender, signal, &m_loop, SLOT(quit()));
}

CvtWaitForSignalHelper::~CvtWaitForSignalHelper() = default;

bool CvtWaitForSignalHelper::wait(int msecs)
{
    QTimer timer;
    // A coarse timer may end the wait up to 5 % early; a wait is never shorter than asked.
    timer.setTimerType(Qt::PreciseTimer);
    if (msecs != 0) {
        timer.setInterval(msecs);
        timer.start();
        connect(&timer, SIGNAL(timeout()), this, SLOT(timeout()));
    }
    m_timedOut = false;
    m_loop.exec();
    return !m_timedOut;
}

void CvtWaitForSignalHelper::timeout()
{
    m_timedOut = true;
    m_loop.quit();
}
