#ifndef SNPDURATIONS_H
#define SNPDURATIONS_H

// Every wait of the device dialogue and of the firmware-server client, in one place. A wait is
// changed here and nowhere else.
namespace SnpDurations {

// The device dialogue's watchdogs: a device that has not answered VER in this time is probed for
// its bootloader prompt, and a bootloader that has not answered the probe in this time is given
// up.
constexpr int WatchdogMs = 1000;

// Delays before a command that follows the answer the dialogue waited for.
constexpr int VersionRetryDelayMs = 500; // VER again, after the first answer was dropped
constexpr int BootloaderEntryDelayMs = 300; // the second STX, once the application has left
constexpr int CommandDelayMs = 100; // unlock, erase, erase confirmation, program

// While the bootloader dialogue runs, a device silent for this long is told to the operator.
constexpr int SilenceNoticeMs = 10000;

// snp300-upgrade gives up a device that has answered nothing for this long during its upgrade
// (its --silence-limit); the notice above comes first.
constexpr int DeviceGiveUpMs = 30000;

// After a first Ctrl+C during programming, a second one within this time stops snp300-upgrade.
constexpr int InterruptConfirmMs = 5000;
// A Windows console that is closing ends the process after about five seconds: this long is
// taken to close the ports and record the upgrades.
constexpr int ConsoleCloseWaitMs = 4500;

// Before the port closes, what is still to be written (CAN) may take this long to leave.
constexpr int FinalWriteDrainMs = 500;

// The firmware server: the list must be answered in this time, a download in this time.
constexpr int ListWaitMs = 5000;
constexpr int DownloadWaitMs = 50000;

// The time left on the progress bar is shown once programming has run this long, and renewed at
// most this often.
constexpr int TimeLeftShowAfterMs = 3000;
constexpr int TimeLeftRenewEveryMs = 1000;

// Windows side by side take turns at History.csv; a turn is waited for at most this long.
constexpr int HistoryLockWaitMs = 10000;

} // namespace SnpDurations

#endif // SNPDURATIONS_H
