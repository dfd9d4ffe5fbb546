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
