#include "base/prompter.h"
#include "db/data_module.h"
#include "db/tables.h"
#include "documents/documents_controller.h"
#include "documents/waybill_issue.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace {

class WaybillIssueTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dm = home.createAndConnect();
        for (const char* sql :
             {"INSERT INTO CLIENTS (ID_NUMBER, FIRMNAME, LAWADDRESS, DOGNUMBER, DOGDATA) VALUES "
              "(2, 'ТОВ \"Ґрунт\"', 'м. Суми', '7', '2003-02-01'), (3, 'ПП \"Інший\"', '', '', NULL)",
              "INSERT INTO FACTURES (FACT_NUMBER, FACT_DOPNO, FACT_DATA, ID_NUMBER, FACT_NDS, FACT_NR) "
              "VALUES "
              "(12, 'а', '2003-02-10', 2, 20, 0), (15, '', '2003-02-14', 2, 20, 0), (20, '', '2003-02-12', "
              "2, 20, 0), "
              "(33, '', '2003-02-01', 2, 20, 0), (40, '', '2003-02-01', 3, 20, 0), (41, '', '2003-02-01', 2, "
              "20, 1.5), "
              "(-3, NULL, '2003-03-05', 2, 20, 0)"})
            execOrThrow(ConnectionOf(*dm), QString::fromUtf8(sql));
    }
    WaybillDraft open(WaybillKind kind, std::array<int, 3> documents, bool receipt = false)
    {
        return OpenWaybillDraft(*dm, kind, receipt, documents, QDate(2026, 12, 7));
    }
    QVariant stored(const char* table, const char* column, int number)
    {
        return scalar(ConnectionOf(*dm),
                      QStringLiteral("SELECT %1 FROM %2 WHERE NAKL_NUMBER=?")
                          .arg(QLatin1String(column), QLatin1String(table)),
                      {number});
    }

    TestHome home;
    std::unique_ptr<TDM> dm;
};

} // namespace

TEST(WaybillSelection, ThreeNumbersEachOnce)
{
    SelectionNumbers s = ParseWaybillSelection(QStringLiteral("12/"));
    EXPECT_EQ(s.numbers, (std::array<int, 3>{12, 0, 0}));
    EXPECT_FALSE(s.more);
    s = ParseWaybillSelection(QStringLiteral("12/15/20/33/"));
    EXPECT_EQ(s.numbers, (std::array<int, 3>{12, 15, 20}));
    EXPECT_TRUE(s.more);
    // Picked twice, counted once.
    s = ParseWaybillSelection(QStringLiteral("12/15/12/"));
    EXPECT_EQ(s.numbers, (std::array<int, 3>{12, 15, 0}));
    EXPECT_FALSE(s.more);
    EXPECT_EQ(ParseWaybillSelection(QString()).numbers[0], 0);
}

TEST_F(WaybillIssueTest, AnExpenseWaybillForTwoInvoices)
{
    WaybillDraft d = open(WaybillKind::Expense, {12, 15, 0});
    EXPECT_EQ(d.number, 1);                         // the first of an empty table
    EXPECT_EQ(d.documentsDate, QDate(2003, 2, 14)); // the later of the two
    EXPECT_EQ(d.clientId, 2);
    ASSERT_TRUE(d.client);
    EXPECT_EQ(d.client->FIRMNAME, QStringLiteral("ТОВ \"Ґрунт\""));
    EXPECT_EQ(d.proxyNumber, QStringLiteral("0"));
    d.receiver = QStringLiteral("Іваненко І.І.");
    d.proxySerie = QStringLiteral("ААБВГДЕЖЗ"); // cut to 8
    d.proxyNumber = QString();                  // empty stores 0
    EXPECT_FALSE(CheckWaybillDocuments(*dm, d));
    EXPECT_EQ(StoreWaybill(*dm, d), 1);
    EXPECT_EQ(stored("NAKLADN1", "INFO", 1).toString(), QStringLiteral("р/ф № 12,15"));
    EXPECT_EQ(stored("NAKLADN1", "INFO", 1).toString().at(0).unicode(), 0x0440); // a Cyrillic "р"
    EXPECT_EQ(stored("NAKLADN1", "FACT3_NUMBER", 1).toInt(), 0);
    EXPECT_EQ(stored("NAKLADN1", "DOV_NUMBER", 1).toInt(), 0);
    EXPECT_EQ(stored("NAKLADN1", "DOV_SERIE", 1).toString(), QStringLiteral("ААБВГДЕЖ"));
    EXPECT_EQ(stored("NAKLADN1", "ID_NUMBER", 1).toInt(), 2);
    EXPECT_EQ(stored("NAKLADN1", "NAKL_DATA", 1).toString(), QStringLiteral("2026-12-07"));

    // The next one gets 2; the same number again, or a proxy number with a letter, is refused.
    WaybillDraft next = open(WaybillKind::Expense, {12, 0, 0});
    EXPECT_EQ(next.number, 2);
    next.number = 1;
    EXPECT_THROW(StoreWaybill(*dm, next), DbError);
    next.number = 2;
    next.proxyNumber = QStringLiteral("12a");
    EXPECT_THROW(StoreWaybill(*dm, next), DbError);
    EXPECT_EQ(scalar(ConnectionOf(*dm), QStringLiteral("SELECT count(*) FROM NAKLADN1")).toInt(), 1);
    // A second waybill for the same invoice is allowed.
    next.proxyNumber = QStringLiteral("5");
    EXPECT_EQ(StoreWaybill(*dm, next), 2);
}

