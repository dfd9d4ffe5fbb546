#include "indicatorsheet.h"

#include <QPainter>
#include <QPalette>
#include <QTextStream>

#include <cmath>

namespace {

const QSize sheetSize(46, 35);
const int previewGap = 10;
const int previewCellsPerSize = 7;

QString describe(const QRectF &r)
{
    return QStringLiteral("x %1 .. %2, y %3 .. %4 (%5 x %6)")
        .arg(r.left(), 0, 'f', 2)
        .arg(r.right(), 0, 'f', 2)
        .arg(r.top(), 0, 'f', 2)
        .arg(r.bottom(), 0, 'f', 2)
        .arg(r.width(), 0, 'f', 2)
        .arg(r.height(), 0, 'f', 2);
}

bool nearlyEqual(qreal a, qreal b)
{
    return std::abs(a - b) < 0.01;
}

// The palette the style builds for one theme from its base colour.
QPalette themePalette(const QColor &base, const QColor &foreground, const QColor &highlight)
{
    QPalette palette;
    for (QPalette::ColorGroup group : { QPalette::Active, QPalette::Inactive }) {
        palette.setColorGroup(group, foreground, base, base.lighter(150), base.darker(200),
                              base.darker(150), foreground, Qt::white, Qt::black, base);
    }
    const QColor disabledText = base.lighter(200);
    palette.setColorGroup(QPalette::Disabled, disabledText, base, base.lighter(150),
                          base.darker(200), base.darker(150), disabledText, Qt::white,
                          base.darker(150), base);
    palette.setColor(QPalette::Highlight, highlight);
    return palette;
}

void paintDisc(QPainter *painter, const QPalette &palette, const QRectF &rect)
{
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(palette.midlight());
    painter->drawEllipse(rect);
    painter->setPen(palette.dark().color());
    painter->setBrush(palette.mid());
    painter->drawEllipse(rect.adjusted(1.5, 1.5, -1.5, -1.5));
}

} // namespace

const QStringList &IndicatorSheet::elementIds()
{
    static const QStringList ids
        = { QStringLiteral("checkbox"), QStringLiteral("checkmark"), QStringLiteral("radiobutton"),
            QStringLiteral("radiomark"), QStringLiteral("sliderhandle") };
    return ids;
}

bool IndicatorSheet::load(const QString &path)
{
    return m_renderer.load(path) && m_renderer.isValid();
}

QRectF IndicatorSheet::documentBounds(const QString &id) const
{
    return m_renderer.transformForElement(id).mapRect(m_renderer.boundsOnElement(id));
}

QRectF IndicatorSheet::mapElementRect(const QRectF &target, const QString &frameId,
                                      const QString &elementId) const
{
    const QRectF frame = documentBounds(frameId);
    const QRectF element = documentBounds(elementId);
    if (frame.isEmpty())
        return QRectF();
    const qreal sx = target.width() / frame.width();
    const qreal sy = target.height() / frame.height();
    return QRectF(target.x() + (element.x() - frame.x()) * sx,
                  target.y() + (element.y() - frame.y()) * sy, element.width() * sx,
                  element.height() * sy);
}

bool IndicatorSheet::check(QTextStream &out) const
{
    bool ok = true;
    auto fail = [&](const QString &message) {
        out << "  FAIL: " << message << '\n';
        ok = false;
    };

    if (!m_renderer.isValid()) {
        fail(QStringLiteral("the sheet did not load"));
        return false;
    }
    out << "default size " << m_renderer.defaultSize().width() << " x "
        << m_renderer.defaultSize().height() << ", view box " << describe(m_renderer.viewBoxF())
        << '\n';
    if (m_renderer.defaultSize() != sheetSize)
        fail(QStringLiteral("default size is not 46 x 35"));
    if (m_renderer.viewBoxF() != QRectF(QPointF(0, 0), QSizeF(sheetSize)))
        fail(QStringLiteral("view box is not 0 0 46 35"));

    const QRectF page(QPointF(0, 0), QSizeF(sheetSize));
    for (const QString &id : elementIds()) {
        if (!m_renderer.elementExists(id)) {
            fail(QStringLiteral("element \"%1\" is missing").arg(id));
            continue;
        }
        const QRectF bounds = documentBounds(id);
        out << "  " << id.leftJustified(13) << describe(bounds) << '\n';
        if (bounds.isEmpty())
            fail(QStringLiteral("\"%1\" has empty bounds").arg(id));
        else if (!page.contains(bounds))
            fail(QStringLiteral("\"%1\" lies outside the sheet").arg(id));
    }
    if (!ok)
        return false;

    const QRectF checkBox = documentBounds(QStringLiteral("checkbox"));
    const QRectF checkMark = documentBounds(QStringLiteral("checkmark"));
    const QRectF radioButton = documentBounds(QStringLiteral("radiobutton"));
    const QRectF radioMark = documentBounds(QStringLiteral("radiomark"));
    const QRectF handle = documentBounds(QStringLiteral("sliderhandle"));

    if (!checkBox.contains(checkMark))
        fail(QStringLiteral("the check mark is not inside the check box"));
    if (!radioButton.contains(radioMark))
        fail(QStringLiteral("the radio mark is not inside the radio button"));
    if (!nearlyEqual(handle.width(), handle.height()))
        fail(QStringLiteral("the slider handle is not square"));
    const QRectF checkGroup = checkBox | checkMark;
    const QRectF radioGroup = radioButton | radioMark;
    if (checkGroup.intersects(radioGroup) || checkGroup.intersects(handle)
        || radioGroup.intersects(handle)) {
        fail(QStringLiteral("the three indicators overlap"));
    }

    const QPointF checkOffset = checkMark.center() - checkBox.center();
    const QPointF radioOffset = radioMark.center() - radioButton.center();
    out << QStringLiteral("  check mark: %1 % of the box, centre offset (%2, %3)\n")
               .arg(100 * checkMark.width() / checkBox.width(), 0, 'f', 0)
               .arg(checkOffset.x(), 0, 'f', 2)
               .arg(checkOffset.y(), 0, 'f', 2);
    out << QStringLiteral("  radio mark: %1 % of the disc, centre offset (%2, %3)\n")
               .arg(100 * radioMark.width() / radioButton.width(), 0, 'f', 0)
               .arg(radioOffset.x(), 0, 'f', 2)
               .arg(radioOffset.y(), 0, 'f', 2);
    return ok;
}

