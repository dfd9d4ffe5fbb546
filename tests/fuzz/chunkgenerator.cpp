#include "chunkgenerator.h"

#include "commandtokenizer.h"

#include <QStringList>

namespace {

const int HugeSize = 1024 * 1024;

QList<QByteArray> fragments()
{
    return { "UNLOCKED",
             "ERASED",
             "01>",
             "\r\n01>",
             "\n\r01>",
             "0",
             "1>",
             "<BOOT>",
             "</BOOT>",
             "<VER>",
             "</VER>",
             "<VER></VER>",
             "<BOOT></BOOT>",
             "\r\n",
             "\n\r",
             "\r",
             "\n",
             "B",
             "ERR",
             "OK",
             "SEND HEX",
             "ERASE ALL? (Y/N)",
             "BOOTLOADER",
             "72",
             "0x72",
             "1.0.14",
             "2.3.1",
             ">",
             "<",
             "/",
             "VER",
             "UNLOCK",
             "\x02",
             "\x18",
             QByteArray(1, '\0'),
             " ",
             "\t",
             "SNP300 APPLICATION START" };
}

} // namespace

int ChunkCase::size() const
{
    int total = 0;
    for (const QByteArray &chunk : chunks)
        total += chunk.size();
    return total;
}

QString ChunkCase::describe(int maxBytesPerChunk) const
{
    QStringList parts;
    for (const QByteArray &chunk : chunks)
        parts.append(escapedBytes(chunk, maxBytesPerChunk));
    return kind + QLatin1String(": ") + parts.join(QLatin1String(" + "));
}

ChunkGenerator::ChunkGenerator(quint32 seed)
    : m_random(seed)
{ }

int ChunkGenerator::bounded(int lowest, int highest)
{
    return int(m_random.bounded(lowest, highest + 1));
}

QString ChunkGenerator::kindName(Kind kind)
{
    static const QStringList names
        = { QStringLiteral("random bytes"),       QStringLiteral("printable junk"),
            QStringLiteral("white space"),        QStringLiteral("split prompt"),
            QStringLiteral("tags across chunks"), QStringLiteral("answer fragments"),
            QStringLiteral("real answer split"),  QStringLiteral("invalid UTF-8"),
            QStringLiteral("long tag"),           QStringLiteral("huge") };
    return names.value(kind);
}

QList<QByteArray> ChunkGenerator::versionTexts()
{
    QList<QByteArray> texts = { "1.2.9",
                                "1.0.14",
                                "1.0.13",
                                "",
                                "0.0.0",
                                "a.b.c",
                                "1.0.14.7",
                                "-1.0.0",
                                "2147483.6.47", // 2147483647, the largest number
                                "0.0.2147483647",
                                "99999999999999999999.0.0",
                                "1..14",
                                " 1. 0 .14",
                                "\xef\xbc\x91.0.14",
                                "1.0.14\xff",
                                "2147484.0.0",
                                "1.21474837.0",
                                "-2147484.0.0",
                                "2147483.6.48" };
    return texts;
}

QList<QByteArray> ChunkGenerator::hexVersions()
{
    QList<QByteArray> texts = {
        "72",       "0x72",        "71", "0",   "",    "zz",   "-72",    "80000000",
        "FFFFFFFF", "1FFFFFFFFFF", "0x", " 72", "72 ", "\xff", "CCCCC6F"
    }; // 2147483.0.99, the largest that fits
    texts << "7FFFFFFF"
          << "-80000000"
          << "CCCCC70";
    return texts;
}

QByteArray ChunkGenerator::randomBytes(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        bytes[i] = char(m_random.bounded(256));
    return bytes;
}

QByteArray ChunkGenerator::printable(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        bytes[i] = char(bounded(0x20, 0x7e));
    return bytes;
}

QByteArray ChunkGenerator::pick(const QList<QByteArray> &choices)
{
    return choices.at(bounded(0, choices.size() - 1));
}

QList<QByteArray> ChunkGenerator::splitAtRandom(const QByteArray &bytes, int maxPieces)
{
    QList<QByteArray> pieces;
    int start = 0;
    const int cuts = bounded(1, maxPieces) - 1;
    for (int i = 0; i < cuts && start < bytes.size() - 1; ++i) {
        const int end = bounded(start + 1, bytes.size() - 1);
        pieces.append(bytes.mid(start, end - start));
        start = end;
    }
    pieces.append(bytes.mid(start));
    return pieces;
}

