#ifndef VERSIONNUMBER_H
#define VERSIONNUMBER_H

#include <QString>

// Every version comparison is made on one integer: major * 1000 + minor * 100 + patch.
// A field that does not read as a decimal number counts as 0, a missing field too.

// Number of a version text reported by the device, such as "1.0.14" (1014).
int versionNumber(const QString &version);

// Number of a server file name such as "snp300_1_2_3.quenmarksnpfmr" (1203): the part before
// the first "." is split on "_", and fields two to four are major, minor and patch.
int serverFileVersionNumber(const QString &fileName);

// Version text of a server file name, the fields copied as written: "snp300_01_02_003.x" gives
// "01.02.003". A field the name does not have is empty.
QString serverFileVersionText(const QString &fileName);

// Whether the head of a server file name has more than two "_"-fields, the condition under which
// serverFileVersionText() is meaningful.
bool hasServerFileVersion(const QString &fileName);

// Ordering for sorting server file names newest first.
bool newerServerFileFirst(const QString &a, const QString &b);

#endif // VERSIONNUMBER_H
