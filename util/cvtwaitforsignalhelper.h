#ifndef CVTWAITFORSIGNALHELPER_H
#define CVTWAITFORSIGNALHELPER_H

#include <QEventLoop>
#include <QObject>

// Waits in place, in a nested event loop, for one signal or a time-out, whichever comes first.
// Create the helper right after starting whatever emits the signal and wait before returning
// to the event loop: a signal emitted before wait() starts is not remembered.
class CvtWaitForSignalHelper : public QObject
{
    Q_OBJECT

public:
    // signal in the form SIGNAL() gives, e.g. SIGNAL(finished()).
    CvtWaitForSignalHelper(QObject *sender, const char *signal);
    ~CvtWaitForSignalHelper() override;

    // True when the signal ended the wait, false when msecs ran out. 0 waits without limit.
    bool wait(int msecs);

public slots:
    void timeout();

private:
    bool m_timedOut = false;
    QEventLoop m_loop;
};

#endif // CVTWAITFORSIGNALHELPER_H
