#include "print/registers.h"

#include "base/month_names.h"
#include "base/number_format.h"
#include "base/text_codec.h"
#include "base/whole_file.h"
#include "db/db_error.h"
#include "db/data_module.h"
#include "db/register_source.h"
#include "db/tables.h"
#include "print/invoice_sums.h"
#include "report/spreadsheet.h"

#include <QCoreApplication>

#include <QIODevice>
#include <QStringList>

#include <functional>

namespace {

const QByteArray kInvoiceRuler =
    "+--------+------------+-------------------------+--------------------+-------+------+--------+";
const QByteArray kInvoiceHeading = encode1251(QStringLiteral(
    "|  Дата  |    № с/ф   |   Плательщик            | Товар              | Сумма | НДС  |  ИТОГО |"));
const QByteArray kWaybillRuler =
    "+--------+--------+-------------------------+------------------------+-------+------+--------+";
const QByteArray kWaybillHeading = encode1251(QStringLiteral(
    "|  Дата  | № накл |   Плательщик            | Основание платежа      | Сумма | НДС  |  ИТОГО |"));

const QByteArray kActRuler = "+--------+-------+-------------------------+----------------+------------------"
                             "--+-------+------+--------+";
const QByteArray kActHeading =
    encode1251(QStringLiteral("|  Дата  | № акта|   Заказчик              | Период         | Вид работ       "
                              "   | Сумма | НДС  |  ИТОГО |"));

const QByteArray kPaymentRuler =
    "+--------+-------+-------------------------+------------+----------+------------"
    "+------------------------------+";
const QByteArray kPaymentHeading = encode1251(
    QStringLiteral("|  Дата  |   №   |   Клиент                | Документ   | № банк.  |   Сумма    "
                   "| Назначение платежа           |"));

// The register's lines in Windows-1251, built in place and handed on a block at a time: a year's
// register is tens of megabytes.
class RegisterOutput {
public:
    explicit RegisterOutput(std::function<void(const QByteArray&)> drain)
        : m_drain(std::move(drain))
    {
    }
    QByteArray& out() { return m_block; }
    void endLine()
    {
        m_block += "\r\n";
        if (m_block.size() > (1 << 20))
            finish();
    }
    void line(const QByteArray& whole)
    {
        m_block += whole;
        endLine();
    }
    void finish()
    {
        m_drain(m_block);
        m_block.clear();
    }

private:
    std::function<void(const QByteArray&)> m_drain;
    QByteArray m_block;
};

struct DocumentSums {
    Money sum, vat, total;
};

// Two decimals with a point, right-aligned; a longer number pushes the rest of the line to the right.
void number(QByteArray& out, Money value, int width)
{
    char digits[32];
    const int length = value.textChars('.', digits);
    if (length < width)
        out.append(width - length, ' ');
    out.append(digits, length);
}

// "05.02.01".
void shortDate(QByteArray& out, const QDate& date)
{
    const int parts[] = {date.day(), date.month(), date.year() % 100};
    for (int i = 0; i < 3; ++i) {
        if (i > 0)
            out += '.';
        out += char('0' + parts[i] / 10 % 10);
        out += char('0' + parts[i] % 10);
    }
}

void amounts(QByteArray& out, const DocumentSums& s)
{
    number(out, s.sum, 7);
    out += '|';
    number(out, s.vat, 6);
    out += '|';
    number(out, s.total, 8);
    out += '|';
}

// A register reckons sum and VAT; the advertising tax has no column.
DocumentSums sumsOf(const Taxed& t)
{
    return {t.subtotal, t.vat, t.subtotal + t.vat};
}

void add(DocumentSums& to, const DocumentSums& s)
{
    to.sum += s.sum;
    to.vat += s.vat;
    to.total += s.total;
}

void totalsLine(RegisterOutput& output, const DocumentSums& s)
{
    QByteArray& out = output.out();
    out += encode1251(QStringLiteral("     ИТОГО : сумма - "));
    number(out, s.sum, 10);
    out += encode1251(QStringLiteral(", НДС - "));
    number(out, s.vat, 10);
    out += encode1251(QStringLiteral(", сумма с НДС - "));
    number(out, s.total, 10);
    out += '.';
    output.endLine();
}

// Every position that charges something, a return too, so that the lines add up to the document: each
// takes the VAT its running sum adds to the document's, never a kopeck more or less in all.
template <class Take> void forEachPositionLine(const InvoiceRow& d, const InvoiceSums& invoice, Take take)
{
    Money before, vatBefore;
    for (std::size_t i = 0; i < d.positions.size(); ++i) {
        const Money sum = invoice.positions[i];
        const Money vatSoFar = WithTaxes(before + sum, d.FACT_NDS).vat;
        const DocumentSums s{sum, vatSoFar - vatBefore, sum + (vatSoFar - vatBefore)};
        before += sum;
        vatBefore = vatSoFar;
        if (sum != Money())
            take(d.positions[i], s);
    }
}

RegisterPeriod periodOf(const RegisterScope& scope)
{
    return {scope.from, scope.to, scope.clientId};
}

void invoiceRegister(const TDM& dm, bool invoices, const RegisterScope& scope, RegisterOutput& output)
{
    output.line(kInvoiceRuler);
    output.line(kInvoiceHeading);
    DocumentSums grand;
    ForEachRegisterDocument(dm, invoices, periodOf(scope), [&](const InvoiceRow& d) {
        const InvoiceSums invoice = SumInvoice(d);
        const DocumentSums sums = sumsOf(invoice);
        add(grand, sums);
        output.line(kInvoiceRuler);
        QByteArray& out = output.out();
        out += '|';
        shortDate(out, d.FACT_DATA);
        out += '|';
        if (d.FACT_NUMBER > 0) {
            const qsizetype start = out.size();
            out += QByteArray::number(d.FACT_NUMBER).rightJustified(7, ' ');
            append1251(out, QStringView(d.FACT_DOPNO).left(5));
            out.append(12 - (out.size() - start), ' ');
        } else {
            out.append(12, ' ');
        }
        out += '|';
        appendCell1251(out, d.NAME_OWNER, 25);
        out += '|';
        out.append(20, ' ');
        out += '|';
        amounts(out, sums);
        output.endLine();
        forEachPositionLine(d, invoice, [&](const Position& p, const DocumentSums& s) {
            out += "|        |            |                         |";
            appendCell1251(out, p.name, 20);
            out += '|';
            amounts(out, s);
            output.endLine();
        });
    });
    output.line(kInvoiceRuler);
    totalsLine(output, grand);
}

// A waybill's or an act's line up to its own columns: the ruler above it, then the date, the number and
// the client's name ("????" for a client gone).
QByteArray& documentLine(RegisterOutput& output, const QByteArray& ruler, const QDate& date, int number,
                         int numberWidth, const std::optional<QString>& client)
{
    output.line(ruler);
    QByteArray& out = output.out();
    out += '|';
    shortDate(out, date);
    out += '|';
    out += QByteArray::number(number).rightJustified(numberWidth, ' ');
    out += '|';
    appendCell1251(out, client.value_or(QStringLiteral("????")), 25);
    out += '|';
    return out;
}

void waybillRegister(const TDM& dm, bool expense, const RegisterScope& scope, RegisterOutput& output)
{
    output.line(kWaybillRuler);
    output.line(kWaybillHeading);
    DocumentSums grand;
    ForEachRegisterWaybill(dm, expense, periodOf(scope), [&](const RegisterWaybill& w) {
        const DocumentSums sums = sumsOf(SumWaybill(w.documents, expense));
        add(grand, sums);
        QByteArray& out = documentLine(output, kWaybillRuler, w.date, w.number, 8, w.payer);
        appendCell1251(out, w.info, 24);
        out += '|';
        amounts(out, sums);
        output.endLine();
    });
    output.line(kWaybillRuler);
    totalsLine(output, grand);
}

void actRegister(const TDM& dm, const RegisterScope& scope, RegisterOutput& output)
{
    output.line(kActRuler);
    output.line(kActHeading);
    DocumentSums grand;
    ForEachRegisterAct(dm, periodOf(scope), [&](const RegisterAct& a) {
        const DocumentSums sums = sumsOf(SumAct(a.sum, a.vatRate));
        add(grand, sums);
        QByteArray& out = documentLine(output, kActRuler, a.date, a.number, 7, a.customer);
        const QString period = ActPeriodName(a.month);
        appendCell1251(out, period.isEmpty() ? QString() : period + u' ' + QString::number(a.year), 16);
        out += '|';
        // One line of the kind of work: the text a register line can hold.
        appendCell1251(out, QString(a.kindOfWork).replace(u'\n', u' '), 20);
        out += '|';
        amounts(out, sums);
        output.endLine();
    });
    output.line(kActRuler);
    totalsLine(output, grand);
}

void paymentRegister(const TDM& dm, const RegisterScope& scope, RegisterOutput& output)
{
    output.line(kPaymentRuler);
    output.line(kPaymentHeading);
    Money total;
    int count = 0;
    ForEachRegisterPayment(dm, periodOf(scope), [&](const RegisterPayment& p) {
        const Money sum = Money::fromDouble(p.sum);
        total = Money::fromKopecks(total.kopecks() + sum.kopecks());
        ++count;
        // A payment of a payer the book does not know names the payer as the bank did.
        QByteArray& out = documentLine(output, kPaymentRuler, p.date, p.number, 7,
                                       p.client ? p.client : std::optional(p.payer));
        appendCell1251(out,
                       p.invoice > 0 ? QStringLiteral("с/ф %1").arg(p.invoice)
                       : p.act > 0   ? QStringLiteral("акт %1").arg(p.act)
                                     : QString(),
                       12);
        out += '|';
        appendCell1251(out, p.bankNumber, 10);
        out += '|';
        number(out, sum, 12);
        out += '|';
        appendCell1251(out, QString(p.purpose).replace(u'\n', u' '), 30);
        out += '|';
        output.endLine();
    });
    output.line(kPaymentRuler);
    QByteArray& out = output.out();
    out += encode1251(QStringLiteral("     ИТОГО : платежей - %1, сумма - ").arg(count));
    number(out, total, 10);
    out += '.';
    output.endLine();
}

void writeLines(const TDM& dm, RegisterKind kind, const RegisterScope& scope,
                const std::function<void(const QByteArray&)>& drain)
{
    RegisterOutput output(drain);
    if (kind == RegisterKind::Invoices || kind == RegisterKind::Receipts)
        invoiceRegister(dm, kind == RegisterKind::Invoices, scope, output);
    else if (kind == RegisterKind::Acts)
        actRegister(dm, scope, output);
    else if (kind == RegisterKind::Payments)
        paymentRegister(dm, scope, output);
    else
        waybillRegister(dm, kind == RegisterKind::ExpenseWaybills, scope, output);
    output.finish();
}

} // namespace

