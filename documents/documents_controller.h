#pragma once

#include "base/settings.h"
#include "db/rows.h"
#include "documents/acts.h"
#include "documents/document_commands.h"
#include "documents/document_lists.h"
#include "documents/goods_list.h"
#include "documents/invoice_editor.h"
#include "documents/waybill_issue.h"
#include "print/registers.h"
#include "report/page.h"

#include <optional>

class Prompter;
class TDM;

// The steps of issuing a waybill, the same from the window and the command line.
// "Используются только первые три номера! Продолжать?" for a selection of more than three invoices.
bool UseFirstThreeNumbers(Prompter& prompter);
// The dialog's draft for the documents (an invoice's up to three, or a receipt), after the question about
// waybills already issued for them; nullopt after the message saying why not.
std::optional<WaybillDraft> BeginWaybill(TDM& dm, Prompter& prompter, WaybillKind kind, bool forReceipt,
                                         const std::array<int, 3>& documents, const QDate& today);
// OK in a waybill dialog: Stored (*number set, and said when another workplace took the number offered),
// StayOpen after "Неправильные данные !", Refused when the documents cannot share a waybill.
enum class WaybillStore { Stored, StayOpen, Refused };
WaybillStore StoreWaybillDraft(TDM& dm, Prompter& prompter, const WaybillDraft& draft, int* number);

// The four document lists and their commands, without their widgets: what the lists show, which
// commands are available, which waybills follow a chosen document, the waybill selection and the pages
// the print commands print.
class DocumentsController {
public:
    DocumentsController(TDM& dm, Prompter& prompter);

    DocumentLists& lists() { return m_lists; }
    GoodsList& goods() { return m_goods; }
    const DocumentLists& lists() const { return m_lists; }

    DocumentCommandStates commandStates() const;

    // The rows of the expense and tax waybill lists that name the document (first, else second); -1 where
    // none does. Nothing for document 0 (no document chosen).
    struct WaybillRows {
        int expense = -1;
        int tax = -1;
    };
    std::optional<WaybillRows> waybillsOfDocument(int number) const;
    // The row of the invoice or receipt list that holds the first document a waybill names; -1 in the other.
    struct DocumentRows {
        int invoice = -1;
        int receipt = -1;
    };
    DocumentRows documentOfWaybill(const SqlListModel& waybills, int waybillRow) const;

    // N15, N16 (for invoices: the waybill selection's first three numbers, each once, or else the
    // current invoice) and N21, N22 (the current receipt): the dialog's draft, or nullopt when nothing is
    // to be issued (after the message saying why, where the program has one).
    std::optional<WaybillDraft> openWaybill(WaybillKind kind, bool forReceipt, int row, const QDate& today);
    // OK in a waybill dialog: Stored (*number set), StayOpen after "Неправильные данные !", Refused when
    // the documents cannot share a waybill (the dialog closes).
    WaybillStore storeWaybill(const WaybillDraft& draft, int* number);

    // Find a document by number in the lists as they are loaded and filtered: list 0 the invoices (the
    // waybill lists follow), 1 the expense and 2 the tax waybills (the invoice and receipt lists follow),
    // 3 the acts.
    // -1 where a list stays; nothing found moves nothing and says nothing.
    struct FoundRows {
        int invoice = -1;
        int receipt = -1;
        int expense = -1;
        int tax = -1;
        int act = -1;
        // Not in the lists of the chosen client: the client whose lists hold it, to choose and look again.
        int client = 0;
    };
    FoundRows findDocument(int number, int list);
    // The last request, to fill the find dialog.
    int lastFindNumber() const { return m_lastFindNumber; }
    int lastFindList() const { return m_lastFindList; }

    // The question asked before the row of one of the lists is deleted, naming its document.
    QString deleteQuestion(const SqlListModel& list, int row) const;

    // A double click on an invoice: it joins the waybill selection.
    void pickForWaybill(int invoiceRow);

    // The invoice blank of the invoice at the row of the invoice list, filled as the preview and print
    // commands print it; nullopt after the message saying why not. forPreview: a row that holds no
    // invoice says that no invoice was written for it.
    std::optional<Page> invoicePage(int invoiceRow, bool forPreview, const OwnerRecord& owner,
                                    const Settings& settings, const QString& programFolder) const;

    // The editor's draft for one of its six commands, on the invoice or receipt at the row of its list;
    // nullopt after the message saying why not (no client, no such document).
    std::optional<InvoiceDraft> openEditor(EditorCommand command, int row, const Settings& settings,
                                           const QDate& today) const;
    // "Записать": the document stored, then, when the payer's details were typed in, the question whether
    // the client takes them. The number stored under; nullopt (the editor stays open) after
    // "Неправильные данные (невозможно сохранить изменения)!".
    std::optional<int> storeEditor(const InvoiceDraft& draft, bool clientChanged, const Settings& settings);
    // The goods picker's items; the goods list's, on the question, takes a position.
    QStringList goodsPickerItems(const Settings& settings) const;
    void storeGoods(const DraftPosition& position);

    // The expense waybill blank of the waybill at the row of its list, for preview or print (an incomplete
    // waybill is not printed). nullopt after the message saying why not.
    std::optional<Page> expenseWaybillPage(int row, bool forPrint, const OwnerRecord& owner,
                                           const Settings& settings, const QString& programFolder) const;
    // The same for the tax waybill blank; a zero-rate waybill's VAT section is asked for.
    std::optional<Page> taxWaybillPage(int row, bool forPrint, const OwnerRecord& owner,
                                       const Settings& settings) const;

    // N14, N20, N27, N28: the register of the documents the lists are loaded with (one client's, or
    // every client's in the all-documents view) dated from .. to, into the file: the lines written, or
    // nullopt after the message saying why not. The lists, their filters and the client register stay as
    // they are.
    std::optional<int> writeRegister(RegisterKind kind, const QDate& from, const QDate& to,
                                     const QString& fileName);

    // The act editor's draft for a new act, a copy of the act at the row of the act list, or that act to be
    // edited, with the act it stands for (0 for a new one); nullopt after the message saying why not.
    struct ActEdit {
        ActDraft draft;
        int original = 0;
        int clientId = 0;
        QString clientName;
    };
    std::optional<ActEdit> openAct(ActCommand command, int row, const Settings& settings,
                                   const QDate& today) const;
    // "Записать": the act stored under the client; false (the editor stays open) after the message why not.
    bool storeAct(const ActEdit& edit, const ActDraft& draft);
    // The act blank of the act at the row of its list; nullopt after the message saying why not.
    std::optional<Page> actPage(int row, const OwnerRecord& owner, const Settings& settings) const;

private:
    // The payer's tax code typed in the editor passes its check, or is to be stored as typed.
    bool payerCodeAccepted(int clientId, const QString& taxCode);
    TDM& m_dm;
    Prompter& m_prompter;
    DocumentLists m_lists;
    GoodsList m_goods;
    int m_lastFindNumber = 0;
    int m_lastFindList = 0;
};

// "Документ № N не найден", in the named list when there is one: what the window's find and the command
// line's say alike.
QString DocumentNotFoundText(int number, const QString& list = {});
