#ifndef DEVICEOUTCOME_H
#define DEVICEOUTCOME_H

#include <QByteArray>
#include <QList>
#include <QString>

// How the upgrade of one device ended, as snp300-upgrade reports it.
struct DeviceOutcome
{
    enum class Result {
        Completed, // the application image is programmed and running
        BootloaderUpdated, // the bootloader is programmed: restart the device, run again
        UpToDate, // nothing newer to program
        Refused, // the image is damaged or unreadable; nothing was sent
        Failed, // the upgrade could not start (port, device, server, operator)
        Interrupted // stopped, or the device went silent or away, during the upgrade
    };

    Result result = Result::Failed;
    QString cause; // empty for Completed, BootloaderUpdated and UpToDate
    QString appBefore;
    QString bootloaderBefore;
    QString image; // the image's full path; empty when none was chosen
    QByteArray sha256; // hexadecimal
    double seconds = 0; // from the upgrade's first byte to its end

    // "completed", "bootloader-updated", "up-to-date", "refused", "failed", "interrupted"
    static QString resultName(Result result);
};

#endif // DEVICEOUTCOME_H
