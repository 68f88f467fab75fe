#include "base/text_case.h"
#include "db/driver.h"
#include "db/data_module.h"
#include "db/list_queries.h"
#include "db/register_source.h"
#include "db/tables.h"
#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>

#include <sqlite3.h>

#include <atomic>
#include <chrono>
#include <thread>

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

QStringList columnsOf(const QSqlDatabase& db, const QString& table)
{
    QStringList names;
    Rows q = execOrThrow(db, QStringLiteral("PRAGMA table_info(%1)").arg(table));
    while (q.next())
        names << q.value(1).toString();
    return names;
}

QStringList column(const QSqlDatabase& db, const QString& sql)
{
    QStringList values;
    Rows q = execOrThrow(db, sql);
    while (q.next())
        values << q.value(0).toString();
    return values;
}

} // namespace

TEST(Schema, EveryTableColumnAndNamedIndex)
{
    TestHome home;
    auto dm = home.createAndConnect();
    const QSqlDatabase db = ConnectionOf(*dm);
    const QStringList clients = columnsOf(db, QStringLiteral("CLIENTS"));
    EXPECT_EQ(clients.size(), 21);
    EXPECT_EQ(clients.first(), QStringLiteral("ID_NUMBER"));
    EXPECT_TRUE(clients.contains(QStringLiteral("CHETNUMBER2")));
    const QStringList factures = columnsOf(db, QStringLiteral("FACTURES"));
    EXPECT_EQ(factures.size(), 23);
    for (const char* c : {"FACT_DOPNO", "FACT_NR", "MEASURE_POS4", "PRICE_POS3", "NAME_OWNER"})
        EXPECT_TRUE(factures.contains(QLatin1String(c))) << c;
    EXPECT_EQ(columnsOf(db, QStringLiteral("NAKLADN1")).size(), 11);
    EXPECT_EQ(columnsOf(db, QStringLiteral("NAKLADN2")).size(), 9);
    EXPECT_EQ(columnsOf(db, QStringLiteral("ACTS")).size(), 9); // ACT_MONTHSTR is computed, not stored
    EXPECT_EQ(columnsOf(db, QStringLiteral("PRODUCTS")).size(), 3);
    EXPECT_FALSE(columnsOf(db, QStringLiteral("PLATEG")).isEmpty());

    const QStringList indexes =
        column(db, QStringLiteral("SELECT name FROM sqlite_master WHERE type='index'"));
    for (const char* name :
         {"FIRMA", "CHIEFNAME", "CITYADR", "POST_ADR", "LAW_ADR", "T_CODE", "REG_NUM", "DOG_NUM", "A_NUMBER",
          "PR_PRICE", "PR_NAME", "FACT_CLIENT", "N1_CLIENT", "N2_CLIENT"})
        EXPECT_TRUE(indexes.contains(QLatin1String(name))) << name;
    EXPECT_EQ(scalar(db, QStringLiteral("PRAGMA user_version")).toInt(), TDM::kSchemaVersion);
}

TEST(Schema, KeysRefuseDuplicates)
{
    TestHome home;
    auto dm = home.createAndConnect();
    const QSqlDatabase db = ConnectionOf(*dm);
    execOrThrow(db, QStringLiteral("INSERT INTO FACTURES (FACT_NUMBER) VALUES (5)"));
    EXPECT_THROW(execOrThrow(db, QStringLiteral("INSERT INTO FACTURES (FACT_NUMBER) VALUES (5)")), DbError);
    execOrThrow(db, QStringLiteral("INSERT INTO NAKLADN1 (NAKL_NUMBER) VALUES (1)"));
    EXPECT_THROW(execOrThrow(db, QStringLiteral("INSERT INTO NAKLADN1 (NAKL_NUMBER) VALUES (1)")), DbError);
    execOrThrow(db, QStringLiteral("INSERT INTO PRODUCTS (PRODUCT_NAME) VALUES ('x')"));
    EXPECT_EQ(scalar(db, QStringLiteral("SELECT REC_NUMBER FROM PRODUCTS")).toInt(), 1);
}

