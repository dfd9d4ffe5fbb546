#ifndef TESTDATA_H
#define TESTDATA_H

#include "snp300device.h"

#include <QByteArray>
#include <QString>

// What the tests of the window share: the simulated device most of them talk to, the first bytes
// the program sends it, and the images the firmware server offers.

// Sent on every connect; the device answers with its application and bootloader versions.
inline const QByteArray VersionRequest("VER\r\r\n");

// The server's names of the images newer than the device's application 1.2.9 and bootloader
// 1.0.14.
inline const QString Fmr130 = QStringLiteral("snp300_1_3_0.quenmarksnpfmr");
inline const QString Btl015 = QStringLiteral("snp300_1_0_15.quenmarksnpbtl");

// The simulated SNP300 with these versions, erasing in 100 ms instead of its 1.5 s.
Snp300Options quickDevice(const QString &app = QStringLiteral("1.2.9"),
                          const QString &bootloader = QStringLiteral("1.0.14"));

// An Intel HEX image of n lines (data records of 43 characters, then the end-of-file record),
// each ending in a line feed.
QByteArray hexImage(int lines);

#endif // TESTDATA_H
