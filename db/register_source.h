#pragma once

#include "db/rows.h"

#include <QDate>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class SqlDialect;
class Statement;
class TDM;

// The documents a register lists, in its order, read straight from the engine without a record per row:
// a year's register reads hundreds of thousands of them.
struct RegisterPeriod {
    QDate from, to;
    int clientId = 0; // 0: every client's
};

// Invoices (numbers above zero, in number order) or receipts (by date, of one day in the order written)
// of the period.
void ForEachRegisterDocument(const TDM& dm, bool invoices, const RegisterPeriod& period,
                             const std::function<void(const InvoiceRow&)>& take);
// Its statement, values appended in order; for the plan test.
QString RegisterDocumentsSql(const SqlDialect& dialect, bool invoices, const RegisterPeriod& period,
                             QVariantList* values);

// A waybill as its register line needs it: the payer's name from the client table (nullopt when the
// client is gone), and the documents found under the waybill's client (the first one, and the second and
// third when their numbers are above zero). Of each document only what its sums are worked out from is
// read: the number, the VAT rate and the positions' units, counts and prices.
struct RegisterWaybill {
    int number = 0;
    QDate date;
    QString info;
    std::optional<QString> payer;
    std::vector<InvoiceRow> documents;
};
// An act as its register line needs it: the customer's name from the client table (nullopt when the client
// is gone).
struct RegisterAct {
    int number = 0;
    QDate date;
    int month = 0, year = 0;
    QString kindOfWork;
    double sum = 0;
    int vatRate = 0;
    std::optional<QString> customer;
};
// The acts of the period, in date and then number order.
void ForEachRegisterAct(const TDM& dm, const RegisterPeriod& period,
                        const std::function<void(const RegisterAct&)>& take);

// A payment as its register line needs it.
struct RegisterPayment {
    int number = 0;
    QDate date;
    double sum = 0;
    QString purpose, bankNumber, payer;
    int invoice = 0, act = 0;
    std::optional<QString> client;
};
// The payments of the period, in date and then number order.
void ForEachRegisterPayment(const TDM& dm, const RegisterPeriod& period,
                            const std::function<void(const RegisterPayment&)>& take);

// Expense or tax waybills of the period, in number order.
void ForEachRegisterWaybill(const TDM& dm, bool expense, const RegisterPeriod& period,
                            const std::function<void(const RegisterWaybill&)>& take);
