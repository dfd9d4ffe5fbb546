#ifndef INTERRUPTGUARD_H
#define INTERRUPTGUARD_H

#include <QObject>

class QSocketNotifier;

// Turns Ctrl+C into a signal on the event loop, so that snp300-upgrade decides what stopping
// means and closes its ports properly. On Linux SIGINT and SIGTERM are caught (the handler only
// writes to a pipe that a socket notifier watches); on Windows the console's control handler
// catches Ctrl+C, Ctrl+Break and the console closing. One instance per process.
class InterruptGuard : public QObject
{
    Q_OBJECT

public:
    enum class Kind {
        Interrupt, // Ctrl+C, Ctrl+Break, SIGINT, SIGTERM: the program may ask for a second one
        Closing // the console is closing (Windows ends the process within seconds): stop now
    };
    Q_ENUM(Kind)

    explicit InterruptGuard(QObject *parent = nullptr);
    ~InterruptGuard() override;

    bool isGuarding() const { return m_guarding; }

    // Everything is closed and recorded: a console that is closing may end the process now.
    void release();

signals:
    void interruptRequested(InterruptGuard::Kind kind);

private:
    void readPipe();

    bool m_guarding = false;
    QSocketNotifier *m_notifier = nullptr;
};

#endif // INTERRUPTGUARD_H
