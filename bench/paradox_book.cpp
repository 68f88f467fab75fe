// Writes a book's seven tables as Paradox tables, as an old book kept them, for timing the import.
// Usage: paradox_book PROGRAM_FOLDER OUT_FOLDER
#include "base/settings.h"
#include "db/data_module.h"
#include "db/driver.h"
#include "db/tables.h"
#include "support/paradox_fixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QSqlQuery>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: paradox_book PROGRAM_FOLDER OUT_FOLDER\n");
        return 2;
    }
    Settings settings = defaultSettings(QString::fromLocal8Bit(argv[1]));
    ReadSettings(settings, QString::fromLocal8Bit(argv[1]));
    TDM dm;
    dm.connect(settings.path);
    const QDir out(QString::fromLocal8Bit(argv[2]));
    QDir().mkpath(out.path());
    const std::pair<const TableDef*, const char*> files[] = {
        {&Tables::clients(), "Clients.DB"},   {&Tables::products(), "PRODUCTS.DB"},
        {&Tables::factures(), "Factures.DB"}, {&Tables::nakladn1(), "Nakladn1.DB"},
        {&Tables::nakladn2(), "Nakladn2.DB"}, {&Tables::acts(), "Acts.DB"},
        {&Tables::plateg(), "Plateg.Db"}};
    for (const auto& [table, file] : files) {
        std::vector<QVariantList> rows;
        Rows q = execOrThrow(ConnectionOf(dm),
                             QStringLiteral("SELECT %1 FROM %2")
                                 .arg(table->columnNames().join(u','), QLatin1String(table->name)));
        while (q.next()) {
            QVariantList row;
            for (int i = 0; i < int(table->columns.size()); ++i)
                row << (table->columns[std::size_t(i)].type == ColumnType::Date && !q.value(i).isNull()
                            ? QVariant(dateFromDb(q.value(i)))
                            : q.value(i));
            rows.push_back(row);
        }
        if (!WriteParadoxTable(out.filePath(QLatin1String(file)), ParadoxFieldsOf(*table), rows)) {
            std::fprintf(stderr, "%s: not written\n", file);
            return 1;
        }
        std::fprintf(stderr, "%s: %zu rows\n", file, rows.size());
    }
    return 0;
}
