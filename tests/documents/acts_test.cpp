#include "db/driver.h"
#include "db/data_module.h"
#include "db/stores.h"
#include "documents/acts.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <functional>

// Figures and words worked out by hand.
TEST(Acts, PeriodsDefaultsNamesAndSums)
{
    EXPECT_EQ(DefaultActPeriod(QDate(2026, 3, 10)), (ActPeriod{2, 2026})); // the month just closed
    EXPECT_EQ(DefaultActPeriod(QDate(2026, 3, 11)), (ActPeriod{3, 2026}));
    EXPECT_EQ(DefaultActPeriod(QDate(2026, 1, 5)), (ActPeriod{12, 2025}));
    const struct {
        int month;
        const char* russian;
        const char* ukrainian;
        const char* blank; // for 2026
    } periods[] = {{3, "март", "березень", "за березень 2026 р."},
                   {12, "декабрь", "грудень", "за грудень 2026 р."},
                   {14, "II квартал", "II квартал", "за II квартал 2026 р."},
                   {0, "", "", ""},
                   {17, "", "", ""}};
    for (const auto& p : periods) {
        EXPECT_EQ(ActPeriodName(p.month, false), QString::fromUtf8(p.russian)) << p.month;
        EXPECT_EQ(ActPeriodName(p.month, true), QString::fromUtf8(p.ukrainian)) << p.month;
        EXPECT_EQ(ActBlankPeriod(p.month, 2026), QString::fromUtf8(p.blank)) << p.month;
    }
    const struct {
        double sum;
        int rate;
        const char* vat;
        const char* total;
    } sums[] = {{1000, 20, "200,00", "1200,00"}, {10.05, 7, "0,70", "10,75"}, {2.5, 7, "0,18", "2,68"}};
    for (const auto& s : sums) {
        ActDraft act;
        act.sum = s.sum;
        act.vatRate = s.rate;
        const Taxed taxed = SumAct(act);
        EXPECT_EQ(taxed.vat.text(), QString::fromUtf8(s.vat)) << s.sum;
        EXPECT_EQ(taxed.total.text(), QString::fromUtf8(s.total)) << s.sum;
    }
}

TEST(Acts, WhatCannotBeStoredIsSaid)
{
    const auto act = [](auto change) {
        ActDraft a{7,  QDate(2026, 3, 5),         {2, 2026}, QStringLiteral("Ремонт"), 1500,
                   20, QStringLiteral("Іваненко")};
        change(a);
        return ActProblem(a);
    };
    EXPECT_EQ(act([](ActDraft&) {}), QString());
    EXPECT_EQ(act([](ActDraft& a) { a.period.year = 2027; }), QString()); // the date's year + 1
    const std::pair<std::function<void(ActDraft&)>, const char*> refused[] = {
        {[](ActDraft& a) { a.number = 0; }, "Номер акта должен быть больше нуля."},
        {[](ActDraft& a) { a.period.month = 17; },
         "Период акта — месяц от 1 до 12 или квартал от 13 до 16, а не 17."},
        {[](ActDraft& a) { a.period.year = 1989; }, "Год периода 1989: допустимы годы с 1990 по 2027."},
        {[](ActDraft& a) { a.period.year = 2028; }, "Год периода 2028: допустимы годы с 1990 по 2027."},
        {[](ActDraft& a) { a.sum = -0.01; }, "Сумма акта не может быть меньше нуля."},
        {[](ActDraft& a) { a.sum = 900'000'000'000; },
         "Сумма акта с НДС больше, чем может показать бланк (наибольшая — 999 999 999 999,99)."},
        {[](ActDraft& a) { a.kindOfWork = QString(256, u'ж'); }, "Вид работ: 256 знаков, а помещается 255."},
        {[](ActDraft& a) { a.representative = QString(129, u'ж'); },
         "Представитель заказчика: 129 знаков, а помещается 128."},
    };
    for (const auto& [change, message] : refused)
        EXPECT_EQ(act(change), QString::fromUtf8(message));
}

// On either engine: an act stored, read back, edited in place; a used number and bad input store nothing.
TEST(Acts, AreStoredReadAndRefusedWhole)
{
    TestHome home;
    auto dm = home.createAndConnect();
    const int client =
        scalar(ConnectionOf(*dm), QStringLiteral("SELECT MIN(ID_NUMBER) FROM CLIENTS WHERE ID_NUMBER>1"))
            .toInt();
    EXPECT_EQ(NextActNumber(*dm), 1);
    ActDraft act{1,
                 QDate(2026, 3, 5),
                 {14, 2026},
                 QStringLiteral("Супровід програми\nза квартал"),
                 1234.56,
                 20,
                 QStringLiteral("Петренко О.І.")};
    EXPECT_EQ(StoreAct(*dm, client, act), QString());
    const std::optional<StoredAct> read = ReadAct(*dm, 1);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->clientId, client);
    EXPECT_EQ(read->act.kindOfWork, act.kindOfWork);
    EXPECT_EQ(read->act.period, act.period);
    EXPECT_EQ(read->act.sum, 1234.56);
    EXPECT_EQ(NextActNumber(*dm), 2);

    EXPECT_EQ(StoreAct(*dm, client, act), QStringLiteral("Акт № 1 уже есть: выберите другой номер."));
    act.period.month = 17;
    EXPECT_FALSE(StoreAct(*dm, client, act).isEmpty());
    act.period.month = 3;
    act.number = 5;
    EXPECT_EQ(StoreAct(*dm, client, act, 1), QString()); // renumbered in place
    EXPECT_FALSE(ReadAct(*dm, 1));
    EXPECT_EQ(ReadAct(*dm, 5)->act.period, (ActPeriod{3, 2026}));
    EXPECT_EQ(scalar(ConnectionOf(*dm), QStringLiteral("SELECT count(*) FROM ACTS")).toInt(), 1);
    act.number = 6;
    EXPECT_EQ(StoreAct(*dm, client, act, 9), QString()); // its original gone: written anew, not lost
    EXPECT_TRUE(ReadAct(*dm, 6));
}
