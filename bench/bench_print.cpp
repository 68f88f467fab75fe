// Filling and drawing one invoice: to PDF and to a 96-dpi PNG, after the first (fonts loaded).
// Usage: bench_print [benchmark flags] [PROGRAM_FOLDER]  (a small demo book is made when none is given)
#include "bench/demo_book.h"
#include "db/data_module.h"
#include "db/driver.h"
#include "print/act_form.h"
#include "print/expense_waybill_form.h"
#include "print/invoice_form.h"
#include "print/tax_waybill_form.h"
#include "report/renderer.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

QString g_home;
std::unique_ptr<QTemporaryDir> g_out;

struct Book {
    TDM dm;
    OwnerRecord owner;
    Settings settings;
    Book()
    {
        settings = defaultSettings(g_home);
        ReadSettings(settings, g_home);
        dm.connect(settings.path);
        dm.ReadOwnerRow(owner);
    }
};

void BM_FillInvoice(benchmark::State& state)
{
    Book book;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            PrepareInvoicePage(book.dm, 7, book.owner, book.settings, g_home, nullptr, nullptr));
}

void BM_InvoiceToPdf(benchmark::State& state)
{
    Book book;
    const QString file = g_out->filePath(QStringLiteral("invoice.pdf"));
    for (auto _ : state) {
        const auto page = PrepareInvoicePage(book.dm, 7, book.owner, book.settings, g_home, nullptr, nullptr);
        RenderToPdf(*page, file);
    }
}

void BM_InvoiceToPng(benchmark::State& state)
{
    Book book;
    const QString file = g_out->filePath(QStringLiteral("invoice.png"));
    for (auto _ : state) {
        const auto page = PrepareInvoicePage(book.dm, 7, book.owner, book.settings, g_home, nullptr, nullptr);
        RenderToPng(*page, file, 96);
    }
}

// An expense waybill of the demo book, filled and written as PDF.
void BM_ExpenseWaybillToPdf(benchmark::State& state)
{
    Book book;
    const QString file = g_out->filePath(QStringLiteral("waybill.pdf"));
    const int number =
        scalar(ConnectionOf(book.dm), QStringLiteral("SELECT max(NAKL_NUMBER) FROM NAKLADN1")).toInt();
    for (auto _ : state) {
        bool complete = true;
        const auto page = PrepareExpenseWaybillPage(book.dm, number, book.owner, book.settings, g_home,
                                                    nullptr, &complete, nullptr);
        benchmark::DoNotOptimize(RenderToPdf(*page, file));
    }
}

// A tax waybill of the demo book, filled and written as PDF.
void BM_TaxWaybillToPdf(benchmark::State& state)
{
    Book book;
    const QString file = g_out->filePath(QStringLiteral("tax.pdf"));
    const int number =
        scalar(ConnectionOf(book.dm), QStringLiteral("SELECT max(NAKL_NUMBER) FROM NAKLADN2")).toInt();
    for (auto _ : state) {
        bool complete = true;
        const auto page =
            PrepareTaxWaybillPage(book.dm, number, book.owner, book.settings, nullptr, 0, &complete, nullptr);
        benchmark::DoNotOptimize(RenderToPdf(*page, file));
    }
}

// The last act of the demo book, filled and written as PDF, beside the invoice.
void BM_ActToPdf(benchmark::State& state)
{
    Book book;
    const QString file = g_out->filePath(QStringLiteral("act.pdf"));
    const int number =
        scalar(ConnectionOf(book.dm), QStringLiteral("SELECT max(ACT_NUMBER) FROM ACTS")).toInt();
    for (auto _ : state) {
        const auto page = PrepareActPage(book.dm, number, book.owner, book.settings, nullptr, nullptr);
        benchmark::DoNotOptimize(RenderToPdf(*page, file));
    }
}

BENCHMARK(BM_FillInvoice)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ActToPdf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TaxWaybillToPdf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExpenseWaybillToPdf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InvoiceToPdf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InvoiceToPng)->Unit(benchmark::kMillisecond);

} // namespace

void prepare(const DemoBook& book)
{
    g_home = book.home();
    g_out = std::make_unique<QTemporaryDir>();
    // The first page pays for loading the fonts; it is not what is measured.
    Book warm;
    const auto page = PrepareInvoicePage(warm.dm, 7, warm.owner, warm.settings, g_home, nullptr, nullptr);
    RenderToPdf(*page, g_out->filePath(QStringLiteral("warm.pdf")));
    RenderToPng(*page, g_out->filePath(QStringLiteral("warm.png")), 96);
}

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int result = RunOnDemoBook(argc, argv, 50, 500, prepare);
    g_out.reset();
    return result;
}
