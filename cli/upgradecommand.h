#ifndef UPGRADECOMMAND_H
#define UPGRADECOMMAND_H

#include <QStringList>

// snp300-upgrade as a whole: its command line, its record (the window's log folder and
// History.csv), its translations, and the station that runs the upgrades. Returns the exit
// status. Needs a QCoreApplication.
namespace UpgradeCommand {

int run(const QStringList &arguments);

} // namespace UpgradeCommand

#endif // UPGRADECOMMAND_H
