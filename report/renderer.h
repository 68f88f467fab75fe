#pragma once

#include "report/page.h"

#include <QImage>
#include <QString>

class QPainter;

// Draws the page with the painter on a device of the given resolution; every output (preview, printer,
// PDF, PNG) goes through here. Positions are measured from the top-left corner of the sheet.
void RenderPage(const Page& page, QPainter& painter, double deviceDpi);

// The page as a picture at the given resolution (96 dpi: 794 x 1123 pixels), white background.
QImage RenderToImage(const Page& page, double dpi = 96);
bool RenderToPng(const Page& page, const QString& fileName, double dpi, QString* error = nullptr);
// An A4 PDF with the texts as text.
bool RenderToPdf(const Page& page, const QString& fileName, QString* error = nullptr);
