#include "db/data_module.h"
#include "db/stores.h"
#include "maintenance/demo_data.h"
#include "db/sql_dialect.h"
#include "db/tables.h"
#include "support/test_support.h"

#include <QCryptographicHash>
#include <QSqlQuery>
#include <QSqlRecord>

#include <gtest/gtest.h>

namespace {

// Rows in the order they were written: SQLite's rowid; on the server, every column (the tables without a
// key have no other order).
QString orderOfRows(const QSqlDatabase& db, const TableDef& t)
{
    if (!SqlDialect::of(db).isServer())
        return QStringLiteral("rowid");
    QStringList all;
    for (int i = 1; i <= int(t.columns.size()); ++i)
        all << QString::number(i);
    return all.join(u',');
}

QByteArray tableDigest(const QSqlDatabase& db)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const TableDef* t : Tables::all()) {
        Rows q = execOrThrow(
            db,
            QStringLiteral("SELECT * FROM %1 ORDER BY %2").arg(QLatin1String(t->name), orderOfRows(db, *t)));
        while (q.next())
            for (int i = 0; i < q.record().count(); ++i)
                hash.addData(q.value(i).toString().toUtf8() + '|');
    }
    return hash.result();
}

} // namespace

TEST(DemoData, ARealisticBookThatHoldsTogether)
{
    TestHome home;
    auto dm = home.createAndConnect();
    const DemoSummary s = FillDemoData(*dm, {40, 600, 7});
    EXPECT_EQ(s.clients, 40);
    EXPECT_EQ(s.invoices, 600);
    EXPECT_GT(s.receipts, 0);
    EXPECT_GT(s.expenseWaybills, 0);
    EXPECT_GT(s.taxWaybills, 0);
    EXPECT_GT(s.products, 0);
    EXPECT_FALSE(IsDatabaseEmpty(*dm));

    const QSqlDatabase db = ConnectionOf(*dm);
    EXPECT_EQ(dm->NextFactNumber(), 601);
    EXPECT_EQ(dm->NextReceiptNumber(), -s.receipts - 1);
    EXPECT_EQ(dm->NextClientNumber(), 42);
    EXPECT_EQ(dm->NextNakl1Number(), s.expenseWaybills + 1);

    // Every waybill names one to three documents of its own client.
    for (const char* table : {"NAKLADN1", "NAKLADN2"}) {
        Rows q = execOrThrow(
            db, QStringLiteral("SELECT FACT1_NUMBER, FACT2_NUMBER, FACT3_NUMBER, ID_NUMBER FROM %1")
                    .arg(QLatin1String(table)));
        while (q.next()) {
            const int a = q.value(0).toInt(), b = q.value(1).toInt(), c = q.value(2).toInt();
            ASSERT_NE(a, 0);
            EXPECT_EQ(dm->GetFactClient(a), q.value(3).toInt());
            if (b != 0) {
                EXPECT_TRUE(dm->SameFactClient(a, b, c));
            }
            if (a < 0) {
                EXPECT_EQ(b, 0);
            }
        }
    }
    // Every document belongs to a client of the register, and every text fits its column.
    EXPECT_EQ(scalar(db, QStringLiteral("SELECT count(*) FROM FACTURES WHERE ID_NUMBER NOT IN "
                                        "(SELECT ID_NUMBER FROM CLIENTS WHERE ID_NUMBER>1)"))
                  .toInt(),
              0);
    for (const TableDef* t : Tables::all()) {
        for (const ColumnDef& c : t->columns) {
            if (c.type != ColumnType::Text)
                continue;
            const QString sql = QStringLiteral("SELECT count(*) FROM %1 WHERE length(%2) > %3")
                                    .arg(QLatin1String(t->name), QLatin1String(c.name))
                                    .arg(c.size);
            EXPECT_EQ(scalar(db, sql).toInt(), 0) << t->name << "." << c.name;
        }
    }
    OwnerRecord owner;
    dm->LoadOwnerRecord(owner, nullptr);
    EXPECT_FALSE(owner.FIRMNAME.isEmpty());

    // The bulk write set the column-size guards aside only while it ran.
    execOrThrow(db, QStringLiteral("UPDATE CLIENTS SET CITY=? WHERE ID_NUMBER=2"), {QString(50, u'ї')});
    EXPECT_EQ(scalar(db, QStringLiteral("SELECT length(CITY) FROM CLIENTS WHERE ID_NUMBER=2")).toInt(), 32);
    execOrThrow(db, QStringLiteral("INSERT INTO NAKLADN1 (NAKL_NUMBER, DOV_SERIE) VALUES (-5, ?)"),
                {QString(20, u'Ґ')});
    EXPECT_EQ(scalar(db, QStringLiteral("SELECT DOV_SERIE FROM NAKLADN1 WHERE NAKL_NUMBER=-5")).toString(),
              QString(8, u'Ґ'));
}

TEST(DemoData, ReceiptsAndWaybillsAreNumberedInDateOrder)
{
    TestHome home;
    auto dm = home.createAndConnect();
    FillDemoData(*dm, {25, 900, 3});
    const QSqlDatabase db = ConnectionOf(*dm);
    for (const char* sql : {"SELECT count(*) FROM FACTURES a JOIN FACTURES b ON a.FACT_NUMBER<0 AND "
                            "b.FACT_NUMBER<a.FACT_NUMBER AND b.FACT_DATA<a.FACT_DATA",
                            "SELECT count(*) FROM NAKLADN1 a JOIN NAKLADN1 b ON "
                            "b.NAKL_NUMBER>a.NAKL_NUMBER AND b.NAKL_DATA<a.NAKL_DATA",
                            "SELECT count(*) FROM NAKLADN2 a JOIN NAKLADN2 b ON "
                            "b.NAKL_NUMBER>a.NAKL_NUMBER AND b.NAKL_DATA<a.NAKL_DATA"})
        EXPECT_EQ(scalar(db, QString::fromLatin1(sql)).toInt(), 0) << sql;
}

TEST(DemoData, SameSeedSameBookOtherSeedOtherBook)
{
    TestHome a, b, c;
    auto dmA = a.createAndConnect();
    auto dmB = b.createAndConnect();
    auto dmC = c.createAndConnect();
    FillDemoData(*dmA, {15, 120, 42});
    FillDemoData(*dmB, {15, 120, 42});
    FillDemoData(*dmC, {15, 120, 43});
    EXPECT_EQ(tableDigest(ConnectionOf(*dmA)), tableDigest(ConnectionOf(*dmB)));
    EXPECT_NE(tableDigest(ConnectionOf(*dmA)), tableDigest(ConnectionOf(*dmC)));
}

TEST(DemoData, RefusesABookWithClientsOrDocuments)
{
    TestHome home;
    auto dm = home.createAndConnect();
    dm->SaveOwnerRecord(OwnerRecord{}); // an owner alone is still an empty book
    EXPECT_TRUE(IsDatabaseEmpty(*dm));
    execOrThrow(ConnectionOf(*dm),
                QStringLiteral("INSERT INTO FACTURES (FACT_NUMBER, ID_NUMBER) VALUES (-1, 2)"));
    EXPECT_FALSE(IsDatabaseEmpty(*dm));
    EXPECT_THROW(FillDemoData(*dm, {5, 10, 1}), DbError);
    EXPECT_EQ(scalar(ConnectionOf(*dm), QStringLiteral("SELECT count(*) FROM CLIENTS")).toInt(), 1);
}
