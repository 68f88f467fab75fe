#include "maintenance/copy_book.h"

#include "db/connection.h"
#include "db/data_module.h"
#include "db/pg_schema.h"
#include "db/tables.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <map>
#include <memory>

namespace {

QString notEmpty()
{
    return QCoreApplication::translate("CopyBook", "В базе данных, куда переносится книга, уже есть записи: "
                                                   "книга переносится только в пустую базу данных.");
}

void execOrThrowPlain(const QSqlDatabase& db, const QString& sql)
{
    // Statements without values go as they are: PostgreSQL prepares no DDL.
    QSqlQuery q(db);
    if (!q.exec(sql))
        throw DbError(q.lastError().text(), sql);
}

int rowCount(const QSqlDatabase& db, const TableDef& table)
{
    return scalar(db, QStringLiteral("SELECT count(*) FROM %1").arg(QLatin1String(table.name))).toInt();
}

// Every row of every table from one connection to a writer of the other engine.
template <typename Write>
CopyBookReport copyRows(const QSqlDatabase& source, const CopyProgress& progress, Write write)
{
    CopyBookReport report;
    for (const TableDef* t : Tables::all()) {
        const int total = rowCount(source, *t);
        QSqlQuery read(source);
        read.setForwardOnly(true);
        if (!read.exec(
                QStringLiteral("SELECT %1 FROM %2").arg(t->columnNames().join(u','), QLatin1String(t->name))))
            throw DbError(read.lastError().text());
        int done = 0;
        QVariantList values;
        while (read.next()) {
            values.clear();
            for (int i = 0; i < int(t->columns.size()); ++i) {
                const QVariant v = read.value(i);
                // Dates as dates on both engines; an empty one stays empty.
                values << (t->columns[std::size_t(i)].type == ColumnType::Date && !v.isNull()
                               ? QVariant(dateFromDb(v))
                               : v);
            }
            write(*t, values);
            if (progress && (++done % 2000 == 0 || done == total))
                progress(QLatin1String(t->name), done, total);
        }
        if (progress && total == 0)
            progress(QLatin1String(t->name), 0, 0);
        report.emplace_back(QLatin1String(t->name), done);
    }
    return report;
}

// Collects the rows of one table and writes them with one multi-row INSERT at a time.
class PostgresBatch {
public:
    explicit PostgresBatch(const QSqlDatabase& db)
        : m_db(db)
    {
    }
    void add(const TableDef& table, const QVariantList& values)
    {
        if (m_table != &table)
            flush();
        m_table = &table;
        for (const QVariant& v : values)
            m_values << (v.typeId() == QMetaType::QDate ? QVariant(v.toDate().toString(Qt::ISODate)) : v);
        if (++m_rows == kRows)
            flush();
    }
    void flush()
    {
        if (m_rows == 0)
            return;
        QStringList marks;
        marks.fill(QStringLiteral("?"), qsizetype(m_table->columns.size()));
        QStringList rows;
        rows.fill(u'(' + marks.join(u',') + u')', m_rows);
        QSqlQuery q(m_db);
        bool ok = q.prepare(
            QStringLiteral("INSERT INTO %1 (%2) VALUES %3")
                .arg(QLatin1String(m_table->name), m_table->columnNames().join(u','), rows.join(u',')));
        for (int i = 0; ok && i < int(m_values.size()); ++i)
            q.bindValue(i, m_values[i]);
        if (!ok || !q.exec())
            throw DbError(q.lastError().text());
        m_values.clear();
        m_rows = 0;
    }

private:
    static constexpr int kRows = 250;
    QSqlDatabase m_db;
    const TableDef* m_table = nullptr;
    QVariantList m_values;
    int m_rows = 0;
};

} // namespace

CopyBookReport CopyBookToPostgres(const TDM& source, const QSqlDatabase& target, const CopyProgress& progress)
{
    QSqlDatabase pg = target;
    if (!pg.transaction())
        throw DbError(pg.lastError().text());
    try {
        // A book made here gets its indexes after the rows: built once rather than row by row.
        const bool made = !PostgresSchema::hasTables(pg);
        if (made) {
            for (const QString& sql : PostgresSchema::tableSql())
                execOrThrowPlain(pg, sql);
        } else if (PostgresSchema::hasRows(pg)) {
            throw DbError(notEmpty());
        }
        // Rows go a few hundred to a statement: one round trip per row would take a minute for a big book.
        PostgresBatch batch(pg);
        CopyBookReport report =
            copyRows(source.database(), progress,
                     [&](const TableDef& t, const QVariantList& values) { batch.add(t, values); });
        batch.flush();
        if (!pg.commit())
            throw DbError(pg.lastError().text());
        return report;
    } catch (...) {
        pg.rollback();
        throw;
    }
}

CopyBookReport CopyBookFromPostgres(const QSqlDatabase& source, TDM& target, const CopyProgress& progress)
{
    const QSqlDatabase db = target.database();
    Transaction tx(db, Transaction::Writing);
    for (const TableDef* t : Tables::all())
        if (rowCount(db, *t) > 0)
            throw DbError(notEmpty());
    SizeGuardsSuspended guards(db); // the texts come cut to their columns already
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
