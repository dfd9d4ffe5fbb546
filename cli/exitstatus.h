#ifndef EXITSTATUS_H
#define EXITSTATUS_H

#include "deviceoutcome.h"

#include <QList>

// The exit statuses of snp300-upgrade, as its manual page and --help give them, and the rule
// that turns the devices' results into one.
namespace ExitStatus {

constexpr int Success = 0; // every device completed (some may have been up to date)
constexpr int Failure = 1; // a device was refused, failed or was interrupted
constexpr int NothingToDo = 2; // every device was up to date
constexpr int RunAgain = 3; // a bootloader was updated: restart the devices, run again
constexpr int Usage = 64; // a command line it cannot use (EX_USAGE of sysexits.h)

// A device that did not end well makes the whole run a failure, whatever the others did; a run
// without a single result is no success either.
int forResults(const QList<DeviceOutcome::Result> &results);

} // namespace ExitStatus

#endif // EXITSTATUS_H
