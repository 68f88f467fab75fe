#pragma once

#include "bench/demo_book.h"

#include <QApplication>

// The program folder and database folder the window benchmarks run on.
struct WidgetBenchBook {
    QString home;
    QString data;
};
inline WidgetBenchBook g_book;

// main() of a benchmark that needs windows: the offscreen platform, then the 10,000-client,
// 200,000-invoice book (or the folder given).
inline int RunWidgetBenchmarks(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return RunOnDemoBook(argc, argv, 10000, 200000, [](const DemoBook& book) {
        g_book.home = book.home();
        g_book.data = book.dataFolder();
    });
}
