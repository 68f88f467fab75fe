#include "report/report_holder.h"

#include "report/preview_window.h"

#include <QPrinter>
#include <QPrinterInfo>

ReportHolder::ReportHolder(Page page, const QString& name, QObject* owner)
    : QObject(owner)
    , m_page(std::move(page))
{
    setObjectName(name);
    connect(this, &ReportHolder::afterPrint, this, &QObject::deleteLater);
}

void ReportHolder::Preview(QWidget* parent, Prompter* prompter)
{
    {
        PreviewWindow preview(m_page, prompter, parent);
        connect(&preview, &PreviewWindow::printed, this, &ReportHolder::afterPrint);
        preview.exec();
    }
    deleteLater();
}

bool ReportHolder::Print()
{
    if (QPrinterInfo::defaultPrinter().isNull() && QPrinterInfo::availablePrinters().isEmpty())
        return false;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setCopyCount(1);
    printer.setDuplex(QPrinter::DuplexNone);
    if (!PrintPage(m_page, printer))
        return false;
    emit afterPrint();
    return true;
}
