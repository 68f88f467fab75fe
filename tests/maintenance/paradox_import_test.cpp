#include "base/prompter.h"
#include "db/data_module.h"
#include "maintenance/paradox_import.h"
#include "support/paradox_fixture.h"
#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>

#include <gtest/gtest.h>

extern "C" {
#include <paradox.h>
}

namespace {

// A row of a table, in the order of its columns, from the program's database, as text.
QStringList rowOf(TDM& dm, const TableDef& table, const QString& where)
{
    Rows q = execOrThrow(ConnectionOf(dm),
                         QStringLiteral("SELECT %1 FROM %2 WHERE %3")
                             .arg(table.columnNames().join(u','), QLatin1String(table.name), where));
    QStringList out;
    if (q.next())
        for (int i = 0; i < int(table.columns.size()); ++i)
            out << (q.value(i).isNull() ? QStringLiteral("NULL") : q.value(i).toString());
    return out;
}

// The owner row as the book kept it: every kind of letter, an empty text, an empty date.
QVariantList ownerRow()
{
    return {1,
            "ТОВ \"Власник\"",
            "Іваненко Ї.Є.",
            "Ґудзь",
            "044",
            "Київ",
            "Київська",
            "вул. Січових Стрільців, 1",
            "",
            "123456789012",
            "300001",
            "12345678",
            "77",
            "ПриватБанк",
            "Київ",
            "26001",
            "",
            "",
            "",
            QVariant(),
            ""};
}

class ParadoxImportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        book = home.file(QStringLiteral("book"));
        ASSERT_TRUE(QDir().mkpath(book));
        dm = home.createAndConnect();
    }
    QString file(const QString& name) const { return QDir(book).filePath(name); }
    void write(const QString& name, const TableDef& table, const std::vector<QVariantList>& rows)
    {
        ASSERT_TRUE(WriteParadoxTable(file(name), ParadoxFieldsOf(table), rows));
    }
    // The five tables every book has, one row each (or none).
    void writeBook()
    {
        write("Clients.DB", Tables::clients(),
              {ownerRow(), {2,          QString(100, u'Щ'), QVariant(), QVariant(), QVariant(), "Львів",
                            QVariant(), QVariant(),         QVariant(), QVariant(), QVariant(), QVariant(),
                            QVariant(), QVariant(),         QVariant(), QVariant(), QVariant(), QVariant(),
                            "12/3",     QDate(2003, 2, 1),  "примітка"}});
        write("PRODUCTS.DB", Tables::products(), {{7, "Цвяхи", 12.5}});
        // Positions by name, unit, count and price; a receipt's lump sum has a unit of blanks.
        write("Factures.DB", Tables::factures(),
              {{17,         "/1",       QDate(2001, 2, 5),
                "Goods",    "шт.",      2.0,
                50.0,       "Цегла",    "кг.",
                2.5,        10.0,       QVariant(),
                QVariant(), QVariant(), QVariant(),
                QVariant(), QVariant(), QVariant(),
                QVariant(), 20,         1.5,
                "ABC",      2},
               {-1,         QVariant(), QDate(2001, 3, 1), "Проплата", "    ",     1.0,
                999.99,     QVariant(), QVariant(),        QVariant(), QVariant(), QVariant(),
                QVariant(), QVariant(), QVariant(),        QVariant(), QVariant(), QVariant(),
                QVariant(), 20,         QVariant(),        "ABC",      2}});
        write("Nakladn1.DB", Tables::nakladn1(),
              {{4, QDate(2001, 2, 6), "р/ф № 17", 17, 0, 0, "Коваль", 34, "АБ", QDate(2001, 2, 1), 2}});
        write("Nakladn2.DB", Tables::nakladn2(),
              {{5, QDate(2001, 2, 7), 17, QVariant(), QVariant(), "Коваль", "готівка", 2, "договір"}});
    }
    int rows(const char* table)
    {
        return scalar(ConnectionOf(*dm), QStringLiteral("SELECT count(*) FROM %1").arg(QLatin1String(table)))
            .toInt();
    }

    TestHome home;
    QString book;
    std::unique_ptr<TDM> dm;
};

} // namespace

