#pragma once

#include "db/rows.h"

#include <QString>

#include <array>
#include <optional>

// What a document charges, worked out once for the invoice blank, both waybills and the registers, so
// that every paper shows the same figure for the same goods.

// The largest amount a blank's figures and words can show: 999 999 999 999,99.
inline constexpr double kLargestAmount = 999'999'999'999.99;

// A position's sum in whole kopecks: a lump sum (no unit) at its price, any other at count × price.
double PositionSum(const Position& position);

struct InvoiceSums {
    std::array<double, 4> positions{}; // each in whole kopecks
    double subtotal = 0;               // in whole kopecks
    double vat = 0;                    // subtotal × rate, unrounded: rounded where it is printed
    double advertisingTax = 0;         // subtotal × rate, unrounded
    double total = 0;                  // subtotal + VAT + advertising tax
};
InvoiceSums SumInvoice(const InvoiceRow& document);

// Why a document cannot go on paper: a position or a total beyond what a blank can show. Empty when it can.
QString AmountBeyondBlank(const InvoiceRow& document);
// The same for a total made of several documents (a waybill).
QString TotalBeyondBlank(double total);
