#include "db/list_model.h"
#include "db/list_queries.h"
#include "db/postgres/postgres_driver.h"
#include "db/register_source.h"
#include "db/tables.h"
#include "support/test_support.h"

#include <QAbstractItemModelTester>

#include <libpq-fe.h>

#include <gtest/gtest.h>

namespace {

class ListModelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dm = home.createAndConnect();
        RowInserter insert(ConnectionOf(*dm), Tables::factures());
        for (int n = 1; n <= 300; ++n) {
            InvoiceRow f;
            f.FACT_NUMBER = n % 2 ? n : -n;
            f.ID_NUMBER = n % 3 + 2;
            f.FACT_DATA = QDate(2026, 1, 1).addDays(n);
            f.positions[0] = {QStringLiteral("Товар %1").arg(n), QStringLiteral("шт"), double(n), 10.125};
            f.NAME_OWNER = QStringLiteral("Клиент %1").arg(f.ID_NUMBER);
            insert.insert(toValues(f));
        }
        QStringList names = {"FACT_NUMBER", "FACT_DATA", "NAME_POS1", "COUNT_POS1",
                             "PRICE_POS1",  "FACT_NDS",  "NAME_OWNER"};
        auto columns = listColumns(Tables::factures(), names);
        columns.back().editable = false;
        model = std::make_unique<SqlListModel>(*dm, Tables::factures(), columns);
        tester = std::make_unique<QAbstractItemModelTester>(
            model.get(), QAbstractItemModelTester::FailureReportingMode::Warning);
    }
    QString cell(int row, const char* column)
    {
        return model->data(model->index(row, model->columnOf(QLatin1String(column)))).toString();
    }

    TestHome home;
    std::unique_ptr<TDM> dm;
    std::unique_ptr<SqlListModel> model;
    std::unique_ptr<QAbstractItemModelTester> tester;
};

} // namespace

TEST_F(ListModelTest, ShowsTheSelectedRowsInOrderWithFormats)
{
    model->setQuery(QStringLiteral("FACT_NUMBER>0 AND ID_NUMBER=?"), {2}, QStringLiteral("FACT_NUMBER"));
    ASSERT_EQ(model->rowCount(), 50); // odd numbers with n % 3 == 0
    EXPECT_EQ(cell(0, "FACT_NUMBER"), QStringLiteral("3"));
    EXPECT_EQ(cell(49, "FACT_NUMBER"), QStringLiteral("297"));
    EXPECT_EQ(cell(0, "FACT_DATA"), QStringLiteral("04.01.2026"));
    EXPECT_EQ(cell(0, "PRICE_POS1"), QStringLiteral("10,13"));
    EXPECT_EQ(cell(0, "COUNT_POS1"), QStringLiteral("3"));
    model->setPrecision(ApplyPrecision(3, 2));
    EXPECT_EQ(cell(0, "PRICE_POS1"), QStringLiteral("10,125"));
    EXPECT_EQ(cell(0, "COUNT_POS1"), QStringLiteral("3,00"));
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("№ с/ф"));
    EXPECT_EQ(model->value(1, QStringLiteral("ID_NUMBER")).toInt(), 2); // columns not shown are there too

    // Pages further down are fetched as they are asked for, in the list's order.
    model->setQuery(QStringLiteral("FACT_NUMBER<0"), {}, QStringLiteral("FACT_DATA DESC"));
    ASSERT_EQ(model->rowCount(), 150);
    EXPECT_EQ(cell(0, "FACT_NUMBER"), QStringLiteral("-300"));
    EXPECT_EQ(cell(149, "FACT_NUMBER"), QStringLiteral("-2"));
    EXPECT_EQ(cell(130, "FACT_NUMBER"), QStringLiteral("-40"));
    EXPECT_EQ(model->rowOfKey(-40), 130);
    EXPECT_EQ(model->findFirst(QStringLiteral("ID_NUMBER"), 2), 0);
    EXPECT_EQ(model->findFirst(QStringLiteral("ID_NUMBER"), 99), -1);
}