TEST_F(WaybillIssueTest, TheTaxWaybillsPaymentGround)
{
    WaybillDraft d = open(WaybillKind::Tax, {12, 0, 0});
    EXPECT_EQ(d.reason, QStringLiteral("договір № 7 від 01.02.2003( р/ф № 12а)"));
    EXPECT_EQ(d.reason.at(d.reason.indexOf(QStringLiteral("/ф")) - 1), u'\u0440'); // the Cyrillic "р"
    EXPECT_EQ(d.payer, QStringLiteral("ТОВ \"Ґрунт\""));
    EXPECT_EQ(d.paymentType, QStringLiteral("оплата з розр./ рах. "));
    EXPECT_EQ(open(WaybillKind::Tax, {12, 15, 0}).reason,
              QStringLiteral("договір № 7 від 01.02.2003( р/ф № 12а,15)"));
    execOrThrow(ConnectionOf(*dm), QStringLiteral("UPDATE CLIENTS SET DOGNUMBER='' WHERE ID_NUMBER=2"));
    EXPECT_EQ(open(WaybillKind::Tax, {12, 0, 0}).reason, QStringLiteral("р/ф № 12а"));

    const WaybillDraft receipt = open(WaybillKind::Tax, {-3, 0, 0}, true);
    EXPECT_EQ(receipt.reason, QStringLiteral("проплата от 05.03.2003"));
    EXPECT_EQ(receipt.documentsDate, QDate(2003, 3, 5));
    EXPECT_EQ(StoreWaybill(*dm, receipt), 1);
    EXPECT_EQ(stored("NAKLADN2", "FACT1_NUMBER", 1).toInt(), -3);
    EXPECT_EQ(stored("NAKLADN2", "OPLATA_TYPE", 1).toString(), QStringLiteral("оплата з розр./ рах. "));
    const WaybillDraft expense = open(WaybillKind::Expense, {-3, 0, 0}, true);
    EXPECT_EQ(ExpenseInfo(expense), QStringLiteral("проплата от 05.03.2003"));
}