namespace {

// The spreadsheet's texts, in the interface's language.
struct RegisterSheet {
    Q_DECLARE_TR_FUNCTIONS(RegisterSheet)
};

QVariant money(Money m)
{
    return moneyCell(m);
}

SheetRow sumCells(SheetRow row, const DocumentSums& s)
{
    row.insert(row.end(), {money(s.sum), money(s.vat), money(s.total)});
    return row;
}

std::vector<SheetColumn> withSums(std::vector<SheetColumn> columns)
{
    columns.insert(columns.end(), {{RegisterSheet::tr("Сумма"), CellKind::Money},
                                   {RegisterSheet::tr("НДС"), CellKind::Money},
                                   {RegisterSheet::tr("Итого"), CellKind::Money}});
    return columns;
}

// What the sheet is called, its title and its columns.
struct SheetLayout {
    QString name, title;
    std::vector<SheetColumn> columns;
};

SheetLayout layoutOf(const TDM& dm, RegisterKind kind, const RegisterScope& scope)
{
    const QString date = RegisterSheet::tr("Дата"), client = RegisterSheet::tr("Клиент");
    SheetLayout l;
    switch (kind) {
    case RegisterKind::Invoices:
    case RegisterKind::Receipts:
        l.name = kind == RegisterKind::Invoices ? RegisterSheet::tr("Счета-фактуры")
                                                : RegisterSheet::tr("Поступления");
        l.columns = withSums({{date, CellKind::Date},
                              {RegisterSheet::tr("№"), CellKind::Integer},
                              {RegisterSheet::tr("Доп. №"), CellKind::Text},
                              {RegisterSheet::tr("Плательщик"), CellKind::Text},
                              {RegisterSheet::tr("Товар"), CellKind::Text}});
        break;
    case RegisterKind::ExpenseWaybills:
    case RegisterKind::TaxWaybills:
        l.name = kind == RegisterKind::ExpenseWaybills ? RegisterSheet::tr("Расходные накладные")
                                                       : RegisterSheet::tr("Налоговые накладные");
        l.columns = withSums({{date, CellKind::Date},
                              {RegisterSheet::tr("№ накл"), CellKind::Integer},
                              {RegisterSheet::tr("Плательщик"), CellKind::Text},
                              {RegisterSheet::tr("Основание платежа"), CellKind::Text}});
        break;
    case RegisterKind::Acts:
        l.name = RegisterSheet::tr("Акты");
        l.columns = withSums({{date, CellKind::Date},
                              {RegisterSheet::tr("№ акта"), CellKind::Integer},
                              {RegisterSheet::tr("Заказчик"), CellKind::Text},
                              {RegisterSheet::tr("Период"), CellKind::Text},
                              {RegisterSheet::tr("Вид работ"), CellKind::Text}});
        break;
    case RegisterKind::Payments:
        l.name = RegisterSheet::tr("Платежи");
        l.columns = {{date, CellKind::Date},
                     {RegisterSheet::tr("№"), CellKind::Integer},
                     {client, CellKind::Text},
                     {RegisterSheet::tr("Документ"), CellKind::Text},
                     {RegisterSheet::tr("№ банк."), CellKind::Text},
                     {RegisterSheet::tr("Сумма"), CellKind::Money},
                     {RegisterSheet::tr("Назначение платежа"), CellKind::Text}};
        break;
    }
    l.title = RegisterSheet::tr("%1 с %2 по %3")
                  .arg(l.name, scope.from.toString(QStringLiteral("dd.MM.yyyy")),
                       scope.to.toString(QStringLiteral("dd.MM.yyyy")));
    if (scope.clientId > 0)
        if (const std::optional<ClientRow> c = dm.ReadClient(scope.clientId))
            l.title += RegisterSheet::tr(", клиент: %1").arg(c->FIRMNAME.trimmed());
    return l;
}

// The same documents and sums as the text register, a row a document with its position lines folded under
// it, texts whole.
void fillSheet(const TDM& dm, RegisterKind kind, const RegisterScope& scope, Spreadsheet& sheet)
{
    DocumentSums grand;
    const QString gone = QStringLiteral("????");
    switch (kind) {
    case RegisterKind::Invoices:
    case RegisterKind::Receipts:
        ForEachRegisterDocument(
            dm, kind == RegisterKind::Invoices, periodOf(scope), [&](const InvoiceRow& d) {
                const InvoiceSums invoice = SumInvoice(d);
                const DocumentSums sums = sumsOf(invoice);
                add(grand, sums);
                std::vector<SheetRow> lines;
                forEachPositionLine(d, invoice, [&](const Position& p, const DocumentSums& s) {
                    lines.push_back(sumCells({{}, {}, {}, {}, p.name}, s));
                });
                sheet.addGroup(sumCells({d.FACT_DATA,
                                         d.FACT_NUMBER > 0 ? QVariant(d.FACT_NUMBER) : QVariant(),
                                         d.FACT_DOPNO.trimmed(),
                                         d.NAME_OWNER,
                                         {}},
                                        sums),
                               lines);
            });
        break;
    case RegisterKind::ExpenseWaybills:
    case RegisterKind::TaxWaybills: {
        const bool expense = kind == RegisterKind::ExpenseWaybills;
        ForEachRegisterWaybill(dm, expense, periodOf(scope), [&](const RegisterWaybill& w) {
            const DocumentSums sums = sumsOf(SumWaybill(w.documents, expense));
            add(grand, sums);
            sheet.addRow(sumCells({w.date, w.number, w.payer.value_or(gone), w.info}, sums));
        });
        break;
    }
    case RegisterKind::Acts:
        ForEachRegisterAct(dm, periodOf(scope), [&](const RegisterAct& a) {
            const DocumentSums sums = sumsOf(SumAct(a.sum, a.vatRate));
            add(grand, sums);
            const QString period = ActPeriodName(a.month);
            sheet.addRow(sumCells({a.date, a.number, a.customer.value_or(gone),
                                   period.isEmpty() ? QString() : period + u' ' + QString::number(a.year),
                                   a.kindOfWork},
                                  sums));
        });
        break;
    case RegisterKind::Payments: {
        int count = 0;
        ForEachRegisterPayment(dm, periodOf(scope), [&](const RegisterPayment& p) {
            const Money sum = Money::fromDouble(p.sum);
            grand.sum += sum;
            ++count;
            sheet.addRow({p.date, p.number, p.client.value_or(p.payer),
                          p.invoice > 0 ? RegisterSheet::tr("с/ф %1").arg(p.invoice)
                          : p.act > 0   ? RegisterSheet::tr("акт %1").arg(p.act)
                                        : QString(),
                          p.bankNumber, money(sum), p.purpose});
        });
        sheet.addTotals(RegisterSheet::tr("ИТОГО: платежей %1").arg(count),
                        {{}, {}, {}, {}, {}, money(grand.sum)});
        return;
    }
    }
    SheetRow totals(sheet.columns() - 3);
    sheet.addTotals(RegisterSheet::tr("ИТОГО"), sumCells(totals, grand));
}

} // namespace

