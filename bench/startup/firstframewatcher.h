#ifndef FIRSTFRAMEWATCHER_H
#define FIRSTFRAMEWATCHER_H

#include <QObject>

class QWidget;

// Watches, from the application's event filter, for the first expose event of a window. The
// window paints itself while that event is handled; once control is back in the event loop the
// first frame is complete. Then the watcher prints the moments it collected (CLOCK_MONOTONIC,
// nanoseconds) on one line and ends the event loop.
class FirstFrameWatcher : public QObject
{
    Q_OBJECT

public:
    explicit FirstFrameWatcher(QWidget *window, QObject *parent = nullptr);

    // Named moments before the window is shown: entry of main, start-up done, window built.
    void mark(const char *name, qint64 ns = monotonicNs());
    static qint64 monotonicNs();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void report();

    QWidget *m_window;
    QByteArray m_marks;
    bool m_exposed = false;
};

#endif // FIRSTFRAMEWATCHER_H
