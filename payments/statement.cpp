#include "payments/statement.h"

#include "base/number_format.h"
#include "base/requisites.h"
#include "base/text_codec.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QHash>
#include <QStringDecoder>

#include <array>

namespace {

constexpr qsizetype kLongestField = 4096;

QString problem(const QString& file, int line, const QString& what)
{
    return line > 0 ? QCoreApplication::translate("Statement", "Файл %1, строка %2: %3")
                          .arg(file)
                          .arg(line)
                          .arg(what)
                    : QCoreApplication::translate("Statement", "Файл %1: %2").arg(file, what);
}

// DOS Cyrillic (code page 866), the upper half; the lower half is ASCII.
QString decode866(const QByteArray& bytes)
{
    static const std::array<char16_t, 128> upper = [] {
        std::array<char16_t, 128> t{};
        for (int i = 0; i < 48; ++i)
            t[std::size_t(i)] = char16_t(0x0410 + i); // А..Я, а..п
        const char16_t box[48] = {u'░', u'▒', u'▓', u'│', u'┤', u'╡', u'╢', u'╖', u'╕', u'╣', u'║', u'╗',
                                  u'╝', u'╜', u'╛', u'┐', u'└', u'┴', u'┬', u'├', u'─', u'┼', u'╞', u'╟',
                                  u'╚', u'╔', u'╩', u'╦', u'╠', u'═', u'╬', u'╧', u'╨', u'╤', u'╥', u'╙',
                                  u'╘', u'╒', u'╓', u'╫', u'╪', u'┘', u'┌', u'█', u'▄', u'▌', u'▐', u'▀'};
        for (int i = 0; i < 48; ++i)
            t[std::size_t(48 + i)] = box[i];
        for (int i = 0; i < 16; ++i)
            t[std::size_t(96 + i)] = char16_t(0x0440 + i); // р..я
        const char16_t tail[16] = {u'Ё', u'ё', u'Є', u'є', u'Ї', u'ї', u'Ў', u'ў',
                                   u'°', u'∙', u'·', u'√', u'№', u'¤', u'■', u'\u00A0'};
        for (int i = 0; i < 16; ++i)
            t[std::size_t(112 + i)] = tail[i];
        return t;
    }();
    QString text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        text.append(b < 0x80 ? QChar(b) : QChar(upper[b - 0x80]));
    }
    return text;
}

// UTF-8 when the bytes are that whole, else Windows-1251: what a bank's CSV comes in.
QString decodeGuessing(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? decode1251(bytes) : text;
}

QStringList splitLines(const QString& text)
{
    QString t = text;
    if (t.startsWith(QChar(0xFEFF)))
        t.remove(0, 1);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(u'\r', u'\n');
    return t.split(u'\n');
}

// A sum as a bank writes it: digits, blanks between the thousands, "." or "," before at most two
// decimals, a sign.
std::optional<Money> amountOf(QString text)
{
    text.remove(QChar(0x00A0));
    text = text.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    double value = 0;
    if (ParseTypedNumber(text, 2, true, &value) != TypedNumber::Ok)
        return std::nullopt;
    const Money m = Money::fromDouble(value);
    return m.isValid() ? std::optional(m) : std::nullopt;
}

QDate dateOf(const QString& text)
{
    const QString t = text.trimmed().section(u' ', 0, 0);
    for (const char* format : {"dd.MM.yyyy", "yyyy-MM-dd", "dd/MM/yyyy", "dd.MM.yy"}) {
        QDate d = QDate::fromString(t, QLatin1String(format));
        if (d.isValid() && qstrcmp(format, "dd.MM.yy") == 0)
            d = d.addYears(100); // "05.03.26" is 2026
        if (d.isValid())
            return d;
    }
    return {};
}

// The keys: the line's own figures, and how many lines before it had them all (two equal payments of one
// day stay two).
void giveKeys(BankStatement& s)
{
    QHash<QByteArray, int> seen;
    for (StatementLine& l : s.lines) {
        const QString fields = QStringList{s.format,
                                           CompactIban(l.account),
                                           l.number,
                                           l.date.toString(Qt::ISODate),
                                           l.amount.text(u'.'),
                                           l.incoming ? QStringLiteral("+") : QStringLiteral("-"),
                                           l.otherCode,
                                           CompactIban(l.otherAccount),
                                           l.purpose}
                                   .join(u'\x1f');
        const QByteArray hash = QCryptographicHash::hash(fields.toUtf8(), QCryptographicHash::Sha1);
        l.key = QString::fromLatin1(hash.toHex()) + u'.' + QString::number(seen[hash]++);
    }
}

// --- 1CClientBankExchange ---------------------------------------------------------------------------------

