// style-gallery: renders a page of every widget the Corvane style draws, once
// per theme, to <folder>/<theme>.png. The styles come from the plugin's own
// factory, the only way to reach the unannounced "tidegauge" theme.

#include "gallerypage.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QPixmap>
#include <QPluginLoader>
#include <QStyle>
#include <QStylePlugin>
#include <QTextStream>

namespace {

int fail(const QString &message)
{
    QTextStream(stderr) << "style-gallery: " << message << '\n';
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("style-gallery"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Renders every widget the Corvane style draws to one PNG per theme."));
    parser.addHelpOption();
    const QCommandLineOption pluginOption(
        QStringLiteral("plugin"),
        QStringLiteral("The style plugin (default: styles/CorvaneStyle "
                       "next to this program)."),
        QStringLiteral("file"));
    parser.addOption(pluginOption);
    parser.addPositionalArgument(QStringLiteral("folder"),
                                 QStringLiteral("Where to write corvane.png, sextant.png and "
                                                "tidegauge.png."));
    parser.process(app);
    if (parser.positionalArguments().size() != 1)
        parser.showHelp(1);

    const QDir folder(parser.positionalArguments().constFirst());
    if (!folder.mkpath(QStringLiteral(".")))
        return fail(QStringLiteral("cannot create %1").arg(folder.path()));

    QPluginLoader loader(parser.isSet(pluginOption) ? parser.value(pluginOption)
                                                    : QApplication::applicationDirPath()
                                 + QLatin1String("/styles/CorvaneStyle"));
    auto *plugin = qobject_cast<QStylePlugin *>(loader.instance());
    if (!plugin)
        return fail(loader.errorString());

    for (const char *theme : { "corvane", "sextant", "tidegauge" }) {
        QStyle *style = plugin->create(QLatin1String(theme));
        if (!style)
            return fail(QStringLiteral("the plugin made no style for %1").arg(theme));
        // As the upgrader does it: the style, then its palette. The
        // application owns the style and deletes the previous one.
        QApplication::setStyle(style);
        QApplication::setPalette(style->standardPalette());

        GalleryPage page;
        page.setWindowTitle(QLatin1String(theme));
        page.show();
        page.setFocus(); // no child shows the focus look by accident
        QApplication::processEvents();

        const QString file = folder.filePath(QLatin1String(theme) + QLatin1String(".png"));
        if (!page.grab().save(file))
            return fail(QStringLiteral("cannot write %1").arg(file));
        QTextStream(stdout) << file << '\n';
    }
    return 0;
}