TEST_F(ParadoxImportTest, ABookComesOverWholeValueByValue)
{
    writeBook();
    write("acts.db", Tables::acts(),
          {{3, QDate(2001, 4, 30), 2001, 1500.25, 14, 2, "Ремонт", 20, "Петренко"}});
    write("PLATEG.DB", Tables::plateg(), {{1, QDate(2001, 5, 1), 100.5, "оплата", 2}});
    std::vector<std::pair<QString, int>> seen;
    const ParadoxImportOutcome outcome =
        ImportParadoxBook(*dm, book, [&seen](const QString& t, int done, int) {
            seen.emplace_back(t, done);
            return true;
        });
    ASSERT_EQ(outcome.result, ParadoxImportOutcome::Done) << outcome.error.toStdString();

    QStringList owner;
    for (const QVariant& v : ownerRow())
        owner << (v.isNull() ? QStringLiteral("NULL") : v.toString());
    EXPECT_EQ(rowOf(*dm, Tables::clients(), "ID_NUMBER=1"), owner);
    // Empty values as the program reads them; a name of 100 letters fits its 128.
    const QStringList client = rowOf(*dm, Tables::clients(), "ID_NUMBER=2");
    EXPECT_EQ(client[1], QString(100, u'Щ'));
    EXPECT_EQ(client[2], QString());
    EXPECT_EQ(client[18], QStringLiteral("12/3"));
    EXPECT_EQ(client[19], QStringLiteral("2003-02-01"));
    EXPECT_EQ(client[20], QStringLiteral("примітка"));
    EXPECT_EQ(rowOf(*dm, Tables::products(), "1"), (QStringList{"7", "Цвяхи", "12.5"}));
    // Positions 3 and 4 empty: no name or unit, count and price 0.
    EXPECT_EQ(
        rowOf(*dm, Tables::factures(), "FACT_NUMBER=17"),
        (QStringList{"17", "/1", "2001-02-05", "Goods", "шт.", "2", "50", "Цегла", "кг.", "2.5", "10", "",
                     "",   "0",  "0",          "",      "",    "0", "0",  "20",    "1.5", "ABC", "2"}));
    EXPECT_EQ(rowOf(*dm, Tables::factures(), "FACT_NUMBER=-1")[4],
              QStringLiteral("    ")); // a lump sum's blanks
    EXPECT_EQ(rowOf(*dm, Tables::nakladn1(), "1"), (QStringList{"4", "2001-02-06", "р/ф № 17", "17", "0", "0",
                                                                "Коваль", "34", "АБ", "2001-02-01", "2"}));
    EXPECT_EQ(rowOf(*dm, Tables::nakladn2(), "1"),
              (QStringList{"5", "2001-02-07", "17", "0", "0", "Коваль", "готівка", "2", "договір"}));
    EXPECT_EQ(rowOf(*dm, Tables::acts(), "1"),
              (QStringList{"3", "2001-04-30", "2001", "1500.25", "14", "2", "Ремонт", "20", "Петренко"}));
    // The payment columns a Paradox book never had stay empty.
    EXPECT_EQ(rowOf(*dm, Tables::plateg(), "1"), (QStringList{"1", "2001-05-01", "100.5", "оплата", "2", "0",
                                                              "0", "", "NULL", "", "", "", "", ""}));

    const ParadoxImportReport& r = outcome.report;
    ASSERT_EQ(r.tables.size(), 7u);
    EXPECT_EQ(r.tables[0].table, QStringLiteral("CLIENTS"));
    EXPECT_EQ(r.tables[0].rowsRead, 2);
    EXPECT_EQ(r.tables[0].rowsWritten, 2);
    EXPECT_TRUE(r.missingTables.isEmpty());
    EXPECT_TRUE(r.badDates.isEmpty());
    EXPECT_EQ(seen.back(), std::make_pair(QStringLiteral("PLATEG"), 1));
    // Each table is told before it is read, so that a cancel is heard before any is written.
    EXPECT_EQ(seen.front(), std::make_pair(QStringLiteral("CLIENTS"), -1));
    EXPECT_EQ(seen[6], std::make_pair(QStringLiteral("PLATEG"), -1));
    // The program reads the book as its own.
    EXPECT_EQ(dm->NextFactNumber(), 18);
    EXPECT_EQ(dm->NextReceiptNumber(), -2);
}

