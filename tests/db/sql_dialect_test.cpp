#include "db/data_module.h"
#include "db/sql_dialect.h"
#include "db/tables.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// On the engine under test (both, in the PostgreSQL pass).
class DataModuleDialect : public ::testing::Test {
protected:
    void SetUp() override
    {
        dm = home.createAndConnect();
        db = ConnectionOf(*dm);
    }
    void client(int id, const QVariant& name)
    {
        execOrThrow(db, QStringLiteral("INSERT INTO CLIENTS (ID_NUMBER, FIRMNAME) VALUES (?, ?)"),
                    {id, name});
    }
    QStringList names(const QString& sql, const QVariantList& values = {})
    {
        QStringList out;
        Rows q = execOrThrow(db, sql, values);
        while (q.next())
            out << q.value(0).toString();
        return out;
    }

    TestHome home;
    std::unique_ptr<TDM> dm;
    QSqlDatabase db;
};

// A value is data, whatever it holds: quotes, a question mark, a server parameter's mark, a backslash.
TEST_F(DataModuleDialect, ValuesGoAsDataNeverAsStatementText)
{
    const QString tricky = QStringLiteral("O'Brien \"?\" $1 \\ ; -- '); DELETE FROM CLIENTS; --");
    client(2, tricky);
    client(3, QVariant());
    EXPECT_EQ(names(QStringLiteral("SELECT FIRMNAME FROM CLIENTS WHERE FIRMNAME=?"), {tricky}),
              QStringList{tricky});
    // A question mark inside quotes is text, not a value's place.
    EXPECT_EQ(
        names(QStringLiteral("SELECT FIRMNAME FROM CLIENTS WHERE FIRMNAME<>'a?b' AND ID_NUMBER=?"), {2}),
        QStringList{tricky});
    EXPECT_TRUE(scalar(db, QStringLiteral("SELECT FIRMNAME FROM CLIENTS WHERE ID_NUMBER=?"), {3}).isNull());

    // Numbers and dates come back as they went: a double to the last bit, a date as a date.
    const double price = 0.1 + 0.2;
    execOrThrow(db, QStringLiteral("INSERT INTO PRODUCTS (PRODUCT_NAME, PRODUCT_PRICE) VALUES (?, ?)"),
                {QStringLiteral("x"), price});
    EXPECT_EQ(scalar(db, QStringLiteral("SELECT PRODUCT_PRICE FROM PRODUCTS WHERE PRODUCT_PRICE=?"), {price})
                  .toDouble(),
              price);
    execOrThrow(db,
                QStringLiteral("INSERT INTO FACTURES (FACT_NUMBER, ID_NUMBER, FACT_DATA) VALUES (?, ?, ?)"),
                {7, 2, dateToDb(QDate(2024, 2, 29))});
    EXPECT_EQ(dateFromDb(scalar(db, QStringLiteral("SELECT FACT_DATA FROM FACTURES WHERE FACT_DATA>=?"),
                                {dateToDb(QDate(2024, 2, 1))})),
              QDate(2024, 2, 29));
    // A count of rows changed, and a failing statement's words.
    Rows update = execOrThrow(db, QStringLiteral("UPDATE CLIENTS SET CITY=? WHERE ID_NUMBER>?"),
                              {QStringLiteral("Київ"), 1});
    EXPECT_EQ(update.numRowsAffected(), 2);
    EXPECT_THROW(execOrThrow(db, QStringLiteral("SELECT NO_SUCH_COLUMN FROM CLIENTS WHERE ID_NUMBER=?"), {1}),
                 DbError);
}

// Any expression orders and compares by the alphabet, letter case aside: a column, a qualified one, a
// function of one, a bound value.
TEST_F(DataModuleDialect, TextOrdersByTheAlphabetWhateverTheExpression)
{
    const QStringList words{QStringLiteral("ялта"), QStringLiteral("Ёлка"),  QStringLiteral("ежик"),
                            QStringLiteral("Їжак"), QStringLiteral("іва"),   QStringLiteral("Ґанок"),
                            QStringLiteral("гора"), QStringLiteral("Zebra"), QStringLiteral("apple")};
    for (int i = 0; i < words.size(); ++i)
        client(i + 2, words[i]);
    QStringList ordered = words;
    std::sort(ordered.begin(), ordered.end(),
              [](const QString& a, const QString& b) { return compareText(a, b) < 0; });
    const SqlDialect& d = dm->dialect();
    for (const QString& expression :
         {QStringLiteral("FIRMNAME"), QStringLiteral("c.FIRMNAME"), QStringLiteral("upper(c.FIRMNAME)"),
          QStringLiteral("coalesce(FIRMNAME, '')")})
        EXPECT_EQ(names(QStringLiteral("SELECT FIRMNAME FROM CLIENTS c WHERE ID_NUMBER>1 ORDER BY %1")
                            .arg(d.orderTerm(d.collated(expression), false))),
                  ordered)
            << expression.toStdString();
    EXPECT_EQ(names(QStringLiteral("SELECT FIRMNAME FROM CLIENTS WHERE %1 = %2")
                        .arg(d.collated(QStringLiteral("lower(FIRMNAME)")), d.collated(QStringLiteral("?"))),
                    {QStringLiteral("ЇЖАК")}),
              QStringList{QStringLiteral("Їжак")});
}

} // namespace

// A streamed result comes whole and in order however many batches it takes; one left half read, or read
// inside the caller's transaction, leaves the connection and that transaction as they were.
TEST_F(DataModuleDialect, AStreamedResultComesWholeAndLeavesTheConnectionAsItWas)
{
    const QString numbers = QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                                           "WHERE i < ?) SELECT i, 'n' || i FROM n ORDER BY i");
    const auto readAll = [&](int count) {
        Statement q(db, numbers, {count}, Statement::Streamed);
        int expected = 0;
        while (q.next()) {
            ++expected;
            if (q.integer(0) != expected || q.text(1) != QStringLiteral("n%1").arg(expected))
                return -expected;
        }
        return expected;
    };
    for (int count : {1, 1999, 2000, 2001, 4000, 5003})
        EXPECT_EQ(readAll(count), count);
    {
        Statement half(db, numbers, {5003}, Statement::Streamed);
        for (int i = 0; i < 2500; ++i)
            ASSERT_TRUE(half.next());
    }
    EXPECT_EQ(scalar(db, QStringLiteral("SELECT count(*) FROM CLIENTS")).toInt(), 0);
    {
        Transaction tx(db);
        client(1, QStringLiteral("kept"));
        EXPECT_EQ(readAll(4100), 4100);
        client(2, QStringLiteral("kept too"));
        tx.commit();
    }
    EXPECT_EQ(names(QStringLiteral("SELECT FIRMNAME FROM CLIENTS ORDER BY ID_NUMBER")),
              (QStringList{QStringLiteral("kept"), QStringLiteral("kept too")}));
}