TEST(Schema, UkrainianAndRussianAlphabeticalOrderIgnoringCase)
{
    TestHome home;
    auto dm = home.createAndConnect();
    const QSqlDatabase db = ConnectionOf(*dm);
    const QStringList names = {"Яблуко", "єва",   "Ґанок", "ігор", "Їжак",  "ёлка", "Іван",
                               "Гора",   "дім",   "Ель",   "Жук",  "Ижица", "йод",  "Абрикос",
                               "Zeta",   "alpha", "Щука",  "Ъ",    "ь",     "Эра",  "юла"};
    RowInserter insert(db, Tables::clients());
    int id = 2;
    for (const QString& n : names)
        insert.insert({id++, n});
    const QStringList sorted =
        column(db, QStringLiteral("SELECT FIRMNAME FROM CLIENTS ORDER BY FIRMNAME COLLATE UKRAINIAN"));
    const QStringList expected = {"alpha", "Zeta", "Абрикос", "Гора",  "Ґанок", "дім",  "Ель",
                                  "ёлка",  "єва",  "Жук",     "Ижица", "Іван",  "ігор", "Їжак",
                                  "йод",   "Щука", "Ъ",       "ь",     "Эра",   "юла",  "Яблуко"};
    EXPECT_EQ(sorted, expected);
    // The index FIRMA orders the register without a sort step.
    Rows q = execOrThrow(db, QStringLiteral("EXPLAIN QUERY PLAN SELECT FIRMNAME FROM CLIENTS "
                                            "ORDER BY FIRMNAME COLLATE UKRAINIAN"));
    QString detail;
    while (q.next())
        detail += q.value(3).toString();
    EXPECT_TRUE(detail.contains(QStringLiteral("FIRMA"))) << detail.toStdString();

    EXPECT_EQ(
        scalar(db, QStringLiteral("SELECT count(*) FROM CLIENTS WHERE FIRMNAME = 'ЇЖАК' COLLATE UKRAINIAN"))
            .toInt(),
        1);
    EXPECT_EQ(
        scalar(db, QStringLiteral("SELECT count(*) FROM CLIENTS WHERE FIRMNAME = 'ЁЛКА' COLLATE UKRAINIAN"))
            .toInt(),
        1);
    EXPECT_EQ(compareText(QStringLiteral("ҐАНОК"), QStringLiteral("ґанок")), 0);
    EXPECT_LT(compareText(QStringLiteral("Г"), QStringLiteral("ґ")), 0);
    EXPECT_LT(compareText(QStringLiteral("ab"), QStringLiteral("abc")), 0);
    EXPECT_EQ(foldCase(QStringLiteral("ЇЖАК Ґ Є І Ё ABC")), QStringLiteral("їжак ґ є і ё abc"));
    // The search's matching: letter case folded on the stored side, the first 255 characters only.
    EXPECT_EQ(scalar(db, QStringLiteral("SELECT UFIND('ТОВ ҐРУНТ', 'ґрунт', 0)")).toInt(), 1);
    EXPECT_EQ(scalar(db, QStringLiteral("SELECT UFIND('ҐРУНТ', 'ґрунт', 1)")).toInt(), 1);
    EXPECT_EQ(scalar(db, QStringLiteral("SELECT UFIND('ҐРУНТИ', 'ґрунт', 1)")).toInt(), 0);
    EXPECT_EQ(scalar(db, QStringLiteral("SELECT UFIND(NULL, '', 1)")).toInt(), 1);
    EXPECT_EQ(scalar(db, QStringLiteral("SELECT UFIND(?, 'z', 0)"), {QString(255, u'Ї') + u'Z'}).toInt(), 0);
}

