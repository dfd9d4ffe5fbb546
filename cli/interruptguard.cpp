#include "interruptguard.h"

#include "snpdurations.h"

#include <QMetaObject>
#include <QSocketNotifier>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

InterruptGuard *guardInstance = nullptr;

#ifdef Q_OS_WIN

HANDLE releasedEvent = nullptr;

// Runs on a thread of its own that Windows starts for each event. Windows ends the process when
// the handler of a closing console returns, or a few seconds after the event at the latest, so
// that handler waits until the ports are closed and the upgrade is recorded.
BOOL WINAPI consoleControlHandler(DWORD event)
{
    const bool closing
        = event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT;
    if (!closing && event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
        return FALSE;
    if (!guardInstance)
        return FALSE;
    const InterruptGuard::Kind kind
        = closing ? InterruptGuard::Kind::Closing : InterruptGuard::Kind::Interrupt;
    QMetaObject::invokeMethod(
        guardInstance, [kind] { emit guardInstance->interruptRequested(kind); },
        Qt::QueuedConnection);
    if (closing)
        WaitForSingleObject(releasedEvent, SnpDurations::ConsoleCloseWaitMs);
    return TRUE;
}

#else

int signalPipe[2] = { -1, -1 };

extern "C" void writeSignalToPipe(int signalNumber)
{
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    const ssize_t written = ::write(signalPipe[1], &byte, 1);
    static_cast<void>(written); // a full pipe already holds a request
}

void installHandler(int signalNumber, void (*handler)(int))
{
    struct sigaction action
    {
    };
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(signalNumber, &action, nullptr);
}

#endif

} // namespace

InterruptGuard::InterruptGuard(QObject *parent)
    : QObject(parent)
{
    if (guardInstance)
        return;
#ifdef Q_OS_WIN
    releasedEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    guardInstance = this;
    m_guarding = SetConsoleCtrlHandler(consoleControlHandler, TRUE) != 0;
#else
    if (::pipe(signalPipe) != 0)
        return;
    for (int fd : signalPipe)
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    ::fcntl(signalPipe[1], F_SETFL, O_NONBLOCK);
    guardInstance = this;
    m_notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &InterruptGuard::readPipe);
    installHandler(SIGINT, writeSignalToPipe);
    installHandler(SIGTERM, writeSignalToPipe);
    m_guarding = true;
#endif
}

InterruptGuard::~InterruptGuard()
{
    if (guardInstance != this)
        return;
#ifdef Q_OS_WIN
    SetConsoleCtrlHandler(consoleControlHandler, FALSE);
    release();
#else
    installHandler(SIGINT, SIG_DFL);
    installHandler(SIGTERM, SIG_DFL);
    delete m_notifier;
    for (int &fd : signalPipe) {
        ::close(fd);
        fd = -1;
    }
#endif
    guardInstance = nullptr;
}

void InterruptGuard::release()
{
#ifdef Q_OS_WIN
    if (releasedEvent)
        SetEvent(releasedEvent);
#endif
}

void InterruptGuard::readPipe()
{
#ifndef Q_OS_WIN
    unsigned char byte = 0;
    if (::read(signalPipe[0], &byte, 1) == 1)
        emit interruptRequested(Kind::Interrupt);
#endif
}
