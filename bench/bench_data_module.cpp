// Single-value operations of the data module on a large book.
// Usage: bench_data_module [benchmark flags] [PROGRAM_FOLDER]
// Without a folder, a temporary book of 10,000 clients and 200,000 invoices is generated first.
#include "bench/demo_book.h"
#include "db/data_module.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

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

std::unique_ptr<TDM> g_owned;

void prepare(const DemoBook& book)
{
    g_owned = std::make_unique<TDM>();
    g_owned->connect(book.dataFolder());
    g_dm = g_owned.get();
    g_invoices = std::max(1, g_dm->NextFactNumber() - 1);
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int result = RunOnDemoBook(argc, argv, 10000, 200000, prepare);
    g_owned.reset();
    return result;
}