TEST_F(ListModelTest, EditsGoStraightToTheTable)
{
    model->setQuery(QStringLiteral("FACT_NUMBER>0"), {}, QStringLiteral("FACT_NUMBER"));
    const int row = model->rowOfKey(7);
    auto at = [&](const char* column) { return model->index(row, model->columnOf(QLatin1String(column))); };
    // A price cell opened and left as shown (10,13 of 10.125) keeps the stored price.
    EXPECT_TRUE(model->setData(at("PRICE_POS1"), QStringLiteral("10,13")));
    EXPECT_EQ(scalar(ConnectionOf(*dm), QStringLiteral("SELECT PRICE_POS1 FROM FACTURES WHERE FACT_NUMBER=7"))
                  .toDouble(),
              10.125);
    EXPECT_TRUE(model->setData(at("NAME_POS1"), QString(90, u'ї')));
    EXPECT_EQ(scalar(ConnectionOf(*dm), QStringLiteral("SELECT NAME_POS1 FROM FACTURES WHERE FACT_NUMBER=7"))
                  .toString(),
              QString(70, u'ї'));
    EXPECT_TRUE(model->setData(at("PRICE_POS1"), QStringLiteral("12.5"))); // either decimal mark
    EXPECT_EQ(scalar(ConnectionOf(*dm), QStringLiteral("SELECT PRICE_POS1 FROM FACTURES WHERE FACT_NUMBER=7"))
                  .toDouble(),
              12.5);
    EXPECT_TRUE(model->setData(at("FACT_DATA"), QStringLiteral("31.12.2026")));
    EXPECT_EQ(cell(row, "FACT_DATA"), QStringLiteral("31.12.2026"));
    // A document's date cannot be cleared in a grid, as the editor cannot store one without it.
    QStringList said;
    const auto connection = QObject::connect(model.get(), &SqlListModel::engineError,
                                             [&](const QString&, const QString& why) { said << why; });
    EXPECT_FALSE(model->setData(at("FACT_DATA"), QString()));
    EXPECT_EQ(said, QStringList{"Дату документа нельзя оставить пустой."});
    EXPECT_EQ(cell(row, "FACT_DATA"), QStringLiteral("31.12.2026"));
    // Decimals beyond the precision are refused with the setting named, never rounded: 0,125 at 2 places,
    // 2,5 pieces at none.
    said.clear();
    EXPECT_FALSE(model->setData(at("PRICE_POS1"), QStringLiteral("0,125")));
    EXPECT_FALSE(model->setData(at("COUNT_POS1"), QStringLiteral("2,5")));
    ASSERT_EQ(said.size(), 2);
    EXPECT_TRUE(said[0].contains(QStringLiteral("точность цены в настройках программы (2)")));
    EXPECT_TRUE(said[1].contains(QStringLiteral("точность количества в настройках программы (0)")));
    QObject::disconnect(connection);

    // Input that is no number or no date is refused and changes nothing.
    for (const char* bad : {"abc", "1e999", "12,5,1", "1.234,5"})
        EXPECT_FALSE(model->setData(at("PRICE_POS1"), QString::fromLatin1(bad))) << bad;
    EXPECT_FALSE(model->setData(at("FACT_DATA"), QStringLiteral("31.02.2026")));
    EXPECT_FALSE(model->setData(at("NAME_OWNER"), QStringLiteral("read-only")));
    EXPECT_EQ(cell(row, "PRICE_POS1"), QStringLiteral("12,50"));

    // A number taken by another invoice is the engine's error, reported and not stored.
    QStringList errors;
    QObject::connect(model.get(), &SqlListModel::engineError, [&](const QString& e) { errors << e; });
    EXPECT_FALSE(model->setData(at("FACT_NUMBER"), QStringLiteral("9")));
    EXPECT_EQ(errors.size(), 1);
    EXPECT_TRUE(model->setData(at("FACT_NUMBER"), QStringLiteral("1000")));
    EXPECT_EQ(model->keyAt(row), 1000);
    EXPECT_EQ(cell(row, "NAME_POS1"), QString(70, u'ї'));
}

TEST_F(ListModelTest, DeletingRemovesOnlyThatRow)
{
    model->setQuery(QStringLiteral("FACT_NUMBER>0"), {}, QStringLiteral("FACT_NUMBER"));
    const int before = model->rowCount();
    ASSERT_TRUE(model->deleteRow(0));
    EXPECT_EQ(model->rowCount(), before - 1);
    EXPECT_EQ(cell(0, "FACT_NUMBER"), QStringLiteral("3"));
    EXPECT_EQ(scalar(ConnectionOf(*dm), QStringLiteral("SELECT count(*) FROM FACTURES")).toInt(), 299);
    EXPECT_FALSE(model->deleteRow(before + 5));
}

TEST_F(ListModelTest, ADisconnectedDatabaseShowsNothing)
{
    model->setQuery(QStringLiteral("FACT_NUMBER>0"), {}, QStringLiteral("FACT_NUMBER"));
    dm->disconnect();
    model->reload();
    EXPECT_EQ(model->rowCount(), 0);
    EXPECT_EQ(model->findFirst(QStringLiteral("ID_NUMBER"), 2), -1);
}

