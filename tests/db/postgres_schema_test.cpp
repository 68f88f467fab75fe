// The book's schema on PostgreSQL, against the throw-away server that ./test.sh starts (DOCMAR_TEST_PG).
#include "base/month_names.h"
#include "db/driver.h"
#include "db/postgres/pg_schema.h"
#include "db/tables.h"
#include "support/test_support.h"

#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>

#include <gtest/gtest.h>

namespace {

// A new database of its own on the test server, so that parallel tests never meet.
class PostgresTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString uri = NewPostgresBook();
        ASSERT_FALSE(uri.isEmpty());
        db = PostgresSchema::openBook(uri, QStringLiteral("pg_test"));
        for (const QString& sql : PostgresSchema::createSql())
            run(sql);
    }
    void TearDown() override
    {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("pg_test"));
    }
    QSqlQuery run(const QString& sql, const QVariantList& values = {})
    {
        // Statements without values go as they are: the server prepares no DDL.
        QSqlQuery q(db);
        bool ok = false;
        if (values.isEmpty()) {
            ok = q.exec(sql);
        } else {
            ok = q.prepare(sql);
            for (const QVariant& v : values)
                q.addBindValue(v);
            ok = ok && q.exec();
        }
        EXPECT_TRUE(ok) << sql.toStdString() << ": " << q.lastError().text().toStdString();
        return q;
    }
    QStringList column(const QString& sql, const QVariantList& values = {})
    {
        QSqlQuery q = run(sql, values);
        QStringList out;
        while (q.next())
            out << q.value(0).toString();
        return out;
    }

    QSqlDatabase db;
};

} // namespace

TEST_F(PostgresTest, EveryTableAndColumnOfTheBookIsThere)
{
    for (const TableDef* t : Tables::all()) {
        const QStringList columns =
            column(QStringLiteral("SELECT upper(column_name) FROM information_schema.columns WHERE "
                                  "table_schema='public' AND table_name=? ORDER BY ordinal_position"),
                   {QString::fromLatin1(t->name).toLower()});
        // And beside every text an index orders by, its stored order key.
        QStringList expectedColumns = t->columnNames();
        for (const IndexDef& i : t->indexes)
            for (const IndexTerm& term : indexTerms(i))
                if (term.collated && !expectedColumns.contains(term.expression + QStringLiteral("_KEY")))
                    expectedColumns << term.expression + QStringLiteral("_KEY");
        EXPECT_EQ(columns, expectedColumns) << t->name;
        const QStringList indexes =
            column(QStringLiteral(
                       "SELECT upper(indexname) FROM pg_indexes WHERE schemaname='public' AND tablename=? "
                       "AND indexname NOT LIKE '%_pkey' ORDER BY 1"),
                   {QString::fromLatin1(t->name).toLower()});
        QStringList expected;
        for (const IndexDef& i : t->indexes)
            expected << QLatin1String(i.name);
        expected.sort();
        EXPECT_EQ(indexes, expected) << t->name;
    }
    EXPECT_EQ(column(QStringLiteral("SELECT ACT_MONTHSTR(3) UNION ALL SELECT ACT_MONTHSTR(14) UNION ALL "
                                    "SELECT ACT_MONTHSTR(40)")),
              (QStringList{ActPeriodName(3), ActPeriodName(14), QString()}));
}

TEST_F(PostgresTest, EveryWriterHasItsTextCutToTheColumn)
{
    run(QStringLiteral("INSERT INTO CLIENTS (ID_NUMBER, FIRMNAME, DOGNUMBER) VALUES (2, ?, ?)"),
        {QString(200, u'Ї'), QStringLiteral("123456789")});
    EXPECT_EQ(column(QStringLiteral("SELECT FIRMNAME FROM CLIENTS")), QStringList{QString(128, u'Ї')});
    run(QStringLiteral("UPDATE CLIENTS SET DOGNUMBER=? WHERE ID_NUMBER=2"), {QStringLiteral("ABCDEFGHIJ")});
    EXPECT_EQ(column(QStringLiteral("SELECT DOGNUMBER FROM CLIENTS")),
              QStringList{QStringLiteral("ABCDEFGH")});
    run(QStringLiteral("INSERT INTO FACTURES (FACT_NUMBER, MEASURE_POS1) VALUES (1, 'штук')"));
    EXPECT_EQ(column(QStringLiteral("SELECT MEASURE_POS1 FROM FACTURES")),
              QStringList{QStringLiteral("штук")});
}

