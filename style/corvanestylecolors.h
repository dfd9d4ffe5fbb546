#ifndef CORVANESTYLECOLORS_H
#define CORVANESTYLECOLORS_H

#include "corvanestyletheme.h"

#include <QRgb>

// The style's fixed colours in one table, the companion of the sizes in
// corvanestylemetrics.h. Each theme is three colours (and two for text on
// them) from which standardPalette() derives the whole palette; the drawing
// takes its colours from the option's palette by role, and shades them where
// it draws a gradient. The only colours the drawing fixes itself are the
// translucent white and black overlays below, which lighten or darken
// whatever palette they lie on.
struct CorvaneStyleColors
{
    // The colours a theme is made of.
    struct Theme
    {
        QRgb base; // window and buttons; light, mid, dark and disabled text are its shades
        QRgb foreground; // window text and text
        QRgb brightText;
        QRgb highlight;
        QRgb highlightedText;
    };

    static constexpr Theme theme(CorvaneStyleTheme which)
    {
        switch (which) {
        case CorvaneStyleTheme::Sextant:
            return { qRgb(28, 86, 147), qRgb(244, 243, 244), qRgb(244, 243, 244), qRgb(28, 86, 147),
                     qRgb(255, 255, 255) };
        case CorvaneStyleTheme::Tidegauge:
            return { qRgb(244, 243, 244), qRgb(33, 33, 33), qRgb(255, 255, 255),
                     qRgb(145, 145, 147), qRgb(0, 0, 0) };
        case CorvaneStyleTheme::Corvane:
            break;
        }
        return { qRgb(68, 68, 68), qRgb(255, 255, 255), qRgb(255, 255, 255), qRgb(253, 238, 36),
                 qRgb(0, 0, 0) };
    }

    // The palette's shades of the base colour, as QColor::lighter() and
    // QColor::darker() factors.
    static constexpr int Palette_LightFactor = 150; // lighter
    static constexpr int Palette_MidFactor = 150; // darker
    static constexpr int Palette_DarkFactor = 200; // darker
    static constexpr int Palette_DisabledTextFactor = 200; // lighter
    // The background of text entries, black in every theme, the light one
    // included.
    static constexpr QRgb Palette_Base = qRgb(0, 0, 0);
    // Placeholder text is the foreground at this opacity.
    static constexpr int Palette_PlaceholderAlpha = 128;

    // Push buttons: the gloss on the upper half of a highlighted face, from
    // its bottom to its top; a flat button's dark fill while not hovered.
    static constexpr QRgb PushButton_GlossBottom = qRgba(255, 255, 255, 64);
    static constexpr QRgb PushButton_GlossTop = qRgba(255, 255, 255, 196);
    static constexpr int PushButton_FlatFillAlpha = 128;

    // Auto-raise tool buttons: a soft white halo around a dark outline.
    static constexpr QRgb ToolButton_Halo = qRgba(255, 255, 255, 48);
    static constexpr QRgb ToolButton_Outline = qRgba(0, 0, 0, 128);
};

#endif // CORVANESTYLECOLORS_H