TEST(Schema, ActPeriodNameIsComputed)
{
    TestHome home;
    auto dm = home.createAndConnect();
    const QSqlDatabase db = ConnectionOf(*dm);
    for (int m : {3, 14, 0, 17, -1})
        execOrThrow(db, QStringLiteral("INSERT INTO ACTS (ACT_NUMBER, ACT_MONTH) VALUES (?, ?)"),
                    {m + 100, m});
    const QStringList periods =
        column(db, QStringLiteral("SELECT ACT_MONTHSTR(ACT_MONTH) FROM ACTS ORDER BY ACT_NUMBER"));
    EXPECT_EQ(periods, (QStringList{"", "", "март", "II квартал", ""}));
}

TEST(Schema, StoredTextIsCutToItsColumnAndDatesRoundTrip)
{
    TestHome home;
    auto dm = home.createAndConnect();
    const QSqlDatabase db = ConnectionOf(*dm);
    RowInserter insert(db, Tables::factures());
    InvoiceRow f;
    f.FACT_NUMBER = 1;
    f.FACT_DOPNO = QStringLiteral("абвгдеж");
    f.positions[0].name = QString(100, u'ї');
    f.positions[0].measure = QStringLiteral("кг/м3");
    f.NAME_OWNER = QString(81, u'Ґ');
    f.FACT_DATA = QDate(2026, 2, 28);
    insert.insert(toValues(f));
    f.FACT_NUMBER = 2;
    f.FACT_DATA = QDate();
    insert.insert(toValues(f));

    Rows q = execOrThrow(db, QStringLiteral("SELECT * FROM FACTURES ORDER BY FACT_NUMBER"));
    ASSERT_TRUE(q.next());
    const InvoiceRow back = invoiceFromRecord(q.record());
    EXPECT_EQ(back.FACT_DOPNO, QStringLiteral("абвгд"));
    EXPECT_EQ(back.positions[0].name, QString(70, u'ї'));
    EXPECT_EQ(back.positions[0].measure, QStringLiteral("кг/м"));
    EXPECT_EQ(back.NAME_OWNER.size(), 80);
    EXPECT_EQ(back.FACT_DATA, QDate(2026, 2, 28));
    EXPECT_EQ(q.value(QStringLiteral("FACT_DATA")).toString(), QStringLiteral("2026-02-28"));
    ASSERT_TRUE(q.next());
    EXPECT_TRUE(q.value(QStringLiteral("FACT_DATA")).isNull());
    EXPECT_EQ(invoiceFromRecord(q.record()).FACT_DATA, kDateZero);
    EXPECT_EQ(cutToColumn(Tables::clients(), QStringLiteral("firmname"), QString(130, u'x')).size(), 128);

    // Rows written by plain SQL, or by any other tool, are cut too.
    execOrThrow(
        db, QStringLiteral("INSERT INTO CLIENTS (ID_NUMBER, FIRMNAME, DOGNUMBER) VALUES (2, ?, '123456789')"),
        {QString(200, u'є')});
    EXPECT_EQ(scalar(db, QStringLiteral("SELECT FIRMNAME FROM CLIENTS")).toString(), QString(128, u'є'));
    EXPECT_EQ(scalar(db, QStringLiteral("SELECT DOGNUMBER FROM CLIENTS")).toString(),
              QStringLiteral("12345678"));
    execOrThrow(db, QStringLiteral("UPDATE CLIENTS SET CITY=? WHERE ID_NUMBER=2"), {QString(40, u'ґ')});
    EXPECT_EQ(scalar(db, QStringLiteral("SELECT CITY FROM CLIENTS")).toString(), QString(32, u'ґ'));
    EXPECT_EQ(scalar(db, QStringLiteral("SELECT FIRMNAME FROM CLIENTS")).toString(), QString(128, u'є'));
    EXPECT_EQ(cutToColumn(Tables::clients(), QStringLiteral("ID_NUMBER"), QStringLiteral("12345")),
              QStringLiteral("12345"));
}