// The counts the server keeps of the whole lists follow every kind of write, a number changing sign, a
// rollback and an emptied table, and stay what counting the rows gives.
TEST_F(PostgresTest, TheKeptCountsAreWhatCountingGives)
{
    const auto check = [&](const char* when) {
        const auto kept = [&](const char* table, int kind) {
            return column(PostgresSchema::keptCountSql(QLatin1String(table), kind)).value(0).toInt();
        };
        const auto counted = [&](const QString& sql) { return column(sql).value(0).toInt(); };
        EXPECT_EQ(kept("FACTURES", 1), counted("SELECT count(*) FROM FACTURES WHERE FACT_NUMBER>0")) << when;
        EXPECT_EQ(kept("FACTURES", -1), counted("SELECT count(*) FROM FACTURES WHERE FACT_NUMBER<0")) << when;
        EXPECT_EQ(kept("CLIENTS", 1), counted("SELECT count(*) FROM CLIENTS WHERE ID_NUMBER>1")) << when;
        EXPECT_EQ(kept("NAKLADN1", 0), counted("SELECT count(*) FROM NAKLADN1")) << when;
        EXPECT_EQ(kept("NAKLADN2", 0), counted("SELECT count(*) FROM NAKLADN2")) << when;
    };
    check("empty");
    run(QStringLiteral("INSERT INTO FACTURES (FACT_NUMBER) SELECT x FROM generate_series(-30, 50) x"));
    run(QStringLiteral("INSERT INTO FACTURES (FACT_NUMBER) VALUES (NULL)"));
    run(QStringLiteral("INSERT INTO CLIENTS (ID_NUMBER) SELECT x FROM generate_series(1, 40) x"));
    run(QStringLiteral("INSERT INTO NAKLADN1 (NAKL_NUMBER) SELECT x FROM generate_series(1, 7) x"));
    run(QStringLiteral("INSERT INTO NAKLADN2 (NAKL_NUMBER) VALUES (1)"));
    check("inserted");
    run(QStringLiteral(
        "UPDATE FACTURES SET FACT_NUMBER = -FACT_NUMBER - 100 WHERE FACT_NUMBER BETWEEN 1 AND 9"));
    run(QStringLiteral("UPDATE FACTURES SET NAME_OWNER = 'x'"));
    check("updated");
    run(QStringLiteral("DELETE FROM FACTURES WHERE FACT_NUMBER < -20"));
    run(QStringLiteral("DELETE FROM CLIENTS WHERE ID_NUMBER > 30"));
    check("deleted");
    run(QStringLiteral("BEGIN"));
    run(QStringLiteral("DELETE FROM NAKLADN1"));
    run(QStringLiteral("ROLLBACK"));
    check("rolled back");
    run(QStringLiteral("TRUNCATE NAKLADN1, FACTURES"));
    check("emptied");
    run(QStringLiteral("INSERT INTO FACTURES (FACT_NUMBER) VALUES (3), (-3)"));
    check("filled again");
    // A bulk write leaves its rows uncounted as it goes, and counts its tables at the end.
    {
        Transaction tx(db, Transaction::Writing);
        BulkWrite bulk(db);
        run(QStringLiteral("INSERT INTO FACTURES (FACT_NUMBER) SELECT x FROM generate_series(10, 20) x"));
        run(QStringLiteral("INSERT INTO NAKLADN2 (NAKL_NUMBER) SELECT x FROM generate_series(2, 30) x"));
        bulk.restore();
        tx.commit();
    }
    check("bulk written");
    // A role granted the tables alone writes them, and its writes are counted.
    const QString clerk = QStringLiteral("clerk_%1").arg(QRandomGenerator::global()->generate());
    run(QStringLiteral("CREATE ROLE ") + clerk);
    run(QStringLiteral("GRANT SELECT, INSERT, UPDATE, DELETE ON FACTURES, CLIENTS, NAKLADN1, NAKLADN2 TO ") +
        clerk);
    run(QStringLiteral("SET ROLE ") + clerk);
    run(QStringLiteral("INSERT INTO FACTURES (FACT_NUMBER) VALUES (77)"));
    run(QStringLiteral("DELETE FROM NAKLADN2 WHERE NAKL_NUMBER < 5"));
    check("written by a role granted the tables");
    // Its bulk write is no bulk write: counted all the same.
    run(QStringLiteral("SET docmar.bulk_write = on"));
    run(QStringLiteral("DELETE FROM FACTURES WHERE FACT_NUMBER = 77"));
    check("written by a role that said it writes in bulk");
    run(QStringLiteral("RESET docmar.bulk_write"));
    // A table of its own under the counts' name, with a trigger that would make it a superuser were it
    // written as the book's owner: the counts go to the book's table, and the role stays what it was.
    run(QStringLiteral("CREATE TEMP TABLE docmar_counts (tbl text, kind integer, n bigint, PRIMARY KEY (tbl, kind))"));
    run(QStringLiteral("CREATE FUNCTION pg_temp.climb() RETURNS trigger LANGUAGE plpgsql AS $f$ BEGIN EXECUTE "
                       "'ALTER ROLE %1 SUPERUSER'; RETURN NULL; END $f$").arg(clerk));
    run(QStringLiteral("CREATE TRIGGER climb AFTER INSERT OR DELETE ON pg_temp.docmar_counts FOR EACH "
                       "STATEMENT EXECUTE FUNCTION pg_temp.climb()"));
    run(QStringLiteral("DELETE FROM NAKLADN2 WHERE NAKL_NUMBER < 8"));
    run(QStringLiteral("RESET ROLE"));
    run(QStringLiteral("DROP TABLE pg_temp.docmar_counts"));
    check("written by a role with a table of the counts' name");
    EXPECT_EQ(column(QStringLiteral("SELECT rolsuper::text FROM pg_roles WHERE rolname = '%1'").arg(clerk)),
              QStringList{"false"});
    run(QStringLiteral("DROP OWNED BY ") + clerk);
    run(QStringLiteral("DROP ROLE ") + clerk);
}

