#include "db/data_module.h"
#include "db/postgres/pg_schema.h"
#include "db/sql_dialect.h"
#include "db/tables.h"
#include "support/test_support.h"

#include <QSqlDatabase>
#include <QSqlQuery>

#include <gtest/gtest.h>

namespace {

// Every row of every table as text, in one order whatever the engine: dates as dates, numbers as numbers.
QStringList rowsOf(const QSqlDatabase& db)
{
    QStringList rows;
    for (const TableDef* t : Tables::all()) {
        QSqlQuery q(db);
        EXPECT_TRUE(q.exec(
            QStringLiteral("SELECT %1 FROM %2").arg(t->columnNames().join(u','), QLatin1String(t->name))));
        while (q.next()) {
            QStringList values{QLatin1String(t->name)};
            for (int i = 0; i < int(t->columns.size()); ++i) {
                const QVariant v = q.value(i);
                const ColumnType type = t->columns[std::size_t(i)].type;
                values << (v.isNull()                    ? QStringLiteral("NULL")
                           : type == ColumnType::Date    ? dateFromDb(v).toString(Qt::ISODate)
                           : type == ColumnType::Text    ? v.toString()
                           : type == ColumnType::Integer ? QString::number(v.toLongLong())
                           : type == ColumnType::Short   ? QString::number(v.toLongLong())
                                                         : QString::number(v.toDouble(), 'g', 17));
            }
            rows << values.join(u'|');
        }
    }
    rows.sort();
    return rows;
}

} // namespace

TEST(CopyBook, ABookGoesToPostgresAndBackWhole)
{
    TestHome from;
    ASSERT_EQ(runDocmar({"--home", from.path(), "demo", "--clients", "40", "--invoices", "400"}).exitCode, 0);
    {
        TDM dm;
        dm.connect(from.dataFolder());
        // The edges: the longest texts, an empty date, a negative number.
        execOrThrow(
            ConnectionOf(dm),
            QStringLiteral("INSERT INTO CLIENTS (ID_NUMBER, FIRMNAME, DOGDATA) VALUES (900, ?, NULL)"),
            {QString(128, u'Ї')});
        execOrThrow(ConnectionOf(dm),
                    QStringLiteral("INSERT INTO PLATEG (PLAT_NUMBER, PLAT_DATA, SUMMA, INFO, ID_NUMBER) "
                                   "VALUES (1, '2001-02-05', -0.1, 'оплата', 900)"));
        // What the server's copy format escapes: backslash, tab, line ends; and an empty text.
        execOrThrow(
            ConnectionOf(dm),
            QStringLiteral("INSERT INTO CLIENTS (ID_NUMBER, FIRMNAME, CHIEF, CITY) VALUES (901, ?, ?, '')"),
            {QStringLiteral("a\\b\tc\nd\re\\N"), QStringLiteral("\\")});
        // A text longer than its column, from a book older than its guards: cut by characters, the signs
        // before the cut escaped and those after it gone.
        for (const QString& sql : SqlDialect::sqlite().beginBulkWrite())
            execOrThrow(ConnectionOf(dm), sql);
        execOrThrow(ConnectionOf(dm),
                    QStringLiteral("INSERT INTO CLIENTS (ID_NUMBER, FIRMNAME) VALUES (903, ?)"),
                    {QString(126, u'Ї') + QStringLiteral("\\\t\n\\")});
        for (const QString& sql : SqlDialect::sqlite().endBulkWrite())
            execOrThrow(ConnectionOf(dm), sql);
    }
    const QString uri = NewPostgresBook();
    ASSERT_FALSE(uri.isEmpty());
    ProcessResult r = runDocmar({"--home", from.path(), "copy-book", "--to", uri});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    {
        const QSqlDatabase pg = PostgresSchema::openBook(uri, QStringLiteral("copy_test"));
        EXPECT_EQ(scalar(pg, QStringLiteral("SELECT FIRMNAME FROM CLIENTS WHERE ID_NUMBER=903")).toString(),
                  QString(126, u'Ї') + QStringLiteral("\\\t"));
        execOrThrow(pg, QStringLiteral("DELETE FROM CLIENTS WHERE ID_NUMBER=903"));
        TDM dm;
        dm.connect(from.dataFolder());
        execOrThrow(ConnectionOf(dm), QStringLiteral("DELETE FROM CLIENTS WHERE ID_NUMBER=903"));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("copy_test"));
    EXPECT_TRUE(r.err.contains(QStringLiteral("FACTURES: "))) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("Книга перенесена: записей ")));

    // The book holds rows now: a second copy is refused and changes nothing.
    r = runDocmar({"--home", from.path(), "copy-book", "--to", uri});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("уже есть записи"))) << r.err.toStdString();

    TestHome back;
    r = runDocmar({"--home", back.path(), "copy-book", "--from", uri});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    TDM original, copy;
    original.connect(from.dataFolder());
    copy.connect(back.dataFolder());
    const QStringList rows = rowsOf(ConnectionOf(original));
    EXPECT_GT(rows.size(), 500);
    EXPECT_EQ(rowsOf(ConnectionOf(copy)), rows);
    {
        const QSqlDatabase pg = PostgresSchema::openBook(uri, QStringLiteral("copy_test"));
        EXPECT_EQ(rowsOf(pg), rows);
        // The book made by the copy has every index, built after its rows.
        for (const TableDef* t : Tables::all())
            for (const IndexDef& i : t->indexes)
                EXPECT_TRUE(hasIndex(pg, QLatin1String(i.name))) << i.name;
        // And its size guards, made after the rows too: a later writer's text is cut, and a row without
        // its key gets the next one.
        execOrThrow(pg, QStringLiteral("INSERT INTO CLIENTS (FIRMNAME) VALUES (?)"), {QString(130, u'Ґ')});
        EXPECT_EQ(scalar(pg, QStringLiteral("SELECT FIRMNAME FROM CLIENTS WHERE ID_NUMBER=902")).toString(),
                  QString(128, u'Ґ'));
        execOrThrow(pg, QStringLiteral("DELETE FROM CLIENTS WHERE ID_NUMBER=902"));
        // The lists' counts are taken after the rows too.
        EXPECT_EQ(scalar(pg, PostgresSchema::keptCountSql(QStringLiteral("FACTURES"), 1)),
                  scalar(pg, QStringLiteral("SELECT count(*) FROM FACTURES WHERE FACT_NUMBER>0")));
        EXPECT_EQ(scalar(pg, PostgresSchema::keptCountSql(QStringLiteral("CLIENTS"), 1)).toInt(), 42);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("copy_test"));

    // Into a book that is not empty: refused.
    r = runDocmar({"--home", back.path(), "copy-book", "--from", uri});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(runDocmar({"--home", back.path(), "copy-book", "--to", "/tmp/x.db"}).exitCode, 2);
    EXPECT_EQ(runDocmar({"--home", back.path(), "copy-book"}).exitCode, 2);
    r = runDocmar(
        {"--home", back.path(), "copy-book", "--to", "postgresql://nobody@/nosuch?host=/nonexistent"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.startsWith(QStringLiteral("Не удалось открыть базу данных"))) << r.err.toStdString();
}
