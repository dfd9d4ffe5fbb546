#include "corvanestyle.h"

#include <QApplication>
#include <QImage>
#include <QStyleOption>

namespace {

// The standard pixmaps the style has its own artwork for. The message-box
// icons come as a 16 and a 32 pixel bitmap, the rest as one vector file.
struct IconFiles
{
    uint standardPixmap;
    const char *files[2];
};

const IconFiles iconFiles[] = {
    { QStyle::SP_TitleBarCloseButton, { ":Icons/svg/close.svg", nullptr } },
    { QStyle::SP_TitleBarNormalButton, { ":Icons/svg/normalwindow.svg", nullptr } },
    { QStyle::SP_MessageBoxInformation, { ":Icons/16x16/info.png", ":Icons/32x32/info.png" } },
    { QStyle::SP_MessageBoxWarning, { ":Icons/16x16/warn.png", ":Icons/32x32/warn.png" } },
    { QStyle::SP_MessageBoxCritical, { ":Icons/16x16/stop.png", ":Icons/32x32/stop.png" } },
    { QStyle::SP_MessageBoxQuestion, { ":Icons/16x16/question.png", ":Icons/32x32/question.png" } },
    { QStyle::SP_ArrowUp, { ":Icons/svg/ArrowUp.svg", nullptr } },
    { QStyle::SP_ArrowDown, { ":Icons/svg/ArrowDown.svg", nullptr } },
    { QStyle::SP_ArrowLeft, { ":Icons/svg/ArrowLeft.svg", nullptr } },
    { QStyle::SP_ArrowRight, { ":Icons/svg/ArrowRight.svg", nullptr } },
    { QStyle::SP_MediaPlay, { ":Icons/svg/MediaPlay.svg", nullptr } },
    { QStyle::SP_MediaPause, { ":Icons/svg/MediaPause.svg", nullptr } },
    { QStyle::SP_MediaSkipForward, { ":Icons/svg/SkipForward.svg", nullptr } },
    { QStyle::SP_MediaSkipBackward, { ":Icons/svg/SkipBackward.svg", nullptr } },
    // The style's own pixmaps, which applications ask for by these numbers.
    { QStyle::SP_CustomBase + 0, { ":Icons/svg/Settings.svg", nullptr } },
    { QStyle::SP_CustomBase + 1, { ":Icons/svg/plus.svg", nullptr } },
    { QStyle::SP_CustomBase + 2, { ":Icons/svg/edit.svg", nullptr } },
    { QStyle::SP_CustomBase + 3, { ":Icons/svg/Screenshot.svg", nullptr } },
    { QStyle::SP_CustomBase + 4, { ":Icons/svg/Menu.svg", nullptr } },
    { QStyle::SP_CustomBase + 5, { ":Icons/svg/Back.svg", nullptr } },
};

const IconFiles *iconFilesOf(uint standardPixmap)
{
    for (const IconFiles &entry : iconFiles) {
        if (entry.standardPixmap == standardPixmap)
            return &entry;
    }
    return nullptr;
}

QIcon iconFromFiles(const IconFiles &entry)
{
    QIcon icon;
    for (const char *file : entry.files) {
        // The null size lets the icon read each file's own size.
        if (file)
            icon.addFile(QLatin1String(file), QSize(), QIcon::Normal, QIcon::Off);
    }
    return icon;
}

// The artwork is drawn in white; only pixels that are exactly white take the
// tint, so antialiased edges keep their lighter shades.
void tintWhitePixels(QImage &image, QRgb tint)
{
    const QRgb rgbMask = 0x00ffffff;
    for (int y = 0; y < image.height(); ++y) {
        QRgb *pixel = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (QRgb *end = pixel + image.width(); pixel != end; ++pixel) {
            if ((*pixel & rgbMask) == rgbMask)
                *pixel = (*pixel & ~rgbMask) | (tint & rgbMask);
        }
    }
}

} // namespace

QIcon CorvaneStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption *option,
                                 const QWidget *widget) const
{
    const uint key = uint(standardIcon);
    const QIcon cached = m_iconCache.value(key);
    if (!cached.isNull())
        return cached;

    // The base style may ask this style for other icons while it works, so
    // no reference into the cache is held across the call.
    const IconFiles *files = iconFilesOf(key);
    const QIcon icon
        = files ? iconFromFiles(*files) : QProxyStyle::standardIcon(standardIcon, option, widget);
    // A null icon from the base is stored as well and asked for again next time.
    m_iconCache.insert(key, icon);
    return icon;
}

QPixmap CorvaneStyle::generatedIconPixmap(QIcon::Mode iconMode, const QPixmap &pixmap,
                                          const QStyleOption *option) const
{
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
    switch (iconMode) {
    case QIcon::Disabled:
        group = QPalette::Disabled;
        role = QPalette::Text;
        break;
    case QIcon::Active:
    case QIcon::Selected:
        group = QPalette::Active;
        role = QPalette::Highlight;
        break;
    default:
        return pixmap;
    }

    // Qt's icon engines always pass an option; other callers get the
    // application's colours.
    const QPalette palette = option ? option->palette : QApplication::palette();
    QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    tintWhitePixels(image, palette.color(group, role).rgb());
    return QPixmap::fromImage(image);
}