// Pages come from either end of a long list and positions are counted without reading the list: every
// row and every key must still stand where a plain ORDER BY puts them, empty dates and ties included.
TEST(LongListModel, RowsAndPositionsMatchThePlainOrder)
{
    TestHome home;
    auto dm = home.createAndConnect();
    {
        Transaction tx(ConnectionOf(*dm));
        RowInserter insert(ConnectionOf(*dm), Tables::factures());
        for (int n = 1; n <= 700; ++n) {
            InvoiceRow f;
            f.FACT_NUMBER = -n;
            f.ID_NUMBER = 2;
            // Many receipts share a day; every tenth has no date at all.
            if (n % 10 != 0)
                f.FACT_DATA = QDate(2026, 1, 1).addDays((n * 37) % 50);
            insert.insert(toValues(f));
        }
        tx.commit();
    }
    const std::vector<qint64> expected =
        selectKeys(ConnectionOf(*dm), QStringLiteral("SELECT %1 FROM FACTURES WHERE FACT_NUMBER<0 "
                                                     "ORDER BY FACT_DATA NULLS FIRST, FACT_NUMBER DESC")
                                          .arg(dm->dialect().rowKey(Tables::factures())));
    ASSERT_EQ(expected.size(), 700u);

    SqlListModel model(*dm, Tables::factures(),
                       listColumns(Tables::factures(), {"FACT_NUMBER", "FACT_DATA"}));
    model.setQuery(ListQueries::allReceipts(dm->dialect()));
    ASSERT_EQ(model.rowCount(), 700);
    for (int r : {699, 0, 350, 64, 63, 636, 1, 698})
        EXPECT_EQ(model.keyAt(r), expected[std::size_t(r)]) << r;
    for (int r = 0; r < 700; r += 7) {
        model.refreshRows(); // nothing cached: the position is counted
        EXPECT_EQ(model.rowOfKey(expected[std::size_t(r)]), r) << r;
        model.keyAt(699); // counted from the end this time
        EXPECT_EQ(model.rowOfKey(expected[std::size_t(r)]), r) << r;
    }
    EXPECT_EQ(model.rowOfKey(12345), -1);
    EXPECT_EQ(model.findFirst(QStringLiteral("FACT_NUMBER"), -70), model.rowOfKey(-70));

    // The invoices of the whole book are counted as every row less the receipts.
    execOrThrow(ConnectionOf(*dm), QStringLiteral("INSERT INTO FACTURES (FACT_NUMBER) VALUES (0), (5), (6)"));
    model.setQuery(ListQueries::allInvoices(dm->dialect(), 700));
    EXPECT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.keyAt(1), 6);
}

// A scroll step continues from the page beside it; walked page by page down and back up, the list holds
// every row once, in the plain order, empty and repeated names included.
TEST(LongListModel, PageByPageTheListIsThePlainOrder)
{
    TestHome home;
    auto dm = home.createAndConnect();
    const QSqlDatabase db = ConnectionOf(*dm);
    execOrThrow(db,
                QStringLiteral("WITH RECURSIVE n(x) AS (SELECT 2 UNION ALL SELECT x+1 FROM n WHERE x<301) "
                               "INSERT INTO CLIENTS (ID_NUMBER, FIRMNAME, CITY) SELECT x, CASE WHEN x%17=0 "
                               "THEN NULL ELSE 'Фірма ' || (x%23) END, 'Місто ' || (x%3) FROM n"));
    // A later term of the order empty but for every fifth client: a step from a row without it never skips
    // the rows of its city.
    for (int k = 0; k < 4; ++k)
        execOrThrow(db, QStringLiteral("UPDATE CLIENTS SET DOGDATA=? WHERE ID_NUMBER%20=?"),
                    {QDate(2026, 1, k + 1), k * 5});
    const SqlDialect& d = dm->dialect();
    const QStringList orders[] = {
        {d.orderTerm(d.collated(QStringLiteral("FIRMNAME")), false), QStringLiteral("ID_NUMBER")},
        {d.orderTerm(QStringLiteral("CITY"), false), d.orderTerm(QStringLiteral("DOGDATA"), false),
         QStringLiteral("ID_NUMBER")}};
    SqlListModel model(*dm, Tables::clients(), listColumns(Tables::clients(), {"FIRMNAME"}));
    for (const QStringList& order : orders) {
        const std::vector<qint64> expected =
            selectKeys(db, QStringLiteral("SELECT ID_NUMBER FROM CLIENTS WHERE ID_NUMBER>1 ORDER BY ") +
                               order.join(u','));
        ASSERT_EQ(expected.size(), 300u);
        for (const bool down : {true, false}) {
            if (order == orders[0])
                model.setQuery(ListQueries::clients(d, std::nullopt, std::nullopt, QStringLiteral("FIRMA")));
            else
                model.setQuery(QStringLiteral("ID_NUMBER>1"), {}, QStringLiteral("CITY, DOGDATA, ID_NUMBER"));
            for (int i = 0; i < 300; ++i) {
                const int row = down ? i : 299 - i;
                EXPECT_EQ(model.keyAt(row), expected[std::size_t(row)]) << row;
            }
        }
    }
}