TEST_F(WaybillIssueTest, DocumentsThatCannotShareAWaybillAreRefused)
{
    EXPECT_EQ(CheckWaybillDocuments(*dm, open(WaybillKind::Expense, {12, 40, 0}))->message,
              QStringLiteral("Выбраны счета - фактуры разных клиентов !"));
    EXPECT_EQ(CheckWaybillDocuments(*dm, open(WaybillKind::Expense, {12, 15, 41}))->message,
              QStringLiteral("Счета выписаны под разную величину налога на рекламу!"));
    // The tax waybill charges no advertising tax: a rate that differs is no reason to refuse it.
    EXPECT_FALSE(CheckWaybillDocuments(*dm, open(WaybillKind::Tax, {12, 15, 41})));
    // Whatever printing would refuse, issuing refuses in the same words: another VAT rate, more positions
    // than the blank's rows, a total beyond the blank.
    execOrThrow(ConnectionOf(*dm),
                QStringLiteral("INSERT INTO FACTURES (FACT_NUMBER, FACT_DATA, ID_NUMBER, FACT_NDS, PRICE_POS1, "
                               "PRICE_POS2, PRICE_POS3, PRICE_POS4) VALUES (50, '2003-02-01', 2, 7, 1, 1, 1, 1), "
                               "(51, '2003-02-01', 2, 20, 1, 1, 1, 1), (52, '2003-02-01', 2, 20, 1, 1, 1, 1), "
                               "(53, '2003-02-01', 2, 20, 999999999999, 1, 1, 0)"));
    const struct {
        WaybillKind kind;
        std::array<int, 3> documents;
        const char* message;
    } refused[] = {
        {WaybillKind::Expense, {12, 50, 0}, "Счета выписаны под разную величину НДС!"},
        {WaybillKind::Tax, {12, 50, 0}, "Первый и второй счета выписаны под разную величину НДС!"},
        {WaybillKind::Expense, {51, 52, 15}, "Третья счет-фактура не умещается на бланке!"},
        {WaybillKind::Tax, {51, 52, 53}, "Число позиций в счет-фактурах больше чем в бланке!"},
        {WaybillKind::Tax, {53, 0, 0}, "Сумма 1200000000001,20 больше, чем можно напечатать в документе "
                                      "(наибольшая — 999 999 999 999,99)."},
    };
    for (const auto& r : refused) {
        const auto refusal = CheckWaybillDocuments(*dm, open(r.kind, r.documents));
        ASSERT_TRUE(refusal) << r.message;
        EXPECT_EQ(refusal->message, QString::fromUtf8(r.message)) << refusal->message.toStdString();
    }
    const WaybillDraft gone = open(WaybillKind::Expense, {12, 15, 0});
    execOrThrow(ConnectionOf(*dm), QStringLiteral("DELETE FROM FACTURES WHERE FACT_NUMBER=15"));
    const auto refusal = CheckWaybillDocuments(*dm, gone);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->message, QStringLiteral("Не найдена исходная счет-фактура №15"));
    EXPECT_TRUE(refusal->closesDialog);
}

TEST_F(WaybillIssueTest, NumbersRunFromOneToTheLargestAndNoFurther)
{
    WaybillDraft d = open(WaybillKind::Expense, {12, 0, 0});
    for (int bad : {0, -5}) {
        d.number = bad;
        d.proposedNumber = bad;
        try {
            StoreWaybill(*dm, d);
            ADD_FAILURE() << bad;
        } catch (const DbError& e) {
            EXPECT_EQ(e.message(), QStringLiteral("Номер накладной должен быть от 1 до 2147483647.")) << bad;
        }
    }
    d.number = d.proposedNumber = 2147483647;
    EXPECT_EQ(StoreWaybill(*dm, d), 2147483647);
    // After the largest number there is no next one: said, not an engine's refusal at the store.
    try {
        open(WaybillKind::Expense, {15, 0, 0});
        ADD_FAILURE() << "opened";
    } catch (const DbError& e) {
        EXPECT_EQ(e.message(),
                  QStringLiteral("Номера исчерпаны: номер 2147483647 уже занят, следующего номера нет."));
    }
    EXPECT_EQ(open(WaybillKind::Tax, {15, 0, 0}).number, 1); // the other kind goes on
}

