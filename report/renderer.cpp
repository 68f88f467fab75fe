#include "report/renderer.h"

#include "base/whole_file.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <cmath>

namespace {

QFont fontOf(const PageElement& e)
{
    QFont font(e.fontFamily);
    font.setPointSizeF(e.fontSize > 0 ? e.fontSize : 10);
    font.setBold(e.bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

// Where a label's text goes at a font: the area it takes and the flags it is drawn with.
struct LabelLayout {
    QRectF area;
    int flags = 0;
    bool fits = true;
};

LabelLayout layOut(const PageElement& e, const QFont& font, const QPaintDevice* device, const QRectF& box,
                   double roomRight, bool designed)
{
    const QFontMetricsF metrics(font, const_cast<QPaintDevice*>(device));
    LabelLayout l;
    l.area = box;
    if (e.autoSize) {
        // The width follows the text on one line; the label keeps its anchored edge, within the sheet.
        const double textWidth = metrics.horizontalAdvance(e.text);
        if (e.align & Qt::AlignRight)
            l.area.setLeft(box.right() - textWidth);
        else if (e.align & Qt::AlignHCenter)
            l.area.setLeft(box.center().x() - textWidth / 2);
        l.area.setWidth(textWidth);
        l.area.setHeight(std::max(box.height(), metrics.height()));
        l.flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
        l.fits = l.area.left() >= -0.5 && l.area.right() <= roomRight + 0.5;
        return l;
    }
    l.flags = int(e.align & Qt::AlignHorizontal_Mask) | Qt::AlignTop |
              (e.wordWrap ? Qt::TextWordWrap : Qt::TextSingleLine);
    const QRectF needed =
        metrics.boundingRect(QRectF(box.left(), box.top(), box.width(), 1e6), l.flags, e.text);
    // As many lines as the box is tall, and at least one.
    l.area.setHeight(std::max(box.height(), metrics.height()));
    // A hair over the box at the design's size (its own line of underscores is one) loses nothing to the
    // eye; a text drawn smaller keeps inside the box, off the rules around it.
    const double slack = designed ? std::max(0.5, box.width() * 0.02) : 0.0;
    l.fits = needed.width() <= box.width() + slack && needed.height() <= l.area.height() + 0.5;
    return l;
}

constexpr double kSmallestPoints = 4;

void drawLabel(const PageElement& e, QPainter& painter, const QRectF& box, double roomRight)
{
    if (e.text.isEmpty() && e.autoSize)
        return; // an empty auto-sized label has no width
    const double designed = fontOf(e).pointSizeF();
    const double points = FittedPointSize(e, painter.device(), box, roomRight);
    QFont font = fontOf(e);
    font.setPointSizeF(points);
    LabelLayout l = layOut(e, font, painter.device(), box, roomRight, points >= designed);
    // Drawn smaller, the text keeps the design's line: its baseline where the designed font had it.
    if (points < designed) {
        const QFontMetricsF big(fontOf(e), painter.device()), small(font, painter.device());
        const QRectF needed =
            small.boundingRect(QRectF(l.area.left(), l.area.top(), l.area.width(), 1e6), l.flags, e.text);
        if (needed.height() <= small.height() + 0.5)
            l.area.translate(0, big.ascent() - small.ascent());
    }
    painter.setFont(font);
    if (!e.transparent)
        painter.fillRect(e.autoSize ? l.area : QRectF(box.topLeft(), QSizeF(box.width(), l.area.height())),
                         Qt::white);
    // Blanks, or text in the paper's colour, leave nothing on the sheet; drawn, they would still sit in a
    // PDF's text layer, where a search or a copy finds them.
    if (e.text.trimmed().isEmpty() || e.color == QColor(Qt::white))
        return;
    painter.setPen(e.color);
    painter.drawText(l.area, l.flags, e.text);
}

void drawShape(const PageElement& e, QPainter& painter, const QRectF& box, double scale)
{
    QPen pen(Qt::black);
    pen.setWidthF(std::max(1.0, e.penWidth * scale));
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    switch (e.shape) {
    case ShapeKind::Rectangle: {
        const double half = pen.widthF() / 2;
        painter.drawRect(box.adjusted(half, half, -half, -half));
        break;
    }
    case ShapeKind::HorLine:
        painter.drawLine(QPointF(box.left(), box.center().y()), QPointF(box.right(), box.center().y()));
        break;
    case ShapeKind::VertLine:
        painter.drawLine(QPointF(box.center().x(), box.top()), QPointF(box.center().x(), box.bottom()));
        break;
    }
}

void drawImage(const PageElement& e, QPainter& painter, const QRectF& box, double scale)
{
    if (!e.image.isNull()) {
        painter.save();
        painter.setClipRect(box);
        if (e.stretch && !e.center) {
            painter.drawImage(box, e.image);
        } else {
            // One picture pixel is one pixel of the 96-dpi sheet.
            QSizeF size(e.image.width() * scale, e.image.height() * scale);
            if (e.stretch) // centred and stretched: as large as fits, proportions kept
                size.scale(box.size(), Qt::KeepAspectRatio);
            QPointF at = box.topLeft();
            if (e.center)
                at = box.center() - QPointF(size.width() / 2, size.height() / 2);
            painter.drawImage(QRectF(at, size), e.image);
        }
        painter.restore();
    }
    if (e.frame) {
        QPen pen(Qt::black);
        pen.setWidthF(2 * scale);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(box.adjusted(scale, scale, -scale, -scale));
    }
}

void drawRichText(const PageElement& e, QPainter& painter, const QRectF& box)
{
    const QFont font = fontOf(e);
    painter.setFont(font);
    painter.setPen(e.color);
    const QFontMetricsF metrics(font, painter.device());
    double y = box.top();
    for (const QString& line : e.lines) {
        painter.drawText(QRectF(box.left(), y, box.width(), metrics.height()),
                         Qt::AlignLeft | Qt::TextSingleLine, line);
        y += metrics.lineSpacing();
    }
}

// The dark modules as filled squares, each run of a row one rectangle so that no hairline parts them; the
// sign in a white circle over the middle.
void drawQrCode(const PageElement& e, QPainter& painter, const QRectF& box)
{
    const qsizetype n = e.lines.size();
    if (n == 0)
        return;
    const double module = box.width() / double(n);
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    for (qsizetype y = 0; y < n; ++y) {
        const QString& row = e.lines[y];
        for (qsizetype x = 0; x < row.size();) {
            if (row[x] != u'1') {
                ++x;
                continue;
            }
            qsizetype end = x;
            while (end < row.size() && row[end] == u'1')
                ++end;
            painter.drawRect(QRectF(box.left() + double(x) * module, box.top() + double(y) * module,
                                    double(end - x) * module, module));
            x = end;
        }
    }
    if (!e.text.isEmpty()) {
        // About a seventh of the side: what the error correction restores with room to spare.
        const double diameter = std::round(double(n) / 7.0) * module;
        const QRectF circle(box.center().x() - diameter / 2, box.center().y() - diameter / 2, diameter,
                            diameter);
        painter.setBrush(Qt::white);
        painter.drawEllipse(circle);
        QFont font(QStringLiteral("Arial"));
        font.setBold(true);
        font.setPixelSize(std::max(1, int(diameter * 0.7)));
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(circle, Qt::AlignCenter, e.text);
    }
    painter.restore();
}

} // namespace

double LabelRoomRight(const Page& page)
{
    return page.width() - 10 * page.width() / 210; // a centimetre of the sheet's edge stays white
}

double FittedPointSize(const PageElement& e, const QPaintDevice* device, const QRectF& box, double roomRight)
{
    QFont font = fontOf(e);
    const double designed = font.pointSizeF();
    double points = designed;
    // A quarter point at a time: the largest size at which no character leaves the label's place.
    while (points > kSmallestPoints && !layOut(e, font, device, box, roomRight, points >= designed).fits) {
        points = std::max(kSmallestPoints, points - 0.25);
        font.setPointSizeF(points);
    }
    return points;
}

void RenderPage(const Page& page, QPainter& painter, double deviceDpi)
{
    const double pxScale = deviceDpi / 96.0;
    const double scale = pxScale * page.pxPerUnit();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    for (const PageElement& e : page.elements()) {
        if (!e.visible)
            continue;
        const QRectF box(e.left * scale, e.top * scale, e.width * scale, e.height * scale);
        switch (e.kind) {
        case ElementKind::Label:
        case ElementKind::DataText:
            drawLabel(e, painter, box, LabelRoomRight(page) * scale);
            break;
        case ElementKind::Shape:
            drawShape(e, painter, box, pxScale);
            break;
        case ElementKind::Image:
            drawImage(e, painter, box, pxScale);
            break;
        case ElementKind::RichText:
            drawRichText(e, painter, box);
            break;
        case ElementKind::QrCode:
            drawQrCode(e, painter, box);
            break;
        }
    }
    painter.restore();
}

QImage RenderToImage(const Page& page, double dpi)
{
    const double scale = dpi / 96.0 * page.pxPerUnit();
    QImage image(int(std::lround(page.width() * scale)), int(std::lround(page.height() * scale)),
                 QImage::Format_RGB32);
    const int dotsPerMeter = int(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    QPainter painter(&image);
    RenderPage(page, painter, dpi);
    return image;
}

bool RenderToPng(const Page& page, const QString& fileName, double dpi, QString* error)
{
    const QImage image = RenderToImage(page, dpi);
    return WriteOutputFile(
        fileName, [&image](QIODevice& file) { return image.save(&file, "PNG"); }, error);
}

QString PageImageName(const QString& fileName, int pageIndex)
{
    if (pageIndex == 0)
        return fileName;
    const QFileInfo info(fileName);
    const QString suffix = info.suffix().isEmpty() ? QString() : u'.' + info.suffix();
    return fileName.left(fileName.size() - suffix.size()) + QStringLiteral("-%1").arg(pageIndex + 1) + suffix;
}

bool RenderToPng(std::span<const Page> pages, const QString& fileName, double dpi, QString* error)
{
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (!RenderToPng(pages[i], PageImageName(fileName, int(i)), dpi, error)) {
            for (std::size_t written = 0; written < i; ++written)
                QFile::remove(PageImageName(fileName, int(written)));
            return false;
        }
    }
    return true;
}

bool RenderToPdf(std::span<const Page> pages, const QString& fileName, QString* error)
{
    return WriteOutputFile(
        fileName,
        [&](QIODevice& file) {
            QPdfWriter writer(&file);
            writer.setPageSize(QPageSize(QPageSize::A4));
            writer.setPageMargins(QMarginsF(0, 0, 0, 0));
            writer.setResolution(600);
            writer.setCreator(QStringLiteral("DocMar"));
            writer.setTitle(QFileInfo(fileName).completeBaseName());
            QPainter painter;
            if (!painter.begin(&writer))
                return false;
            for (std::size_t i = 0; i < pages.size(); ++i) {
                if (i > 0 && !writer.newPage())
                    return false;
                RenderPage(pages[i], painter, writer.resolution());
            }
            return painter.end();
        },
        error);
}