// On the server a page in the middle of the client list (reached by a jump and by a step) and a month's
// registers are read through their indexes, not by scanning the table: the plans the server reports for
// them, with a table scan priced out of reach, name the index.
TEST(LongListModel, TheServerReadsAPageInTheMiddleAndARegisterThroughIndexes)
{
    if (!TestingOnPostgres())
        GTEST_SKIP() << "the server's plans";
    TestHome home;
    auto dm = home.createAndConnect();
    const QSqlDatabase db = ConnectionOf(*dm);
    execOrThrow(db, QStringLiteral("INSERT INTO CLIENTS (ID_NUMBER, FIRMNAME) SELECT x, 'Фірма ' || (x % 97) "
                                   "FROM generate_series(2, 1001) x"));
    execOrThrow(db,
                QStringLiteral("INSERT INTO FACTURES (FACT_NUMBER, FACT_DATA, ID_NUMBER) SELECT x, "
                               "DATE '2026-01-01' + x % 365, 2 + x % 1000 FROM generate_series(1, 3000) x"));
    execOrThrow(db, QStringLiteral("INSERT INTO NAKLADN1 (NAKL_NUMBER, NAKL_DATA, ID_NUMBER, FACT1_NUMBER) "
                                   "SELECT x, DATE '2026-01-01' + x % 365, 2 + x % 1000, x FROM "
                                   "generate_series(1, 3000) x"));
    dm->refreshStatistics();
    // Every plan the server carries out comes back as a notice.
    QStringList plans;
    PQsetNoticeReceiver(
        postgresHandle(db),
        [](void* to, const PGresult* notice) {
            static_cast<QStringList*>(to)->append(QString::fromUtf8(PQresultErrorMessage(notice)));
        },
        &plans);
    for (const char* sql : {"LOAD 'auto_explain'", "SET auto_explain.log_min_duration = 0",
                            "SET auto_explain.log_level = notice", "SET client_min_messages = notice",
                            "SET enable_seqscan = off"})
        execOrThrow(db, QLatin1String(sql));
    const auto planned = [&plans] { return std::exchange(plans, {}).join(u'\n'); };

    SqlListModel model(*dm, Tables::clients(), listColumns(Tables::clients(), {"FIRMNAME"}));
    model.setQuery(ListQueries::clients(dm->dialect(), std::nullopt, std::nullopt, QStringLiteral("FIRMA")));
    planned();
    EXPECT_GT(model.keyAt(500), 0);
    EXPECT_GT(model.keyAt(500 + 64), 0);
    const QString pages = planned();
    EXPECT_TRUE(pages.contains(QStringLiteral("using firma on clients"))) << pages.toStdString();

    int invoices = 0, waybills = 0;
    const RegisterPeriod march{QDate(2026, 3, 1), QDate(2026, 3, 31)};
    ForEachRegisterDocument(*dm, true, march, [&](const InvoiceRow&) { ++invoices; });
    const QString invoiceRegister = planned();
    ForEachRegisterWaybill(*dm, true, march, [&](const RegisterWaybill&) { ++waybills; });
    const QString waybillRegister = planned();
    PQsetNoticeReceiver(postgresHandle(db), nullptr, nullptr);
    EXPECT_EQ(invoices,
              8 * 31 + 22); // March in eight whole turns of 365 numbers, and 1..22 of it in the ninth
    EXPECT_EQ(waybills, invoices);
    EXPECT_TRUE(invoiceRegister.contains(QStringLiteral(" on fact_date "))) << invoiceRegister.toStdString();
    EXPECT_TRUE(waybillRegister.contains(QStringLiteral(" on n1_date "))) << waybillRegister.toStdString();
    for (const QString& plan : {pages, invoiceRegister, waybillRegister})
        EXPECT_FALSE(plan.contains(QStringLiteral("Seq Scan"))) << plan.toStdString();
}

