#include "print/invoice_sums.h"

#include "base/number_format.h"
#include "print/blank_parts.h"

#include <QCoreApplication>

#include <cmath>

double PositionSum(const Position& p)
{
    return RoundToKopecks(Blank::isLumpSum(p.measure) ? p.price : p.count * p.price);
}

InvoiceSums SumInvoice(const InvoiceRow& d)
{
    InvoiceSums s;
    for (std::size_t i = 0; i < s.positions.size(); ++i) {
        s.positions[i] = PositionSum(d.positions[i]);
        s.subtotal += s.positions[i];
    }
    s.subtotal = RoundToKopecks(s.subtotal);
    s.vat = s.subtotal * d.FACT_NDS * 0.01;
    if (d.FACT_NR > 0.009)
        s.advertisingTax = s.subtotal * d.FACT_NR * 0.01;
    s.total = s.subtotal + s.vat + s.advertisingTax;
    return s;
}

namespace {

bool beyond(double amount)
{
    return !std::isfinite(amount) || std::fabs(amount) > kLargestAmount;
}

} // namespace

QString TotalBeyondBlank(double total)
{
    if (!beyond(total))
        return {};
    return QCoreApplication::translate("InvoiceSums",
                                       "Сумма %1 больше, чем можно напечатать в документе (наибольшая — "
                                       "999 999 999 999,99).")
        .arg(FormatFixed(total, 2, u','));
}

QString AmountBeyondBlank(const InvoiceRow& d)
{
    for (std::size_t i = 0; i < d.positions.size(); ++i) {
        const Position& p = d.positions[i];
        const double raw = Blank::isLumpSum(p.measure) ? p.price : p.count * p.price;
        if (beyond(raw))
            return QCoreApplication::translate("InvoiceSums",
                                               "Сумма позиции %1 (%2) больше, чем можно напечатать в "
                                               "документе (наибольшая — 999 999 999 999,99).")
                .arg(i + 1)
                .arg(FormatFixed(raw, 2, u','));
    }
    return TotalBeyondBlank(SumInvoice(d).total);
}