// The same order as on SQLite over the whole alphabet in both cases, Latin, digits, signs and the
// Cyrillic letters outside the alphabet; equal texts letter case aside; prefixes found through the index.
TEST_F(PostgresTest, TheRegisterOrderIsDocMarsOwnOnBothEngines)
{
    const QString alphabet = QStringLiteral("абвгґдеёєжзиіїйклмнопрстуўфхцчшщъыьэюя");
    QStringList words;
    for (const QChar a : alphabet + alphabet.toUpper() + QStringLiteral("AzZ09 -\"'ЂЎѓѐӘ"))
        for (const QString& b : {QString(), QStringLiteral("а"), QStringLiteral("я"), QStringLiteral("ё"),
                                 QStringLiteral("Е"), QStringLiteral("б")})
            words << QString(a) + b;
    words.removeDuplicates();
    QStringList expected = words;
    std::stable_sort(expected.begin(), expected.end(),
                     [](const QString& a, const QString& b) { return compareText(a, b) < 0; });
    for (int i = 0; i < words.size(); ++i)
        run(QStringLiteral("INSERT INTO CLIENTS (ID_NUMBER, FIRMNAME) VALUES (?, ?)"), {i + 2, words[i]});
    // Ties (letter case only) keep the order of entry, as the SQLite order leaves them.
    const QStringList ordered = column(QStringLiteral("SELECT FIRMNAME FROM CLIENTS ORDER BY %1, ID_NUMBER")
                                           .arg(PostgresSchema::orderKey("FIRMNAME")));
    ASSERT_EQ(ordered.size(), expected.size());
    for (int i = 0; i < ordered.size(); ++i)
        EXPECT_EQ(compareText(ordered[i], expected[i]), 0)
            << i << ' ' << ordered[i].toStdString() << " / " << expected[i].toStdString();

    // SQLite orders the same words the same way.
    TestHome home;
    auto sqlite = home.createAndConnect();
    for (int i = 0; i < words.size(); ++i)
        execOrThrow(ConnectionOf(*sqlite),
                    QStringLiteral("INSERT INTO CLIENTS (ID_NUMBER, FIRMNAME) VALUES (?, ?)"),
                    {i + 2, words[i]});
    Rows q = execOrThrow(
        ConnectionOf(*sqlite),
        QStringLiteral("SELECT FIRMNAME FROM CLIENTS ORDER BY FIRMNAME COLLATE UKRAINIAN, ID_NUMBER"));
    for (int i = 0; q.next(); ++i)
        EXPECT_EQ(q.value(0).toString(), ordered.value(i)) << i;

    // Letter case aside, through the key, and a prefix as a range of the key.
    const QString key = PostgresSchema::orderKey(QStringLiteral("FIRMNAME"));
    EXPECT_EQ(
        column(QStringLiteral("SELECT FIRMNAME FROM CLIENTS WHERE %1 = docmar_key(?) ORDER BY ID_NUMBER")
                   .arg(key),
               {QStringLiteral("Ґа")}),
        (QStringList{QStringLiteral("ґа"), QStringLiteral("Ґа")}));
    run(QStringLiteral(
        "INSERT INTO CLIENTS (ID_NUMBER, FIRMNAME) VALUES (100000, 'Київ-Схід'), (100001, 'КИЇВСЬКА')"));
    EXPECT_EQ(
        column(QStringLiteral("SELECT FIRMNAME FROM CLIENTS WHERE %1 LIKE docmar_key(?) || '%' ORDER BY %1")
                   .arg(key),
               {QStringLiteral("киї")}),
        (QStringList{QStringLiteral("Київ-Схід"), QStringLiteral("КИЇВСЬКА")}));
    run(QStringLiteral("SET enable_seqscan = off"));
    const QStringList plan =
        column(QStringLiteral("EXPLAIN SELECT ID_NUMBER FROM CLIENTS WHERE %1 LIKE docmar_key('киї') || '%'")
                   .arg(key));
    EXPECT_TRUE(plan.join(u'\n').contains(QStringLiteral("firma"))) << plan.join(u'\n').toStdString();
}