TEST(LongListModel, TextSearchFollowsTheListOrderFromTheGivenRow)
{
    TestHome home;
    auto dm = home.createAndConnect();
    // Same names, so the register's order falls back to the number; a name of capitals and one of none.
    for (int id = 2; id <= 9; ++id)
        execOrThrow(ConnectionOf(*dm),
                    QStringLiteral("INSERT INTO CLIENTS (ID_NUMBER, FIRMNAME, CHIEF) VALUES (?, ?, ?)"),
                    {id, id % 2 ? QStringLiteral("ТОВ \"Ґрунт\"") : QStringLiteral("ПП \"Явір\""),
                     id == 5 ? QVariant() : QVariant(QStringLiteral("ЇЖАК Іван %1").arg(id))});
    SqlListModel model(*dm, Tables::clients(), listColumns(Tables::clients(), {"FIRMNAME", "CHIEF"}));
    model.setQuery(ListQueries::clients(dm->dialect(), std::nullopt, std::nullopt, QStringLiteral("FIRMA")));
    // ПП 2,4,6,8 then ТОВ 3,5,7,9.
    ASSERT_EQ(model.keyAt(0), 2);
    ASSERT_EQ(model.keyAt(4), 3);
    EXPECT_EQ(model.findText(QStringLiteral("FIRMNAME"), QStringLiteral("ґРУНТ"), false, 0), 4);
    EXPECT_EQ(model.findText(QStringLiteral("FIRMNAME"), QStringLiteral("ґрунт"), false, 6), 6);
    EXPECT_EQ(model.findText(QStringLiteral("CHIEF"), QStringLiteral("їжак іван 5"), true, 0), -1);
    EXPECT_EQ(model.findText(QStringLiteral("CHIEF"), QStringLiteral("їжак іван 7"), true, 0), 6);
    EXPECT_EQ(model.findText(QStringLiteral("CHIEF"), QStringLiteral("ІВАН"), false, 7, {}, nullptr, 1), 7);
    EXPECT_EQ(model.findText(QStringLiteral("CHIEF"), QString(), false, 4), 4); // an empty text is everywhere
    bool interrupted = false;
    EXPECT_EQ(
        model.findText(
            QStringLiteral("CHIEF"), QStringLiteral("нема"), false, 0, [] { return false; }, &interrupted),
        -1);
    EXPECT_TRUE(interrupted);

    // Stopped after three of the table's nine rows were read, from the third of eight listed rows: a search
    // one row at a time would have come a third of the way from there, 2 + 6 * 3 / 9 = 4.
    int asked = 0;
    int reached = -1;
    EXPECT_EQ(model.findText(
                  QStringLiteral("CHIEF"), QStringLiteral("нема"), false, 2,
                  [&asked] { return ++asked <= 3; }, &interrupted, 1, &reached),
              -1);
    EXPECT_EQ(reached, 4);
    asked = 0;
    model.findText(
        QStringLiteral("CHIEF"), QStringLiteral("нема"), false, 2, [] { return false; }, &interrupted, 1,
        &reached);
    EXPECT_EQ(reached, 2);
}

TEST(LongListModel, ALongListFindsRowsByTheKeysItReadOnce)
{
    TestHome home;
    auto dm = home.createAndConnect();
    // More rows than are counted one by one; names in a shuffled order, so rows and keys differ.
    execOrThrow(
        ConnectionOf(*dm),
        QStringLiteral("WITH RECURSIVE n(x) AS (SELECT 2 UNION ALL SELECT x+1 FROM n WHERE x<20601) "
                       "INSERT INTO CLIENTS (ID_NUMBER, FIRMNAME) SELECT x, 'Фірма ' || ((x*7919)%20600) "
                       "FROM n"));
    SqlListModel model(*dm, Tables::clients(), listColumns(Tables::clients(), {"FIRMNAME"}));
    model.setQuery(ListQueries::clients(dm->dialect(), std::nullopt, std::nullopt, QStringLiteral("FIRMA")));
    ASSERT_GE(model.rowCount(), SqlListModel::kRowsByKeyFrom);
    for (int row : {0, 1, 777, 10300, 19999, model.rowCount() - 1}) {
        const qint64 key = model.keyAt(row);
        model.refreshRows(); // nothing held: the row comes from the keys read in order
        EXPECT_EQ(model.rowOfKey(key), row) << row;
    }
    EXPECT_EQ(model.rowOfKey(999999), -1);
    // A deleted row: the rows after it move up by one.
    const qint64 after = model.keyAt(501);
    ASSERT_TRUE(model.deleteRow(500));
    EXPECT_EQ(model.rowOfKey(after), 500);
}
