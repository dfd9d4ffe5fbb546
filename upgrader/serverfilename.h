#ifndef SERVERFILENAME_H
#define SERVERFILENAME_H

#include <QString>

// The firmware server names the files it lists, and a downloaded image is stored in the Documents
// folder under that name: what the server sends is never trusted to be a plain file name.

// Whether a name from the server may be used as a file name in the Documents folder: a plain
// name with no path separator, drive, "." or ".." component, control character or reserved
// device name, so that it can never resolve outside that folder.
bool isSafeServerFileName(const QString &fileName);

// Whether a listed name is an image of the kind given by its service id: exactly three "_",
// ending in the service id, and safe to store.
bool isServerFileCandidate(const QString &fileName, const QString &serviceId);

#endif // SERVERFILENAME_H
