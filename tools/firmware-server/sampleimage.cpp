#include "sampleimage.h"

namespace SampleImage {

namespace {

// xorshift32: small, and the same on every platform and Qt version.
quint32 nextRandom(quint32 *state)
{
    quint32 x = *state;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    return *state = x;
}

} // namespace

QByteArray record(quint16 address, quint8 type, const QByteArray &data)
{
    QByteArray bytes;
    bytes += static_cast<char>(data.size());
    bytes += static_cast<char>(address >> 8);
    bytes += static_cast<char>(address & 0xff);
    bytes += static_cast<char>(type);
    bytes += data;
    quint8 sum = 0;
    for (char b : bytes)
        sum = static_cast<quint8>(sum + static_cast<quint8>(b));
    bytes += static_cast<char>(static_cast<quint8>(-sum));
    return ':' + bytes.toHex().toUpper();
}

QByteArray generate(int dataLines, quint32 seed, bool crlf)
{
    const QByteArray lineEnd = crlf ? "\r\n" : "\n";
    quint32 state = seed ? seed : 1;
    QByteArray image;
    for (int line = 0; line < dataLines; ++line) {
        const quint32 address = static_cast<quint32>(line) * 16;
        if (address > 0 && (address & 0xffff) == 0) {
            QByteArray upper;
            upper += static_cast<char>(address >> 24);
            upper += static_cast<char>((address >> 16) & 0xff);
            image += record(0, 4, upper) + lineEnd;
        }
        QByteArray data;
        for (int i = 0; i < 16; ++i)
            data += static_cast<char>(nextRandom(&state) & 0xff);
        image += record(static_cast<quint16>(address & 0xffff), 0, data) + lineEnd;
    }
    return image + record(0, 1, {}) + lineEnd;
}

} // namespace SampleImage
