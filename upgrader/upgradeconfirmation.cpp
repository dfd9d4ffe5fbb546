#include "upgradeconfirmation.h"

#include <QCoreApplication>

namespace UpgradeConfirmation {

// The texts stay in the window's translation context, so both front ends share its catalogue.
QString text(bool serverUsable, bool bootloader, const QString &appVersion,
             const QString &bootloaderVersion, const QString &availableVersion)
{
    if (!serverUsable) {
        return QCoreApplication::translate(
                   "SNPUpgrader",
                   "You are about to launch an update of your SNP300 firmware.\nYour device "
                   "firmware: %1\nFirmware Server is not available. Please check your Internet "
                   "Connection, Update is canceled")
            .arg(appVersion);
    }
    if (bootloader) {
        return QCoreApplication::translate(
                   "SNPUpgrader",
                   "You are about to start updating the bootloader on your SNP300.\nCurrent "
                   "version: %1\nAvailable version: %2\nThis operation can corrupt the device if "
                   "not done in appropriate conditions:\n\t- Make sure your device will not sleep "
                   "or lock during the 3 min update\n\t- Make sure the SNP300 is connected to a "
                   "power supply for the duration of the update\n\t- Don't try to run other "
                   "programs during the update.\n\t- Switch off any other nearby devices that "
                   "could possibly connect to the SNP300\n")
            .arg(bootloaderVersion, availableVersion);
    }
    return QCoreApplication::translate(
               "SNPUpgrader",
               "You are about to start updating the firmware on your SNP300.\nCurrent "
               "version: %1\nAvailable version: %2\nThis operation can corrupt the device if "
               "not done in appropriate conditions:\n\t- Make sure your device will not sleep "
               "or lock during the 3 min update\n\t- Make sure the SNP300 is connected to a "
               "power supply for the duration of the update\n\t- Don't try to run other "
               "programs during the update.\n\t- Switch off any other nearby devices that "
               "could possibly connect to the SNP300\n")
        .arg(appVersion, availableVersion);
}

} // namespace UpgradeConfirmation