TEST_F(ParadoxImportTest, AnOldLayoutOverlongTextBadDatesAndMissingOptionalTables)
{
    writeBook();
    // Factures.DB from before the two added columns, with lower-case names, a name longer than its
    // column, and a date the calendar cannot hold.
    std::vector<ParadoxField> old;
    for (ParadoxField f : ParadoxFieldsOf(Tables::factures()))
        if (f.name != QLatin1String("FACT_DOPNO") && f.name != QLatin1String("FACT_NR")) {
            f.name = f.name.toLower();
            if (f.name == QLatin1String("name_owner"))
                f.length = 120;
            old.push_back(f);
        }
    QVariantList row(21);
    row[0] = 9;
    row[1] = QDate(2002, 1, 2);
    row[19] = QString(110, u'Ї');
    row[20] = 2;
    QVariantList bad = row;
    bad[0] = 10;
    bad[1] = QDate(-5, 1, 1); // before day 1 of the Paradox calendar
    ASSERT_TRUE(WriteParadoxTable(file("Factures.DB"), old, {row, bad}));
    // A table kept in the DOS code page names it in its header.
    ASSERT_TRUE(WriteParadoxTable(file("PRODUCTS.DB"), ParadoxFieldsOf(Tables::products()),
                                  {{1, "Щётка", 3.0}}, 866));
    const ParadoxImportOutcome outcome = ImportParadoxBook(*dm, book);
    ASSERT_EQ(outcome.result, ParadoxImportOutcome::Done) << outcome.error.toStdString();
    const QStringList invoice = rowOf(*dm, Tables::factures(), "FACT_NUMBER=9");
    EXPECT_EQ(invoice[1], QString());            // FACT_DOPNO empty
    EXPECT_EQ(invoice[20], QStringLiteral("0")); // FACT_NR 0
    EXPECT_EQ(invoice[21], QString(80, u'Ї'));
    EXPECT_EQ(rowOf(*dm, Tables::factures(), "FACT_NUMBER=10")[2], QStringLiteral("NULL"));
    EXPECT_EQ(outcome.report.tables[2].valuesCut, 2);
    EXPECT_EQ(rowOf(*dm, Tables::products(), "1")[1], QStringLiteral("Щётка"));
    EXPECT_EQ(outcome.report.badDates, QStringList{"FACTURES, строка 2, FACT_DATA"});
    EXPECT_EQ(outcome.report.missingTables, (QStringList{"Acts.DB", "Plateg.Db"}));
    const QStringList summary = ImportSummary(outcome.report);
    EXPECT_TRUE(summary.contains(
        QStringLiteral("FACTURES (Factures.DB): прочитано записей 2, записано 2, обрезано значений 2")))
        << summary.join('\n').toStdString();
    EXPECT_TRUE(summary.contains(QStringLiteral("Таблица Acts.DB не найдена и пропущена.")));
}

