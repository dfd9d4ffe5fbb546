#include "testdata.h"
#include "sampleimage.h"

Snp300Options quickDevice(const QString &app, const QString &bootloader)
{
    Snp300Options options;
    options.appVersion = app;
    options.bootloaderVersion = bootloader;
    options.eraseDelayMs = 100;
    return options;
}

QByteArray hexImage(int lines)
{
    // Data records and the end-of-file record; below 64 KiB there is no address record.
    Q_ASSERT(lines >= 1 && lines <= 4097);
    return SampleImage::generate(lines - 1, quint32(lines));
}
