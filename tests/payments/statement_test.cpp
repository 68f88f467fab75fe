#include "base/text_codec.h"
#include "db/driver.h"
#include "db/data_module.h"
#include "db/stores.h"
#include "payments/debtors.h"
#include "payments/payment_import.h"
#include "payments/payments.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace {

const char kOwnIban[] = "UA213223130000026007233566001";

// A 1CClientBankExchange export as a bank writes it, in Windows-1251 (DOS and UTF-8 name themselves too).
QByteArray oneC(const QString& documents, const char* encoding = "Windows")
{
    const QString text =
        QStringLiteral("1CClientBankExchange\r\nВерсияФормата=1.02\r\nКодировка=%1\r\n"
                       "Отправитель=Банк\r\nДатаНачала=01.03.2026\r\nДатаКонца=31.03.2026\r\n"
                       "РасчСчет=%2\r\nСекцияРасчСчет\r\nРасчСчет=%2\r\nКонецРасчСчет\r\n")
            .arg(QLatin1String(encoding), QLatin1String(kOwnIban)) +
        documents + QStringLiteral("КонецФайла\r\n");
    return qstrcmp(encoding, "Windows") == 0 ? encode1251(text) : text.toUtf8();
}

QString document(const char* number, const char* date, const char* sum, const char* payer, const char* code,
                 const char* payerAccount, const char* receiverAccount, const char* purpose)
{
    return QStringLiteral(
               "СекцияДокумент=Платежное поручение\r\nНомер=%1\r\nДата=%2\r\nСумма=%3\r\n"
               "ПлательщикСчет=%6\r\nПлательщик=%4\r\nПлательщикИНН=%5\r\nПолучательСчет=%7\r\n"
               "Получатель=ТОВ \"Виконавець\"\r\nПолучательИНН=14360570\r\nНазначениеПлатежа=%8\r\n"
               "ДатаПоступило=%2\r\nКонецДокумента\r\n")
        .arg(QString::fromUtf8(number), QString::fromUtf8(date), QString::fromUtf8(sum),
             QString::fromUtf8(payer), QString::fromUtf8(code), QString::fromUtf8(payerAccount),
             QString::fromUtf8(receiverAccount), QString::fromUtf8(purpose));
}

// The CSV layout of a statement with the columns named as the bank names them.
const char kCsvHeader[] =
    "ЄДРПОУ;МФО;Рахунок;Валюта;Номер документа;Дата операції;МФО банка;Назва банка;"
    "Рахунок кореспондента;ЄДРПОУ кореспондента;Кореспондент;Сума;Призначення платежу\r\n";

} // namespace

