#include "linkticket.h"

#include <QIODevice>

LinkTicket::LinkTicket(const QIODevice *port, const Counter &counter)
    : m_port(port)
    , m_counter(&counter)
    , m_link(counter.m_opened)
{ }

bool LinkTicket::isSameOpenLink() const
{
    return m_port->isOpen() && m_counter->m_opened == m_link;
}
