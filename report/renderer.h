#pragma once

#include "report/page.h"

#include <QImage>
#include <QRectF>
#include <QString>

class QPainter;
class QPaintDevice;

// Draws the page with the painter on a device of the given resolution; every output (preview, printer,
// PDF, PNG) goes through here. Positions are measured from the top-left corner of the sheet.
void RenderPage(const Page& page, QPainter& painter, double deviceDpi);

// How far right an auto-sized label may run, in the page's unit: a centimetre short of the sheet's edge.
double LabelRoomRight(const Page& page);
// The point size a label is drawn at in the given box (device units) on the device: its own, or, when its
// text does not fit there (a fixed label's box, an auto-sized label's room up to roomRight), the largest
// smaller size at which it does. Nothing a label holds is clipped or hidden under the next element.
double FittedPointSize(const PageElement& e, const QPaintDevice* device, const QRectF& box, double roomRight);

// The page as a picture at the given resolution (96 dpi: 794 x 1123 pixels), white background.
QImage RenderToImage(const Page& page, double dpi = 96);
bool RenderToPng(const Page& page, const QString& fileName, double dpi, QString* error = nullptr);
// Several pages as pictures: the first under the name, the next ones with "-2", "-3" before the
// extension. All are written or none is left.
bool RenderToPng(std::span<const Page> pages, const QString& fileName, double dpi, QString* error = nullptr);
QString PageImageName(const QString& fileName, int pageIndex);
// An A4 PDF with the texts as text, a sheet a page.
bool RenderToPdf(std::span<const Page> pages, const QString& fileName, QString* error = nullptr);
inline bool RenderToPdf(const Page& page, const QString& fileName, QString* error = nullptr)
{
    return RenderToPdf(std::span<const Page>(&page, 1), fileName, error);
}
