#ifndef CVCRUNLOG_H
#define CVCRUNLOG_H

#include <QDir>
#include <QString>

// The record every front end of the program keeps: the per-user data folder, its Logs folder
// with the logs of the last seven days, and this run's log file with its first line. The
// window's application object and snp300-upgrade start up through the same steps, so a station
// finds the logs of both in one place.
namespace CvcRunLog {

// <Documents>/<organisation>/<application>, from the application's identity.
QString dataFolderPath();

// Creates the data folder (into *dataDir) and its Logs folder, deletes logs older than seven
// days, opens this run's log file on the process's log engine and logs "<application>
// <version>". False, with a Fatal log line, when the data folder cannot be created.
bool open(QDir *dataDir, const QString &version);

} // namespace CvcRunLog

#endif // CVCRUNLOG_H
