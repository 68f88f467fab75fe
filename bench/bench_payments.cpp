// Payments on a large book: a bank statement of 10,000 lines read and tied to its payers and invoices, then
// stored; and the first screen of the unpaid invoices of every client.
// Usage: bench_payments [benchmark flags] [PROGRAM_FOLDER]  (a demo book is made when none is given)
#include "base/text_codec.h"
#include "bench/demo_book.h"
#include "db/data_module.h"
#include "db/driver.h"
#include "documents/document_lists.h"
#include "payments/payment_import.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

QString g_home;
std::unique_ptr<QTemporaryDir> g_out;
QString g_statement;
constexpr int kLines = 10000;

struct Book {
    TDM dm;
    OwnerRecord owner;
    Book()
    {
        Settings settings = defaultSettings(g_home);
        ReadSettings(settings, g_home);
        dm.connect(settings.path);
        dm.ReadOwnerRow(owner);
        owner.CHETNUMBER = QStringLiteral("UA213223130000026007233566001");
    }
};

// A statement paying the book's invoices, one line an invoice, from each invoice's client's code; every
// tenth line names no invoice.
void writeStatement(TDM& dm)
{
    QString text = QStringLiteral("1CClientBankExchange\r\nВерсияФормата=1.02\r\nКодировка=Windows\r\n"
                                  "РасчСчет=UA213223130000026007233566001\r\n");
    Rows q = execOrThrow(
        ConnectionOf(dm),
        QStringLiteral("SELECT f.FACT_NUMBER, c.OKPOCODE FROM FACTURES f JOIN CLIENTS c ON "
                       "c.ID_NUMBER=f.ID_NUMBER WHERE f.FACT_NUMBER>0 ORDER BY f.FACT_NUMBER DESC "
                       "LIMIT %1")
            .arg(kLines));
    int n = 0;
    while (q.next()) {
        ++n;
        text += QStringLiteral(
                    "СекцияДокумент=Платежное поручение\r\nНомер=%1\r\nДата=05.12.2026\r\nСумма=%2.00\r\n"
                    "ПлательщикСчет=UA903052990000026000000000001\r\nПлательщик=Клієнт\r\n"
                    "ПлательщикИНН=%3\r\nПолучательСчет=UA213223130000026007233566001\r\n"
                    "НазначениеПлатежа=%4\r\nКонецДокумента\r\n")
                    .arg(n)
                    .arg(100 + n % 900)
                    .arg(q.value(1).toString(),
                         n % 10 == 0
                             ? QStringLiteral("Поповнення")
                             : QStringLiteral("Оплата за рахунком-фактурою № %1").arg(q.value(0).toInt()));
    }
    text += QStringLiteral("КонецФайла\r\n");
    QFile file(g_statement);
    file.open(QIODevice::WriteOnly);
    file.write(encode1251(text));
}

void BM_PlanStatement10k(benchmark::State& state)
{
    Book book;
    for (auto _ : state) {
        QString error;
        const auto plan = PlanStatementImport(book.dm, g_statement, book.owner, &error);
        benchmark::DoNotOptimize(plan);
        state.SetLabel(plan ? plan->summary().left(60).toStdString() : error.toStdString());
    }
}

void BM_ImportStatement10k(benchmark::State& state)
{
    Book book;
    for (auto _ : state) {
        state.PauseTiming();
        execOrThrow(ConnectionOf(book.dm), QStringLiteral("DELETE FROM PLATEG"));
        state.ResumeTiming();
        QString error;
        const auto plan = PlanStatementImport(book.dm, g_statement, book.owner, &error);
        benchmark::DoNotOptimize(StoreStatementImport(book.dm, *plan, false));
    }
}

void BM_UnpaidAllInvoicesFirstScreen(benchmark::State& state)
{
    Book book;
    DocumentLists lists(book.dm);
    InvoiceFilter filter;
    filter.unpaid = true;
    lists.setInvoiceFilter(filter);
    for (auto _ : state) {
        lists.ShowAllDocuments();
        const SqlListModel& invoices = lists.invoices();
        for (int r = std::max(0, invoices.rowCount() - 30); r < invoices.rowCount(); ++r)
            benchmark::DoNotOptimize(invoices.data(invoices.index(r, 0)));
        state.SetLabel(std::to_string(invoices.rowCount()) + " unpaid");
    }
}

BENCHMARK(BM_PlanStatement10k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportStatement10k)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_UnpaidAllInvoicesFirstScreen)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    g_out = std::make_unique<QTemporaryDir>();
    g_statement = g_out->filePath(QStringLiteral("statement.txt"));
    const int result = RunOnDemoBook(argc, argv, 300, 20000, [](const DemoBook& book) {
        g_home = book.home();
        Book b;
        writeStatement(b.dm);
    });
    g_out.reset();
    return result;
}
