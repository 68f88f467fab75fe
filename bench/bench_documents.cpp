// Writing and finding documents on a large book: the editor and a waybill from OK to the lists, opening the
// editor, the goods picker over 10,000 goods, the date filter and find-document in the all-documents view.
// Usage: bench_documents [benchmark flags] [PROGRAM_FOLDER]
// Without a folder, a temporary book of 10,000 clients and 200,000 invoices is generated first.
#include "app/main_window.h"
#include "base/prompter.h"
#include "bench/widget_bench.h"
#include "db/data_module.h"
#include "db/driver.h"
#include "documents/documents_controller.h"
#include "documents/invoice_editor.h"
#include "documents/new_fact_form.h"
#include "documents/tovar_form.h"
#include "documents/waybill_issue.h"
#include "widgets/db_grid.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// The window on the book, standing on a client in the middle of the register.
struct Window {
    ScriptedPrompter prompter;
    TBuhForm window{g_book.home, &prompter};
    Window()
    {
        window.show();
        QApplication::processEvents();
        window.findChild<DBGrid*>(QStringLiteral("DBGrid1"))->moveTo(5000);
    }
    ~Window()
    {
        prompter.queueAnswer(true);
        window.close();
    }
};

// From OK in the editor to the lists standing on the stored invoice: the store, the reconnection and
// reload of the lists, the positioning and the commands.
void BM_StoreInvoiceToList(benchmark::State& state)
{
    Window w;
    TDM& dm = w.window.dataModule();
    auto* invoices = w.window.findChild<DBGrid*>(QStringLiteral("DBGrid3"));
    const Settings settings = w.window.programSettings();
    const int client = w.window.currentClientId();
    const ClientRow row = *dm.ReadClient(client);
    for (auto _ : state) {
        state.PauseTiming();
        InvoiceDraft draft =
            OpenDraft(EditorCommand::NewInvoice, row, nullptr, dm.NextFactNumber(), 0, QDate(2026, 12, 7));
        draft.positions[0].line1 = QStringLiteral("Цемент М500");
        draft.positions[0].count = 10;
        draft.positions[0].price = 95;
        state.ResumeTiming();
        const int number = StoreDraft(dm, draft, client, settings);
        w.window.ReconnectAndRefresh();
        invoices->moveTo(invoices->listModel()->rowOfKey(number));
        w.window.UpdateDocumentCommands();
        benchmark::DoNotOptimize(invoices->currentRow());
    }
}

// From OK in a waybill dialog to the waybill list standing on the new waybill.
void BM_IssueWaybillToList(benchmark::State& state)
{
    Window w;
    TDM& dm = w.window.dataModule();
    auto* invoices = w.window.findChild<DBGrid*>(QStringLiteral("DBGrid3"));
    auto* waybills = w.window.findChild<DBGrid*>(QStringLiteral("DBGrid5"));
    const int invoice = int(invoices->listModel()->keyAt(invoices->model()->rowCount() - 1));
    for (auto _ : state) {
        state.PauseTiming();
        const WaybillDraft draft =
            OpenWaybillDraft(dm, WaybillKind::Expense, false, {invoice, 0, 0}, QDate(2026, 12, 7));
        state.ResumeTiming();
        if (CheckWaybillDocuments(dm, draft))
            state.SkipWithError("the invoice cannot have a waybill");
        const int number = StoreWaybill(dm, draft);
        w.window.ReconnectAndRefresh();
        waybills->moveTo(waybills->listModel()->findFirst(QStringLiteral("NAKL_NUMBER"), number));
        w.window.UpdateDocumentCommands();
        benchmark::DoNotOptimize(waybills->currentRow());
    }
}

// "Создать новую с/ф на основе выбранной": the draft from the invoice and the dialog filled with it.
void BM_OpenEditor(benchmark::State& state)
{
    Window w;
    TDM& dm = w.window.dataModule();
    ScriptedPrompter prompter;
    DocumentsController documents(dm, prompter);
    documents.lists().RefreshClientDocuments(w.window.currentClientId(), QString());
    const int row = documents.lists().invoices().rowCount() - 1;
    for (auto _ : state) {
        const std::optional<InvoiceDraft> draft = documents.openEditor(
            EditorCommand::CopyInvoice, row, w.window.programSettings(), QDate(2026, 12, 7));
        TNewFactForm editor(*draft, documents, w.window.programSettings(), nullptr, &prompter);
        benchmark::DoNotOptimize(editor.draft().number);
    }
}

// The picker shown over a goods list of 10,000 names: the items read, sorted and put into the box.
void BM_GoodsPicker10000(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("DataBase"));
    TDM::createDatabase(folder);
    TDM dm;
    dm.connect(folder);
    {
        Transaction tx(ConnectionOf(dm));
        for (int i = 0; i < 10000; ++i)
            StoreGoods(dm, {QStringLiteral("Товар %1 арт. %2").arg((i * 7919) % 10000).arg(i), QString(),
                            QString(), 0, 1 + (i % 997) * 1.25});
        tx.commit();
    }
    TTovarForm picker;
    for (auto _ : state) {
        picker.prepare(GoodsPickerItems(dm, 2));
        benchmark::DoNotOptimize(picker.text());
    }
}

// The date filter over every invoice of the book: the filtered list's first screen, its last rows.
void BM_DateFilterFirstScreen(benchmark::State& state)
{
    TDM dm;
    dm.connect(g_book.data);
    ScriptedPrompter prompter;
    DocumentsController documents(dm, prompter);
    documents.lists().ShowAllDocuments();
    SqlListModel& invoices = documents.lists().invoices();
    int month = 0;
    for (auto _ : state) {
        InvoiceFilter filter;
        filter.byDate = true;
        filter.from = QDate(2025, 1 + month % 12, 1); // the demo book's first year
        filter.to = filter.from.addMonths(1).addDays(-1);
        documents.lists().setInvoiceFilter(filter);
        for (int r = std::max(invoices.rowCount() - 30, 0); r < invoices.rowCount(); ++r)
            benchmark::DoNotOptimize(invoices.record(r));
        ++month;
    }
    state.counters["rows"] = invoices.rowCount();
}

// Find-document by number in the all-documents invoices, the waybill lists following.
void BM_FindDocument(benchmark::State& state)
{
    TDM dm;
    dm.connect(g_book.data);
    ScriptedPrompter prompter;
    DocumentsController documents(dm, prompter);
    documents.lists().ShowAllDocuments();
    int number = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(documents.findDocument(number, 0));
        number = 1 + (number * 7919) % 200000;
    }
}

// The first find after the lists were loaded: the invoice list reads its keys in order once.
void BM_FindDocumentFirstAfterLoad(benchmark::State& state)
{
    TDM dm;
    dm.connect(g_book.data);
    ScriptedPrompter prompter;
    DocumentsController documents(dm, prompter);
    documents.lists().ShowAllDocuments();
    int number = 1;
    for (auto _ : state) {
        state.PauseTiming();
        documents.lists().invoices().refreshRows(); // as after a reload: nothing of the list held
        documents.lists().expenseWaybills().refreshRows();
        documents.lists().taxWaybills().refreshRows();
        state.ResumeTiming();
        benchmark::DoNotOptimize(documents.findDocument(number, 0));
        number = 1 + (number * 7919) % 200000;
    }
}

BENCHMARK(BM_StoreInvoiceToList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IssueWaybillToList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenEditor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GoodsPicker10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DateFilterFirstScreen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindDocument)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindDocumentFirstAfterLoad)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunWidgetBenchmarks(argc, argv);
}
