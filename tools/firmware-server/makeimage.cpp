// snp300-make-image: writes a sample image in Intel HEX (see SampleImage).

#include "sampleimage.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Writes a sample SNP300 image in Intel HEX."));
    parser.addHelpOption();
    parser.addOptions({
        { QStringLiteral("lines"), QStringLiteral("Number of data records."), QStringLiteral("n"),
          QStringLiteral("300") },
        { QStringLiteral("seed"), QStringLiteral("Seed of the data bytes."), QStringLiteral("seed"),
          QStringLiteral("1") },
        { QStringLiteral("crlf"), QStringLiteral("End lines with CR LF instead of LF.") },
    });
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("The image file to write."));
    parser.process(app);

    bool linesOk = false;
    bool seedOk = false;
    const int lines = parser.value(QStringLiteral("lines")).toInt(&linesOk);
    const quint32 seed = parser.value(QStringLiteral("seed")).toUInt(&seedOk);
    if (!linesOk || lines < 0 || !seedOk || parser.positionalArguments().size() != 1)
        parser.showHelp(2);

    QFile file(parser.positionalArguments().first());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(SampleImage::generate(lines, seed, parser.isSet(QStringLiteral("crlf"))))
            < 0) {
        std::fprintf(stderr, "snp300-make-image: cannot write %s\n", qPrintable(file.fileName()));
        return 1;
    }
    return 0;
}
