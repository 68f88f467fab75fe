// The desktop program on a large book: start-up, loading the document lists, the client search.
// Usage: bench_lists [benchmark flags] [PROGRAM_FOLDER]
// Without a folder, a temporary book of 10,000 clients and 200,000 invoices is generated first.
#include "app/main_window.h"
#include "base/prompter.h"
#include "bench/demo_book.h"
#include "clients/client_register.h"
#include "db/data_module.h"
#include "documents/document_lists.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

QString g_home;
QString g_data;

QString dataFolder()
{
    return g_data;
}

// Constructing and showing the main window: settings, connection, owner, register, the first client's lists.
void BM_StartUpToReadyWindow(benchmark::State& state)
{
    for (auto _ : state) {
        ScriptedPrompter prompter;
        TBuhForm window(g_home, &prompter);
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
    dm.connect(dataFolder());
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

void BM_ShowAllDocumentsFirstScreen(benchmark::State& state)
{
    TDM dm;
    dm.connect(dataFolder());
    DocumentLists lists(dm);
    for (auto _ : state) {
        lists.ShowAllDocuments();
        for (SqlListModel* m :
             {&lists.invoices(), &lists.receipts(), &lists.expenseWaybills(), &lists.taxWaybills()})
            for (int r = std::max(m->rowCount() - 30, 0); r < m->rowCount(); ++r)
                benchmark::DoNotOptimize(m->record(r));
    }
}

void BM_FindClientNoMatch(benchmark::State& state)
{
    TDM dm;
    dm.connect(dataFolder());
    ClientRegister reg(dm);
    reg.reload();
    int asked = 0;
    for (auto _ : state) {
        const FindResult r = FindClient(reg, 0, 1, QStringLiteral("НІКОГО ТАКОГО"), false, [&asked] {
            // As the window does: the message loop runs every few clients so Esc can stop the search.
            if (++asked % 16 == 0)
                QCoreApplication::processEvents();
            return true;
        });
        benchmark::DoNotOptimize(r.row);
    }
}

BENCHMARK(BM_StartUpToReadyWindow)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_RefreshClientDocuments)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShowAllDocumentsFirstScreen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindClientNoMatch)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return RunOnDemoBook(argc, argv, 10000, 200000, [](const DemoBook& book) {
        g_home = book.home();
        g_data = book.dataFolder();
    });
}