// Each row's fields and its table's columns are one list: a column added on one side only is found here,
// and a row goes to the store by its columns' names with its values as stored.
TEST(Schema, EveryColumnIsAFieldOfItsRow)
{
    EXPECT_EQ(UnboundColumns(), QStringList());
    InvoiceRow f;
    f.FACT_NUMBER = -3;
    f.FACT_DATA = QDate(2026, 12, 7);
    f.positions[3].price = 2.5;
    const RowColumns c = columnsOf(f, {QStringLiteral("FACT_DOPNO"), QStringLiteral("FACT_NR")});
    const QStringList names = c.names();
    EXPECT_EQ(names, Tables::factures().columnNames().filter(
                         QRegularExpression(QStringLiteral("^(?!FACT_DOPNO$|FACT_NR$)"))));
    EXPECT_EQ(c.values().at(names.indexOf(QStringLiteral("FACT_DATA"))), QStringLiteral("2026-12-07"));
    EXPECT_EQ(c.values().at(names.indexOf(QStringLiteral("PRICE_POS4"))).toDouble(), 2.5);
    EXPECT_EQ(c.values().at(names.indexOf(QStringLiteral("FACT_NUMBER"))).toInt(), -3);
    // A column the table does not describe never reaches a statement.
    EXPECT_THROW(RowColumns(Tables::acts()).set("ACT_NUMBER=1; DROP TABLE ACTS; --", 1), DbError);
}

TEST(Connection, MissingForeignOrIncompleteDatabasesAreRefused)
{
    TestHome home;
    TDM dm;
    EXPECT_THROW(dm.connect(home.dataFolder()), DbError);
    EXPECT_FALSE(QFile::exists(TDM::databaseFile(home.dataFolder()))); // connecting never creates a file
    EXPECT_FALSE(dm.isConnected());

    ASSERT_TRUE(QDir().mkpath(home.dataFolder()));
    {
        QFile f(TDM::databaseFile(home.dataFolder()));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("this is a spreadsheet, not a database; ", 38);
        f.write(QByteArray(8192, '\x07'));
    }
    EXPECT_THROW(dm.connect(home.dataFolder()), DbError);
    EXPECT_THROW(TDM::createDatabase(home.dataFolder()), DbError); // never over an existing file
    EXPECT_EQ(QFileInfo(TDM::databaseFile(home.dataFolder())).size(), 8192 + 38);

    QFile::remove(TDM::databaseFile(home.dataFolder()));
    TDM::createDatabase(home.dataFolder());
    {
        const QSqlDatabase raw =
            openSqliteFile(TDM::databaseFile(home.dataFolder()), QStringLiteral("raw"), false);
        execOrThrow(raw, QStringLiteral("DROP TABLE PLATEG"));
    }
    closeConnection(QStringLiteral("raw"));
    try {
        dm.connect(home.dataFolder());
        FAIL() << "a database without PLATEG was accepted";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("PLATEG")));
    }
    EXPECT_THROW(ConnectionOf(dm), DbError);
}

TEST(Connection, AMissingColumnOrANewerBookIsRefusedByName)
{
    TestHome home;
    TDM::createDatabase(home.dataFolder());
    const auto alter = [&home](const QString& sql) {
        {
            const QSqlDatabase raw =
                openSqliteFile(TDM::databaseFile(home.dataFolder()), QStringLiteral("raw"), false);
            execOrThrow(raw, sql);
        }
        closeConnection(QStringLiteral("raw"));
    };
    const auto refusal = [&home] {
        TDM dm;
        try {
            dm.connect(home.dataFolder());
        } catch (const DbError& e) {
            EXPECT_FALSE(dm.isConnected());
            return e.message();
        }
        return QString();
    };
    alter(QStringLiteral("DROP TABLE ACTS"));
    alter(QStringLiteral("CREATE TABLE ACTS (ACT_NUMBER INTEGER, ACT_YEAR INTEGER, SUMMA REAL)"));
    EXPECT_EQ(refusal(), QStringLiteral("В таблице ACTS базы данных нет столбца ACT_DATA: база данных "
                                        "повреждена или создана другой программой."));

    TestHome newer;
    TDM::createDatabase(newer.dataFolder());
    {
        const QSqlDatabase raw =
            openSqliteFile(TDM::databaseFile(newer.dataFolder()), QStringLiteral("raw"), false);
        execOrThrow(raw, QStringLiteral("PRAGMA user_version=%1").arg(TDM::kSchemaVersion + 1));
    }
    closeConnection(QStringLiteral("raw"));
    TDM dm;
    try {
        dm.connect(newer.dataFolder());
        FAIL() << "a newer book was opened";
    } catch (const DbError& e) {
        EXPECT_TRUE(
            e.message().startsWith(QStringLiteral("База данных записана более новой версией программы")));
    }
}

