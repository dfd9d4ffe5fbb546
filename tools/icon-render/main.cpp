// icon-render: renders and checks the Corvane style's artwork.
// Run without arguments for the list of commands.

#include "contactsheet.h"
#include "iconset.h"
#include "indicatorsheet.h"
#include "svgraster.h"

#include <QDir>
#include <QGuiApplication>
#include <QSvgRenderer>
#include <QTextStream>

namespace {

const char usage[]
    = "usage: icon-render <command> <arguments>\n"
      "  check STYLE_DIR                 check the indicator sheet and all icons\n"
      "  messagebox ICONS_DIR            render sources/<n>x<n>/*.svg to <n>x<n>/*.png\n"
      "  black ICONS_DIR                 write svg-black/ from svg/ (white becomes black)\n"
      "  render IN.svg OUT.png SIZE [ZOOM]  render one SVG at SIZE px, magnified by ZOOM\n"
      "  sheet SHEET.svg OUT.png SCALE   render the whole indicator sheet SCALE times\n"
      "  indicators SHEET.svg OUT.png [ZOOM]  paint check, radio and slider indicators;\n"
      "                                  with ZOOM only the small sizes, magnified\n"
      "  contact ICONS_DIR OUT.png       contact sheet of all icons\n"
      "  zoom ICONS_DIR OUT.png [ZOOM]   16 px icons magnified pixel by pixel\n";

bool toPositive(const QString &text, int *value)
{
    bool ok = false;
    *value = text.toInt(&ok);
    return ok && *value > 0;
}

bool save(const QImage &image, const QString &path, QTextStream &out)
{
    if (image.isNull() || !image.save(path, "PNG")) {
        out << "cannot write " << path << '\n';
        return false;
    }
    out << "wrote " << path << " (" << image.width() << " x " << image.height() << ")\n";
    return true;
}

bool checkStyleDir(const QString &styleDir, QTextStream &out)
{
    const QDir dir(styleDir);
    IndicatorSheet sheet;
    out << "indicator sheet:\n";
    sheet.load(dir.filePath(QStringLiteral("CorvaneStyle.svg")));
    bool ok = sheet.check(out);
    out << "icons:\n";
    ok &= IconSet::check(dir.filePath(QStringLiteral("Icons")), out);
    out << (ok ? "all good\n" : "problems found\n");
    return ok;
}

bool renderOne(const QStringList &args, QTextStream &out)
{
    int size = 0;
    int zoom = 1;
    if (!toPositive(args.at(3), &size) || (args.size() > 4 && !toPositive(args.at(4), &zoom))) {
        out << usage;
        return false;
    }
    QString error;
    const QImage image = rasteriseSvgFile(args.at(1), QSize(size, size), &error);
    if (image.isNull()) {
        out << error << '\n';
        return false;
    }
    return save(image.scaled(image.size() * zoom, Qt::IgnoreAspectRatio, Qt::FastTransformation),
                args.at(2), out);
}

bool renderSheet(const QStringList &args, QTextStream &out)
{
    int scale = 0;
    QSvgRenderer renderer;
    if (!toPositive(args.at(3), &scale) || !renderer.load(args.at(1))) {
        out << "cannot load " << args.at(1) << " or bad scale\n";
        return false;
    }
    return save(rasteriseSvg(renderer, renderer.defaultSize() * scale), args.at(2), out);
}

bool paintIndicators(const QStringList &args, QTextStream &out)
{
    IndicatorSheet sheet;
    if (!sheet.load(args.at(1))) {
        out << "cannot load " << args.at(1) << '\n';
        return false;
    }
    if (args.size() == 3)
        return save(sheet.paintPreview({ 13, 16, 20, 32, 48 }), args.at(2), out);
    int zoom = 0;
    if (!toPositive(args.at(3), &zoom)) {
        out << usage;
        return false;
    }
    const QImage preview = sheet.paintPreview({ 13, 16, 20 });
    return save(
        preview.scaled(preview.size() * zoom, Qt::IgnoreAspectRatio, Qt::FastTransformation),
        args.at(2), out);
}

bool run(const QStringList &args, QTextStream &out)
{
    const QString command = args.value(0);
    const int count = args.size();
    if (command == QLatin1String("check") && count == 2)
        return checkStyleDir(args.at(1), out);
    if (command == QLatin1String("messagebox") && count == 2)
        return IconSet::renderMessageBoxIcons(args.at(1), out);
    if (command == QLatin1String("black") && count == 2)
        return IconSet::writeBlackCopies(args.at(1), out);
    if (command == QLatin1String("render") && (count == 4 || count == 5))
        return renderOne(args, out);
    if (command == QLatin1String("sheet") && count == 4)
        return renderSheet(args, out);
    if (command == QLatin1String("indicators") && (count == 3 || count == 4))
        return paintIndicators(args, out);
    if (command == QLatin1String("contact") && count == 3)
        return save(ContactSheet::paintOverview(args.at(1)), args.at(2), out);
    if (command == QLatin1String("zoom") && (count == 3 || count == 4)) {
        int zoom = 8;
        if (count == 4 && !toPositive(args.at(3), &zoom)) {
            out << usage;
            return false;
        }
        return save(ContactSheet::paintZoomed(args.at(1), zoom), args.at(2), out);
    }
    out << usage;
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    // A console tool: paint off screen unless told otherwise.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    return run(app.arguments().mid(1), out) ? 0 : 1;
}
