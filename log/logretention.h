#ifndef CVC_LOGRETENTION_H
#define CVC_LOGRETENTION_H

class QDateTime;
class QString;

namespace cvc {

// Deletes every entry directly inside folderPath, whatever its name, that was created strictly
// before cutOff. What cannot be deleted (sub-folders, locked files) stays, silently.
void deleteEntriesCreatedBefore(const QString &folderPath, const QDateTime &cutOff);

} // namespace cvc

#endif // CVC_LOGRETENTION_H