// A server book of an older version is brought up to date by the same steps as an SQLite one when it is
// opened: the indexes the version brought, then the version; a newer one is not opened.
TEST(PostgresBook, AnOlderBookIsUpgradedAndANewerOneRefused)
{
    const QString book = NewPostgresBook();
    ASSERT_FALSE(book.isEmpty());
    TDM::createPostgresBook(book);
    {
        TDM dm;
        dm.connect(QString(), book);
        execOrThrow(ConnectionOf(dm), QStringLiteral("DROP INDEX N1_FACT2"));
        // Before version 4 the order keys were worked out, not stored (the column's indexes go with it).
        execOrThrow(ConnectionOf(dm), QStringLiteral("ALTER TABLE CLIENTS DROP COLUMN FIRMNAME_KEY"));
        execOrThrow(ConnectionOf(dm), QStringLiteral("DROP INDEX FACT_RECEIPTS"));
        // Before version 5 no counts were kept: those of the rows there are taken by the upgrade.
        execOrThrow(ConnectionOf(dm), QStringLiteral("DROP TABLE docmar_counts CASCADE"));
        for (const char* table : {"factures", "clients", "nakladn1", "nakladn2"})
            execOrThrow(ConnectionOf(dm), QStringLiteral("DROP FUNCTION %1_count CASCADE").arg(table));
        execOrThrow(ConnectionOf(dm), QStringLiteral("INSERT INTO FACTURES (FACT_NUMBER) VALUES (-1), (-2)"));
        execOrThrow(ConnectionOf(dm),
                    QStringLiteral("CREATE OR REPLACE FUNCTION docmar_schema_version() RETURNS "
                                   "integer LANGUAGE sql AS $v$ SELECT 1 $v$"));
    }
    {
        // Version 2 cut accounts at sixteen characters.
        TDM dm;
        dm.connect(QString(), book);
        execOrThrow(
            ConnectionOf(dm),
            QStringLiteral("CREATE OR REPLACE FUNCTION clients_cut() RETURNS trigger LANGUAGE plpgsql AS "
                           "$c$ BEGIN NEW.CHETNUMBER := left(NEW.CHETNUMBER, 16); RETURN NEW; END $c$"));
        execOrThrow(ConnectionOf(dm),
                    QStringLiteral("CREATE OR REPLACE FUNCTION docmar_schema_version() RETURNS "
                                   "integer LANGUAGE sql AS $v$ SELECT 2 $v$"));
    }
    const QString iban = QStringLiteral("UA213223130000026007233566001");
    TDM dm;
    dm.connect(QString(), book);
    execOrThrow(ConnectionOf(dm),
                QStringLiteral("INSERT INTO CLIENTS (ID_NUMBER, FIRMNAME, CHETNUMBER) VALUES (2, 'А', ?)"),
                {iban});
    EXPECT_EQ(scalar(ConnectionOf(dm), QStringLiteral("SELECT CHETNUMBER FROM CLIENTS WHERE ID_NUMBER=2"))
                  .toString(),
              iban);
    EXPECT_TRUE(hasIndex(ConnectionOf(dm), QStringLiteral("N1_FACT2")));
    EXPECT_TRUE(hasIndex(ConnectionOf(dm), QStringLiteral("FACT_RECEIPTS")));
    EXPECT_TRUE(hasIndex(ConnectionOf(dm), QStringLiteral("FIRMA")));
    EXPECT_EQ(
        scalar(ConnectionOf(dm), QStringLiteral("SELECT FIRMNAME_KEY = docmar_key(FIRMNAME) FROM CLIENTS "
                                                "WHERE ID_NUMBER=2"))
            .toBool(),
        true);
    EXPECT_EQ(scalar(ConnectionOf(dm), QStringLiteral("SELECT docmar_schema_version()")).toInt(),
              TDM::kSchemaVersion);
    EXPECT_EQ(scalar(ConnectionOf(dm), PostgresSchema::keptCountSql(QStringLiteral("FACTURES"), -1)).toInt(),
              2);
    EXPECT_EQ(scalar(ConnectionOf(dm), PostgresSchema::keptCountSql(QStringLiteral("CLIENTS"), 1)).toInt(),
              1);

    execOrThrow(ConnectionOf(dm), QStringLiteral("CREATE OR REPLACE FUNCTION docmar_schema_version() RETURNS "
                                                 "integer LANGUAGE sql AS $v$ SELECT 99 $v$"));
    dm.disconnect();
    try {
        dm.connect(QString(), book);
        ADD_FAILURE() << "a newer book was opened";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("более новой версией"))) << e.message().toStdString();
    }
}

