#include "db/list_model.h"
#include "db/tables.h"
#include "support/test_support.h"

#include <QAbstractItemModelTester>

#include <gtest/gtest.h>

namespace {

class ListModelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dm = home.createAndConnect();
        RowInserter insert(dm->database(), Tables::factures());
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
    model->setPrecision(3, 2);
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
    EXPECT_TRUE(model->setData(at("NAME_POS1"), QString(90, u'ї')));
    EXPECT_EQ(scalar(dm->database(), QStringLiteral("SELECT NAME_POS1 FROM FACTURES WHERE FACT_NUMBER=7"))
                  .toString(),
              QString(70, u'ї'));
    EXPECT_TRUE(model->setData(at("PRICE_POS1"), QStringLiteral("12,5")));
    EXPECT_EQ(scalar(dm->database(), QStringLiteral("SELECT PRICE_POS1 FROM FACTURES WHERE FACT_NUMBER=7"))
                  .toDouble(),
              12.5);
    EXPECT_TRUE(model->setData(at("FACT_DATA"), QStringLiteral("31.12.2026")));
    EXPECT_EQ(cell(row, "FACT_DATA"), QStringLiteral("31.12.2026"));
    EXPECT_TRUE(model->setData(at("FACT_DATA"), QString()));
    EXPECT_TRUE(scalar(dm->database(), QStringLiteral("SELECT FACT_DATA FROM FACTURES WHERE FACT_NUMBER=7"))
                    .isNull());

    // Input that is no number or no date is refused and changes nothing.
    for (const char* bad : {"abc", "1e999", "12,5,1"})
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
    EXPECT_EQ(scalar(dm->database(), QStringLiteral("SELECT count(*) FROM FACTURES")).toInt(), 299);
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
