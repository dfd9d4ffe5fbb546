#include "replywaits.h"

#include <QNetworkReply>

#include <algorithm>
#include <utility>

ReplyWaits::Wait::Wait(ReplyWaits &waits, QNetworkReply *reply, qint64 bound)
    : m_waits(waits)
    , m_reply(reply)
    , m_body(reply, bound)
{
    m_waits.m_waits.append(this);
}

ReplyWaits::Wait::~Wait()
{
    m_waits.m_waits.removeOne(this);
}

ReplyWaits::Outcome ReplyWaits::Wait::outcome() const
{
    if (m_answered)
        return Outcome::Answered;
    if (m_body.isRefused())
        return Outcome::Refused;
    return m_givenUp ? Outcome::Unanswered : Outcome::Pending;
}

void ReplyWaits::Wait::giveUp()
{
    m_givenUp = true;
}

QByteArray ReplyWaits::Wait::takeBrought()
{
    return std::exchange(m_brought, QByteArray());
}

bool ReplyWaits::takeFinished(QNetworkReply *reply)
{
    const auto wait
        = std::find_if(m_waits.cbegin(), m_waits.cend(),
                       [reply](const Wait *candidate) { return candidate->m_reply == reply; });
    if (wait == m_waits.cend() || reply->error() != QNetworkReply::NoError)
        return false;
    // The body was read as it arrived; the rest of it may still pass the bound.
    QByteArray body = (*wait)->m_body.takeBody();
    if ((*wait)->m_body.isRefused())
        return false;
    (*wait)->m_brought = std::move(body);
    (*wait)->m_answered = true;
    return true;
}
