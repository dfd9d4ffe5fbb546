#include "qnofloatsettings.h"

QNoFloatSettings::QNoFloatSettings()
    : QSettings(nullptr)
{ }
