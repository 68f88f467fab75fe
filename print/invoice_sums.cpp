#include "print/invoice_sums.h"

#include "base/number_format.h"
#include "print/blank_parts.h"

#include <QCoreApplication>

#include <cmath>

Money PositionSum(const Position& p)
{
    return Blank::isLumpSum(p.measure) ? Money::fromDouble(p.price) : Money::product(p.count, p.price);
}

Taxed WithTaxes(Money subtotal, int vatRate, double advertisingRate)
{
    Taxed t;
    t.subtotal = subtotal;
    t.vat = subtotal.percent(vatRate);
    if (advertisingRate > kNoAdvertisingTax)
        t.advertisingTax = subtotal.percent(advertisingRate);
    t.total = t.subtotal + t.vat + t.advertisingTax;
    return t;
}

namespace {

Money positionsOf(const InvoiceRow& d, std::array<Money, 4>* each = nullptr)
{
    Money subtotal;
    for (std::size_t i = 0; i < d.positions.size(); ++i) {
        const Money sum = PositionSum(d.positions[i]);
        if (each)
            (*each)[i] = sum;
        subtotal += sum;
    }
    return subtotal;
}

} // namespace

InvoiceSums SumInvoice(const InvoiceRow& d)
{
    InvoiceSums s;
    const Money subtotal = positionsOf(d, &s.positions);
    static_cast<Taxed&>(s) = WithTaxes(subtotal, d.FACT_NDS, d.FACT_NR);
    return s;
}

Taxed SumWaybill(const std::vector<InvoiceRow>& documents, bool withAdvertisingTax)
{
    if (documents.empty())
        return {};
    Money subtotal;
    for (const InvoiceRow& d : documents)
        subtotal += positionsOf(d);
    const InvoiceRow& first = documents.front();
    return WithTaxes(subtotal, first.FACT_NDS,
                     withAdvertisingTax && first.FACT_NUMBER > 0 ? first.FACT_NR : 0);
}

QString TotalBeyondBlank(Money total)
{
    if (total.isValid() && std::abs(total.kopecks()) <= 99'999'999'999'999)
        return {};
    return QCoreApplication::translate("InvoiceSums",
                                       "Сумма %1 больше, чем можно напечатать в документе (наибольшая — "
                                       "999 999 999 999,99).")
        .arg(total.isValid() ? total.text() : QStringLiteral("?"));
}

QString AmountBeyondBlank(const InvoiceRow& d)
{
    for (std::size_t i = 0; i < d.positions.size(); ++i) {
        const Position& p = d.positions[i];
        const double raw = Blank::isLumpSum(p.measure) ? p.price : p.count * p.price;
        if (!std::isfinite(raw) || std::fabs(raw) > kLargestAmount || !PositionSum(p).isValid())
            return QCoreApplication::translate("InvoiceSums",
                                               "Сумма позиции %1 (%2) больше, чем можно напечатать в "
                                               "документе (наибольшая — 999 999 999 999,99).")
                .arg(i + 1)
                .arg(FormatFixed(raw, 2, u','));
    }
    return TotalBeyondBlank(SumInvoice(d).total);
}

Taxed SumAct(double sumWithoutVat, int vatRate)
{
    return WithTaxes(Money::fromDouble(sumWithoutVat), vatRate);
}