bool WriteRegisterSheet(const TDM& dm, RegisterKind kind, const RegisterScope& scope, const QString& fileName,
                        QString* error, int* rows)
{
    const SheetLayout layout = layoutOf(dm, kind, scope);
    Spreadsheet sheet(layout.name, layout.title, layout.columns);
    fillSheet(dm, kind, scope, sheet);
    if (rows)
        *rows = sheet.rows();
    return sheet.save(fileName, error);
}

QString RegisterText(const TDM& dm, RegisterKind kind, const RegisterScope& scope)
{
    QByteArray bytes;
    writeLines(dm, kind, scope, [&bytes](const QByteArray& block) { bytes += block; });
    return decode1251(bytes);
}

bool WriteRegister(const TDM& dm, RegisterKind kind, const RegisterScope& scope, const QString& fileName,
                   QString* error, int* lines)
{
    int count = 0;
    const bool done = WriteOutputFile(
        fileName,
        [&](QIODevice& file) {
            bool written = true;
            writeLines(dm, kind, scope, [&](const QByteArray& block) {
                written = written && file.write(block) == block.size();
                count += int(block.count('\n'));
            });
            return written;
        },
        error);
    if (lines)
        *lines = count;
    return done;
}

QString RegisterFileName(RegisterKind kind)
{
    switch (kind) {
    case RegisterKind::Invoices:
        return QStringLiteral("FACTURE1.TXT");
    case RegisterKind::Receipts:
        return QStringLiteral("FACTURE2.TXT");
    case RegisterKind::ExpenseWaybills:
        return QStringLiteral("NAKLADN1.TXT");
    case RegisterKind::TaxWaybills:
        return QStringLiteral("NAKLADN2.TXT");
    case RegisterKind::Acts:
        return QStringLiteral("ACTS.TXT");
    case RegisterKind::Payments:
        return QStringLiteral("PLATEG.TXT");
    }
    return {};
}