TEST(Statement, BothFormatsAreReadAsTheBankWroteThem)
{
    QString error;
    const auto read = [&error](const QByteArray& bytes) {
        return ReadStatement(bytes, QStringLiteral("v.txt"), &error);
    };
    const std::optional<BankStatement> c =
        read(oneC(document("77", "05.03.2026", "1200.50", "ТОВ \"Замовник\"", "32855961",
                           "UA903052990000026000000000001", kOwnIban,
                           "Оплата за рахунком-фактурою № 12 від 01.03.2026, у т.ч. ПДВ 200,08 грн.") +
                  document("78", "06.03.2026", "10.00", "ТОВ \"Виконавець\"", "14360570", kOwnIban,
                           "UA903052990000026000000000009", "Оренда")));
    ASSERT_TRUE(c) << error.toStdString();
    ASSERT_EQ(c->lines.size(), 2u);
    EXPECT_EQ(c->lines[0].amount.text(), QStringLiteral("1200,50"));
    EXPECT_EQ(c->lines[0].date, QDate(2026, 3, 5));
    EXPECT_EQ(c->lines[0].otherName, QStringLiteral("ТОВ \"Замовник\""));
    EXPECT_EQ(c->lines[0].otherCode, QStringLiteral("32855961"));
    EXPECT_TRUE(c->lines[0].incoming);
    EXPECT_FALSE(c->lines[1].incoming); // paid from the statement's own account
    EXPECT_EQ(c->lines[1].line, 24);
    // The same text in UTF-8 reads the same, keys included.
    const std::optional<BankStatement> utf8 =
        read(oneC(document("77", "05.03.2026", "1200.50", "ТОВ \"Замовник\"", "32855961",
                           "UA903052990000026000000000001", kOwnIban,
                           "Оплата за рахунком-фактурою № 12 від 01.03.2026, у т.ч. ПДВ 200,08 грн."),
                  "UTF-8"));
    ASSERT_TRUE(utf8) << error.toStdString();
    EXPECT_EQ(utf8->lines[0].key, c->lines[0].key);

    // CSV in UTF-8 with a BOM, a signed sum, a quoted purpose with the separator in it.
    const std::optional<BankStatement> csv = read(
        QByteArray("\xEF\xBB\xBF") + QByteArray(kCsvHeader) +
        "14360570;322313;UA213223130000026007233566001;UAH;501;05.03.2026 10:15;305299;АТ КБ \"ПРИВАТБАНК\";"
        "UA903052990000026000000000001;32855961;ТОВ \"Замовник\";1 200,50;\"Оплата за рах. 12; без ПДВ\"\r\n"
        "14360570;322313;UA213223130000026007233566001;UAH;502;06.03.2026;305299;Банк;"
        "UA903052990000026000000000001;"
        "32855961;ТОВ \"Замовник\";-15,00;Комісія\r\n");
    ASSERT_TRUE(csv) << error.toStdString();
    ASSERT_EQ(csv->lines.size(), 2u);
    EXPECT_EQ(csv->lines[0].amount.text(), QStringLiteral("1200,50"));
    EXPECT_EQ(csv->lines[0].purpose, QStringLiteral("Оплата за рах. 12; без ПДВ"));
    EXPECT_EQ(csv->lines[0].number, QStringLiteral("501"));
    EXPECT_FALSE(csv->lines[1].incoming);
    EXPECT_EQ(csv->lines[1].amount.text(), QStringLiteral("15,00"));

    // Windows-1251, "," separated, a debit/credit pair in Russian.
    const std::optional<BankStatement> pair = read(encode1251(
        QStringLiteral("Дата,Номер документа,Дебет,Кредит,Контрагент,ЕГРПОУ контрагента,Счет контрагента,"
                       "Назначение платежа\n05.03.2026,9,,\"300,00\",ФОП Іваненко,1234567890,"
                       "UA903052990000026000000000002,Оплата по сч. 7\n")));
    ASSERT_TRUE(pair) << error.toStdString();
    EXPECT_TRUE(pair->lines[0].incoming);
    EXPECT_EQ(pair->lines[0].amount.text(), QStringLiteral("300,00"));
    EXPECT_EQ(pair->lines[0].otherName, QStringLiteral("ФОП Іваненко"));
}

TEST(Statement, WhatIsNotAStatementIsRefusedWithItsLine)
{
    const QString good = document("1", "05.03.2026", "1.00", "А", "1", "UA1", kOwnIban, "x");
    const struct {
        QByteArray bytes;
        const char* error;
    } refused[] = {
        {"", "Файл v.txt: файл пуст."},
        {QByteArray("ab\0cd", 5), "Файл v.txt: двоичный файл, не выписка."},
        {"Дата;Сума\n",
         "Файл v.txt: не выписка банка: первая строка — «Дата;Сума»; нужны столбцы даты, суммы (или "
         "дебета и кредита) и назначения платежа."},
        {oneC(good).replace(encode1251(QStringLiteral("Кодировка=Windows")), "KOI8"),
         "Файл v.txt: нет строки «Кодировка=» (Windows, DOS или UTF-8)."},
        {oneC(good).replace(encode1251(QStringLiteral("КонецФайла\r\n")), ""),
         "Файл v.txt, строка 24: файл оборван: нет строки «КонецФайла»."},
        {oneC(QString(good).replace(QStringLiteral("Сумма=1.00"), QStringLiteral("Сумма=1.005"))),
         "Файл v.txt, строка 11: «Сумма=1.005» — не сумма."},
        {oneC(QString(good).replace(QStringLiteral("Дата=05.03.2026"), QStringLiteral("Дата=31.02.2026"))),
         "Файл v.txt, строка 11: «Дата=31.02.2026» — не дата."},
        {QByteArray(kCsvHeader) + ";;;UAH;1;05.03.2026;;;;;;abc;x\n",
         "Файл v.txt, строка 2: «abc» — не сумма."},
        {QByteArray(kCsvHeader) + ";;;UAH;1;05.03.2026;;;;;;1;\"x\n",
         "Файл v.txt, строка 2: кавычка не закрыта до "
         "конца файла."},
    };
    for (const auto& r : refused) {
        QString error;
        EXPECT_FALSE(ReadStatement(r.bytes, QStringLiteral("v.txt"), &error));
        EXPECT_EQ(error, QString::fromUtf8(r.error));
    }
}