// Numbers beyond what a column or the calendar holds: a date is no date, a key refuses the import; never a
// value the conversion made up.
TEST_F(ParadoxImportTest, NumbersBeyondTheirColumnAreNeverMadeUp)
{
    writeBook();
    std::vector<ParadoxField> stamped = ParadoxFieldsOf(Tables::nakladn1());
    stamped[1] = {QStringLiteral("NAKL_DATA"), char(pxfTimestamp), 8};
    ASSERT_TRUE(
        WriteParadoxTable(file("Nakladn1.DB"), stamped,
                          {{4, 1e300, "р/ф № 17", 17, 0, 0, "Коваль", 34, "АБ", QDate(2001, 2, 1), 2},
                           {5, -1e300, "р/ф № 17", 17, 0, 0, "Коваль", 34, "АБ", QDate(2001, 2, 1), 2}}));
    ParadoxImportOutcome outcome = ImportParadoxBook(*dm, book);
    ASSERT_EQ(outcome.result, ParadoxImportOutcome::Done) << outcome.error.toStdString();
    EXPECT_EQ(outcome.report.badDates,
              (QStringList{"NAKLADN1, строка 1, NAKL_DATA", "NAKLADN1, строка 2, NAKL_DATA"}));
    ASSERT_NO_THROW(dm->ClearDocumentTables());
    execOrThrow(ConnectionOf(*dm), QStringLiteral("DELETE FROM CLIENTS WHERE ID_NUMBER<>1"));
    execOrThrow(ConnectionOf(*dm), QStringLiteral("DELETE FROM PRODUCTS"));

    std::vector<ParadoxField> numbered = ParadoxFieldsOf(Tables::nakladn2());
    numbered[0].type = char(pxfNumber);
    numbered[0].length = 8;
    ASSERT_TRUE(WriteParadoxTable(
        file("Nakladn2.DB"), numbered,
        {{1e300, QDate(2001, 2, 7), 17, QVariant(), QVariant(), "Коваль", "готівка", 2, "договір"}}));
    outcome = ImportParadoxBook(*dm, book);
    EXPECT_EQ(outcome.result, ParadoxImportOutcome::Refused);
    EXPECT_EQ(outcome.error, QStringLiteral("Файл Nakladn2.DB, строка 1, столбец NAKL_NUMBER: число слишком "
                                            "велико для этого столбца."));
    EXPECT_EQ(rows("NAKLADN2"), 0);
}

// A Paradox number in a whole-number column is rounded, not cut; a text that just fills its column is
// whole, and only a longer one is counted as cut.
TEST_F(ParadoxImportTest, WholeNumbersAreRoundedAndOnlyLongerTextsCountAsCut)
{
    writeBook();
    std::vector<ParadoxField> numbered = ParadoxFieldsOf(Tables::nakladn2());
    numbered[0].type = char(pxfNumber);
    numbered[0].length = 8;
    ASSERT_TRUE(WriteParadoxTable(
        file("Nakladn2.DB"), numbered,
        {{7.6, QDate(2001, 2, 7), 17, QVariant(), QVariant(), "Коваль", "готівка", 2, "договір"},
         {-2.6, QDate(2001, 2, 7), 17, QVariant(), QVariant(), "Коваль", "готівка", 2, "договір"}}));
    std::vector<ParadoxField> goods = ParadoxFieldsOf(Tables::products());
    goods[1].length = 100;
    ASSERT_TRUE(WriteParadoxTable(file("PRODUCTS.DB"), goods,
                                  {{1, QString(70, u'Щ'), 3.0}, {2, QString(71, u'Щ'), 4.0}}));
    const ParadoxImportOutcome outcome = ImportParadoxBook(*dm, book);
    ASSERT_EQ(outcome.result, ParadoxImportOutcome::Done) << outcome.error.toStdString();
    EXPECT_EQ(rowOf(*dm, Tables::nakladn2(), "NAKL_NUMBER=8").value(0), QStringLiteral("8"));
    EXPECT_EQ(rowOf(*dm, Tables::nakladn2(), "NAKL_NUMBER=-3").value(0), QStringLiteral("-3"));
    const auto products = std::find_if(outcome.report.tables.begin(), outcome.report.tables.end(),
                                       [](const auto& t) { return t.table == QLatin1String("PRODUCTS"); });
    ASSERT_NE(products, outcome.report.tables.end());
    EXPECT_EQ(products->valuesCut, 1);
    EXPECT_EQ(rowOf(*dm, Tables::products(), "REC_NUMBER=1").value(1), QString(70, u'Щ'));
}