std::optional<BankStatement> read1C(const QByteArray& bytes, const QString& file, QString* error)
{
    // The encoding is named on a line of its own, in the encoding it names.
    QString text;
    bool named = false;
    const QByteArray head = bytes.left(4096);
    const std::pair<const char*, QString (*)(const QByteArray&)> encodings[] = {
        {"Windows", decode1251},
        {"DOS", decode866},
        {"UTF-8", [](const QByteArray& b) { return QString::fromUtf8(b); }},
        {"UTF8", [](const QByteArray& b) { return QString::fromUtf8(b); }},
    };
    for (const auto& [name, decode] : encodings)
        for (const QString& line : splitLines(decode(head)))
            if (line.trimmed().compare(QStringLiteral("Кодировка=") + QLatin1String(name),
                                       Qt::CaseInsensitive) == 0 &&
                !named) {
                text = decode(bytes);
                named = true;
            }
    if (!named) {
        *error = problem(
            file, 0,
            QCoreApplication::translate("Statement", "нет строки «Кодировка=» (Windows, DOS или UTF-8)."));
        return std::nullopt;
    }
    BankStatement s;
    s.format = QStringLiteral("1CClientBankExchange");
    const QStringList lines = splitLines(text);
    QStringList accounts; // the statement's own
    QHash<QString, QString> doc;
    int docLine = 0;
    bool ended = false;
    const auto finish = [&]() -> bool {
        const auto field = [&doc](const char* name) { return doc.value(QString::fromUtf8(name)).trimmed(); };
        StatementLine l;
        l.line = docLine;
        l.number = field("Номер");
        l.date = dateOf(field("Дата"));
        if (!l.date.isValid()) {
            *error =
                problem(file, docLine,
                        QCoreApplication::translate("Statement", "«Дата=%1» — не дата.").arg(field("Дата")));
            return false;
        }
        const std::optional<Money> amount = amountOf(field("Сумма"));
        if (!amount || *amount < Money()) {
            *error = problem(
                file, docLine,
                QCoreApplication::translate("Statement", "«Сумма=%1» — не сумма.").arg(field("Сумма")));
            return false;
        }
        l.amount = *amount;
        l.currency = QStringLiteral("UAH");
        const QString payerAccount =
            field("ПлательщикСчет").isEmpty() ? field("ПлательщикРасчСчет") : field("ПлательщикСчет");
        const QString receiverAccount =
            field("ПолучательСчет").isEmpty() ? field("ПолучательРасчСчет") : field("ПолучательСчет");
        const auto ours = [&accounts](const QString& account) {
            return !account.isEmpty() && accounts.contains(CompactIban(account), Qt::CaseInsensitive);
        };
        l.incoming = ours(receiverAccount)             ? true
                     : ours(payerAccount)              ? false
                     : !field("ДатаСписано").isEmpty() ? false
                                                       : true;
        const QString side = l.incoming ? QStringLiteral("Плательщик") : QStringLiteral("Получатель");
        l.account = l.incoming ? receiverAccount : payerAccount;
        l.otherAccount = l.incoming ? payerAccount : receiverAccount;
        l.otherName = doc.value(side + u'1').trimmed().isEmpty() ? doc.value(side).trimmed()
                                                                 : doc.value(side + u'1').trimmed();
        l.otherCode = doc.value(side + QStringLiteral("ИНН")).trimmed();
        if (l.otherCode.isEmpty())
            l.otherCode = doc.value(side + QStringLiteral("ОКПО")).trimmed();
        l.purpose = field("НазначениеПлатежа");
        s.lines.push_back(l);
        return true;
    };
    bool inDocument = false;
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        const int lineNo = i + 1;
        if (line.isEmpty())
            continue;
        if (line.size() > kLongestField) {
            *error = problem(
                file, lineNo,
                QCoreApplication::translate("Statement", "строка длиннее %1 знаков.").arg(kLongestField));
            return std::nullopt;
        }
        if (i == 0) {
            if (line != QLatin1String("1CClientBankExchange")) {
                *error = problem(
                    file, 1, QCoreApplication::translate("Statement", "не выписка 1CClientBankExchange."));
                return std::nullopt;
            }
            continue;
        }
        if (line.startsWith(QStringLiteral("СекцияДокумент"))) {
            if (inDocument) {
                *error = problem(
                    file, lineNo,
                    QCoreApplication::translate("Statement", "документ не закрыт строкой «КонецДокумента»."));
                return std::nullopt;
            }
            inDocument = true;
            doc.clear();
            docLine = lineNo;
            continue;
        }
        if (line == QStringLiteral("КонецДокумента")) {
            if (!inDocument) {
                *error = problem(
                    file, lineNo,
                    QCoreApplication::translate("Statement", "«КонецДокумента» без начала документа."));
                return std::nullopt;
            }
            if (!finish())
                return std::nullopt;
            inDocument = false;
            continue;
        }
        if (line == QStringLiteral("КонецФайла")) {
            ended = true;
            break;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (eq <= 0)
            continue; // a section's own lines ("СекцияРасчСчет", "КонецРасчСчет")
        const QString name = line.left(eq).trimmed();
        const QString value = line.mid(eq + 1);
        if (inDocument)
            doc.insert(name, value);
        else if (name == QStringLiteral("РасчСчет"))
            accounts << CompactIban(value.trimmed());
    }
    if (inDocument || !ended) {
        *error = problem(file, int(lines.size()),
                         QCoreApplication::translate("Statement", "файл оборван: нет строки «КонецФайла»."));
        return std::nullopt;
    }
    return s;
}

