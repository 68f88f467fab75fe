#include "report/report_holder.h"

#include "report/preview_window.h"

#include <QPrinter>
#include <QPrinterInfo>

ReportHolder::ReportHolder(Pages pages, const QString& name, QObject* owner)
    : QObject(owner)
    , m_pages(std::move(pages))
{
    setObjectName(name);
}

void ReportHolder::Preview(QWidget* parent, Prompter* prompter)
{
    PreviewWindow preview(m_pages, prompter, parent);
    connect(&preview, &PreviewWindow::printed, this, &ReportHolder::afterPrint);
    preview.exec();
}

PrintOutcome ReportHolder::Print(QWidget* parent)
{
    if (QPrinterInfo::defaultPrinter().isNull() && QPrinterInfo::availablePrinters().isEmpty())
        return PrintOutcome::NoPrinter;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setCopyCount(1);
    printer.setDuplex(QPrinter::DuplexNone);
    const PrintOutcome outcome = PrintPage(m_pages, printer, parent);
    if (outcome == PrintOutcome::Printed)
        emit afterPrint();
    return outcome;
}