TEST_F(ParadoxImportTest, ADamagedOrForeignTableChangesNothingAndIsNamed)
{
    writeBook();
    const auto refused = [this](const QString& expected) {
        const ParadoxImportOutcome outcome = ImportParadoxBook(*dm, book);
        EXPECT_EQ(outcome.result, ParadoxImportOutcome::Refused);
        EXPECT_TRUE(outcome.error.startsWith(expected)) << outcome.error.toStdString();
        EXPECT_EQ(rows("CLIENTS") + rows("FACTURES") + rows("PRODUCTS"), 0);
    };
    // A file cut inside its records.
    std::vector<QVariantList> many(
        300, QVariantList{1, QDate(2001, 1, 1), "x", 1, 0, 0, "y", 1, "z", QDate(2001, 1, 1), 2});
    for (int i = 0; i < 300; ++i)
        many[std::size_t(i)][0] = i + 1;
    write("Nakladn1.DB", Tables::nakladn1(), many);
    QFile cut(file("Nakladn1.DB"));
    ASSERT_TRUE(cut.resize(cut.size() / 2));
    refused(QStringLiteral("Файл Nakladn1.DB: записи блока"));
    // A file of another kind.
    QFile foreign(file("Nakladn1.DB"));
    ASSERT_TRUE(foreign.open(QIODevice::WriteOnly));
    foreign.write(QByteArray(5000, 'x'));
    foreign.close();
    refused(QStringLiteral("Файл Nakladn1.DB: это не таблица Paradox"));
    // A column missing, a column of another kind.
    std::vector<ParadoxField> lacking = ParadoxFieldsOf(Tables::nakladn1());
    lacking.erase(lacking.begin() + 2);
    ASSERT_TRUE(WriteParadoxTable(file("Nakladn1.DB"), lacking, {}));
    refused(QStringLiteral("Файл Nakladn1.DB: нет столбца INFO."));
    std::vector<ParadoxField> other = ParadoxFieldsOf(Tables::nakladn1());
    other[1] = {QStringLiteral("NAKL_DATA"), pxfAlpha, 10};
    ASSERT_TRUE(WriteParadoxTable(file("Nakladn1.DB"), other, {}));
    refused(QStringLiteral("Файл Nakladn1.DB: столбец NAKL_DATA другого типа"));
    // A required table missing.
    QFile::remove(file("Nakladn1.DB"));
    refused(QStringLiteral("В папке %1 нет таблицы Nakladn1.DB.").arg(QDir::toNativeSeparators(book)));
}

TEST_F(ParadoxImportTest, OnlyAnEmptyBookTakesAnImportAndCancelLeavesItEmpty)
{
    writeBook();
    // Two invoices with one number: the engine refuses the second, and nothing stays.
    write("Factures.DB", Tables::factures(), {{5}, {5}});
    ParadoxImportOutcome outcome = ImportParadoxBook(*dm, book);
    EXPECT_EQ(outcome.result, ParadoxImportOutcome::Refused);
    EXPECT_TRUE(outcome.error.startsWith(QStringLiteral("Файл Factures.DB, запись 2: ")))
        << outcome.error.toStdString();
    EXPECT_EQ(rows("CLIENTS"), 0);

    writeBook();
    outcome = ImportParadoxBook(
        *dm, book, [](const QString& table, int, int) { return table != QLatin1String("FACTURES"); });
    EXPECT_EQ(outcome.result, ParadoxImportOutcome::Cancelled);
    EXPECT_EQ(rows("CLIENTS") + rows("PRODUCTS") + rows("FACTURES"), 0);

    ASSERT_EQ(ImportParadoxBook(*dm, book).result, ParadoxImportOutcome::Done);
    outcome = ImportParadoxBook(*dm, book);
    EXPECT_EQ(outcome.result, ParadoxImportOutcome::Refused);
    EXPECT_TRUE(outcome.error.startsWith(QStringLiteral("В базе данных уже есть клиенты")));
    EXPECT_EQ(rows("CLIENTS"), 2);
}

namespace {

// A little-endian word of a file, overwritten.
void patchWord(const QString& path, qint64 at, int value)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.seek(at);
    const char bytes[2] = {char(value & 0xFF), char((value >> 8) & 0xFF)};
    f.write(bytes, 2);
}

int wordAt(const QString& path, qint64 at)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    f.seek(at);
    const QByteArray b = f.read(2);
    return quint8(b[0]) | quint8(b[1]) << 8;
}

} // namespace

