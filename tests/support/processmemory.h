#ifndef PROCESSMEMORY_H
#define PROCESSMEMORY_H

#include <QtGlobal>

// Memory of this process as the kernel reports it (Linux /proc/self/status), in KiB; -1 where
// the figure is not available.
namespace ProcessMemory {
qint64 residentKb(); // VmRSS
qint64 peakResidentKb(); // VmHWM
// What a sanitizer build keeps resident besides the program's own memory (freed blocks held in
// quarantine, shadow memory), to be added to memory bounds; 0 in other builds.
qint64 sanitizerOverheadKb();
} // namespace ProcessMemory

#endif // PROCESSMEMORY_H
