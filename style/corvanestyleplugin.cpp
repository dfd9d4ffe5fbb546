#include "corvanestyleplugin.h"

#include "corvanestyle.h"
#include "corvanestyletheme.h"

QStyle *CorvaneStylePlugin::create(const QString &key)
{
    const std::optional<CorvaneStyleTheme> theme = corvaneStyleThemeForKey(key);
    return theme ? new CorvaneStyle(*theme) : nullptr;
}
