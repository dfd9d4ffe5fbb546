#ifndef QNOFLOATSETTINGS_H
#define QNOFLOATSETTINGS_H

#include <QSettings>

// The program's settings: the native per-user store under the organisation and application
// names of the running application.
class QNoFloatSettings : public QSettings
{
public:
    QNoFloatSettings();
};

#endif // QNOFLOATSETTINGS_H