TEST(Statement, AnImportTiesPaymentsToTheirDocumentsAndStoresALineOnce)
{
    TestHome home;
    auto dm = home.createAndConnect();
    const QSqlDatabase db = ConnectionOf(*dm);
    execOrThrow(db, QStringLiteral("INSERT INTO CLIENTS (ID_NUMBER, FIRMNAME, OKPOCODE, CHETNUMBER) VALUES "
                                   "(2, 'ТОВ \"Замовник\"', '32855961', ''), (3, 'ФОП', '', "
                                   "'UA903052990000026000000000002')"));
    execOrThrow(db, QStringLiteral("INSERT INTO FACTURES (FACT_NUMBER, FACT_DATA, ID_NUMBER) VALUES (12, "
                                   "'2026-03-01', 2), (13, '2026-03-01', 3)"));
    execOrThrow(
        db, QStringLiteral("INSERT INTO ACTS (ACT_NUMBER, ACT_DATA, ID_NUMBER) VALUES (4, '2026-03-01', 3)"));
    OwnerRecord owner;
    owner.CHETNUMBER = QString::fromLatin1(kOwnIban);
    const QString file = home.file(QStringLiteral("march.txt"));
    writeFileBytes(
        file,
        oneC(document("1", "05.03.2026", "100.00", "ТОВ \"Замовник\"", "32855961", "UA1", kOwnIban,
                      "Оплата за рахунком-фактурою № 12 від 01.03.2026") +
             // Invoice 13 is another client's: the payer's own, without a document.
             document("2", "05.03.2026", "50.00", "ТОВ \"Замовник\"", "32855961", "UA1", kOwnIban, "сч. 13") +
             document("3", "06.03.2026", "70.00", "ФОП", "", "UA903052990000026000000000002", kOwnIban,
                      "Оплата за актом № 4 від 01.03.2026") +
             document("4", "06.03.2026", "9.00", "Невідомий", "99999999", "UA9", kOwnIban, "р/ф 12") +
             document("5", "06.03.2026", "1.00", "Банк", "1", "UA9", "UA903052990000026000000000009",
                      "чужий")));
    QString error;
    std::optional<StatementImport> plan = PlanStatementImport(*dm, file, owner, &error);
    ASSERT_TRUE(plan) << error.toStdString();
    EXPECT_EQ(plan->summary(),
              QStringLiteral("Выписка: 4 поступления, 2 сопоставлены, 2 без счета (плательщиков нет "
                             "в базе: 1). Не берутся: по другим счетам 1, списания 0, в другой "
                             "валюте 0."));
    ASSERT_EQ(plan->incoming.size(), 4u);
    EXPECT_EQ(plan->incoming[0].invoice, 12);
    EXPECT_EQ(plan->incoming[1].invoice, 0);
    EXPECT_EQ(plan->incoming[1].clientId, 2);
    EXPECT_EQ(plan->incoming[2].act, 4);
    EXPECT_EQ(plan->incoming[3].clientId, 0);

    EXPECT_EQ(StoreStatementImport(*dm, *plan, true), 2);
    EXPECT_EQ(PaidKopecks(*dm, 12), 10000);
    EXPECT_EQ(PaidKopecks(*dm, 4, true), 7000);
    // Again: the stored lines are known, the rest can still go in.
    plan = PlanStatementImport(*dm, file, owner, &error);
    ASSERT_TRUE(plan);
    EXPECT_TRUE(plan->summary().endsWith(QStringLiteral("Уже в базе: 2.")));
    EXPECT_EQ(StoreStatementImport(*dm, *plan, false), 1); // the known payer's; the unknown one waits
    EXPECT_EQ(StoreStatementImport(*dm, *plan, false), 0);
    EXPECT_EQ(scalar(db, QStringLiteral("SELECT count(*) FROM PLATEG")).toInt(), 3);
    EXPECT_EQ(ReadClientPayments(*dm, 2).back().SOURCE, QStringLiteral("march.txt"));
    // The unknown payer becomes a client from the bank's name and code, in the same turn as its line.
    EXPECT_EQ(UnknownPayers(*plan).size(), 1u);
    EXPECT_EQ(StoreStatementImport(*dm, *plan, false, true), 1);
    EXPECT_EQ(
        scalar(db, QStringLiteral("SELECT c.FIRMNAME FROM PLATEG p JOIN CLIENTS c ON c.ID_NUMBER=p.ID_NUMBER "
                                  "WHERE c.OKPOCODE='99999999'"))
            .toString(),
        QStringLiteral("Невідомий"));

    owner.CHETNUMBER.clear();
    EXPECT_FALSE(PlanStatementImport(*dm, file, owner, &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("В данных владельца нет расчётного счёта")));
}