void IndicatorSheet::paintCheckIndicator(QPainter *painter, const QPalette &palette,
                                         const QRect &rect, bool checked) const
{
    QRectF shape(rect);
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(palette.midlight());
    painter->drawRoundedRect(shape, 40, 40, Qt::RelativeSize);
    shape.adjust(1.5, 1.5, -1.5, -1.5);
    painter->setPen(palette.dark().color());
    painter->setBrush(palette.mid());
    painter->drawRoundedRect(shape, 40, 40, Qt::RelativeSize);
    if (checked) {
        const QRectF target
            = mapElementRect(QRectF(rect), QStringLiteral("checkbox"), QStringLiteral("checkmark"));
        m_renderer.render(painter, QStringLiteral("checkmark"), target);
    }
}

void IndicatorSheet::paintRadioIndicator(QPainter *painter, const QPalette &palette,
                                         const QRect &rect, bool checked, bool enabled) const
{
    const QRectF mark
        = mapElementRect(QRectF(rect), QStringLiteral("radiobutton"), QStringLiteral("radiomark"));
    if (enabled) {
        paintDisc(painter, palette, QRectF(rect));
        if (checked)
            m_renderer.render(painter, QStringLiteral("radiomark"), mark);
    } else if (checked) {
        m_renderer.render(painter, QStringLiteral("radiomark"), mark);
    } else {
        paintDisc(painter, palette, mark);
    }
}

void IndicatorSheet::paintSlider(QPainter *painter, const QPalette &palette,
                                 const QRect &rect) const
{
    // A horizontal groove a third of the handle high, with the handle over its middle.
    const int grooveHeight = qMax(5, rect.height() / 3);
    QRectF groove(rect.x() - rect.width() / 2, rect.center().y() - grooveHeight / 2 + 0.5,
                  rect.width() * 2, grooveHeight);
    const qreal radius = groove.height() * 0.5 - 1;
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(palette.midlight());
    painter->drawRoundedRect(groove, radius, radius);
    groove.adjust(1.5, 1.5, -1.5, -1.5);
    painter->setPen(palette.dark().color());
    painter->setBrush(palette.mid());
    painter->drawRoundedRect(groove, radius, radius);
    m_renderer.render(painter, QStringLiteral("sliderhandle"), QRectF(rect));
}

void IndicatorSheet::paintPreviewRow(QPainter *painter, const QPalette &palette,
                                     const QList<int> &sizes, int top) const
{
    int x = previewGap;
    for (int size : sizes) {
        const auto cell
            = [&](int index) { return QRect(x + index * (size + previewGap), top, size, size); };
        paintCheckIndicator(painter, palette, cell(0), false);
        paintCheckIndicator(painter, palette, cell(1), true);
        paintRadioIndicator(painter, palette, cell(2), false, true);
        paintRadioIndicator(painter, palette, cell(3), true, true);
        QPalette disabled = palette;
        disabled.setCurrentColorGroup(QPalette::Disabled);
        paintRadioIndicator(painter, disabled, cell(4), false, false);
        paintRadioIndicator(painter, disabled, cell(5), true, false);
        paintSlider(painter, palette, cell(6).translated(size / 2, 0));
        x += previewCellsPerSize * (size + previewGap) + size + 2 * previewGap;
    }
}

QImage IndicatorSheet::paintPreview(const QList<int> &sizes) const
{
    int width = previewGap;
    int rowHeight = 0;
    for (int size : sizes) {
        width += previewCellsPerSize * (size + previewGap) + size + 2 * previewGap;
        rowHeight = qMax(rowHeight, size);
    }
    rowHeight += 2 * previewGap;

    const QPalette palettes[] = {
        themePalette(QColor(0x44, 0x44, 0x44), Qt::white, QColor(0xFD, 0xEE, 0x24)),
        themePalette(QColor(0x1C, 0x56, 0x93), QColor(0xF4, 0xF3, 0xF4), QColor(0x1C, 0x56, 0x93)),
        themePalette(QColor(0xF4, 0xF3, 0xF4), QColor(0x21, 0x21, 0x21), QColor(0x91, 0x91, 0x93)),
    };
    QImage image(width, rowHeight * 3, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    int top = 0;
    for (const QPalette &palette : palettes) {
        painter.fillRect(0, top, width, rowHeight, palette.window());
        paintPreviewRow(&painter, palette, sizes, top + previewGap);
        top += rowHeight;
    }
    painter.end();
    return image;
}
