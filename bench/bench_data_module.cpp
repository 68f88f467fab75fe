// Single-value operations of the data module on a large book.
// Usage: bench_data_module [benchmark flags] [DATABASE_FOLDER]
// Without a folder, a temporary book of 10,000 clients and 200,000 invoices is generated first.
#include "db/data_module.h"
#include "db/demo_data.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace {

TDM* g_dm = nullptr;
int g_invoices = 0;

int pick(std::uint64_t& state)
{
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return int((state >> 33) % std::uint64_t(g_invoices)) + 1;
}

void BM_NextFactNumber(benchmark::State& s)
{
    for (auto _ : s)
        benchmark::DoNotOptimize(g_dm->NextFactNumber());
}
void BM_NextReceiptNumber(benchmark::State& s)
{
    for (auto _ : s)
        benchmark::DoNotOptimize(g_dm->NextReceiptNumber());
}
void BM_NextNakl1Number(benchmark::State& s)
{
    for (auto _ : s)
        benchmark::DoNotOptimize(g_dm->NextNakl1Number());
}
void BM_NextNakl2Number(benchmark::State& s)
{
    for (auto _ : s)
        benchmark::DoNotOptimize(g_dm->NextNakl2Number());
}
void BM_NextClientNumber(benchmark::State& s)
{
    for (auto _ : s)
        benchmark::DoNotOptimize(g_dm->NextClientNumber());
}
void BM_GetFactClient(benchmark::State& s)
{
    std::uint64_t state = 1;
    for (auto _ : s)
        benchmark::DoNotOptimize(g_dm->GetFactClient(pick(state)));
}
void BM_GetFactDate(benchmark::State& s)
{
    std::uint64_t state = 2;
    for (auto _ : s)
        benchmark::DoNotOptimize(g_dm->GetFactDate(pick(state)));
}
void BM_GetFactNds(benchmark::State& s)
{
    std::uint64_t state = 3;
    for (auto _ : s)
        benchmark::DoNotOptimize(g_dm->GetFactNds(pick(state)));
}
void BM_LatestFactDate(benchmark::State& s)
{
    std::uint64_t state = 4;
    for (auto _ : s)
        benchmark::DoNotOptimize(g_dm->LatestFactDate(pick(state), pick(state), pick(state)));
}
void BM_SameFactClient(benchmark::State& s)
{
    std::uint64_t state = 5;
    for (auto _ : s)
        benchmark::DoNotOptimize(g_dm->SameFactClient(pick(state), pick(state), pick(state)));
}
void BM_LoadOwnerRecord(benchmark::State& s)
{
    OwnerRecord owner;
    for (auto _ : s)
        g_dm->LoadOwnerRecord(owner, nullptr);
}

BENCHMARK(BM_NextFactNumber)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NextReceiptNumber)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NextNakl1Number)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NextNakl2Number)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NextClientNumber)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GetFactClient)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GetFactDate)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GetFactNds)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LatestFactDate)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SameFactClient)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadOwnerRecord)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    std::unique_ptr<QTemporaryDir> temp;
    QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    TDM dm;
    try {
        if (folder.isEmpty()) {
            temp = std::make_unique<QTemporaryDir>();
            folder = temp->path();
            TDM::createDatabase(folder);
            dm.connect(folder);
            QElapsedTimer timer;
            timer.start();
            FillDemoData(dm, {10000, 200000, 1});
            std::fprintf(stderr, "demo book of 10000 clients and 200000 invoices made in %.2f s\n",
                         timer.elapsed() / 1000.0);
        } else {
            dm.connect(folder);
        }
    } catch (const DbError& e) {
        std::fprintf(stderr, "%s\n", e.message().toUtf8().constData());
        return 1;
    }
    g_dm = &dm;
    g_invoices = std::max(1, dm.NextFactNumber() - 1);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
