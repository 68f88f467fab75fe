#include "bench/demo_book.h"

#include "base/settings.h"
#include "db/data_module.h"
#include "maintenance/demo_data.h"

#include <QElapsedTimer>

#include <benchmark/benchmark.h>

#include <cstdio>

DemoBook::DemoBook(int argc, char** argv, int clients, int invoices)
{
    m_home = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const bool generate = m_home.isEmpty();
    if (generate) {
        m_temp = std::make_unique<QTemporaryDir>();
        m_home = m_temp->path();
    }
    Settings settings = defaultSettings(m_home);
    ReadSettings(settings, m_home);
    m_data = settings.path;
    if (!generate)
        return;
    TDM::createDatabase(m_data);
    TDM dm;
    dm.connect(m_data);
    QElapsedTimer timer;
    timer.start();
    FillDemoData(dm, {clients, invoices, 1});
    std::fprintf(stderr, "demo book of %d clients and %d invoices made in %.2f s\n", clients, invoices,
                 timer.elapsed() / 1000.0);
}

int RunOnDemoBook(int argc, char** argv, int clients, int invoices, void (*prepare)(const DemoBook&))
{
    benchmark::Initialize(&argc, argv);
    try {
        const DemoBook book(argc, argv, clients, invoices);
        prepare(book);
        benchmark::RunSpecifiedBenchmarks();
    } catch (const DbError& e) {
        std::fprintf(stderr, "%s\n", e.message().toUtf8().constData());
        return 1;
    }
    benchmark::Shutdown();
    return 0;
}
