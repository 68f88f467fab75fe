#include "base/prompter.h"
#include "db/data_module.h"
#include "maintenance/demo_data.h"
#include "print/expense_waybill_form.h"
#include "print/invoice_form.h"
#include "print/tax_waybill_form.h"
#include "support/test_support.h"

#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace {

// The words of a text that mix Latin and Cyrillic letters: they look right and are found by no search.
QStringList mixedWords(const QString& text)
{
    static const QRegularExpression mixed(QStringLiteral("\\w*(?:[a-zA-Z]\\w*\\p{Cyrillic}|\\p{Cyrillic}\\w*[a-zA-Z])\\w*"),
                                          QRegularExpression::UseUnicodePropertiesOption);
    QStringList found;
    for (const QRegularExpressionMatch& m : mixed.globalMatch(text))
        found << m.captured();
    return found;
}

} // namespace

TEST(Texts, NoWordMixesLatinAndCyrillicLetters)
{
    EXPECT_EQ(mixedWords(QStringLiteral("Cчета бaзы IBAN слово")), QStringList({"Cчета", "бaзы"}));
    QStringList found;
    // Every text of the interface and its translation.
    QFile ts(QStringLiteral(DOCMAR_SOURCE_DIR "/translations/docmar_uk.ts"));
    ASSERT_TRUE(ts.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&ts);
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement &&
            (xml.name() == QLatin1String("source") || xml.name() == QLatin1String("translation")))
            found << mixedWords(xml.readElementText());
    // Every text of the three blanks, filled from a demo book.
    TestHome home;
    auto dm = home.createAndConnect();
    FillDemoData(*dm, {5, 30, 2});
    const Settings settings;
    ScriptedPrompter prompter;
    QString error;
    bool complete = false;
    for (const std::optional<Page>& page :
         {PrepareInvoicePage(*dm, 1, OwnerRecord{}, settings, home.path(), &prompter, &error),
          PrepareExpenseWaybillPage(*dm, 1, OwnerRecord{}, settings, home.path(), &prompter, &complete, &error),
          PrepareTaxWaybillPage(*dm, 1, OwnerRecord{}, settings, &prompter, 0, &complete, &error)}) {
        ASSERT_TRUE(page.has_value()) << error.toStdString();
        for (const PageElement& e : page->elements())
            found << mixedWords(e.text) << mixedWords(e.lines.join(u' '));
    }
    EXPECT_TRUE(found.isEmpty()) << found.join(u' ').toStdString();
}
