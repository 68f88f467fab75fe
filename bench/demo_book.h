#pragma once

#include <QString>
#include <QTemporaryDir>

#include <memory>

// The program folder a benchmark runs on: the one named as the first argument left after the benchmark
// flags, or a temporary one with a generated book of the given size. Throws DbError.
class DemoBook {
public:
    DemoBook(int argc, char** argv, int clients, int invoices);
    const QString& home() const { return m_home; }
    // The database folder, as the program's settings name it.
    const QString& dataFolder() const { return m_data; }

private:
    std::unique_ptr<QTemporaryDir> m_temp;
    QString m_home;
    QString m_data;
};

// Runs the benchmarks on a book; 0, or 1 with the message on stderr when the book cannot be had.
int RunOnDemoBook(int argc, char** argv, int clients, int invoices, void (*prepare)(const DemoBook&));
