#include "documents/document_commands.h"

DocumentCommandStates documentCommandStates(bool clientSelected, bool invoicesShown, bool receiptsShown,
                                            bool expenseShown, bool taxShown, bool actsShown)
{
    using C = DocumentCommand;
    DocumentCommandStates states;
    for (C c : {C::NewInvoice, C::NewReceipt, C::NewAct})
        states[c] = clientSelected;
    for (C c : {C::EditInvoice, C::CopyInvoice, C::ExpenseWaybillForInvoice, C::TaxWaybillForInvoice})
        states[c] = clientSelected && invoicesShown;
    // A receipt's commands need a receipt: a client with receipts and no invoices can work with them.
    for (C c : {C::CopyReceipt, C::EditReceipt, C::ExpenseWaybillForReceipt, C::TaxWaybillForReceipt})
        states[c] = clientSelected && receiptsShown;
    for (C c : {C::PreviewInvoice, C::PrintInvoice, C::InvoiceRegister})
        states[c] = invoicesShown;
    states[C::ReceiptRegister] = receiptsShown;
    for (C c : {C::PreviewExpenseWaybill, C::PrintExpenseWaybill, C::ExpenseRegister})
        states[c] = expenseShown;
    for (C c : {C::PreviewTaxWaybill, C::PrintTaxWaybill, C::TaxRegister})
        states[c] = taxShown;
    for (C c : {C::CopyAct, C::EditAct})
        states[c] = clientSelected && actsShown;
    for (C c : {C::PreviewAct, C::PrintAct, C::ActRegister})
        states[c] = actsShown;
    return states;
}
