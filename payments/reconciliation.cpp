#include "payments/reconciliation.h"

#include "db/data_module.h"
#include "db/stores.h"
#include "print/amount_in_words.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

Money Reconciliation::debits() const
{
    Money sum;
    for (const ReconciliationLine& l : lines)
        sum += l.debit;
    return sum;
}

Money Reconciliation::credits() const
{
    Money sum;
    for (const ReconciliationLine& l : lines)
        sum += l.credit;
    return sum;
}

namespace {

QString dayText(const QDate& date)
{
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

QString paymentDocument(const PaymentRow& p)
{
    return p.BANK_NUMBER.trimmed().isEmpty()
               ? QStringLiteral("Оплата № %1").arg(p.PLAT_NUMBER)
               : QStringLiteral("Оплата, п/д № %1").arg(p.BANK_NUMBER.trimmed());
}

} // namespace

Reconciliation ReadReconciliation(const TDM& dm, int clientId, const QDate& from, const QDate& to)
{
    Reconciliation account;
    account.from = from;
    account.to = to;
    for (const ClientBalance& b : ReadBalances(dm, from.addDays(-1), clientId))
        account.opening = Money::fromKopecks(b.charged - b.paid);
    for (const ChargedDocument& d : ReadChargedDocuments(dm, clientId, from, to))
        account.lines.push_back(
            {d.date,
             (d.act ? QStringLiteral("Акт № %1") : QStringLiteral("Рахунок-фактура № %1")).arg(d.number),
             Money::fromKopecks(d.kopecks), Money()});
    for (const PaymentRow& p : ReadClientPayments(dm, clientId))
        if (p.PLAT_DATA >= from && p.PLAT_DATA <= to)
            account.lines.push_back({p.PLAT_DATA, paymentDocument(p), Money(), Money::fromDouble(p.SUMMA)});
    // A day's documents before its payments, each kind in the order it was read.
    std::stable_sort(
        account.lines.begin(), account.lines.end(),
        [](const ReconciliationLine& a, const ReconciliationLine& b) { return a.date < b.date; });
    return account;
}

namespace {

// The sheet in pixels at 96 dpi. The table runs across the sheet: the owner's half filled, the client's
// left for its own figures.
constexpr double kLeft = 40, kRight = 754;
constexpr double kColumns[] = {40, 106, 276, 360, 444, 510, 586, 670, 754};
constexpr double kHalvesHeight = 34, kHeadHeight = 18, kRowHeight = 18;
// The preamble and the table on the first sheet come up when there is no contract to name.
constexpr double kPreambleTop = 146, kPreambleHeight = 60, kNoContractRise = 22, kNextTableTop = 80;
constexpr double kRowsBottom = 1050;
constexpr double kFooterHeight = 174;
// Rows carried over with the totals when the signatures would not fit under the last ones.
constexpr int kRowsWithFooter = 3;

enum class RowKind { Opening, Line, Turnover, Closing };
struct Row {
    RowKind kind;
    int line = 0; // 1-based, of the lines
};

void label(Page& page, const QString& name, double left, double top, double width, double height, double size,
           bool bold, Qt::Alignment align, const QString& text)
{
    page.add(
        makeLabel(name, left, top, width, height, QStringLiteral("Arial"), size, bold, align, false, text));
}

void cell(Page& page, const QString& name, int column, double top, bool bold, Qt::Alignment align,
          const QString& text, int columns = 1)
{
    label(page, name, kColumns[column] + 3, top + 2, kColumns[column + columns] - kColumns[column] - 6,
          kRowHeight - 3, 9, bold, align, text);
}

QString sumText(Money m)
{
    return m == Money() ? QString() : m.text();
}

// A balance on the side it lies: what the client owes as a debit, what it paid over as a credit.
void balanceCells(Page& page, const QString& name, double top, Money balance, bool bold)
{
    cell(page, name + QStringLiteral("Debit"), 2, top, bold, Qt::AlignRight,
         sumText(std::max(balance, Money())));
    cell(page, name + QStringLiteral("Credit"), 3, top, bold, Qt::AlignRight,
         sumText(std::max(-balance, Money())));
}

void addHeader(Page& page, double top, const QString& owner, const QString& client)
{
    label(page, QStringLiteral("OwnerHalf"), kColumns[0] + 3, top + 2, kColumns[4] - kColumns[0] - 6,
          kHalvesHeight - 4, 9, true, Qt::AlignHCenter, QStringLiteral("За даними %1").arg(owner));
    label(page, QStringLiteral("ClientHalf"), kColumns[4] + 3, top + 2, kColumns[8] - kColumns[4] - 6,
          kHalvesHeight - 4, 9, true, Qt::AlignHCenter, QStringLiteral("За даними %1").arg(client));
    const char* const heads[] = {"Дата", "Документ", "Дебет", "Кредит"};
    for (int c = 0; c < 8; ++c)
        cell(page, QStringLiteral("Head%1").arg(c + 1), c, top + kHalvesHeight, true, Qt::AlignHCenter,
             QString::fromUtf8(heads[c % 4]));
}

// The frame, the columns and a rule under the header and under every row. A balance's caption runs over
// the date and the document, so their rule stops at its row.
void addRules(Page& page, double top, const std::vector<bool>& spanned)
{
    const double headTop = top + kHalvesHeight;
    const double rowsTop = headTop + kHeadHeight;
    const int rows = int(spanned.size());
    const double bottom = rowsTop + rows * kRowHeight;
    page.add(makeShape(QStringLiteral("TableFrame"), ShapeKind::Rectangle, kLeft, top, kRight - kLeft,
                       bottom - top));
    page.add(makeShape(QStringLiteral("HalvesLine"), ShapeKind::HorLine, kLeft, headTop, kRight - kLeft, 1));
    for (int c = 1; c < 8; ++c) {
        const QString name = QStringLiteral("ColumnLine%1").arg(c);
        if (c == 4) {
            page.add(makeShape(name, ShapeKind::VertLine, kColumns[c], top, 1, bottom - top));
        } else if (c % 4 != 1) {
            page.add(makeShape(name, ShapeKind::VertLine, kColumns[c], headTop, 1, bottom - headTop));
        } else {
            double from = headTop;
            for (int r = 0; r <= rows; ++r) {
                const double at = rowsTop + r * kRowHeight;
                if ((r == rows || spanned[r]) && at > from)
                    page.add(makeShape(name, ShapeKind::VertLine, kColumns[c], from, 1, at - from));
                if (r < rows && spanned[r])
                    from = at + kRowHeight;
            }
        }
    }
    for (int r = 0; r < rows; ++r)
        page.add(makeShape(QStringLiteral("RowLine%1").arg(r), ShapeKind::HorLine, kLeft,
                           rowsTop + r * kRowHeight, kRight - kLeft, 1));
}

// How many rows go on each sheet: as many as fit, the last sheet keeping room for the signatures.
std::vector<int> paginate(int rows, double firstTableTop)
{
    std::vector<int> counts;
    const auto capacity = [&counts, firstTableTop] {
        const double top = counts.empty() ? firstTableTop : kNextTableTop;
        return int((kRowsBottom - top - kHalvesHeight - kHeadHeight) / kRowHeight);
    };
    const int footerRows = int(std::ceil(kFooterHeight / kRowHeight));
    int left = rows;
    while (true) {
        const int room = capacity();
        if (left <= room - footerRows) {
            counts.push_back(left);
            return counts;
        }
        const int now = left <= room ? left - kRowsWithFooter : room;
        counts.push_back(now);
        left -= now;
    }
}

QString withCode(const QString& name, const QString& code)
{
    return code.trimmed().isEmpty()
               ? name.trimmed()
               : QStringLiteral("%1 (код ЄДРПОУ %2)").arg(name.trimmed(), code.trimmed());
}

QString debtSentence(const Reconciliation& account, const QString& owner, const QString& client,
                     Prompter* prompter)
{
    const Money closing = account.closing();
    const QString day = dayText(account.to);
    if (closing == Money())
        return QStringLiteral("Заборгованість на %1 відсутня.").arg(day);
    const Money debt = closing > Money() ? closing : -closing;
    return QStringLiteral("Заборгованість на %1 на користь %2 становить %3 грн. (%4).")
        .arg(day, closing > Money() ? owner : client, debt.text(),
             AmountInWords(debt.toDouble(), false, true, false, true, prompter).trimmed());
}

} // namespace

Pages FillReconciliationBlank(const Reconciliation& account, const ClientRow& client,
                              const OwnerRecord& owner, Prompter* prompter)
{
    const QString ownerName = owner.FIRMNAME.trimmed();
    const QString clientName = client.FIRMNAME.trimmed();
    const QString period =
        QStringLiteral("за період з %1 по %2").arg(dayText(account.from), dayText(account.to));

    std::vector<Row> rows{{RowKind::Opening}};
    for (std::size_t i = 0; i < account.lines.size(); ++i)
        rows.push_back({RowKind::Line, int(i) + 1});
    rows.push_back({RowKind::Turnover});
    rows.push_back({RowKind::Closing});
    const bool contract = !client.DOGNUMBER.trimmed().isEmpty();
    const double preambleTop = kPreambleTop - (contract ? 0 : kNoContractRise);
    const double firstTableTop = preambleTop + kPreambleHeight + 6;
    const std::vector<int> counts = paginate(int(rows.size()), firstTableTop);

    Pages pages;
    std::size_t next = 0;
    for (std::size_t p = 0; p < counts.size(); ++p) {
        Page page(PageUnit::Px);
        double top = kNextTableTop;
        if (p == 0) {
            top = firstTableTop;
            label(page, QStringLiteral("Title"), kLeft, 40, kRight - kLeft, 22, 12, true, Qt::AlignHCenter,
                  QStringLiteral("АКТ ЗВІРКИ ВЗАЄМОРОЗРАХУНКІВ"));
            label(page, QStringLiteral("Period"), kLeft, 64, kRight - kLeft, 18, 10, false, Qt::AlignHCenter,
                  period);
            label(page, QStringLiteral("Parties"), kLeft, 84, kRight - kLeft, 36, 10, true, Qt::AlignHCenter,
                  QStringLiteral("між %1 та %2").arg(ownerName, clientName));
            if (contract) {
                const bool dated = client.DOGDATA.isValid() && client.DOGDATA.year() > 1900;
                label(page, QStringLiteral("Contract"), kLeft, 122, kRight - kLeft, 18, 10, false,
                      Qt::AlignHCenter,
                      QStringLiteral("за договором № %1").arg(client.DOGNUMBER.trimmed()) +
                          (dated ? QStringLiteral(" від ") + dayText(client.DOGDATA) : QString()));
            }
            const QString chief =
                owner.CHIEF.trimmed().isEmpty() ? QStringLiteral("________________") : owner.CHIEF.trimmed();
            label(
                page, QStringLiteral("Preamble"), kLeft, preambleTop, kRight - kLeft, kPreambleHeight, 9,
                false, Qt::AlignLeft,
                QStringLiteral("Ми, що нижче підписалися, %1 від імені %2, з одного боку, та "
                               "________________ від імені %3, з іншого боку, склали цей акт про те, що стан "
                               "взаємних розрахунків за даними обліку такий:")
                    .arg(chief, withCode(ownerName, owner.OKPOCODE), withCode(clientName, client.OKPOCODE)));
        } else {
            label(page, QStringLiteral("Continued"), kLeft, 40, kRight - kLeft, 34, 9, false, Qt::AlignLeft,
                  QStringLiteral("Акт звірки взаєморозрахунків між %1 та %2 %3 (продовження)")
                      .arg(ownerName, clientName, period));
        }
        addHeader(page, top, ownerName, clientName);
        double y = top + kHalvesHeight + kHeadHeight;
        std::vector<bool> spanned;
        for (int r = 0; r < counts[p]; ++r, ++next, y += kRowHeight) {
            const Row& row = rows[next];
            spanned.push_back(row.kind != RowKind::Line);
            switch (row.kind) {
            case RowKind::Opening:
                cell(page, QStringLiteral("OpeningCaption"), 0, y, false, Qt::AlignLeft,
                     QStringLiteral("Сальдо на %1").arg(dayText(account.from)), 2);
                balanceCells(page, QStringLiteral("Opening"), y, account.opening, false);
                break;
            case RowKind::Line: {
                const ReconciliationLine& l = account.lines[row.line - 1];
                const QString name = QStringLiteral("Line%1").arg(row.line);
                cell(page, name + QStringLiteral("Date"), 0, y, false, Qt::AlignHCenter, dayText(l.date));
                cell(page, name + QStringLiteral("Document"), 1, y, false, Qt::AlignLeft, l.document);
                cell(page, name + QStringLiteral("Debit"), 2, y, false, Qt::AlignRight, sumText(l.debit));
                cell(page, name + QStringLiteral("Credit"), 3, y, false, Qt::AlignRight, sumText(l.credit));
                break;
            }
            case RowKind::Turnover:
                cell(page, QStringLiteral("TurnoverCaption"), 0, y, true, Qt::AlignLeft,
                     QStringLiteral("Обороти за період"), 2);
                cell(page, QStringLiteral("TurnoverDebit"), 2, y, true, Qt::AlignRight,
                     account.debits().text());
                cell(page, QStringLiteral("TurnoverCredit"), 3, y, true, Qt::AlignRight,
                     account.credits().text());
                break;
            case RowKind::Closing:
                cell(page, QStringLiteral("ClosingCaption"), 0, y, true, Qt::AlignLeft,
                     QStringLiteral("Сальдо на %1").arg(dayText(account.to)), 2);
                balanceCells(page, QStringLiteral("Closing"), y, account.closing(), true);
                break;
            }
        }
        addRules(page, top, spanned);
        if (p + 1 == counts.size()) {
            y += 14;
            label(page, QStringLiteral("Result"), kLeft, y, kRight - kLeft, 52, 10, false, Qt::AlignLeft,
                  debtSentence(account, ownerName, clientName, prompter));
            const double half = (kRight - kLeft) / 2;
            const std::pair<const char*, QString> sides[] = {{"Owner", ownerName}, {"Client", clientName}};
            for (int s = 0; s < 2; ++s) {
                const double left = kLeft + s * (half + 14);
                const QString side = QLatin1String(sides[s].first);
                label(page, side + QStringLiteral("Side"), left, y + 64, half - 14, 36, 10, true,
                      Qt::AlignLeft, QStringLiteral("Від %1").arg(sides[s].second));
                const QString signer = s == 0 && !owner.CHIEF.trimmed().isEmpty()
                                           ? owner.CHIEF.trimmed()
                                           : QStringLiteral("____________");
                label(page, side + QStringLiteral("Sign"), left, y + 110, half - 14, 18, 10, false,
                      Qt::AlignLeft, QStringLiteral("____________ / %1 /").arg(signer));
                label(page, side + QStringLiteral("Stamp"), left, y + 140, 60, 18, 10, false, Qt::AlignLeft,
                      QStringLiteral("М.П."));
            }
        }
        if (counts.size() > 1)
            label(page, QStringLiteral("PageNumber"), kRight - 200, 1064, 200, 16, 8, false, Qt::AlignRight,
                  QStringLiteral("Сторінка %1 з %2").arg(p + 1).arg(counts.size()));
        pages.push_back(std::move(page));
    }
    return pages;
}

std::optional<Pages> PrepareReconciliationPages(const TDM& dm, int clientId, const QDate& from,
                                                const QDate& to, const OwnerRecord& owner, Prompter* prompter,
                                                QString* error)
{
    const std::optional<ClientRow> client = clientId > 1 ? dm.ReadClient(clientId) : std::nullopt;
    if (!client) {
        *error = QCoreApplication::translate("Reconciliation", "Клиент № %1 не найден.").arg(clientId);
        return std::nullopt;
    }
    if (!from.isValid() || !to.isValid() || to < from) {
        *error = QCoreApplication::translate("Reconciliation",
                                             "Период акта сверки задан неверно: конец раньше начала.");
        return std::nullopt;
    }
    return FillReconciliationBlank(ReadReconciliation(dm, clientId, from, to), *client, owner, prompter);
}
