#include "documents/document_pages.h"

#include "base/prompter.h"
#include "db/data_module.h"
#include "print/act_form.h"
#include "print/blank_parts.h"
#include "print/expense_waybill_form.h"
#include "print/invoice_form.h"
#include "print/tax_waybill_form.h"

#include <QCoreApplication>

std::optional<Page> DocumentPage(const TDM& dm, PrintedDocument kind, int number, bool forPrint,
                                 const OwnerRecord& owner, const Settings& settings,
                                 const QString& programFolder, Prompter& prompter, std::optional<int> section)
{
    try {
        // A paper of a new book's sample details would go out with zeros for codes: asked first.
        using O = OwnerRecord;
        static constexpr QString O::*invoice[] = {&O::FIRMNAME, &O::TELFAX,   &O::OKPOCODE, &O::CHETNUMBER,
                                                  &O::MFOCODE,  &O::BANKNAME, &O::BUHALTER};
        static constexpr QString O::*expense[] = {&O::FIRMNAME, &O::OKPOCODE, &O::TELFAX};
        static constexpr QString O::*tax[] = {&O::FIRMNAME, &O::TELFAX, &O::BUHALTER, &O::REGNUMBER,
                                              &O::TAXCODE};
        static constexpr QString O::*act[] = {&O::FIRMNAME,   &O::CHIEF,    &O::OKPOCODE,
                                              &O::CHETNUMBER, &O::BANKNAME, &O::LAWADDRESS};
        using Printed = std::span<QString O::*const>;
        const QStringList samples =
            SampleOwnerDetails(owner, kind == PrintedDocument::Invoice          ? Printed(invoice)
                                      : kind == PrintedDocument::ExpenseWaybill ? Printed(expense)
                                      : kind == PrintedDocument::Act            ? Printed(act)
                                                                                : Printed(tax));
        if (!samples.isEmpty() &&
            !prompter.ask(QCoreApplication::translate("DocumentPage",
                                                      "Данные владельца не заполнены: %1. Они на бланке — "
                                                      "образцы новой базы (вкладка «Владелец»).\n"
                                                      "Всё равно подготовить документ?")
                              .arg(samples.join(QStringLiteral(", ")))))
            return std::nullopt;
        QString error;
        bool complete = true;
        std::optional<Page> page;
        switch (kind) {
        case PrintedDocument::Invoice:
            page = PrepareInvoicePage(dm, number, owner, settings, programFolder, &prompter, &error);
            break;
        case PrintedDocument::ExpenseWaybill:
            page = PrepareExpenseWaybillPage(dm, number, owner, settings, programFolder, &prompter, &complete,
                                             &error);
            break;
        case PrintedDocument::TaxWaybill:
            page = PrepareTaxWaybillPage(dm, number, owner, settings, &prompter, section, &complete, &error);
            break;
        case PrintedDocument::Act:
            page = PrepareActPage(dm, number, owner, settings, &prompter, &error);
            break;
        }
        if (!page) {
            if (!error.isEmpty()) // empty: the VAT section was not chosen
                prompter.error(error);
            return std::nullopt;
        }
        if (forPrint && !complete) {
            prompter.error(QCoreApplication::translate("DocumentPage",
                                                       "Накладная заполнена не полностью и не напечатана."));
            return std::nullopt;
        }
        return page;
    } catch (const DbError& e) {
        prompter.error(e.message(), e.detail());
        return std::nullopt;
    }
}
