#include "payments/payment_import.h"

#include "base/requisites.h"
#include "db/data_module.h"
#include "db/stores.h"
#include "db/tables.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>

namespace {

std::vector<int> numbersAfter(const QRegularExpression& pattern, const QString& purpose)
{
    std::vector<int> numbers;
    for (const QRegularExpressionMatch& m : pattern.globalMatch(purpose)) {
        bool ok = false;
        const int n = m.captured(1).toInt(&ok);
        if (ok && n > 0 && std::find(numbers.begin(), numbers.end(), n) == numbers.end())
            numbers.push_back(n);
    }
    return numbers;
}

// "1 поступление", "3 поступления", "25 поступлений": the one rule of Russian and Ukrainian.
QString counted(int n, const char* one, const char* few, const char* many)
{
    const int tens = n % 100, units = n % 10;
    const char* form = tens >= 11 && tens <= 14   ? many
                       : units == 1               ? one
                       : units >= 2 && units <= 4 ? few
                                                  : many;
    return QString::number(n) + u' ' + QCoreApplication::translate("PaymentImport", form);
}

} // namespace

PurposeNumbers NumbersInPurpose(const QString& purpose)
{
    // A word that names an invoice, then at most a number sign, then the number (not a date's digits).
    static const QRegularExpression invoice(
        QStringLiteral(
            "(?<!\\w)(?:рахун\\w*(?:[- ]фактур\\w*)?|рах\\.?|р/ф|с/ф|сч\\.?|сч[её]т\\w*(?:[- ]фактур\\w*)?|"
            "фактур\\w*)\\s*(?:№|N|#)?\\s*(\\d{1,9})(?!\\d|[.,/]\\d)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    static const QRegularExpression act(
        QStringLiteral("(?<!\\w)акт\\w*\\s*(?:№|N|#)?\\s*(\\d{1,9})(?!\\d|[.,/]\\d)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    return {numbersAfter(invoice, purpose), numbersAfter(act, purpose)};
}

int StatementImport::count(bool (*which)(const ImportedLine&)) const
{
    return int(std::count_if(incoming.begin(), incoming.end(), which));
}

QString StatementImport::summary() const
{
    const int fresh = count([](const ImportedLine& l) { return !l.stored; });
    QString text = QCoreApplication::translate("PaymentImport", "Выписка: %1, %2, %3 без счета")
                       .arg(counted(int(incoming.size()), QT_TRANSLATE_NOOP("PaymentImport", "поступление"),
                                    QT_TRANSLATE_NOOP("PaymentImport", "поступления"),
                                    QT_TRANSLATE_NOOP("PaymentImport", "поступлений")),
                            counted(count([](const ImportedLine& l) { return l.matched(); }),
                                    QT_TRANSLATE_NOOP("PaymentImport", "сопоставлено"),
                                    QT_TRANSLATE_NOOP("PaymentImport", "сопоставлены"),
                                    QT_TRANSLATE_NOOP("PaymentImport", "сопоставлено")))
                       .arg(count([](const ImportedLine& l) { return !l.matched(); }));
    const int unknown = count([](const ImportedLine& l) { return l.clientId == 0; });
    if (unknown > 0)
        text += QCoreApplication::translate("PaymentImport", " (плательщиков нет в базе: %1)").arg(unknown);
    text += u'.';
    if (otherAccounts + outgoing + otherCurrencies > 0)
        text +=
            u' ' + QCoreApplication::translate(
                       "PaymentImport", "Не берутся: по другим счетам %1, списания %2, в другой валюте %3.")
                       .arg(otherAccounts)
                       .arg(outgoing)
                       .arg(otherCurrencies);
    if (fresh < int(incoming.size()))
        text += u' ' + (fresh == 0 ? QCoreApplication::translate(
                                         "PaymentImport", "Эта выписка уже загружена: новых поступлений нет.")
                                   : QCoreApplication::translate("PaymentImport", "Уже в базе: %1.")
                                         .arg(int(incoming.size()) - fresh));
    return text;
}

std::optional<StatementImport> PlanStatementImport(const TDM& dm, const QString& fileName,
                                                   const OwnerRecord& owner, QString* error)
{
    const QString own = CompactIban(owner.CHETNUMBER);
    if (own.isEmpty() || own.count(u'0') == own.size()) {
        *error = QCoreApplication::translate(
            "PaymentImport", "В данных владельца нет расчётного счёта: поступления берутся только на "
                             "счёт фирмы. Впишите его на вкладке «Владелец».");
        return std::nullopt;
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QCoreApplication::translate("PaymentImport", "Не удалось прочитать файл %1: %2.")
                     .arg(fileName, file.errorString());
        return std::nullopt;
    }
    const QByteArray bytes = file.read(kLargestStatement + 1);
    const std::optional<BankStatement> statement =
        ReadStatement(bytes, QFileInfo(fileName).fileName(), error);
    if (!statement)
        return std::nullopt;

    StatementImport plan;
    plan.file = QFileInfo(fileName).fileName();
    // A payer is found by its code or account, looked up rather than searched: a statement may have
    // thousands of lines and a book thousands of clients.
    QHash<QString, int> byCode, byAccount;
    for (const ClientKeys& c : ReadClientKeys(dm)) {
        for (const QString& code : {c.edrpou, c.taxCode})
            if (!code.isEmpty())
                byCode.insert(code, c.id);
        for (const QString& account : {c.account, c.account2})
            if (const QString compact = CompactIban(account); !compact.isEmpty())
                byAccount.insert(compact, c.id);
    }
    const auto clientOf = [&](const StatementLine& l) {
        if (const int id = byCode.value(l.otherCode); !l.otherCode.isEmpty() && id > 0)
            return id;
        const QString account = CompactIban(l.otherAccount);
        return account.isEmpty() ? 0 : byAccount.value(account);
    };
    QStringList keys;
    for (const StatementLine& l : statement->lines) {
        if (!l.incoming) {
            ++plan.outgoing;
            continue;
        }
        if (!l.account.isEmpty() && CompactIban(l.account).compare(own, Qt::CaseInsensitive) != 0) {
            ++plan.otherAccounts;
            continue;
        }
        if (l.currency != QLatin1String("UAH")) {
            ++plan.otherCurrencies;
            continue;
        }
        // What a payment keeps of the line is kept whole, or the statement is refused.
        const std::pair<const char*, const QString*> kept[] = {{"INFO", &l.purpose},
                                                               {"BANK_NUMBER", &l.number},
                                                               {"PAYER_NAME", &l.otherName},
                                                               {"PAYER_CODE", &l.otherCode}};
        for (const auto& [column, text] : kept)
            if (const int size = Tables::plateg().column(QLatin1String(column))->size; text->size() > size) {
                *error =
                    QCoreApplication::translate(
                        "PaymentImport", "Файл %1, строка %2: «%3…» длиннее %4 знаков, которые хранит база.")
                        .arg(plan.file)
                        .arg(l.line)
                        .arg(text->left(40))
                        .arg(size);
                return std::nullopt;
            }
        if (CompactIban(l.otherAccount).size() > 34) {
            *error = QCoreApplication::translate("PaymentImport", "Файл %1, строка %2: «%3» — не счёт.")
                         .arg(plan.file)
                         .arg(l.line)
                         .arg(l.otherAccount.left(60));
            return std::nullopt;
        }
        ImportedLine in;
        in.line = l;
        in.clientId = clientOf(l);
        if (in.clientId > 0) {
            const PurposeNumbers named = NumbersInPurpose(l.purpose);
            for (const int n : named.invoices)
                if (const std::optional<InvoiceRow> invoice = dm.ReadDocument(n);
                    invoice && invoice->ID_NUMBER == in.clientId && in.invoice == 0)
                    in.invoice = n;
            if (in.invoice == 0)
                for (const int n : named.acts)
                    if (const std::optional<StoredAct> act = ReadAct(dm, n);
                        act && act->clientId == in.clientId && in.act == 0)
                        in.act = n;
        }
        keys << l.key;
        plan.incoming.push_back(in);
    }
    const QSet<QString> stored = StoredLineKeys(dm, keys);
    for (ImportedLine& in : plan.incoming)
        in.stored = stored.contains(in.line.key);
    return plan;
}

std::vector<OpenDocument> UnpaidDocuments(const TDM& dm, int clientId)
{
    std::vector<OpenDocument> open;
    for (const ChargedDocument& d : ReadChargedDocuments(dm, clientId, QDate(1, 1, 1), QDate(9999, 12, 31)))
        if (const qint64 rest = d.kopecks - PaidKopecks(dm, d.number, d.act); rest > 0)
            open.push_back({d.number, d.act, d.date, Money::fromKopecks(rest)});
    return open;
}

PaymentRow PaymentOfLine(const ImportedLine& in, const QString& source)
{
    PaymentRow p;
    p.PLAT_DATA = in.line.date;
    p.SUMMA = in.line.amount.toDouble();
    p.INFO = in.line.purpose;
    p.ID_NUMBER = in.clientId;
    p.FACT_NUMBER = in.invoice;
    p.ACT_NUMBER = in.act;
    p.BANK_NUMBER = in.line.number;
    p.BANK_DATA = in.line.date;
    p.PAYER_NAME = in.line.otherName;
    p.PAYER_CODE = in.line.otherCode;
    p.PAYER_IBAN = CompactIban(in.line.otherAccount);
    p.SOURCE = source;
    p.LINE_KEY = in.line.key;
    return p;
}

namespace {

// What tells a payer apart: its code, else its account.
QString payerKey(const StatementLine& l)
{
    return l.otherCode.isEmpty() ? CompactIban(l.otherAccount) : l.otherCode;
}

// The payers the book does not know as the clients they become, and the number of each payer's client by
// its code (else its account), from 1.
struct NewPayers {
    std::vector<ClientRow> clients;
    QHash<QString, int> byKey;
};

NewPayers newPayers(const StatementImport& plan)
{
    NewPayers payers;
    for (const ImportedLine& in : plan.incoming) {
        const StatementLine& l = in.line;
        const QString key = payerKey(l);
        // A name the client table cannot hold whole stays a payer to be added by hand.
        if (in.clientId > 0 || in.stored || key.isEmpty() || payers.byKey.contains(key) ||
            l.otherName.trimmed().isEmpty() ||
            l.otherName.size() > Tables::clients().column(QStringLiteral("FIRMNAME"))->size)
            continue;
        ClientRow& client = payers.clients.emplace_back();
        client.FIRMNAME = l.otherName.trimmed();
        (l.otherCode.size() == 8 ? client.OKPOCODE : client.TAXCODE) = l.otherCode;
        client.CHETNUMBER = CompactIban(l.otherAccount);
        payers.byKey.insert(key, int(payers.clients.size()));
    }
    return payers;
}

} // namespace

std::vector<ClientRow> UnknownPayers(const StatementImport& plan)
{
    return newPayers(plan).clients;
}

int StoreStatementImport(TDM& dm, const StatementImport& plan, bool matchedOnly, bool addPayers)
{
    const NewPayers payers = addPayers ? newPayers(plan) : NewPayers{};
    std::vector<PaymentRow> payments;
    for (const ImportedLine& in : plan.incoming) {
        if (in.stored || (matchedOnly && !in.matched()))
            continue;
        PaymentRow p = PaymentOfLine(in, plan.file);
        // A new payer's line goes with its client, stored in the same turn.
        if (p.ID_NUMBER <= 0)
            p.ID_NUMBER = -payers.byKey.value(payerKey(in.line));
        if (p.ID_NUMBER != 0)
            payments.push_back(p);
    }
    const std::vector<int> numbers = StorePayments(dm, payments, payers.clients);
    return int(std::count_if(numbers.begin(), numbers.end(), [](int n) { return n > 0; }));
}
