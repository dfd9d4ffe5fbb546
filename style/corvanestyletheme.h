#ifndef CORVANESTYLETHEME_H
#define CORVANESTYLETHEME_H

#include <QString>

#include <optional>

// The style's colour themes. The factory key picks one when the style is
// made; a style keeps its theme for life.
enum class CorvaneStyleTheme { Corvane, Sextant, Tidegauge };

// The theme a factory key names, in any case ("Sextant" as an application
// spells it, "sextant"), or none for a key of another style.
std::optional<CorvaneStyleTheme> corvaneStyleThemeForKey(const QString &key);

#endif // CORVANESTYLETHEME_H
