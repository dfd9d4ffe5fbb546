#include "corvanestyleplugin.h"

#include "corvanestyle.h"

QStyle *CorvaneStylePlugin::create(const QString &key)
{
    // Qt's factory hands over the key as the application spelled it.
    const QString name = key.toLower();
    if (name == QLatin1String("corvane"))
        return new CorvaneStyle(0);
    if (name == QLatin1String("sextant"))
        return new CorvaneStyle(1);
    if (name == QLatin1String("tidegauge"))
        return new CorvaneStyle(2);
    return nullptr;
}