// A connection the server has dropped (a restart, a network cut) is said in the program's words, and a new
// connection works again.
TEST(PostgresBook, ALostConnectionIsSaidAsSuch)
{
    const QString book = NewPostgresBook();
    ASSERT_FALSE(book.isEmpty());
    TDM::createPostgresBook(book);
    TDM dm, other;
    dm.connect(QString(), book);
    other.connect(QString(), book);
    const int pid = scalar(ConnectionOf(dm), QStringLiteral("SELECT pg_backend_pid()")).toInt();
    scalar(ConnectionOf(other), QStringLiteral("SELECT pg_terminate_backend(?)"), {pid});
    // Every later statement too, and the toolkit's own warnings stay off the terminal.
    static int warnings = 0;
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) { ++warnings; });
    for (int attempt = 0; attempt < 3; ++attempt) {
        try {
            dm.ReadDocument(1);
            ADD_FAILURE() << "a dropped connection read";
        } catch (const DbError& e) {
            EXPECT_EQ(e.message(),
                      QStringLiteral("Не удалось прочитать данные: нет связи с сервером базы данных."))
                << e.fullText().toStdString();
        }
    }
    qInstallMessageHandler(previous);
    EXPECT_EQ(warnings, 0);
    dm.connect(QString(), book);
    EXPECT_FALSE(dm.ReadDocument(1).has_value());
}

