#pragma once

#include <QtGlobal>

class TDM;

struct DemoOptions {
    int clients = 300;
    int invoices = 5000;
    quint64 seed = 1;
};

struct DemoSummary {
    int clients = 0;
    int invoices = 0;
    int receipts = 0;
    int expenseWaybills = 0;
    int taxWaybills = 0;
    int acts = 0;
    int products = 0;
};

// Fills an empty database with a realistic invented firm: its owner details, clients, goods, invoices,
// receipts, waybills of both kinds and acts of work for the clients it serves. The same seed gives the same
// data. Throws DbError; refuses a database that already holds clients or documents.
DemoSummary FillDemoData(TDM& dm, const DemoOptions& options);
