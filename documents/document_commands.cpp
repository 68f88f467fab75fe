#include "documents/document_commands.h"

DocumentCommandStates documentCommandStates(bool clientSelected, bool invoicesShown, bool expenseShown,
                                            bool taxShown)
{
    using C = DocumentCommand;
    const bool withInvoice = clientSelected && invoicesShown;
    DocumentCommandStates states;
    for (C c : {C::NewInvoice, C::NewReceipt})
        states[c] = clientSelected;
    for (C c : {C::EditInvoice, C::CopyInvoice, C::ExpenseWaybillForInvoice, C::TaxWaybillForInvoice,
                C::CopyReceipt, C::EditReceipt, C::ExpenseWaybillForReceipt, C::TaxWaybillForReceipt})
        states[c] = withInvoice;
    for (C c : {C::PreviewInvoice, C::PrintInvoice, C::InvoiceRegister, C::ReceiptRegister})
        states[c] = invoicesShown;
    for (C c : {C::PreviewExpenseWaybill, C::PrintExpenseWaybill, C::ExpenseRegister})
        states[c] = expenseShown;
    for (C c : {C::PreviewTaxWaybill, C::PrintTaxWaybill, C::TaxRegister})
        states[c] = taxShown;
    return states;
}
