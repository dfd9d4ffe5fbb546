#ifndef REPLYWAITS_H
#define REPLYWAITS_H

#include "boundedreply.h"

#include <QByteArray>
#include <QList>

class QNetworkReply;

// The server replies that the program is waiting for. A wait runs a nested event loop, and waits
// nest: a version answer or a reconnect may query the server while another query waits. The
// signal that ends a wait names no request, so each wait is registered here with its own reply,
// and a finished reply is taken only by the wait that waits for it: a late reply of a wait that
// has ended is ignored, and is never taken for another request (a list stored as an image, one
// image as another).
class ReplyWaits
{
public:
    // How a wait ended: its reply came, none came (time-out, an error, the program quitting), or
    // the reply was refused for passing its bound.
    enum class Outcome { Pending, Answered, Unanswered, Refused };

    // One wait for one reply, registered for as long as it lives. The reply is read as it
    // arrives, up to bound bytes (see BoundedReply). Make it right after the request is sent.
    class Wait
    {
    public:
        Wait(ReplyWaits &waits, QNetworkReply *reply, qint64 bound);
        ~Wait();

        Wait(const Wait &) = delete;
        Wait &operator=(const Wait &) = delete;

        BoundedReply &body() { return m_body; }
        Outcome outcome() const;
        // No reply is to come any more: a wait still pending ends unanswered.
        void giveUp();
        // What the reply brought, handed over once. The reply is kept here, and only here, until
        // its wait takes it: the window's reply buffers are shared by every wait, and a nested
        // wait would overwrite them before this one returns.
        QByteArray takeBrought();

    private:
        friend class ReplyWaits;

        ReplyWaits &m_waits;
        QNetworkReply *m_reply;
        BoundedReply m_body;
        bool m_answered = false;
        bool m_givenUp = false;
        QByteArray m_brought;
    };

    bool isEmpty() const { return m_waits.isEmpty(); }

    // Takes the body of reply, which has finished, for the wait that waits for it. False when
    // no wait waits for it, when it finished with an error, or when its body passed the bound:
    // then no wait is answered.
    bool takeFinished(QNetworkReply *reply);

private:
    QList<Wait *> m_waits; // in the order the waits began
};

#endif // REPLYWAITS_H
