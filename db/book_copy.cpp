#include "db/book_copy.h"

#include "db/data_module.h"
#include "db/driver.h"
#include "db/postgres/pg_schema.h"
#include "db/sql_dialect.h"
#include "db/tables.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>

#include <map>
#include <memory>

namespace {

using CopyCell = PostgresSchema::CopyIn::Cell;

QString notEmpty()
{
    return QCoreApplication::translate("CopyBook", "В базе данных, куда переносится книга, уже есть записи: "
                                                   "книга переносится только в пустую базу данных.");
}

int rowCount(const QSqlDatabase& db, const TableDef& table)
{
    return scalar(db, QStringLiteral("SELECT count(*) FROM %1").arg(QLatin1String(table.name))).toInt();
}

// Every table in turn, with its progress: readTable reads one table whole, calling `row` after each row it
// hands on.
CopyBookReport
copyTables(const QSqlDatabase& source, const CopyProgress& progress,
           const std::function<void(const TableDef&, const std::function<void()>& row)>& readTable)
{
    CopyBookReport report;
    for (const TableDef* t : Tables::all()) {
        const int total = rowCount(source, *t);
        int done = 0;
        readTable(*t, [&] {
            ++done;
            if (progress && (done % 2000 == 0 || done == total))
                progress(QLatin1String(t->name), done, total);
        });
        if (progress && total == 0)
            progress(QLatin1String(t->name), 0, 0);
        report.emplace_back(QLatin1String(t->name), done);
    }
    return report;
}

// Every row of every table from one connection to a writer of the other engine.
template <typename Write>
CopyBookReport copyRows(const QSqlDatabase& source, const CopyProgress& progress, Write write)
{
    return copyTables(source, progress, [&](const TableDef& t, const std::function<void()>& row) {
        Statement read(source, selectAllSql(t), {}, Statement::Streamed);
        QVariantList values;
        while (read.next()) {
            values.clear();
            for (int i = 0; i < int(t.columns.size()); ++i) {
                // Dates as dates on both engines; an empty one stays empty.
                const ColumnType type = t.columns[std::size_t(i)].type;
                if (read.isNull(i))
                    values << QVariant();
                else if (type == ColumnType::Date)
                    values << QVariant(dateFromDb(read.text(i)));
                else if (type == ColumnType::Text)
                    values << read.text(i);
                else if (type == ColumnType::Integer || type == ColumnType::Short)
                    values << read.integer(i);
                else
                    values << read.real(i);
            }
            write(t, values);
            row();
        }
    });
}

// Every row of every table of a SQLite book, each value as the engine keeps it:
// a big book's copy spends its time on the rows, not on a value object per cell.
CopyBookReport copySqliteRows(const QSqlDatabase& source, const CopyProgress& progress,
                              const std::function<void(const TableDef&, const std::vector<CopyCell>&)>& write)
{
    return copyTables(source, progress, [&](const TableDef& t, const std::function<void()>& row) {
        Statement read(source, selectAllSql(t));
        std::vector<CopyCell> cells(t.columns.size());
        while (read.next()) {
            for (int i = 0; i < int(cells.size()); ++i)
                cells[std::size_t(i)] = read.cell(i);
            write(t, cells);
            row();
        }
    });
}

} // namespace

CopyBookReport CopyBookToPostgres(const TDM& source, const QSqlDatabase& target, const CopyProgress& progress)
{
    QSqlDatabase pg = target;
    if (!pg.transaction())
        throw ConnectionFailure(pg);
    try {
        // A book made here gets its size guards and indexes after the rows: built once rather than row by
        // row.
        const bool made = !PostgresSchema::hasTables(pg);
        if (made) {
            for (const QString& sql : PostgresSchema::tableSql())
                execOrThrow(pg, sql);
        } else if (PostgresSchema::hasRows(pg)) {
            throw DbError(notEmpty());
        }
        // The rows go through the server's COPY, a table at a time: the round trips of one INSERT a row
        // would take minutes for a big book.
        std::unique_ptr<PostgresSchema::CopyIn> copy;
        const TableDef* copying = nullptr;
        CopyBookReport report = copySqliteRows(ConnectionOf(source), progress,
                                               [&](const TableDef& t, const std::vector<CopyCell>& cells) {
                                                   if (copying != &t) {
                                                       if (copy)
                                                           copy->finish();
                                                       copy = std::make_unique<PostgresSchema::CopyIn>(pg, t);
                                                       copying = &t;
                                                   }
                                                   copy->add(cells);
                                               });
        if (copy)
            copy->finish();
        copy.reset();
        // The rows were cut to their columns on the way (a guard a row would cost as much again).
        if (made)
            for (const QString& sql :
                 PostgresSchema::sizeGuardSql() + PostgresSchema::indexSql() + PostgresSchema::rowCountSql())
                execOrThrow(pg, sql);
        if (!pg.commit())
            throw ConnectionFailure(pg);
        for (const QString& sql : SqlDialect::of(pg).statisticsSql())
            execOrThrow(pg, sql);
        return report;
    } catch (...) {
        pg.rollback();
        throw;
    }
}

CopyBookReport CopyBookFromPostgres(const QSqlDatabase& source, TDM& target, const CopyProgress& progress)
{
    const QSqlDatabase db = ConnectionOf(target);
    Transaction tx(db, Transaction::Writing);
    for (const TableDef* t : Tables::all())
        if (rowCount(db, *t) > 0)
            throw DbError(notEmpty());
    BulkWrite guards(db); // the texts come cut to their columns already
    std::map<const TableDef*, std::unique_ptr<RowInserter>> inserters;
    CopyBookReport report = copyRows(source, progress, [&](const TableDef& t, const QVariantList& values) {
        auto& inserter = inserters[&t];
        if (!inserter)
            inserter = std::make_unique<RowInserter>(db, t);
        inserter->insert(values);
    });
    inserters.clear();
    guards.restore();
    tx.commit();
    return report;
}

namespace {

// The book at the address under a connection of the copy's own, closed whatever becomes of the copy.
CopyBookReport withBook(const QString& uri, const std::function<CopyBookReport(const QSqlDatabase&)>& copy)
{
    const QString connection = QStringLiteral("copy-book");
    struct Closer {
        QString name;
        ~Closer() { closeConnection(name); }
    } closer{connection};
    return copy(PostgresSchema::openBook(uri, connection));
}

} // namespace

CopyBookReport CopyBookToPostgres(const TDM& source, const QString& uri, const CopyProgress& progress)
{
    return withBook(uri, [&](const QSqlDatabase& pg) { return CopyBookToPostgres(source, pg, progress); });
}

CopyBookReport CopyBookFromPostgres(const QString& uri, TDM& target, const CopyProgress& progress)
{
    return withBook(uri, [&](const QSqlDatabase& pg) { return CopyBookFromPostgres(pg, target, progress); });
}
