#include "firstframewatcher.h"

#include <QApplication>
#include <QStyle>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <ctime>

FirstFrameWatcher::FirstFrameWatcher(QWidget *window, QObject *parent)
    : QObject(parent)
    , m_window(window)
{ }

qint64 FirstFrameWatcher::monotonicNs()
{
    timespec now {};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

void FirstFrameWatcher::mark(const char *name, qint64 ns)
{
    m_marks += ' ' + QByteArray(name) + '=' + QByteArray::number(ns);
}

bool FirstFrameWatcher::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_exposed && event->type() == QEvent::Expose && m_window->windowHandle() == watched) {
        m_exposed = true;
        mark("exposed");
        // Runs once the expose event, and the painting it causes, is over.
        QTimer::singleShot(0, this, &FirstFrameWatcher::report);
    }
    return QObject::eventFilter(watched, event);
}

void FirstFrameWatcher::report()
{
    mark("painted");
    std::printf("probe%s style=%s\n", m_marks.constData(),
                QApplication::style()->metaObject()->className());
    std::fflush(stdout);
    QCoreApplication::exit(0);
}