// The address as the client library reads it: every parameter used, a password anywhere refused unsaid.
TEST(PostgresAddress, ReadWholeByTheClientLibrary)
{
    const PostgresSchema::BookAddress a = PostgresSchema::ParseBookAddress(QStringLiteral(
        "postgresql://anna@db.office:5433/books?dbname=other&sslmode=require&connect_timeout=5"));
    EXPECT_EQ(a.host, QStringLiteral("db.office"));
    EXPECT_EQ(a.port, QStringLiteral("5433"));
    EXPECT_EQ(a.user, QStringLiteral("anna"));
    EXPECT_EQ(a.dbname, QStringLiteral("other")); // what pg_dump dumps is what the program opens
    EXPECT_TRUE(a.options.contains(qMakePair(QStringLiteral("sslmode"), QStringLiteral("require"))));
    EXPECT_EQ(a.shown(), QStringLiteral("postgresql://anna@db.office:5433/other"));
    for (const char* withPassword :
         {"postgresql://anna:s3cret@db/books", "postgresql://anna@db/books?password=s3cret",
          "postgresql://db/books?sslmode=disable&password=s3cret"}) {
        try {
            PostgresSchema::ParseBookAddress(QString::fromLatin1(withPassword));
            ADD_FAILURE() << withPassword;
        } catch (const DbError& e) {
            EXPECT_TRUE(
                e.fullText().startsWith(QStringLiteral("Пароль в адресе базы данных не указывается")));
            EXPECT_FALSE(e.fullText().contains(QStringLiteral("s3cret"))) << e.fullText().toStdString();
        }
    }
    EXPECT_THROW(PostgresSchema::ParseBookAddress(QStringLiteral("postgresql://db/books?nonsense=1")),
                 DbError);
}

TEST(PostgresBook, EveryParameterOfTheAddressReachesTheConnection)
{
    const QString book = NewPostgresBook(), other = NewPostgresBook();
    ASSERT_FALSE(book.isEmpty());
    TDM::createPostgresBook(other);
    const QString otherName = PostgresSchema::ParseBookAddress(other).dbname;
    TDM dm;
    // The database a parameter names is the one opened (as pg_dump would dump it), and a parameter such as
    // sslmode or application_name is passed on, not dropped.
    dm.connect(QString(), book + QStringLiteral("&dbname=") + otherName +
                              QStringLiteral("&application_name=docmar-office"));
    EXPECT_EQ(scalar(ConnectionOf(dm), QStringLiteral("SELECT current_database()")).toString(), otherName);
    EXPECT_EQ(
        scalar(ConnectionOf(dm), QStringLiteral("SELECT current_setting('application_name')")).toString(),
        QStringLiteral("docmar-office"));
    // Two servers in turn, the first not there: the client library tries the second, as psql does.
    const PostgresSchema::BookAddress a = PostgresSchema::ParseBookAddress(other);
    dm.connect(QString(), QStringLiteral("postgresql://%1@/%2?host=/nonexistent,%3&port=%4,%4")
                              .arg(a.user, a.dbname, a.host, a.port));
    EXPECT_EQ(scalar(ConnectionOf(dm), QStringLiteral("SELECT current_database()")).toString(), otherName);
}