TEST(Statement, PurposesNameTheirDocuments)
{
    const struct {
        const char* purpose;
        std::vector<int> invoices, acts;
    } cases[] = {
        {"Оплата за рахунком-фактурою № 1234а від 07.12.2026, у т.ч. ПДВ 200,00 грн.", {1234}, {}},
        {"рах. 15, рахунок №16 та р/ф 17", {15, 16, 17}, {}},
        {"Оплата по сч. 7 от 01.02.2026; счет-фактура № 8", {7, 8}, {}},
        {"Оплата за актом № 3 від 05.03.2026", {}, {3}},
        {"Оплата згідно рахунку від 05.03.2026", {}, {}},
    };
    for (const auto& c : cases) {
        const PurposeNumbers n = NumbersInPurpose(QString::fromUtf8(c.purpose));
        EXPECT_EQ(n.invoices, c.invoices) << c.purpose;
        EXPECT_EQ(n.acts, c.acts) << c.purpose;
    }
}

TEST(Payments, ATypedPaymentTheRestAndTheDebtorsOfADay)
{
    TestHome home;
    auto dm = home.createAndConnect();
    const QSqlDatabase db = ConnectionOf(*dm);
    execOrThrow(db,
                QStringLiteral("INSERT INTO CLIENTS (ID_NUMBER, FIRMNAME) VALUES (2, 'ТОВ \"Боржник\"')"));
    // 1000,00 + 20 % = 1200,00 on 01.03; an act of 500,00 + 20 % = 600,00 on 02.03.
    execOrThrow(db, QStringLiteral(
                        "INSERT INTO FACTURES (FACT_NUMBER, FACT_DATA, ID_NUMBER, NAME_POS1, MEASURE_POS1, "
                        "COUNT_POS1, PRICE_POS1, FACT_NDS) VALUES (1, '2026-03-01', 2, 'Товар', 'шт', 2, "
                        "500, 20)"));
    execOrThrow(db,
                QStringLiteral("INSERT INTO ACTS (ACT_NUMBER, ACT_DATA, ACT_MONTH, ACT_YEAR, SUMMA, ACT_NDS, "
                               "ID_NUMBER) VALUES (1, '2026-03-02', 2, 2026, 500, 20, 2)"));
    QString error;
    std::optional<PaymentDraft> draft = OpenDocumentPayment(*dm, 1, false, QDate(2026, 3, 5), &error);
    ASSERT_TRUE(draft) << error.toStdString();
    EXPECT_EQ(draft->rest.text(), QStringLiteral("1200,00"));
    EXPECT_EQ(draft->row.INFO, QStringLiteral("Оплата за рахунком-фактурою № 1 від 01.03.2026"));
    draft->row.SUMMA = 0;
    EXPECT_EQ(StoreTypedPayment(*dm, draft->row), QStringLiteral("Сумма платежа должна быть больше нуля."));
    draft->row.SUMMA = 200;
    EXPECT_EQ(StoreTypedPayment(*dm, draft->row), QString());
    EXPECT_EQ(UnpaidRest(*dm, 1, false).text(), QStringLiteral("1000,00"));
    EXPECT_FALSE(OpenDocumentPayment(*dm, 9, true, QDate(2026, 3, 5), &error));
    EXPECT_EQ(error, QStringLiteral("Акт № 9 не найден."));

    // Before the payment the client owes both documents; after it, 1600,00, its oldest the invoice.
    const std::vector<ClientBalance> before = Debtors(*dm, QDate(2026, 3, 4));
    ASSERT_EQ(before.size(), 1u);
    EXPECT_EQ(before[0].charged - before[0].paid, 180000);
    const std::vector<ClientBalance> after = Debtors(*dm, QDate(2026, 3, 31));
    ASSERT_EQ(after.size(), 1u);
    EXPECT_EQ(after[0].paid, 20000);
    EXPECT_EQ(after[0].oldestNumber, 1);
    EXPECT_FALSE(after[0].oldestIsAct);
    const QStringList text = DebtorsText(after, QDate(2026, 3, 31)).split(QStringLiteral("\r\n"));
    EXPECT_EQ(text[4], QStringLiteral(
                           "|     2|ТОВ \"Боржник\"                 |        1800.00|         200.00|        "
                           "1600.00|с/ф 1 от 01.03.26      |"));
    EXPECT_EQ(text[6],
              QStringLiteral("     ИТОГО : должников - 1, начислено - 1800.00, оплачено - 200.00, долг - "
                             "1600.00."));
    EXPECT_TRUE(Debtors(*dm, QDate(2026, 2, 28)).empty());

    // What a statement line of the client may be tied to by hand: the rest of each document, oldest first.
    const std::vector<OpenDocument> open = UnpaidDocuments(*dm, 2);
    ASSERT_EQ(open.size(), 2u);
    EXPECT_EQ(std::tuple(open[0].number, open[0].act, open[0].rest.text()),
              std::tuple(1, false, QString("1000,00")));
    EXPECT_EQ(std::tuple(open[1].number, open[1].act, open[1].rest.text()),
              std::tuple(1, true, QString("600,00")));
}
