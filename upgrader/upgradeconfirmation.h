#ifndef UPGRADECONFIRMATION_H
#define UPGRADECONFIRMATION_H

#include <QString>

// The question put to the operator before an upgrade starts, in the operator's language. The
// window shows it in its confirmation box, snp300-upgrade on the terminal: one text, one
// translation.
namespace UpgradeConfirmation {

// serverUsable false: the server gave no usable list, and the text says the update is cancelled
// (appVersion is the device's firmware). Otherwise the text for the bootloader or the
// application firmware, with the device's current version and the one available.
QString text(bool serverUsable, bool bootloader, const QString &appVersion,
             const QString &bootloaderVersion, const QString &availableVersion);

} // namespace UpgradeConfirmation

#endif // UPGRADECONFIRMATION_H
