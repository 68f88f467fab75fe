// The document registers of all clients for the busiest year of the book, written to a file (the
// invoices also as a spreadsheet).
// Usage: bench_registers [benchmark flags] [PROGRAM_FOLDER]  (a small demo book is made when none is given)
// bench/register_vs_shell.sh sets the invoice register beside the sqlite3 shell selecting the same rows.
#include "base/settings.h"
#include "base/whole_file.h"
#include "bench/demo_book.h"
#include "db/data_module.h"
#include "db/driver.h"
#include "print/registers.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

QString g_home;
std::unique_ptr<QTemporaryDir> g_out;

void writeYear(benchmark::State& state, RegisterKind kind, bool sheet = false)
{
    Settings settings = defaultSettings(g_home);
    ReadSettings(settings, g_home);
    TDM dm;
    dm.connect(settings.path);
    const int year = scalar(ConnectionOf(dm), QStringLiteral("SELECT substr(FACT_DATA, 1, 4) FROM FACTURES "
                                                             "GROUP BY 1 ORDER BY count(*) DESC LIMIT 1"))
                         .toInt();
    const RegisterScope scope{0, QDate(year, 1, 1), QDate(year, 12, 31)};
    const QString file =
        g_out->filePath(sheet ? SpreadsheetName(RegisterFileName(kind)) : RegisterFileName(kind));
    for (auto _ : state)
        benchmark::DoNotOptimize(sheet ? WriteRegisterSheet(dm, kind, scope, file)
                                       : WriteRegister(dm, kind, scope, file));
    state.SetLabel(QStringLiteral("year %1").arg(year).toStdString());
}

void BM_InvoiceRegisterYear(benchmark::State& state)
{
    writeYear(state, RegisterKind::Invoices);
}
// The same register as a spreadsheet, beside the text.
void BM_InvoiceRegisterYearXlsx(benchmark::State& state)
{
    writeYear(state, RegisterKind::Invoices, true);
}
void BM_ReceiptRegisterYear(benchmark::State& state)
{
    writeYear(state, RegisterKind::Receipts);
}
void BM_ExpenseRegisterYear(benchmark::State& state)
{
    writeYear(state, RegisterKind::ExpenseWaybills);
}
void BM_TaxRegisterYear(benchmark::State& state)
{
    writeYear(state, RegisterKind::TaxWaybills);
}
void BM_ActRegisterYear(benchmark::State& state)
{
    writeYear(state, RegisterKind::Acts);
}

BENCHMARK(BM_InvoiceRegisterYear)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InvoiceRegisterYearXlsx)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReceiptRegisterYear)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExpenseRegisterYear)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TaxRegisterYear)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ActRegisterYear)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    g_out = std::make_unique<QTemporaryDir>();
    const int result =
        RunOnDemoBook(argc, argv, 50, 2000, [](const DemoBook& book) { g_home = book.home(); });
    g_out.reset();
    return result;
}