TEST(Connection, AnEmptyFileIsNoDatabaseAndGivesWayToANewOne)
{
    TestHome home;
    ASSERT_TRUE(QDir().mkpath(home.dataFolder()));
    const QString file = TDM::databaseFile(home.dataFolder());
    // What a creation killed half-way could leave: an empty file, or an engine file with no table.
    for (int kind = 0; kind < 2; ++kind) {
        QFile::remove(file);
        if (kind == 0) {
            QFile f(file);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        } else {
            {
                const QSqlDatabase raw = openSqliteFile(file, QStringLiteral("raw"), true);
                execOrThrow(raw, QStringLiteral("PRAGMA user_version=1"));
            }
            closeConnection(QStringLiteral("raw"));
        }
        EXPECT_FALSE(TDM::databaseExists(home.dataFolder())) << kind;
        // And what a killed creation left under its own name: gone with the next creation.
        for (const char* stale : {"docmar.db.new-2147483646", "docmar.db.new-2147483646-journal"}) {
            QFile f(QDir(home.dataFolder()).filePath(QLatin1String(stale)));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        }
        TDM dm;
        EXPECT_THROW(dm.connect(home.dataFolder()), DbError);
        TDM::createDatabase(home.dataFolder());
        EXPECT_TRUE(TDM::databaseExists(home.dataFolder()));
        dm.connect(home.dataFolder());
        EXPECT_TRUE(dm.isConnected());
        dm.disconnect();
        // Nothing of the making is left beside it.
        EXPECT_EQ(QDir(home.dataFolder()).entryList(QDir::Files), QStringList{QStringLiteral("docmar.db")});
    }
}

TEST(Connection, OldInvoiceTableGainsTheTwoColumns)
{
    TestHome home;
    TDM::createDatabase(home.dataFolder());
    {
        const QSqlDatabase raw =
            openSqliteFile(TDM::databaseFile(home.dataFolder()), QStringLiteral("raw"), false);
        execOrThrow(raw, QStringLiteral("DROP TABLE FACTURES"));
        // Every column of today's table but the two the upgrade adds.
        QStringList columns;
        for (const ColumnDef& c : Tables::factures().columns)
            if (qstrcmp(c.name, "FACT_NR") != 0 && qstrcmp(c.name, "FACT_DOPNO") != 0)
                columns << QLatin1String(c.name) + (qstrcmp(c.name, "FACT_NUMBER") == 0
                                                        ? QStringLiteral(" INTEGER PRIMARY KEY")
                                                        : QString());
        execOrThrow(raw, QStringLiteral("CREATE TABLE FACTURES (%1)").arg(columns.join(u',')));
        for (int n : {1, 2, -1})
            execOrThrow(raw, QStringLiteral("INSERT INTO FACTURES (FACT_NUMBER, ID_NUMBER) VALUES (?, 2)"),
                        {n});
        execOrThrow(raw, QStringLiteral("PRAGMA user_version=0"));
    }
    closeConnection(QStringLiteral("raw"));

    TDM dm;
    dm.connect(home.dataFolder());
    const QSqlDatabase db = ConnectionOf(dm);
    const QStringList cols = columnsOf(db, QStringLiteral("FACTURES"));
    EXPECT_TRUE(cols.contains(QStringLiteral("FACT_NR")));
    EXPECT_TRUE(cols.contains(QStringLiteral("FACT_DOPNO")));
    EXPECT_EQ(scalar(db, QStringLiteral("SELECT count(*) FROM FACTURES WHERE FACT_NR = 0")).toInt(), 3);
    EXPECT_EQ(scalar(db, QStringLiteral("SELECT count(*) FROM FACTURES WHERE FACT_DOPNO IS NULL")).toInt(),
              3);
    EXPECT_EQ(scalar(db, QStringLiteral("PRAGMA user_version")).toInt(), TDM::kSchemaVersion);
    EXPECT_FALSE(
        scalar(db, QStringLiteral("SELECT name FROM sqlite_master WHERE name='FACT_CLIENT'")).isNull());
    dm.disconnect();
    dm.connect(home.dataFolder()); // a second connection finds nothing to do
    EXPECT_EQ(columnsOf(ConnectionOf(dm), QStringLiteral("FACTURES")).size(),
              qsizetype(Tables::factures().columns.size()));
}

