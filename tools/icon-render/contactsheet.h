#ifndef CONTACTSHEET_H
#define CONTACTSHEET_H

#include <QImage>
#include <QString>

// Review images of the icon set below an Icons/ folder.
namespace ContactSheet {

// White icons on the dark grounds (also tinted the way the style tints
// disabled and selected icons), black icons on a light ground, and the
// message-box PNGs on dark, blue and light grounds, at several sizes.
QImage paintOverview(const QString &iconsDir);
// The 16 px renderings magnified pixel by pixel, to judge edges and balance.
QImage paintZoomed(const QString &iconsDir, int zoom);

} // namespace ContactSheet

#endif // CONTACTSHEET_H
