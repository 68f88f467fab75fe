#include "base/settings.h"
#include "base/text_codec.h"
#include "support/test_support.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

// A sheet as a reader DocMar does not use (openpyxl) reads it: its name, frozen cell and filter, every
// row's cached values, the last row's formulas and each data row's outline level.
struct ReadBack {
    QStringList head;
    std::vector<QStringList> rows;
    QString lastFormulas, levels;
};

ReadBack readBack(const QString& file)
{
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral(DOCMAR_SOURCE_DIR "/tests/support/xlsx_rows.py"), file});
    python.waitForFinished(120000);
    QStringList lines = QString::fromUtf8(python.readAllStandardOutput()).split(u'\n');
    EXPECT_GE(lines.size(), 7) << python.readAllStandardError().toStdString();
    ReadBack r;
    if (lines.size() < 7)
        return r;
    lines.removeLast(); // after the last newline
    r.levels = lines.takeLast();
    r.lastFormulas = lines.takeLast();
    r.head = lines.mid(0, 3);
    for (const QString& line : lines.mid(3))
        r.rows.push_back(line.split(u'\t'));
    return r;
}

// A fixed-width register's table lines, a list of fields each, and its totals line.
std::vector<QStringList> textRows(const QString& file, QString* totals)
{
    QFile f(file);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << file.toStdString();
    std::vector<QStringList> rows;
    for (const QString& line : decode1251(f.readAll()).split(QStringLiteral("\r\n"))) {
        if (line.startsWith(u'|'))
            rows.push_back(line.mid(1, line.size() - 2).split(u'|'));
        else if (line.contains(QStringLiteral("ИТОГО")))
            *totals = line;
    }
    rows.erase(rows.begin()); // the heading
    return rows;
}

QStringList sums(const QString& text)
{
    QStringList found;
    for (const QRegularExpressionMatch& m :
         QRegularExpression(QStringLiteral("-?\\d+\\.\\d\\d")).globalMatch(text))
        found << m.captured();
    return found;
}

// A text field against the cells it was made from: a sum to the kopeck, anything else as written, a text
// cut to its column's width.
bool same(const QString& field, const QString& cells)
{
    const QString t = field.trimmed();
    // A register's short date, "05.02.25".
    if (QRegularExpression(QStringLiteral("^\\d\\d\\.\\d\\d\\.\\d\\d$")).match(t).hasMatch())
        return cells.size() == 10 && cells.left(6) + cells.right(2) == t;
    bool number = false;
    const double value = cells.toDouble(&number);
    if (QRegularExpression(QStringLiteral("^-?\\d+\\.\\d\\d$")).match(t).hasMatch())
        return number && QString::number(value, 'f', 2) == t;
    return QString(cells).replace(u'\n', u' ').startsWith(t) && (t.isEmpty() == cells.isEmpty());
}

// Each line of the text against its row of the sheet, field by field ("1+2": the text field made of two
// columns), and the totals line against the sheet's totals row; the sheet as read.
ReadBack compare(const QString& text, const QString& sheet, const QStringList& fields, const char* kind)
{
    QString totals;
    const std::vector<QStringList> lines = textRows(text, &totals);
    ReadBack read = readBack(sheet);
    const std::size_t extra = totals.isEmpty() ? 2 : 3; // the title, header and totals rows
    EXPECT_EQ(read.rows.size(), lines.size() + extra) << kind;
    if (read.rows.size() != lines.size() + extra)
        return read;
    // The header frozen, its filter over every row but the totals.
    EXPECT_EQ(read.head[1], QStringLiteral("A3"));
    EXPECT_TRUE(read.head[2].startsWith(QStringLiteral("A2:")) &&
                read.head[2].endsWith(QString::number(lines.size() + 2)))
        << read.head[2].toStdString();
    for (std::size_t r = 0; r < lines.size(); ++r) {
        const QStringList& row = read.rows[r + 2];
        for (int f = 0; f < fields.size(); ++f) {
            QString cells;
            for (const QString& column : fields[f].split(u'+'))
                cells += row.value(column.toInt());
            EXPECT_TRUE(same(lines[r][f], cells))
                << kind << " line " << r << ": " << lines[r][f].toStdString() << " / " << cells.toStdString();
        }
    }
    // The totals: the text's figures, kept by SUBTOTAL formulas over the rows.
    if (!totals.isEmpty()) {
        QStringList kept;
        for (const QString& cell : read.rows.back().mid(1))
            if (!cell.isEmpty())
                kept << QString::number(cell.toDouble(), 'f', 2);
        EXPECT_EQ(kept, sums(totals)) << kind;
    }
    return read;
}