TEST(Connection, ABookHeldByAnotherWriterIsWaitedForThenSaidToBeBusy)
{
    TestHome home;
    home.createAndConnect();
    const QByteArray file = QFile::encodeName(TDM::databaseFile(home.dataFolder()));
    TDM dm;
    dm.connect(home.dataFolder());
    int waits = 0;
    setBusyNotifier([&waits] { ++waits; });

    // Another writer that lets go after a moment: the write waits for it and goes through.
    std::atomic<bool> locked{false};
    std::thread other([&file, &locked] {
        sqlite3* handle = nullptr;
        sqlite3_open(file.constData(), &handle);
        sqlite3_exec(handle, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        locked = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        sqlite3_exec(handle, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(handle);
    });
    while (!locked)
        std::this_thread::yield();
    EXPECT_NO_THROW(dm.SaveOwnerRecord(OwnerRecord{}));
    other.join();
    EXPECT_EQ(waits, 1);

    // One that holds on: after a bounded wait, the book is said to be in use.
    sqlite3* holder = nullptr;
    sqlite3_open(file.constData(), &holder);
    ASSERT_EQ(sqlite3_exec(holder, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    try {
        dm.SaveOwnerRecord(OwnerRecord{});
        ADD_FAILURE() << "a held book was written";
    } catch (const DbError& e) {
        EXPECT_EQ(e.message(),
                  QStringLiteral("Не удалось сохранить запись: база данных занята другой программой."));
        // Said as what it is, not as data the book refused.
        EXPECT_EQ(e.refusal(QStringLiteral("Неправильные данные !")).first, e.message());
    }
    EXPECT_EQ(waits, 2);
    sqlite3_exec(holder, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(holder);
    setBusyNotifier({});
}

TEST(Connection, OnlyARefusalOfTheDataItselfIsCalledBadData)
{
    const QString bad = QStringLiteral("Неправильные данные !");
    for (const DbError& e : {DbError::fromEngine(SQLITE_CONSTRAINT_UNIQUE, "UNIQUE constraint failed", true),
                             DbError::fromEngine(SQLITE_CONSTRAINT_TRIGGER, "too long", true),
                             DbError::fromPostgres("23505", "duplicate key", true)})
        EXPECT_EQ(e.refusal(bad), std::pair(bad, e.fullText())) << e.detail().toStdString();
    for (const DbError& e : {DbError::fromEngine(SQLITE_FULL, "disk full", true),
                             DbError::fromEngine(SQLITE_READONLY, "readonly", true),
                             DbError::fromPostgres("08006", "connection lost", true),
                             DbError::fromPostgres("53100", "no space", true),
                             DbError::fromPostgres("", "server closed the connection unexpectedly", true)})
        EXPECT_EQ(e.refusal(bad), std::pair(e.message(), e.detail())) << e.detail().toStdString();
}

TEST(Connection, TransactionRollsBackUnlessCommittedAndNests)
{
    TestHome home;
    auto dm = home.createAndConnect();
    const QSqlDatabase db = ConnectionOf(*dm);
    {
        Transaction tx(db);
        execOrThrow(db, QStringLiteral("INSERT INTO PRODUCTS (PRODUCT_NAME) VALUES ('lost')"));
    }
    EXPECT_EQ(scalar(db, QStringLiteral("SELECT count(*) FROM PRODUCTS")).toInt(), 0);
    {
        Transaction outer(db);
        execOrThrow(db, QStringLiteral("INSERT INTO PRODUCTS (PRODUCT_NAME) VALUES ('kept')"));
        {
            Transaction inner(db);
            execOrThrow(db, QStringLiteral("INSERT INTO PRODUCTS (PRODUCT_NAME) VALUES ('inner lost')"));
        }
        outer.commit();
    }
    EXPECT_EQ(column(db, QStringLiteral("SELECT PRODUCT_NAME FROM PRODUCTS")), QStringList{"kept"});
}

// The lists the program shows most stand on indexes: no temporary sort, no table scan per click.
TEST(Schema, ListsAndWaybillLookupsAreServedByIndexes)
{
    TestHome home;
    auto dm = home.createAndConnect();
    const auto plan = [&](const QString& sql) {
        Rows q = execOrThrow(ConnectionOf(*dm), QStringLiteral("EXPLAIN QUERY PLAN ") + sql);
        QStringList steps;
        while (q.next())
            steps << q.value(3).toString();
        return steps.join(u'|');
    };
    const QString receipts = plan(QStringLiteral("SELECT rowid FROM FACTURES WHERE FACT_NUMBER<0 "
                                                 "ORDER BY FACT_DATA, FACT_NUMBER DESC"));
    EXPECT_FALSE(receipts.contains(QStringLiteral("TEMP B-TREE"))) << receipts.toStdString();
    // The whole client register is counted through the narrow index it is shown in.
    const QString count = plan(
        ListQueries::clients(dm->dialect(), std::nullopt, std::nullopt, QStringLiteral("CITYADR")).countSql);
    EXPECT_TRUE(count.contains(QStringLiteral("COVERING INDEX CITYADR"))) << count.toStdString();
    // A register reads its period through the date index, not every invoice of the book by number.
    const auto registerPlan = [&](bool invoices, int client) {
        QVariantList values;
        return plan(RegisterDocumentsSql(dm->dialect(), invoices,
                                         {QDate(2026, 3, 1), QDate(2026, 3, 31), client}, &values)
                        .replace(QStringLiteral("?"), QStringLiteral("'2026-03-01'")));
    };
    EXPECT_TRUE(registerPlan(true, 0).contains(
        QStringLiteral("COVERING INDEX FACT_DATE (FACT_DATA>? AND FACT_DATA<?)")))
        << registerPlan(true, 0).toStdString();
    EXPECT_FALSE(registerPlan(true, 0).contains(QStringLiteral("TEMP B-TREE")))
        << registerPlan(true, 0).toStdString();
    EXPECT_TRUE(
        registerPlan(true, 7).contains(QStringLiteral("INDEX FACT_CLIENT (ID_NUMBER=? AND FACT_NUMBER>?)")))
        << registerPlan(true, 7).toStdString();
    EXPECT_TRUE(
        registerPlan(false, 0).contains(QStringLiteral("INDEX FACT_RECEIPTS (FACT_DATA>? AND FACT_DATA<?)")))
        << registerPlan(false, 0).toStdString();
    for (const char* table : {"NAKLADN1", "NAKLADN2"})
        for (const char* column : {"FACT1_NUMBER", "FACT2_NUMBER", "FACT3_NUMBER"}) {
            const QString p = plan(QStringLiteral("SELECT rowid FROM %1 WHERE %2=7").arg(table, column));
            EXPECT_TRUE(p.contains(QStringLiteral("USING INDEX")) ||
                        p.contains(QStringLiteral("COVERING INDEX")))
                << table << "." << column << ": " << p.toStdString();
        }
}

// A book the program cannot use is refused as it was found: no upgrade step writes to it first.
TEST(Connection, ABookRefusedAtOpeningIsLeftAsItWas)
{
    TestHome home;
    TDM::createDatabase(home.dataFolder());
    {
        const QSqlDatabase raw =
            openSqliteFile(TDM::databaseFile(home.dataFolder()), QStringLiteral("raw"), false);
        const auto recreateWithout = [&raw](const TableDef& table, const QStringList& left) {
            QStringList columns;
            for (const ColumnDef& c : table.columns)
                if (!left.contains(QLatin1String(c.name)))
                    columns << QLatin1String(c.name);
            execOrThrow(raw, QStringLiteral("DROP TABLE %1").arg(QLatin1String(table.name)));
            execOrThrow(
                raw,
                QStringLiteral("CREATE TABLE %1 (%2)").arg(QLatin1String(table.name), columns.join(u',')));
        };
        recreateWithout(Tables::clients(), {QStringLiteral("INFO")});
        recreateWithout(Tables::factures(), {QStringLiteral("FACT_NR"), QStringLiteral("FACT_DOPNO")});
        execOrThrow(raw, QStringLiteral("PRAGMA user_version=0"));
    }
    closeConnection(QStringLiteral("raw"));
    const QByteArray before = fileBytes(TDM::databaseFile(home.dataFolder()));

    TDM dm;
    try {
        dm.connect(home.dataFolder());
        ADD_FAILURE() << "opened";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("В таблице CLIENTS базы данных нет столбца INFO")))
            << e.message().toStdString();
    }
    EXPECT_EQ(fileBytes(TDM::databaseFile(home.dataFolder())), before); // no FACT_NR, no index, version 0
}

// A book of version 2 cut accounts at sixteen characters; upgraded, it keeps a whole IBAN and its old rows.
TEST(Connection, AnUpgradedBookKeepsAWholeIban)
{
    const QString iban = QStringLiteral("UA213223130000026007233566001");
    TestHome home;
    TDM::createDatabase(home.dataFolder());
    {
        const QSqlDatabase raw =
            openSqliteFile(TDM::databaseFile(home.dataFolder()), QStringLiteral("raw"), false);
        TableDef old = Tables::clients();
        for (ColumnDef& c : old.columns)
            if (QByteArray(c.name).startsWith("CHETNUMBER"))
                c.size = 16;
        for (const QString& sql : dropTriggerSql(old) + createTriggerSql(old))
            execOrThrow(raw, sql);
        execOrThrow(
            raw, QStringLiteral("INSERT INTO CLIENTS (ID_NUMBER, FIRMNAME, CHETNUMBER) VALUES (2, 'А', ?)"),
            {iban});
        execOrThrow(raw, QStringLiteral("PRAGMA user_version=2"));
    }
    closeConnection(QStringLiteral("raw"));

    TDM dm;
    dm.connect(home.dataFolder());
    const QSqlDatabase db = ConnectionOf(dm);
    EXPECT_EQ(scalar(db, QStringLiteral("SELECT CHETNUMBER FROM CLIENTS WHERE ID_NUMBER=2")).toString(),
              iban.left(16));
    execOrThrow(db, QStringLiteral("UPDATE CLIENTS SET CHETNUMBER=?, CHETNUMBER2=? WHERE ID_NUMBER=2"),
                {iban, iban + QStringLiteral("12345")});
    EXPECT_EQ(scalar(db, QStringLiteral("SELECT CHETNUMBER FROM CLIENTS WHERE ID_NUMBER=2")).toString(),
              iban);
    EXPECT_EQ(scalar(db, QStringLiteral("SELECT CHETNUMBER2 FROM CLIENTS WHERE ID_NUMBER=2")).toString(),
              iban + QStringLiteral("12345"));
    EXPECT_EQ(scalar(db, QStringLiteral("PRAGMA user_version")).toInt(), TDM::kSchemaVersion);
}
