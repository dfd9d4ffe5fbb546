#include "processmemory.h"

#include <QFile>

namespace {

qint64 statusField(const char *name)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    // The kernel reports a size of 0 for the file: read it whole rather than up to its "end".
    const QByteArray prefix = QByteArray(name) + ':';
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(prefix)) {
            // "VmRSS:     123456 kB"
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toLongLong();
        }
    }
    return -1;
}

} // namespace

qint64 ProcessMemory::residentKb()
{
    return statusField("VmRSS");
}

qint64 ProcessMemory::peakResidentKb()
{
    return statusField("VmHWM");
}

qint64 ProcessMemory::sanitizerOverheadKb()
{
#ifdef SNP_TEST_SANITIZED
    return 512 * 1024;
#else
    return 0;
#endif
}
