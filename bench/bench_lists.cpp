// The desktop program on a large book: start-up, loading the document lists, the client search.
// Usage: bench_lists [benchmark flags] [PROGRAM_FOLDER]; the lists run on the PostgreSQL book whose address
// DOCMAR_BENCH_BOOK holds, when it is set.
// Without a folder, a temporary book of 10,000 clients and 200,000 invoices is generated first.
#include "app/main_window.h"
#include "base/prompter.h"
#include "bench/widget_bench.h"
#include "clients/client_register.h"
#include "db/data_module.h"
#include "db/driver.h"
#include "documents/document_lists.h"
#include "documents/documents_controller.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

QString dataFolder()
{
    return g_book.data;
}

// The book of DOCMAR_BENCH_BOOK (a PostgreSQL book's address) when it is set, else the SQLite book.
void connectBook(TDM& dm, benchmark::State& state)
{
    dm.connect(dataFolder(), qEnvironmentVariable("DOCMAR_BENCH_BOOK"));
    state.SetLabel(dm.isPostgres() ? "postgres" : "sqlite");
}

// Constructing and showing the main window: settings, connection, owner, register, the first client's lists.
void BM_StartUpToReadyWindow(benchmark::State& state)
{
    for (auto _ : state) {
        ScriptedPrompter prompter;
        TBuhForm window(g_book.home, &prompter);
        window.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(window.currentClientId());
        state.PauseTiming();
        prompter.queueAnswer(true);
        window.close();
        state.ResumeTiming();
    }
}

void BM_RefreshClientDocuments(benchmark::State& state)
{
    TDM dm;
    connectBook(dm, state);
    DocumentLists lists(dm);
    int client = 2;
    for (auto _ : state) {
        lists.RefreshClientDocuments(client, QStringLiteral("x"));
        // What the grids show at once: the last rows of each list.
        for (SqlListModel* m :
             {&lists.invoices(), &lists.receipts(), &lists.expenseWaybills(), &lists.taxWaybills()})
            benchmark::DoNotOptimize(m->record(m->rowCount() - 1));
        client = 2 + (client * 7919) % 10000;
    }
}

// Reading the last rows of each list, as the grids do when a list has just been loaded.
void showLastRows(DocumentLists& lists)
{
    for (SqlListModel* m :
         {&lists.invoices(), &lists.receipts(), &lists.expenseWaybills(), &lists.taxWaybills()})
        for (int r = std::max(m->rowCount() - 30, 0); r < m->rowCount(); ++r)
            benchmark::DoNotOptimize(m->record(r));
}

void BM_ShowAllDocumentsFirstScreen(benchmark::State& state)
{
    TDM dm;
    connectBook(dm, state);
    DocumentLists lists(dm);
    for (auto _ : state) {
        lists.ShowAllDocuments();
        showLastRows(lists);
    }
}

// The all-documents view as it stands after "Список всех документов": every list on its last rows.
struct AllDocumentsView {
    TDM dm;
    ScriptedPrompter prompter;
    DocumentsController documents{dm, prompter};
    explicit AllDocumentsView(benchmark::State& state)
    {
        connectBook(dm, state);
        documents.lists().ShowAllDocuments();
        showLastRows(documents.lists());
    }
};

// A jump to a place in the all-documents invoice list and back to its end: one screen each way.
void BM_ScrollAllInvoicesAndBack(benchmark::State& state)
{
    AllDocumentsView view(state);
    SqlListModel& invoices = view.documents.lists().invoices();
    const int place = int(invoices.rowCount() * state.range(0) / 100);
    for (auto _ : state) {
        for (int r = place; r < std::min(place + 30, invoices.rowCount()); ++r)
            benchmark::DoNotOptimize(invoices.record(r));
        for (int r = std::max(invoices.rowCount() - 30, 0); r < invoices.rowCount(); ++r)
            benchmark::DoNotOptimize(invoices.record(r));
        state.PauseTiming();
        invoices.refreshRows(); // the next round reads both screens afresh
        state.ResumeTiming();
    }
}

// A click on an invoice in the all-documents view: both waybill lists move to a waybill naming it.
void BM_ClickInvoiceAllDocuments(benchmark::State& state)
{
    AllDocumentsView view(state);
    const SqlListModel& invoices = view.documents.lists().invoices();
    const int count = invoices.rowCount();
    int at = count - 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(view.documents.waybillsOfDocument(int(invoices.keyAt(at))));
        at = at > 0 ? at - 1 : count - 1; // up the list, as a user clicks through it
    }
}

// No client matches: the whole register is looked through, from the given share of it to its end.
void BM_FindClientNoMatch(benchmark::State& state)
{
    TDM dm;
    connectBook(dm, state);
    ClientRegister reg(dm);
    reg.reload();
    const int start = std::max(reg.model().rowCount() - int(state.range(0)), 0);
    for (auto _ : state) {
        const FindResult r = FindClient(reg, start, 1, QStringLiteral("НІКОГО ТАКОГО"), false, [] {
            QCoreApplication::processEvents(); // as the window does, so Esc can stop the search
            return true;
        });
        benchmark::DoNotOptimize(r.row);
    }
    state.counters["clients"] = reg.model().rowCount() - start;
}

// The client register anywhere in it: a jump to a page (Arg 0) or a scroll step to the page below the one
// shown (Arg 1), 64 rows. Each lands on a page not read yet.
void BM_ClientListScrollStep(benchmark::State& state)
{
    TDM dm;
    connectBook(dm, state);
    ClientRegister reg(dm);
    reg.reload();
    const int rows = reg.model().rowCount();
    int at = rows / 2 / 64 * 64;
    for (auto _ : state) {
        state.PauseTiming();
        reg.reload(); // no page cached
        if (state.range(0) == 1)
            benchmark::DoNotOptimize(reg.model().record(at));
        state.ResumeTiming();
        benchmark::DoNotOptimize(reg.model().record(state.range(0) == 1 ? at + 64 : at));
        at = (at + 7919 * 64) % std::max(rows - 128, 1) / 64 * 64;
    }
    state.counters["clients"] = rows;
}

// What the search is held against: SQLite itself looking through the same column of every client.
void BM_SqliteScanSameColumn(benchmark::State& state)
{
    TDM dm;
    dm.connect(dataFolder());
    for (auto _ : state)
        benchmark::DoNotOptimize(scalar(ConnectionOf(dm),
                                        QStringLiteral("SELECT count(*) FROM CLIENTS WHERE ID_NUMBER>1 AND "
                                                       "instr(CHIEF, ?)>0"),
                                        {QStringLiteral("НІКОГО ТАКОГО")}));
}

BENCHMARK(BM_StartUpToReadyWindow)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_RefreshClientDocuments)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShowAllDocumentsFirstScreen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScrollAllInvoicesAndBack)->Arg(0)->Arg(50)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClickInvoiceAllDocuments)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindClientNoMatch)->Arg(500)->Arg(1024)->Arg(5000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClientListScrollStep)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SqliteScanSameColumn)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunWidgetBenchmarks(argc, argv);
}
