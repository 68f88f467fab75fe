#include "base/prompter.h"
#include "widgets/date_field.h"

#include <QCalendarWidget>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Types into the field as a user does, then leaves it with Enter.
void typeAndEnter(DateField& field, const QString& keys)
{
    field.setFocus();
    field.selectAll();
    QTest::keyClick(&field, Qt::Key_Backspace);
    QTest::keyClick(&field, Qt::Key_Home);
    QTest::keyClicks(&field, keys);
    QTest::keyClick(&field, Qt::Key_Return);
}

} // namespace

TEST(DateField, AWholeDateTypedWithOrWithoutItsDots)
{
    DateField field;
    ScriptedPrompter prompter;
    field.setPrompter(&prompter);
    field.show();
    QSignalSpy edited(&field, &DateField::dateEdited);
    EXPECT_FALSE(field.date().isValid());

    typeAndEnter(field, QStringLiteral("15.03.2024"));
    EXPECT_EQ(field.date(), QDate(2024, 3, 15));
    EXPECT_EQ(field.text(), QStringLiteral("15.03.2024"));
    EXPECT_EQ(edited.count(), 1);

    typeAndEnter(field, QStringLiteral("01022025"));
    EXPECT_EQ(field.date(), QDate(2025, 2, 1));
    EXPECT_EQ(edited.count(), 2);

    // Emptied, the field holds no date.
    typeAndEnter(field, QString());
    EXPECT_FALSE(field.date().isValid());
    EXPECT_EQ(edited.count(), 3);
    EXPECT_TRUE(prompter.messages().empty());
}

TEST(DateField, ADateThatDoesNotExistIsRefusedAndNeverBecomesAnother)
{
    DateField field;
    ScriptedPrompter prompter;
    field.setPrompter(&prompter);
    field.show();
    field.setDate(QDate(2020, 1, 1));
    QSignalSpy edited(&field, &DateField::dateEdited);
    for (const char* bad : {"31.02.2024", "29.02.2023", "00.01.2024", "15.13.2024", "15.03.24"}) {
        prompter.clear();
        typeAndEnter(field, QString::fromLatin1(bad));
        EXPECT_EQ(field.date(), QDate(2020, 1, 1)) << bad;
        EXPECT_EQ(field.text(), QStringLiteral("01.01.2020")) << bad;
        ASSERT_EQ(prompter.messages().size(), 1u) << bad;
        EXPECT_TRUE(prompter.messages()[0].text.startsWith(QStringLiteral("Неверная дата: ")))
            << prompter.messages()[0].text.toStdString();
    }
    EXPECT_EQ(edited.count(), 0);
    bool ok = false;
    EXPECT_EQ(DateField::parse(QStringLiteral("29.02.2024"), &ok), QDate(2024, 2, 29));
    EXPECT_TRUE(ok);
    EXPECT_FALSE(DateField::parse(QStringLiteral("__.__.____"), &ok).isValid());
    EXPECT_TRUE(ok);
}

TEST(DateField, TheCalendarOpensOnTodayOrTheDateAndSpeaksTheFieldsLanguage)
{
    DateField field;
    field.setLocale(QLocale(QLocale::Russian, QLocale::Ukraine));
    field.show();
    field.showCalendar();
    EXPECT_TRUE(field.calendar()->isVisible());
    EXPECT_EQ(field.calendar()->selectedDate(), QDate::currentDate());
    EXPECT_EQ(field.calendar()->locale().language(), QLocale::Russian);
    QSignalSpy edited(&field, &DateField::dateEdited);
    emit field.calendar()->clicked(QDate(2024, 3, 15));
    EXPECT_FALSE(field.calendar()->isVisible());
    EXPECT_EQ(field.date(), QDate(2024, 3, 15));
    EXPECT_EQ(edited.count(), 1);
    field.showCalendar();
    EXPECT_EQ(field.calendar()->selectedDate(), QDate(2024, 3, 15));
}
