#include "corvanestyletheme.h"

namespace {

struct ThemeKey
{
    CorvaneStyleTheme theme;
    const char *key;
};

// The keys the plugin's factory accepts. Only "corvane" and "sextant" are
// announced to Qt's style factory (CorvaneStyle.json): "tidegauge" is reached
// through the plugin's own factory alone.
const ThemeKey themeKeys[] = {
    { CorvaneStyleTheme::Corvane, "corvane" },
    { CorvaneStyleTheme::Sextant, "sextant" },
    { CorvaneStyleTheme::Tidegauge, "tidegauge" },
};

} // namespace

std::optional<CorvaneStyleTheme> corvaneStyleThemeForKey(const QString &key)
{
    // Qt's factory hands over the key as the application spelled it.
    const QString name = key.toLower();
    for (const ThemeKey &entry : themeKeys) {
        if (name == QLatin1String(entry.key))
            return entry.theme;
    }
    return std::nullopt;
}
