#ifndef COMMANDTOKENIZER_H
#define COMMANDTOKENIZER_H

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

// Reads what the window wrote to the device and accepts only the commands of the bootloader
// dialogue: "VER\r\r\n", STX, "B", "UNLOCK\r\r\n", "E", "Y", "P", CAN, and the lines of the image
// being programmed, each as read in text mode followed by CR LF.
//
// Bytes arrive in pieces, so a command may be cut at the end of what has been fed so far; the
// tokenizer keeps such a tail pending until the rest comes. Anything else is an error, reported
// with its offset and the bytes around it.
class CommandTokenizer
{
public:
    explicit CommandTokenizer(const QList<QByteArray> &imageLines = {});

    // The image's lines as the window sends them: each line of the file read in text mode
    // (CR LF reads as LF), followed by CR LF.
    static QList<QByteArray> imageLinesOnTheWire(const QString &imagePath);

    // Feeds the whole stream written so far (it only grows); returns false at the first byte
    // outside the table, and keeps failing from then on.
    bool feedStream(const QByteArray &stream);
    // Feeds the bytes written since the last feed.
    bool feed(const QByteArray &bytes);

    bool failed() const { return !m_error.isEmpty(); }
    QString error() const { return m_error; }
    int pendingBytes() const { return m_stream.size() - m_consumed; }
    qint64 bytesFed() const { return m_dropped + m_stream.size(); }
    QString pendingText() const;
    QHash<QString, int> counts() const { return m_counts; } // accepted tokens, by name
    QString countsText() const;

private:
    struct Token
    {
        QByteArray bytes;
        QString name;
    };

    void addToken(const QByteArray &bytes, const QString &name);
    // Length of the longest token at offset, 0 when a token could still start there but the
    // stream ends first, -1 when none can.
    int matchAt(int offset, const Token **token) const;

    QHash<char, QList<Token>> m_tokensByFirstByte;
    QByteArray m_stream; // what is not consumed yet, after a little context
    int m_consumed = 0; // in m_stream
    qint64 m_dropped = 0; // consumed bytes no longer kept
    QString m_error;
    QHash<QString, int> m_counts;
};

// The bytes shown readably for failure messages: printable ASCII as it is, the rest escaped,
// cut after maxBytes with the full size noted.
QString escapedBytes(const QByteArray &bytes, int maxBytes = 160);

#endif // COMMANDTOKENIZER_H
