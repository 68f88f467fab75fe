// Filling and drawing one invoice: to PDF and to a 96-dpi PNG, after the first (fonts loaded).
// Usage: bench_print [benchmark flags] [PROGRAM_FOLDER]  (a small demo book is made when none is given)
#include "db/data_module.h"
#include "db/demo_data.h"
#include "print/invoice_form.h"
#include "report/renderer.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
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

BENCHMARK(BM_FillInvoice)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InvoiceToPdf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InvoiceToPng)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    g_out = std::make_unique<QTemporaryDir>();
    std::unique_ptr<QTemporaryDir> temp;
    g_home = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    try {
        if (g_home.isEmpty()) {
            temp = std::make_unique<QTemporaryDir>();
            g_home = temp->path();
            Settings s = defaultSettings(g_home);
            ReadSettings(s, g_home);
            TDM::createDatabase(s.path);
            TDM dm;
            dm.connect(s.path);
            FillDemoData(dm, {50, 500, 1});
        }
        // The first page pays for loading the fonts; it is not what is measured.
        Book book;
        const auto page = PrepareInvoicePage(book.dm, 7, book.owner, book.settings, g_home, nullptr, nullptr);
        RenderToPdf(*page, g_out->filePath(QStringLiteral("warm.pdf")));
        RenderToPng(*page, g_out->filePath(QStringLiteral("warm.png")), 96);
    } catch (const DbError& e) {
        std::fprintf(stderr, "%s\n", e.message().toUtf8().constData());
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
