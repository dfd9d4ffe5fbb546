#ifndef FUZZHARNESS_H
#define FUZZHARNESS_H

#include <QByteArray>
#include <QList>
#include <QString>

// What both libFuzzer targets share: the application object on the offscreen platform, the
// seed inputs they write on request, and the way they report a broken promise.
namespace FuzzHarness {

// Creates the QApplication (once). With SNP_FUZZ_WRITE_SEEDS=<folder> in the environment the
// seeds are written there, one file each, and the process ends.
void start(int *argc, char ***argv, const QList<QByteArray> &seeds);

// Prints the message and aborts, which libFuzzer reports with the input.
[[noreturn]] void fail(const QString &message);

} // namespace FuzzHarness

#endif // FUZZHARNESS_H