// --- CSV --------------------------------------------------------------------------------------------------

// One record of a CSV text from pos, fields split by sep, quotes doubled inside quoted fields; a record may
// run over several lines inside quotes. False at a quote left open.
bool csvRecord(const QString& text, qsizetype* pos, QChar sep, QStringList* fields, int* lines)
{
    fields->clear();
    QString field;
    bool quoted = false, wasQuoted = false;
    qsizetype i = *pos;
    *lines = 1;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < text.size() && text[i + 1] == u'"') {
                    field += u'"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == u'\n')
                    ++*lines;
                field += c;
            }
            continue;
        }
        if (c == u'"' && field.trimmed().isEmpty() && !wasQuoted) {
            quoted = wasQuoted = true;
            field.clear();
        } else if (c == sep) {
            *fields << field;
            field.clear();
            wasQuoted = false;
        } else if (c == u'\n') {
            break;
        } else if (c != u'\r') {
            field += c;
        }
    }
    *fields << field;
    *pos = i + 1;
    return !quoted;
}

QString headerKey(QString name)
{
    name = name.trimmed().toLower();
    name.remove(u'"');
    name.replace(u'ё', u'е');
    name.replace(QChar(0x2019), u'\'');
    return name.simplified();
}

enum Column {
    OwnAccount,
    Currency,
    Number,
    Date,
    OtherAccount,
    OtherCode,
    OtherName,
    Amount,
    Debit,
    Credit,
    Purpose
};

// The names a bank gives each column, in Ukrainian and Russian.
const std::vector<std::pair<Column, QStringList>>& columnNames()
{
    static const std::vector<std::pair<Column, QStringList>> names = {
        {OwnAccount,
         {"рахунок", "рахунок клієнта", "номер рахунку", "счет", "счет клиента", "iban", "рахунок (iban)"}},
        {Currency, {"валюта", "код валюти", "валюта рахунку"}},
        {Number, {"номер документа", "номер документу", "№ документа", "№ док.", "номер док.", "номер"}},
        {Date,
         {"дата операції", "дата операции", "дата проведення", "дата проводки", "дата документа", "дата"}},
        {OtherAccount,
         {"рахунок кореспондента", "рахунок контрагента", "счет корреспондента", "счет контрагента",
          "iban кореспондента", "iban контрагента"}},
        {OtherCode,
         {"єдрпоу кореспондента", "єдрпоу контрагента", "код кореспондента", "код контрагента",
          "егрпоу корреспондента", "окпо корреспондента", "окпо контрагента", "егрпоу контрагента",
          "іпн/єдрпоу кореспондента"}},
        {OtherName,
         {"кореспондент", "контрагент", "корреспондент", "назва кореспондента", "найменування кореспондента",
          "назва контрагента", "наименование корреспондента"}},
        {Amount, {"сума", "сумма", "сума операції", "сумма операции"}},
        {Debit, {"дебет", "сума дебет", "видаток", "сумма дебет", "расход"}},
        {Credit, {"кредит", "сума кредит", "надходження", "сумма кредит", "приход"}},
        {Purpose, {"призначення платежу", "назначение платежа", "призначення", "назначение"}},
    };
    return names;
}

