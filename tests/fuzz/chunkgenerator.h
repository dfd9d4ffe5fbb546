#ifndef CHUNKGENERATOR_H
#define CHUNKGENERATOR_H

#include <QByteArray>
#include <QList>
#include <QRandomGenerator>
#include <QString>

// One fuzz case for the receive handler: the chunks to send in order, each to arrive as a read
// of its own, and a name for the kind of input.
struct ChunkCase
{
    QString kind;
    QList<QByteArray> chunks;

    int size() const;
    QString describe(int maxBytesPerChunk = 120) const;
};

// Seeded generator of what a confused, noisy or hostile device could send: random bytes,
// printable junk, white space, prompts and tags cut across chunks, fragments and mixtures of
// the real answers with odd version numbers, invalid UTF-8, and (on request) huge chunks.
// The same seed gives the same cases.
class ChunkGenerator
{
public:
    enum Kind {
        RandomBytes,
        PrintableJunk,
        WhiteSpace,
        SplitPrompt,
        TagsAcrossChunks,
        AnswerFragments,
        RealAnswerSplit,
        InvalidUtf8,
        LongTag,
        KindCount,
        Huge = KindCount // only when asked for: 1 MB in one send
    };

    explicit ChunkGenerator(quint32 seed);

    ChunkCase next(); // one of the ordinary kinds, chosen at random
    ChunkCase make(Kind kind);

    static QString kindName(Kind kind);
    // Version texts a device might put in its tags, the odd ones included.
    static QList<QByteArray> versionTexts();
    // Hexadecimal version fields of the bootloader's answer to B, the odd ones included.
    static QList<QByteArray> hexVersions();

private:
    QByteArray randomBytes(int size);
    QByteArray printable(int size);
    QByteArray pick(const QList<QByteArray> &choices);
    QList<QByteArray> splitAtRandom(const QByteArray &bytes, int maxPieces);
    QByteArray realAnswer();
    int bounded(int lowest, int highest); // both included

    QRandomGenerator m_random;
};

#endif // CHUNKGENERATOR_H