TEST_F(ParadoxImportTest, AHostileHeaderIsRefusedBeforeTheLibraryReadsIt)
{
    writeBook();
    const QString plateg = file("Plateg.Db");
    const std::vector<QVariantList> payments = {{1, QDate(2001, 1, 1), 10.0, "а", 2},
                                                {2, QDate(2001, 1, 2), 20.0, "б", 2}};
    const auto refusedWith = [this](const QString& expected) {
        const ParadoxImportOutcome outcome = ImportParadoxBook(*dm, book);
        EXPECT_EQ(outcome.result, ParadoxImportOutcome::Refused);
        EXPECT_EQ(outcome.error, expected);
        EXPECT_EQ(rows("CLIENTS") + rows("FACTURES") + rows("PLATEG"), 0);
    };
    // The fields follow the 0x78-byte header: a type and a length each. SUMMA, Currency, is the third.
    write("Plateg.Db", Tables::plateg(), payments);
    ASSERT_EQ(wordAt(plateg, 0x78 + 4), 0x05 | 8 << 8);
    patchWord(plateg, 0x78 + 4, 0x06 | 9 << 8); // a Number of nine bytes into the library's eight
    refusedWith(QStringLiteral("Файл Plateg.Db: поле 3 типа 6 объявлено длиной 9 байт."));
    write("Plateg.Db", Tables::plateg(), payments);
    patchWord(plateg, 0x78 + 0, 0x04 | 1 << 8); // a Long of one byte would read its neighbours
    refusedWith(QStringLiteral("Файл Plateg.Db: поле 1 типа 4 объявлено длиной 1 байт."));

    // The first data block stands right after the header; its first word names the next block.
    write("Plateg.Db", Tables::plateg(), payments);
    const int header = wordAt(plateg, 0x02);
    patchWord(plateg, header, 1); // block 1 goes on to itself: the library would walk it for ever
    refusedWith(QStringLiteral("Файл Plateg.Db: цепочка блоков замкнута (блок 1)."));
    write("Plateg.Db", Tables::plateg(), payments);
    patchWord(plateg, 0x0E, 77); // the first block far outside the file
    refusedWith(QStringLiteral("Файл Plateg.Db: цепочка блоков ведёт за пределы файла (блок 77)."));
    // Damaged encryption bytes (found by fuzzing): the library would decrypt the blocks into a chain
    // without end.
    write("Plateg.Db", Tables::plateg(), payments);
    patchWord(plateg, 0x5C, 12);
    refusedWith(QStringLiteral("Файл Plateg.Db: таблица зашифрована."));
    write("Plateg.Db", Tables::plateg(), payments);
    patchWord(plateg, 0x38, 14 << 8); // a version the library reads another way (found by fuzzing)
    refusedWith(QStringLiteral("Файл Plateg.Db: заголовок таблицы повреждён."));
    // A header that disagrees with itself or with the file, as (offset, word) patches.
    const int record = wordAt(plateg, 0x00);
    const struct {
        std::vector<std::pair<int, int>> patches;
        QString said;
    } hostile[] = {
        {{{0x38, 13 << 8}},
         QStringLiteral("заголовок таблицы повреждён")}, // the first version read otherwise
        {{{0x00, record + 1}},
         QStringLiteral("длина записи в заголовке (%1) не равна сумме длин полей (%2)")
             .arg(record + 1)
             .arg(record)},
        {{{0x0C, 9}, {0x0E, 5}}, QStringLiteral("блок 5 лежит за концом файла")},
        {{{header + 4, record + 1}}, QStringLiteral("блок 1 повреждён")}, // its last record between two
    };
    for (const auto& h : hostile) {
        write("Plateg.Db", Tables::plateg(), payments);
        for (const auto& [at, word] : h.patches)
            patchWord(plateg, at, word);
        refusedWith(QStringLiteral("Файл Plateg.Db: %1.").arg(h.said));
    }
    write("Plateg.Db", Tables::plateg(), payments);
    QFile(plateg).resize(88); // nothing but the header's first part
    refusedWith(QStringLiteral("Файл Plateg.Db: размеры в заголовке не сходятся с файлом."));
}

