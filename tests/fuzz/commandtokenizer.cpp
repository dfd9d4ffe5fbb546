#include "commandtokenizer.h"

#include <QFile>
#include <QStringList>

CommandTokenizer::CommandTokenizer(const QList<QByteArray> &imageLines)
{
    addToken("VER\r\r\n", QStringLiteral("VER"));
    addToken("\x02", QStringLiteral("STX"));
    addToken("B", QStringLiteral("B"));
    addToken("UNLOCK\r\r\n", QStringLiteral("UNLOCK"));
    addToken("E", QStringLiteral("E"));
    addToken("Y", QStringLiteral("Y"));
    addToken("P", QStringLiteral("P"));
    addToken("\x18", QStringLiteral("CAN"));
    for (const QByteArray &line : imageLines)
        addToken(line, QStringLiteral("line"));
}

QList<QByteArray> CommandTokenizer::imageLinesOnTheWire(const QString &imagePath)
{
    QList<QByteArray> lines;
    QFile file(imagePath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return lines;
    while (!file.atEnd())
        lines.append(file.readLine() + "\r\n");
    return lines;
}

void CommandTokenizer::addToken(const QByteArray &bytes, const QString &name)
{
    QList<Token> &tokens = m_tokensByFirstByte[bytes.at(0)];
    for (const Token &token : qAsConst(tokens)) {
        if (token.bytes == bytes)
            return;
    }
    tokens.append({ bytes, name });
}

int CommandTokenizer::matchAt(int offset, const Token **matched) const
{
    const auto candidates = m_tokensByFirstByte.constFind(m_stream.at(offset));
    if (candidates == m_tokensByFirstByte.constEnd())
        return -1;
    const int available = m_stream.size() - offset;
    int longest = -1;
    for (const Token &token : *candidates) {
        const int size = token.bytes.size();
        if (size <= available) {
            if (size > longest
                && memcmp(m_stream.constData() + offset, token.bytes.constData(), size) == 0) {
                longest = size;
                *matched = &token;
            }
        } else if (memcmp(m_stream.constData() + offset, token.bytes.constData(), available) == 0) {
            // A longer token may still complete this one: wait for more bytes.
            return 0;
        }
    }
    return longest;
}

bool CommandTokenizer::feedStream(const QByteArray &stream)
{
    if (stream.size() < bytesFed()) {
        m_error = QStringLiteral("the written stream shrank behind the tokenizer");
        return false;
    }
    return feed(stream.mid(int(bytesFed())));
}

bool CommandTokenizer::feed(const QByteArray &bytes)
{
    if (failed())
        return false;
    m_stream += bytes;
    while (m_consumed < m_stream.size()) {
        const Token *token = nullptr;
        const int length = matchAt(m_consumed, &token);
        if (length == 0)
            break;
        if (length < 0) {
            m_error = QStringLiteral("byte 0x%1 at offset %2 is no command; before it: %3; "
                                     "from it: %4")
                          .arg(quint8(m_stream.at(m_consumed)), 2, 16, QLatin1Char('0'))
                          .arg(m_dropped + m_consumed)
                          .arg(escapedBytes(
                                   m_stream.mid(qMax(0, m_consumed - 40), qMin(40, m_consumed))),
                               escapedBytes(m_stream.mid(m_consumed, 60)));
            return false;
        }
        ++m_counts[token->name];
        m_consumed += length;
    }
    // Keep only a little of what is consumed, for the context of an error.
    const int drop = m_consumed - 64;
    if (drop > 4096) {
        m_stream.remove(0, drop);
        m_consumed -= drop;
        m_dropped += drop;
    }
    return true;
}

QString CommandTokenizer::pendingText() const
{
    return escapedBytes(m_stream.mid(m_consumed));
}

QString CommandTokenizer::countsText() const
{
    QStringList parts;
    for (auto it = m_counts.constBegin(); it != m_counts.constEnd(); ++it)
        parts.append(QStringLiteral("%1 x%2").arg(it.key()).arg(it.value()));
    parts.sort();
    return parts.join(QStringLiteral(", "));
}

QString escapedBytes(const QByteArray &bytes, int maxBytes)
{
    QString text;
    const int shown = qMin(bytes.size(), maxBytes);
    for (int i = 0; i < shown; ++i) {
        const quint8 byte = quint8(bytes.at(i));
        if (byte == '\r')
            text += QLatin1String("\\r");
        else if (byte == '\n')
            text += QLatin1String("\\n");
        else if (byte == '\\')
            text += QLatin1String("\\\\");
        else if (byte == '"')
            text += QLatin1String("\\\"");
        else if (byte >= 0x20 && byte < 0x7f)
            text += QLatin1Char(char(byte));
        else
            text += QStringLiteral("\\x%1").arg(byte, 2, 16, QLatin1Char('0'));
    }
    QString quoted = QLatin1Char('"') + text + QLatin1Char('"');
    if (shown < bytes.size())
        quoted += QStringLiteral("... (%1 bytes)").arg(bytes.size());
    return quoted;
}