TEST_F(WaybillIssueTest, TheControllerAsksWarnsAndSaysWhy)
{
    ScriptedPrompter prompter;
    DocumentsController documents(*dm, prompter);
    documents.lists().RefreshClientDocuments(2, QStringLiteral("ТОВ"));
    for (int n : {12, 15, 20, 33})
        documents.lists().addToWaybillSelection(n);
    // Four numbers: the question; No gives up.
    EXPECT_FALSE(documents.openWaybill(WaybillKind::Expense, false, 0, QDate(2026, 12, 7)));
    EXPECT_EQ(prompter.texts(), QStringList{"Используются только первые три номера! Продолжать?"});
    prompter.queueAnswer(true);
    std::optional<WaybillDraft> d = documents.openWaybill(WaybillKind::Expense, false, 0, QDate(2026, 12, 7));
    ASSERT_TRUE(d);
    EXPECT_EQ(d->documents, (std::array<int, 3>{12, 15, 20}));
    int number = 0;
    EXPECT_EQ(documents.storeWaybill(*d, &number), WaybillStore::Stored);
    EXPECT_EQ(number, 1);
    // The same number again, typed by hand: the message, and the dialog stays.
    d->proposedNumber = 0;
    prompter.clear();
    EXPECT_EQ(documents.storeWaybill(*d, &number), WaybillStore::StayOpen);
    EXPECT_EQ(prompter.texts(), QStringList{"Неправильные данные !"});
    d->kind = WaybillKind::Tax;
    d->forReceipt = true;
    d->documents = {-3, 0, 0};
    EXPECT_EQ(documents.storeWaybill(*d, &number), WaybillStore::Stored);
    prompter.clear();
    EXPECT_EQ(documents.storeWaybill(*d, &number), WaybillStore::StayOpen);
    EXPECT_EQ(
        prompter.texts(),
        QStringList{"Неправильные данные! Возможно на данную с/ф(проплату) уже выписывались накладные"});

    // A second expense waybill for these invoices is asked about first; No gives up.
    prompter.clear();
    prompter.queueAnswer(true);
    EXPECT_FALSE(documents.openWaybill(WaybillKind::Expense, false, 0, QDate(2026, 12, 7)));
    EXPECT_EQ(
        prompter.texts().last(),
        QStringLiteral("На счет-фактуру № 12 уже выписана расходная накладная № 1.\nНа счет-фактуру № 15 "
                       "уже выписана расходная накладная № 1.\nНа счет-фактуру № 20 уже выписана "
                       "расходная накладная № 1. Выписать ещё одну?"));
    prompter.queueAnswer(true);
    prompter.queueAnswer(true);
    EXPECT_TRUE(documents.openWaybill(WaybillKind::Expense, false, 0, QDate(2026, 12, 7)));
    prompter.queueAnswer(true);
    EXPECT_TRUE(documents.openWaybill(WaybillKind::Tax, false, 0, QDate(2026, 12, 7))); // none of that kind

    // With an empty selection, the current invoice; in the all-documents view, the refusal.
    documents.lists().clearWaybillSelection();
    d = documents.openWaybill(WaybillKind::Tax, false, 1, QDate(2026, 12, 7));
    ASSERT_TRUE(d);
    EXPECT_EQ(d->documents[0], int(documents.lists().invoices().keyAt(1)));
    documents.lists().ShowAllDocuments();
    prompter.clear();
    EXPECT_FALSE(documents.openWaybill(WaybillKind::Tax, false, 1, QDate(2026, 12, 7)));
    EXPECT_EQ(prompter.texts(), QStringList{"Вы не выбрали конкретного клиента!"});
    // A client no longer in the register: the warning, and the dialog goes on.
    documents.lists().RefreshClientDocuments(2, QStringLiteral("ТОВ"));
    execOrThrow(ConnectionOf(*dm), QStringLiteral("DELETE FROM CLIENTS WHERE ID_NUMBER=2"));
    prompter.clear();
    d = documents.openWaybill(WaybillKind::Tax, true, 0, QDate(2026, 12, 7));
    ASSERT_TRUE(d);
    EXPECT_FALSE(d->client);
    EXPECT_EQ(prompter.texts(), QStringList{"Данного клиента уже нет в списке!"});
    // A receipt deleted since the list showed it is said as a missing receipt, not as a missing client.
    const int receipt = int(documents.lists().receipts().keyAt(0));
    execOrThrow(ConnectionOf(*dm), QStringLiteral("DELETE FROM FACTURES WHERE FACT_NUMBER=?"), {receipt});
    prompter.clear();
    EXPECT_FALSE(documents.openWaybill(WaybillKind::Tax, true, 0, QDate(2026, 12, 7)));
    EXPECT_EQ(prompter.texts(), QStringList{"Не найдена исходное поступление!"});
    WaybillDraft forReceipt;
    forReceipt.forReceipt = true;
    forReceipt.documents = {receipt, 0, 0};
    EXPECT_EQ(CheckWaybillDocuments(*dm, forReceipt)->message,
              QStringLiteral("Не найдена исходное поступление!"));
}