TEST_F(ParadoxImportTest, RecordsAreTheOnesTheBlocksHold)
{
    writeBook();
    const QString plateg = file("Plateg.Db");
    write("Plateg.Db", Tables::plateg(),
          {{1, QDate(2001, 1, 1), 10.0, "а", 2}, {2, QDate(2001, 1, 2), 20.0, "б", 2}});
    patchWord(plateg, 0x06, 40); // the header claims 40 payments; its block holds two
    // The last block's unused end cut off: every record is still inside the file.
    QFile file(plateg);
    const int blockSize = wordAt(plateg, 0x04) >> 8;
    ASSERT_TRUE(file.resize(wordAt(plateg, 0x02) + 1024 * blockSize - 700));
    const ParadoxImportOutcome outcome = ImportParadoxBook(*dm, book);
    ASSERT_EQ(outcome.result, ParadoxImportOutcome::Done) << outcome.error.toStdString();
    EXPECT_EQ(rows("PLATEG"), 2);
    EXPECT_TRUE(ImportSummary(outcome.report)
                    .contains(QStringLiteral("  в заголовке файла записей 40, в его блоках 2: перенесены "
                                             "записи блоков")));
}

TEST_F(ParadoxImportTest, APaymentsTableOfNoKnownColumnIsSkippedAndSaid)
{
    writeBook();
    ASSERT_TRUE(WriteParadoxTable(file("Plateg.Db"), {{QStringLiteral("X"), pxfLong, 4}}, {{1}, {2}}));
    const ParadoxImportOutcome outcome = ImportParadoxBook(*dm, book);
    ASSERT_EQ(outcome.result, ParadoxImportOutcome::Done) << outcome.error.toStdString();
    EXPECT_EQ(rows("PLATEG"), 0);
    EXPECT_TRUE(ImportSummary(outcome.report)
                    .contains(QStringLiteral("В таблице Plateg.Db нет ни одного столбца, который хранит "
                                             "программа: она пропущена.")));
}

TEST_F(ParadoxImportTest, TextOfNoNamedCodePageIsReadInTheOneItsLettersSay)
{
    writeBook();
    // Paradox 3.5 kept DOS text (CP866: Russian letters) and named no code page (the word at 0x6A).
    ASSERT_TRUE(WriteParadoxTable(file("PRODUCTS.DB"), ParadoxFieldsOf(Tables::products()),
                                  {{1, "Щётка для пола", 3.0}, {2, "Грунтовка", 4.0}}, 866));
    patchWord(file("PRODUCTS.DB"), 0x6A, 0);
    ParadoxImportOutcome outcome = ImportParadoxBook(*dm, book);
    ASSERT_EQ(outcome.result, ParadoxImportOutcome::Done) << outcome.error.toStdString();
    EXPECT_EQ(rowOf(*dm, Tables::products(), "1")[1], QStringLiteral("Щётка для пола"));
    EXPECT_TRUE(ImportSummary(outcome.report)
                    .contains(QStringLiteral("  кодировка в файле не указана, текст прочитан в кодировке "
                                             "CP866 (DOS) (по его буквам)")))
        << ImportSummary(outcome.report).join(u'\n').toStdString();
}

TEST_F(ParadoxImportTest, TextACodePageCannotReadIsCountedAsCut)
{
    writeBook();
    write("PRODUCTS.DB", Tables::products(), {{1, "Цвях", 1.0}, {2, "Nail", 2.0}});
    // Windows-1251 bytes read as UTF-8: the Cyrillic name is no text in it, the Latin one is.
    const ParadoxImportOutcome outcome = ImportParadoxBook(*dm, book, {}, 65001);
    ASSERT_EQ(outcome.result, ParadoxImportOutcome::Done) << outcome.error.toStdString();
    EXPECT_EQ(outcome.report.tables[1].table, QStringLiteral("PRODUCTS"));
    EXPECT_EQ(outcome.report.tables[1].valuesCut, 1);
}
