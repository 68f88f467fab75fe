#pragma once

#include <map>

// The commands of the document lists' popup menus whose availability follows the lists. The
// window maps each to its menu item (N9 ... N28) in one table.
enum class DocumentCommand {
    NewInvoice,               // N9
    CopyInvoice,              // N11
    EditInvoice,              // N10
    PreviewInvoice,           // N12
    PrintInvoice,             // N13
    InvoiceRegister,          // N14
    ExpenseWaybillForInvoice, // N15
    TaxWaybillForInvoice,     // N16
    NewReceipt,               // N17
    CopyReceipt,              // N18
    EditReceipt,              // N19
    ReceiptRegister,          // N20
    ExpenseWaybillForReceipt, // N21
    TaxWaybillForReceipt,     // N22
    PreviewExpenseWaybill,    // N23
    PrintExpenseWaybill,      // N24
    ExpenseRegister,          // N27
    PreviewTaxWaybill,        // N25
    PrintTaxWaybill,          // N26
    TaxRegister,              // N28
    NewAct,
    CopyAct,
    EditAct,
    PreviewAct,
    PrintAct,
    ActRegister,
};

using DocumentCommandStates = std::map<DocumentCommand, bool>;

// Which commands are enabled: every command has its state. The commands on a selected receipt follow
// the receipt list.
DocumentCommandStates documentCommandStates(bool clientSelected, bool invoicesShown, bool receiptsShown,
                                            bool expenseShown, bool taxShown, bool actsShown = false);
