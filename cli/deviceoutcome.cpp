#include "deviceoutcome.h"

QString DeviceOutcome::resultName(Result result)
{
    switch (result) {
    case Result::Completed:
        return QStringLiteral("completed");
    case Result::BootloaderUpdated:
        return QStringLiteral("bootloader-updated");
    case Result::UpToDate:
        return QStringLiteral("up-to-date");
    case Result::Refused:
        return QStringLiteral("refused");
    case Result::Failed:
        return QStringLiteral("failed");
    case Result::Interrupted:
        return QStringLiteral("interrupted");
    }
    return QStringLiteral("failed");
}
