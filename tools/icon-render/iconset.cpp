#include "iconset.h"

#include "svgraster.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QSvgRenderer>
#include <QTextStream>
#include <QXmlStreamReader>

namespace {

const QString white = QStringLiteral("#FFFFFF");
const QString black = QStringLiteral("#000000");

QString sizeFolder(int size)
{
    return QStringLiteral("%1x%1").arg(size);
}

bool readFile(const QString &path, QByteArray *contents)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *contents = file.readAll();
    return true;
}

// Every paint of the icon (fill, stroke, gradient stop) must be the one
// colour of its set, so the style's tinting, which recolours exactly the
// pure white pixels, catches all of a white icon.
bool checkPaints(const QByteArray &svg, const QString &colour, QString *problem)
{
    static const QStringList paintAttributes
        = { QStringLiteral("fill"), QStringLiteral("stroke"), QStringLiteral("stop-color"),
            QStringLiteral("color") };
    QXmlStreamReader reader(svg);
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        for (const QXmlStreamAttribute &attribute : reader.attributes()) {
            const QString name = attribute.name().toString();
            const QString value = attribute.value().toString();
            if (name == QLatin1String("style")) {
                *problem = QStringLiteral("uses a style attribute");
                return false;
            }
            if (paintAttributes.contains(name) && value != colour
                && value != QLatin1String("none")) {
                *problem = QStringLiteral("paints with %1=\"%2\"").arg(name, value);
                return false;
            }
        }
    }
    if (reader.hasError()) {
        *problem = QStringLiteral("is not well-formed: %1").arg(reader.errorString());
        return false;
    }
    return true;
}

bool checkVectorIcon(const QString &path, const QString &colour, QTextStream &out)
{
    QByteArray svg;
    if (!readFile(path, &svg)) {
        out << "  FAIL: " << path << " is missing\n";
        return false;
    }
    QString problem;
    if (!checkPaints(svg, colour, &problem)) {
        out << "  FAIL: " << path << ' ' << problem << '\n';
        return false;
    }
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) {
        out << "  FAIL: " << path << " does not load\n";
        return false;
    }
    if (renderer.defaultSize() != QSize(16, 16)
        || renderer.viewBoxF().width() != renderer.viewBoxF().height()) {
        out << "  FAIL: " << path << " is not a square 16 x 16 icon\n";
        return false;
    }
    return true;
}

bool checkMessageBoxIcon(const QString &path, int size, QTextStream &out)
{
    QImage image;
    if (!image.load(path)) {
        out << "  FAIL: " << path << " is missing or unreadable\n";
        return false;
    }
    if (image.size() != QSize(size, size) || !image.hasAlphaChannel()) {
        out << "  FAIL: " << path << " is not a " << size << " px image with alpha\n";
        return false;
    }
    if (qAlpha(image.pixel(0, 0)) != 0 || qAlpha(image.pixel(size - 1, size - 1)) != 0) {
        out << "  FAIL: " << path << " has no transparent corners\n";
        return false;
    }
    return true;
}

} // namespace

namespace IconSet {

const QStringList &vectorIconNames()
{
    static const QStringList names = {
        QStringLiteral("ArrowDown"),    QStringLiteral("ArrowLeft"),   QStringLiteral("ArrowRight"),
        QStringLiteral("ArrowUp"),      QStringLiteral("Back"),        QStringLiteral("close"),
        QStringLiteral("edit"),         QStringLiteral("MediaPause"),  QStringLiteral("MediaPlay"),
        QStringLiteral("SkipBackward"), QStringLiteral("SkipForward"), QStringLiteral("Menu"),
        QStringLiteral("normalwindow"), QStringLiteral("plus"),        QStringLiteral("Screenshot"),
        QStringLiteral("Settings"),
    };
    return names;
}

const QStringList &messageBoxIconNames()
{
    static const QStringList names = { QStringLiteral("info"), QStringLiteral("warn"),
                                       QStringLiteral("stop"), QStringLiteral("question") };
    return names;
}

const QList<int> &messageBoxIconSizes()
{
    static const QList<int> sizes = { 16, 32 };
    return sizes;
}

bool writeBlackCopies(const QString &iconsDir, QTextStream &out)
{
    const QDir dir(iconsDir);
    if (!dir.mkpath(QStringLiteral("svg-black"))) {
        out << "cannot create " << dir.filePath(QStringLiteral("svg-black")) << '\n';
        return false;
    }
    for (const QString &name : vectorIconNames()) {
        const QString fileName = name + QStringLiteral(".svg");
        QByteArray svg;
        if (!readFile(dir.filePath(QStringLiteral("svg/") + fileName), &svg)) {
            out << "cannot read svg/" << fileName << '\n';
            return false;
        }
        svg.replace(white.toLatin1(), black.toLatin1());
        QFile file(dir.filePath(QStringLiteral("svg-black/") + fileName));
        if (!file.open(QIODevice::WriteOnly) || file.write(svg) != svg.size()) {
            out << "cannot write " << file.fileName() << '\n';
            return false;
        }
        out << "wrote svg-black/" << fileName << '\n';
    }
    return true;
}

bool renderMessageBoxIcons(const QString &iconsDir, QTextStream &out)
{
    const QDir dir(iconsDir);
    for (int size : messageBoxIconSizes()) {
        const QString folder = sizeFolder(size);
        if (!dir.mkpath(folder)) {
            out << "cannot create " << dir.filePath(folder) << '\n';
            return false;
        }
        for (const QString &name : messageBoxIconNames()) {
            const QString source
                = dir.filePath(QStringLiteral("sources/%1/%2.svg").arg(folder, name));
            const QString target = dir.filePath(QStringLiteral("%1/%2.png").arg(folder, name));
            QString error;
            const QImage image = rasteriseSvgFile(source, QSize(size, size), &error);
            if (image.isNull()) {
                out << error << '\n';
                return false;
            }
            if (!image.save(target, "PNG")) {
                out << "cannot write " << target << '\n';
                return false;
            }
            out << "wrote " << folder << '/' << name << ".png\n";
        }
    }
    return true;
}

bool check(const QString &iconsDir, QTextStream &out)
{
    const QDir dir(iconsDir);
    bool ok = true;
    for (const QString &name : vectorIconNames()) {
        const QString fileName = name + QStringLiteral(".svg");
        ok &= checkVectorIcon(dir.filePath(QStringLiteral("svg/") + fileName), white, out);
        ok &= checkVectorIcon(dir.filePath(QStringLiteral("svg-black/") + fileName), black, out);
    }
    out << "  " << vectorIconNames().size() << " white and " << vectorIconNames().size()
        << " black vector icons checked\n";
    for (int size : messageBoxIconSizes()) {
        for (const QString &name : messageBoxIconNames()) {
            ok &= checkMessageBoxIcon(
                dir.filePath(QStringLiteral("%1/%2.png").arg(sizeFolder(size), name)), size, out);
        }
    }
    out << "  " << messageBoxIconNames().size() * messageBoxIconSizes().size()
        << " message-box PNGs checked\n";
    return ok;
}

} // namespace IconSet