TEST(Spreadsheets, EveryRegisterReadsBackAsItsTextSays)
{
    TestHome home;
    ASSERT_EQ(runDocmar({"--home", home.path(), "demo", "--clients", "12", "--invoices", "150"}).exitCode, 0);
    for (const QStringList& pay : {QStringList{"--invoice", "5", "--bank-number", "77"},
                                   QStringList{"--client", "3", "--sum", "1234567.89", "--purpose", "Аванс"}})
        ASSERT_EQ(runDocmar(QStringList{"--home", home.path(), "pay", "--date", "01.03.2025"} + pay).exitCode,
                  0);
    // Each text field and the columns it stands for ("1+2": the number and its addition).
    const std::pair<const char*, QStringList> kinds[] = {{"invoices", {"0", "1+2", "3", "4", "5", "6", "7"}},
                                                         {"receipts", {"0", "1+2", "3", "4", "5", "6", "7"}},
                                                         {"expense", {"0", "1", "2", "3", "4", "5", "6"}},
                                                         {"tax", {"0", "1", "2", "3", "4", "5", "6"}},
                                                         {"acts", {"0", "1", "2", "3", "4", "5", "6", "7"}},
                                                         {"payments", {"0", "1", "2", "3", "4", "5", "6"}}};
    for (const auto& [kind, fields] : kinds) {
        const QString text = home.file(QLatin1String(kind) + QStringLiteral(".txt"));
        const QString sheet = home.file(QLatin1String(kind) + QStringLiteral(".xlsx"));
        const QStringList args = {"--home", home.path(),  "register", kind,
                                  "--from", "01.01.2025", "--to",     "31.12.2026"};
        ASSERT_EQ(runDocmar(args + QStringList{"-o", text}).exitCode, 0) << kind;
        ASSERT_EQ(runDocmar(args + QStringList{"-o", sheet}).exitCode, 0) << kind;
        const ReadBack read = compare(text, sheet, fields, kind);
        EXPECT_TRUE(read.lastFormulas.contains(QStringLiteral("=SUBTOTAL(9,"))) << kind;
        // An invoice's positions fold under it; other documents stand alone.
        EXPECT_EQ(read.levels.contains(u'1'),
                  qstrcmp(kind, "invoices") == 0 || qstrcmp(kind, "receipts") == 0)
            << kind;
    }
}

// The debtors and the client list read back as their texts say; the goods list holds every product.
TEST(Spreadsheets, TheListsReadBackAsTheirTextsSay)
{
    TestHome home;
    ASSERT_EQ(runDocmar({"--home", home.path(), "demo", "--clients", "12", "--invoices", "150"}).exitCode, 0);
    ASSERT_EQ(runDocmar({"--home", home.path(), "pay", "--invoice", "5"}).exitCode, 0);
    const struct {
        const char* name;
        QStringList command, fields;
    } lists[] = {{"debtors", {"debtors", "--date", "31.12.2026"}, {"0", "1", "2", "3", "4"}},
                 {"clients", {"export-clients", "--fields", "FIRMNAME,OKPOCODE,DOGDATA"}, {"0", "1", "2"}}};
    for (const auto& list : lists) {
        const QString text = home.file(QLatin1String(list.name) + QStringLiteral(".txt"));
        const QString sheet = home.file(QLatin1String(list.name) + QStringLiteral(".xlsx"));
        const QStringList args = QStringList{"--home", home.path()} + list.command;
        ASSERT_EQ(runDocmar(args + QStringList{"-o", text}).exitCode, 0) << list.name;
        ASSERT_EQ(runDocmar(args + QStringList{"-o", sheet}).exitCode, 0) << list.name;
        compare(text, sheet, list.fields, list.name);
    }
    const QString goods = home.file(QStringLiteral("goods.xlsx"));
    ASSERT_EQ(runDocmar({"--home", home.path(), "goods", "-o", goods}).exitCode, 0);
    const ReadBack read = readBack(goods);
    ASSERT_GE(read.rows.size(), 3u);
    EXPECT_EQ(read.rows[1], QStringList({"Товар", "Цена"}));

    // Over the settings, or onto a disk that fills: the message, the exit, and no file (or change) left.
    const QByteArray settings = fileBytes(settingsFilePath(home.path()));
    const ProcessResult over =
        runDocmar({"--home", home.path(), "goods", "-o", settingsFilePath(home.path())});
    EXPECT_EQ(over.exitCode, 1);
    EXPECT_EQ(fileBytes(settingsFilePath(home.path())), settings);
    const QString full = home.file(QStringLiteral("full.xlsx"));
    const ProcessResult filled = runDocmar({"--home", home.path(), "register", "invoices", "--from",
                                            "01.01.2025", "--to", "31.12.2026", "-o", full},
                                           3000);
    EXPECT_EQ(filled.exitCode, 1);
    EXPECT_FALSE(filled.err.isEmpty());
    EXPECT_FALSE(QFile::exists(full));
}

} // namespace
