#ifndef LINKTICKET_H
#define LINKTICKET_H

class QIODevice;

// The link a handler acts on, taken before it waits in a nested event loop (a server query, a
// message box) and asked afterwards whether that link is still open. Meanwhile the operator may
// have pressed Disconnect, the device may have been unplugged, or the port may have been opened
// again: bytes meant for the old link must not go to the new one.
//
//     const LinkTicket link = linkTicket();
//     queryFirmwareServer(...); // a nested event loop
//     if (!link.isSameOpenLink())
//         return;
class LinkTicket
{
public:
    // Counts the links opened on one port; a ticket remembers the count it was taken at.
    class Counter
    {
    public:
        // A link has just been opened on the port.
        void linkOpened() { ++m_opened; }

    private:
        friend class LinkTicket;
        int m_opened = 0;
    };

    // The link that is open on port now (if any), as counter counts it.
    LinkTicket(const QIODevice *port, const Counter &counter);

    // True while the port is open and has not been opened again since the ticket was taken. A
    // ticket taken while the port was closed is never true: the port opens only with a new link.
    bool isSameOpenLink() const;

private:
    const QIODevice *m_port;
    const Counter *m_counter;
    int m_link;
};

#endif // LINKTICKET_H
