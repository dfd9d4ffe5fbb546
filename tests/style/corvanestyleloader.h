#ifndef CORVANESTYLELOADER_H
#define CORVANESTYLELOADER_H

#include <QCoreApplication>
#include <QPluginLoader>
#include <QStyle>
#include <QStylePlugin>

// The built plugin as Qt finds it: the tests run from bin/, the plugin sits in
// bin/styles/. The loader adds the platform's prefix and suffix.
inline QString corvaneStylePluginPath()
{
    return QCoreApplication::applicationDirPath() + QLatin1String("/styles/CorvaneStyle");
}

// The factory key of each theme, indexed by the theme number.
inline QString corvaneThemeKey(int theme)
{
    static const char *const keys[] = { "corvane", "sextant", "tidegauge" };
    return QLatin1String(keys[theme]);
}

// Loads the plugin once for the whole test program and keeps it loaded.
inline QStylePlugin *corvaneStylePlugin()
{
    static QPluginLoader loader(corvaneStylePluginPath());
    return qobject_cast<QStylePlugin *>(loader.instance());
}

// A new style of the given theme, made by the plugin's own factory (the only
// way to reach "tidegauge"). The caller owns it.
inline QStyle *createCorvaneStyle(int theme)
{
    QStylePlugin *plugin = corvaneStylePlugin();
    return plugin ? plugin->create(corvaneThemeKey(theme)) : nullptr;
}

#endif // CORVANESTYLELOADER_H
