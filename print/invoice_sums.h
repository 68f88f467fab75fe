#pragma once

#include "base/money.h"
#include "db/rows.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

// What a document charges, worked out once for the invoice blank, both waybills, the registers and the
// payment code, so that every paper shows the same figure for the same goods and its parts add up to its
// total. The lists' "Сумма" column reckons the same way in SQL (ListQueries), held to this by a test.

// The largest amount a blank's figures and words can show: 999 999 999 999,99.
inline constexpr double kLargestAmount = 999'999'999'999.99;

// A position's sum in whole kopecks: a lump sum (no unit) at its price, any other at count × price.
Money PositionSum(const Position& position);

// An advertising tax at this rate or below is no tax: its row is not printed.
inline constexpr double kNoAdvertisingTax = 0.009;

// VAT and the advertising tax on a subtotal, each from its exact value half away from zero; the total is
// what the paper's lines add up to.
struct Taxed {
    Money subtotal, vat, advertisingTax, total;
};
Taxed WithTaxes(Money subtotal, int vatRate, double advertisingRate = 0);

struct InvoiceSums : Taxed {
    std::array<Money, 4> positions{};
};
InvoiceSums SumInvoice(const InvoiceRow& document);

// A waybill's figures: its documents' positions added up, VAT at the first document's rate (a waybill is
// issued only for documents of one rate), and for an expense waybill of invoices the first invoice's
// advertising tax.
Taxed SumWaybill(const std::vector<InvoiceRow>& documents, bool withAdvertisingTax);

// An act's figures: its sum without VAT, VAT at its rate, and the total, as on the invoice.
Taxed SumAct(double sumWithoutVat, int vatRate);
inline Taxed SumAct(const ActDraft& act)
{
    return SumAct(act.sum, act.vatRate);
}

// Why a document cannot go on paper: a position or a total beyond what a blank can show. Empty when it can.
QString AmountBeyondBlank(const InvoiceRow& document);
// The same for a total made of several documents (a waybill).
QString TotalBeyondBlank(Money total);
