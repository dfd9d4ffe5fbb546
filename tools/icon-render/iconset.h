#ifndef ICONSET_H
#define ICONSET_H

#include <QStringList>

class QTextStream;

// The style's icon files below its Icons/ folder: sixteen vector icons in a
// white set (svg/) and a black set (svg-black/), and four message-box icons
// rendered from vector sources (sources/<n>x<n>/) to PNG (<n>x<n>/).
namespace IconSet {

const QStringList &vectorIconNames();
const QStringList &messageBoxIconNames();
const QList<int> &messageBoxIconSizes();

// Writes each white icon again with black in place of white.
bool writeBlackCopies(const QString &iconsDir, QTextStream &out);
// Renders every message-box source to its PNG.
bool renderMessageBoxIcons(const QString &iconsDir, QTextStream &out);
// Checks names, sizes and colours of both vector sets and the PNGs.
bool check(const QString &iconsDir, QTextStream &out);

} // namespace IconSet

#endif // ICONSET_H
