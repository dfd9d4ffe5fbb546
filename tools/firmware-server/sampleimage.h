#ifndef SAMPLEIMAGE_H
#define SAMPLEIMAGE_H

#include <QByteArray>

// Test images in Intel HEX: data records of 16 pseudo-random bytes (43
// characters each) from address 0, an extended linear address record at each
// 64 KiB boundary, and the end-of-file record. The same seed always gives the
// same image.
namespace SampleImage {

QByteArray generate(int dataLines, quint32 seed, bool crlf = false);

// ":LLAAAATT<data>CC" with the two's complement checksum.
QByteArray record(quint16 address, quint8 type, const QByteArray &data);

} // namespace SampleImage

#endif // SAMPLEIMAGE_H