// One of the device's real answers, with odd versions where it carries one.
QByteArray ChunkGenerator::realAnswer()
{
    switch (bounded(0, 7)) {
    case 0:
        return "\r\n<VER>" + pick(versionTexts()) + "</VER>\r\n<BOOT>" + pick(versionTexts())
            + "</BOOT>\r\n";
    case 1:
        return "B\r\n" + pick(hexVersions()) + "\r\n01>";
    case 2:
        return "\r\nUNLOCKED\r\n01>";
    case 3:
        return "\r\nERASED\r\n01>";
    case 4:
        return "\r\nBOOTLOADER\r\n01>";
    case 5:
        return "\r\nERASE ALL? (Y/N)";
    case 6:
        return "\r\nSEND HEX\r\n";
    default:
        return "\r\nOK";
    }
}

ChunkCase ChunkGenerator::next()
{
    return make(Kind(bounded(0, KindCount - 1)));
}

ChunkCase ChunkGenerator::make(Kind kind)
{
    ChunkCase c;
    c.kind = kindName(kind);
    switch (kind) {
    case RandomBytes:
        for (int i = bounded(1, 3); i > 0; --i)
            c.chunks.append(randomBytes(bounded(1, 96)));
        break;
    case PrintableJunk:
        c.chunks.append(printable(bounded(1, 200)));
        break;
    case WhiteSpace: {
        static const QByteArray blanks(" \t\r\n\v\f");
        QByteArray bytes;
        for (int i = bounded(1, 64); i > 0; --i)
            bytes += blanks.at(bounded(0, blanks.size() - 1));
        c.chunks.append(bytes);
        break;
    }
    case SplitPrompt: {
        const QByteArray prompt
            = pick({ "\r\n01>", "\n\r01>", "01>", "\r\nUNLOCKED\r\n01>", "\r\nERASED\r\n01>" });
        const int cut = bounded(1, prompt.size() - 1);
        c.chunks << prompt.left(cut) << prompt.mid(cut);
        break;
    }
    case TagsAcrossChunks: {
        const QByteArray answer = "\r\n<VER>" + pick(versionTexts()) + "</VER>\r\n<BOOT>"
            + pick(versionTexts()) + "</BOOT>\r\n";
        c.chunks = splitAtRandom(answer, 4);
        break;
    }
    case AnswerFragments: {
        const QList<QByteArray> choices = fragments();
        for (int n = bounded(1, 3); n > 0; --n) {
            QByteArray chunk;
            for (int i = bounded(1, 8); i > 0; --i)
                chunk += pick(choices);
            c.chunks.append(chunk);
        }
        break;
    }
    case RealAnswerSplit:
        c.chunks = splitAtRandom(realAnswer() + (bounded(0, 3) == 0 ? realAnswer() : ""), 3);
        break;
    case InvalidUtf8: {
        const QList<QByteArray> bad = { "\xff",
                                        "\xfe",
                                        "\xc0\x80",
                                        "\xed\xa0\x80",
                                        "\xf4\x90\x80\x80",
                                        "\x80",
                                        "\xe2\x82",
                                        QByteArray(1, '\0'),
                                        "01>",
                                        "\r\n",
                                        "UNLOCKED",
                                        "ERASED",
                                        "<VER>",
                                        "</VER>" };
        QByteArray chunk;
        for (int i = bounded(1, 12); i > 0; --i)
            chunk += pick(bad);
        c.chunks.append(chunk);
        break;
    }
    case LongTag: {
        const QByteArray tag = pick({ "VER", "BOOT" });
        const QByteArray filler = pick({ "9", "1.", "x", "\xff", "0" });
        c.chunks.append("\r\n<" + tag + ">" + filler.repeated(bounded(1000, 3900 / filler.size()))
                        + "</" + tag + ">\r\n");
        break;
    }
    case Huge: {
        QByteArray chunk;
        switch (bounded(0, 2)) {
        case 0:
            chunk = printable(HugeSize);
            break;
        case 1:
            chunk = randomBytes(HugeSize);
            break;
        default:
            chunk = QByteArray("UNLOCKED ERASED 01> <VER>").repeated(HugeSize / 25);
            break;
        }
        c.chunks.append(chunk);
        break;
    }
    }
    return c;
}