std::optional<BankStatement> readCsv(const QString& text, const QString& file, QString* error)
{
    const qsizetype firstEnd = text.indexOf(u'\n');
    const QString firstLine = text.left(firstEnd < 0 ? text.size() : firstEnd);
    const QChar sep = firstLine.count(u';') >= firstLine.count(u',') ? u';' : u',';
    qsizetype pos = 0;
    QStringList fields;
    int spanned = 0;
    csvRecord(text, &pos, sep, &fields, &spanned);
    std::array<int, Purpose + 1> at;
    at.fill(-1);
    for (int f = 0; f < fields.size(); ++f)
        for (const auto& [column, names] : columnNames())
            if (at[column] < 0 && names.contains(headerKey(fields[f])))
                at[column] = f;
    const bool hasAmount = at[Amount] >= 0 || (at[Debit] >= 0 && at[Credit] >= 0);
    if (at[Date] < 0 || !hasAmount || at[Purpose] < 0) {
        *error = problem(file, 0,
                         QCoreApplication::translate(
                             "Statement", "не выписка банка: первая строка — «%1»; нужны столбцы даты, "
                                          "суммы (или дебета и кредита) и назначения платежа.")
                             .arg(firstLine.left(200).trimmed()));
        return std::nullopt;
    }
    BankStatement s;
    s.format = QStringLiteral("CSV");
    int lineNo = 1 + spanned - 1;
    while (pos < text.size()) {
        const int start = lineNo + 1;
        if (!csvRecord(text, &pos, sep, &fields, &spanned)) {
            *error = problem(file, start,
                             QCoreApplication::translate("Statement", "кавычка не закрыта до конца файла."));
            return std::nullopt;
        }
        lineNo += spanned;
        if (fields.size() == 1 && fields[0].trimmed().isEmpty())
            continue;
        const auto field = [&fields, &at](Column c) {
            return at[c] >= 0 ? fields.value(at[c]).trimmed() : QString();
        };
        for (const QString& f : fields)
            if (f.size() > kLongestField) {
                *error = problem(
                    file, start,
                    QCoreApplication::translate("Statement", "поле длиннее %1 знаков.").arg(kLongestField));
                return std::nullopt;
            }
        // A totals line under the table has no date: it is no payment.
        if (field(Date).isEmpty() && field(Purpose).isEmpty())
            continue;
        StatementLine l;
        l.line = start;
        l.date = dateOf(field(Date));
        if (!l.date.isValid()) {
            *error = problem(file, start,
                             QCoreApplication::translate("Statement", "«%1» — не дата.").arg(field(Date)));
            return std::nullopt;
        }
        if (at[Amount] >= 0) {
            const std::optional<Money> amount = amountOf(field(Amount));
            if (!amount) {
                *error =
                    problem(file, start,
                            QCoreApplication::translate("Statement", "«%1» — не сумма.").arg(field(Amount)));
                return std::nullopt;
            }
            l.incoming = *amount >= Money();
            l.amount = l.incoming ? *amount : Money::fromKopecks(-amount->kopecks());
        } else {
            const std::optional<Money> debit =
                field(Debit).isEmpty() ? std::optional(Money()) : amountOf(field(Debit));
            const std::optional<Money> credit =
                field(Credit).isEmpty() ? std::optional(Money()) : amountOf(field(Credit));
            if (!debit || !credit) {
                *error = problem(file, start,
                                 QCoreApplication::translate("Statement", "«%1» — не сумма.")
                                     .arg(!debit ? field(Debit) : field(Credit)));
                return std::nullopt;
            }
            l.incoming = *credit > Money();
            l.amount = l.incoming ? *credit : *debit;
        }
        l.number = field(Number);
        l.currency = field(Currency).isEmpty() ? QStringLiteral("UAH") : field(Currency).toUpper();
        if (l.currency == QLatin1String("980") || l.currency == QStringLiteral("ГРН"))
            l.currency = QStringLiteral("UAH");
        l.account = field(OwnAccount);
        l.otherAccount = field(OtherAccount);
        l.otherCode = field(OtherCode);
        l.otherName = field(OtherName);
        l.purpose = field(Purpose);
        s.lines.push_back(l);
    }
    return s;
}

} // namespace

std::optional<BankStatement> ReadStatement(const QByteArray& bytes, const QString& fileName, QString* error)
{
    QString none;
    QString& why = error ? *error : none;
    if (bytes.size() > kLargestStatement) {
        why = problem(fileName, 0, QCoreApplication::translate("Statement", "файл больше 256 МБ."));
        return std::nullopt;
    }
    if (bytes.trimmed().isEmpty()) {
        why = problem(fileName, 0, QCoreApplication::translate("Statement", "файл пуст."));
        return std::nullopt;
    }
    if (bytes.contains('\0')) {
        why = problem(fileName, 0, QCoreApplication::translate("Statement", "двоичный файл, не выписка."));
        return std::nullopt;
    }
    QByteArray start = bytes.left(64);
    if (start.startsWith("\xEF\xBB\xBF"))
        start.remove(0, 3);
    std::optional<BankStatement> s =
        start.startsWith("1CClientBankExchange")
            ? read1C(bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes, fileName, &why)
            : readCsv(decodeGuessing(bytes), fileName, &why);
    if (s)
        giveKeys(*s);
    return s;
}
