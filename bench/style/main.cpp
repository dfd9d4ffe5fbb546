// Renders one widget gallery offscreen with the Corvane style (theme sextant, through its plugin),
// Qt's "Windows" style (the Corvane style's base) and "Fusion", in turns, and prints the time per
// render of each and their ratios.
//
//   bench-style [--renders K] [--rounds R]

#include "benchreport.h"
#include "widgetgallery.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QImage>
#include <QStyle>
#include <QStyleFactory>
#include <QTextStream>
#include <memory>
#include <vector>

using namespace BenchReport;

namespace {

const int WarmUpRenders = 20;
const int SettleRenders = 5; // after each change of style, untimed
const double FusionTarget = 0.8;

struct StyleUnderTest
{
    QString label;
    std::unique_ptr<QStyle> style;
    QList<double> msPerRender; // one entry per round
};

[[noreturn]] void fail(const QString &message)
{
    QTextStream(stderr) << "bench-style: " << message << Qt::endl;
    ::exit(1);
}

void quietMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtDebugMsg || message.contains(QLatin1String("propagateSizeHints"))
        || message.contains(QLatin1String("XDG_RUNTIME_DIR")))
        return;
    QTextStream(stderr) << message << Qt::endl;
}

void render(WidgetGallery &gallery, QImage &image, int times)
{
    for (int i = 0; i < times; ++i)
        gallery.render(&image);
}

double msPerRender(WidgetGallery &gallery, QImage &image, int renders)
{
    QElapsedTimer clock;
    clock.start();
    render(gallery, image, renders);
    return clock.nsecsElapsed() / 1e6 / renders;
}

// The Corvane style comes from the plugin through Qt's style factory; its meta-object is
// QProxyStyle's, which no built-in style has.
std::unique_ptr<QStyle> corvaneStyle()
{
    std::unique_ptr<QStyle> style(QStyleFactory::create(QStringLiteral("sextant")));
    if (!style || qstrcmp(style->metaObject()->className(), "QProxyStyle") != 0)
        fail(QStringLiteral("the Corvane style plugin was not found in %1/styles")
                 .arg(QCoreApplication::applicationDirPath()));
    return style;
}

std::unique_ptr<QStyle> builtInStyle(const QString &key)
{
    std::unique_ptr<QStyle> style(QStyleFactory::create(key));
    if (!style)
        fail(QStringLiteral("Qt has no style %1").arg(key));
    return style;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietMessages);
    QApplication app(argc, argv);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Times renders of a widget gallery per style."));
    parser.addHelpOption();
    const QCommandLineOption rendersOption(QStringLiteral("renders"),
                                           QStringLiteral("Renders per style and round."),
                                           QStringLiteral("K"), QStringLiteral("200"));
    const QCommandLineOption roundsOption(QStringLiteral("rounds"),
                                          QStringLiteral("Rounds; the styles take turns."),
                                          QStringLiteral("R"), QStringLiteral("5"));
    const QCommandLineOption saveOption(QStringLiteral("save"),
                                        QStringLiteral("Save one render per style as PNG here."),
                                        QStringLiteral("folder"));
    parser.addOptions({ rendersOption, roundsOption, saveOption });
    parser.process(app);
    const int renders = parser.value(rendersOption).toInt();
    const int rounds = parser.value(roundsOption).toInt();
    if (renders < 1 || rounds < 1)
        fail(QStringLiteral("--renders and --rounds must be positive"));

    std::vector<StyleUnderTest> styles;
    styles.push_back({ QStringLiteral("Corvane (sextant)"), corvaneStyle(), {} });
    styles.push_back({ QStringLiteral("Windows"), builtInStyle(QStringLiteral("Windows")), {} });
    styles.push_back({ QStringLiteral("Fusion"), builtInStyle(QStringLiteral("Fusion")), {} });

    WidgetGallery gallery;
    gallery.show();
    QApplication::processEvents();
    QImage image(gallery.size(), QImage::Format_ARGB32_Premultiplied);

    for (StyleUnderTest &entry : styles) {
        gallery.applyStyle(entry.style.get());
        render(gallery, image, WarmUpRenders);
        if (parser.isSet(saveOption)) {
            const QString name = entry.label.section(QLatin1Char(' '), 0, 0).toLower();
            image.save(parser.value(saveOption) + QStringLiteral("/gallery-%1.png").arg(name));
        }
    }
    // Each round starts with another style, so that no style always follows the same one.
    for (int round = 0; round < rounds; ++round) {
        for (size_t i = 0; i < styles.size(); ++i) {
            StyleUnderTest &entry = styles.at((round + i) % styles.size());
            gallery.applyStyle(entry.style.get());
            render(gallery, image, SettleRenders);
            entry.msPerRender << msPerRender(gallery, image, renders);
        }
    }

    heading(QStringLiteral("bench-style: QWidget::render of a %1x%2 widget gallery into a QImage, "
                           "offscreen, %3 renders x %4 rounds per style (median)")
                .arg(image.width())
                .arg(image.height())
                .arg(renders)
                .arg(rounds));
    machine();
    for (const StyleUnderTest &entry : styles) {
        QStringList each;
        for (double ms : entry.msPerRender)
            each << QString::number(ms, 'f', 3);
        figure(entry.label, median(entry.msPerRender),
               QStringLiteral("ms per render (rounds: %1)").arg(each.join(QStringLiteral(", "))),
               3);
    }
    const double corvane = median(styles.at(0).msPerRender);
    const double windows = median(styles.at(1).msPerRender);
    const double fusion = median(styles.at(2).msPerRender);
    ratio(QStringLiteral("Corvane / Fusion"), corvane / fusion, FusionTarget, true);
    text(QStringLiteral("Corvane / Windows (its base style)"),
         QStringLiteral("ratio %1 (no target)").arg(corvane / windows, 0, 'f', 2));
    return 0;
}
