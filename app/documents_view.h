#pragma once

#include "report/page.h"

#include <QObject>

#include <array>
#include <memory>

class DBGrid;
class ReportHolder;
class TBuhForm;
class TDataForm;
class TNumbersForm;
class TTovListForm;
class TTovarForm;
enum class ActCommand;
enum class EditorCommand;
enum class RegisterKind;
enum class WaybillKind;
namespace Ui {
class TBuhForm;
}

// The documents tab: the five lists and every command on them, from the widgets to the documents and
// payments controllers, and the blanks they make to the preview or the printer.
class DocumentsView : public QObject {
public:
    explicit DocumentsView(TBuhForm& window);
    ~DocumentsView() override;

    // The document lists' grids: invoices, receipts, expense and tax waybills, acts.
    std::array<DBGrid*, 5> grids() const;
    // The lists of the chosen client's documents, or of everyone's, each on its last row.
    void showClientDocuments();
    void showAllDocuments();
    void showCaptions();
    // Another workplace stored, changed or deleted documents: the lists read again, each on its row.
    void showStoredElsewhere();
    void updateCommands();
    // Moves both waybill lists to a waybill naming the document first or second.
    void locateWaybillsOf(int number);

    // The command table's handlers.
    void editDocument(EditorCommand command);
    void issueWaybill(WaybillKind kind, bool forReceipt);
    void printInvoice(bool preview);
    void printExpenseWaybill(bool preview);
    void printTaxWaybill(bool preview);
    void printAct(bool preview);
    // The act editor for a new act, a copy or the chosen act, then the act list on the stored act.
    void editAct(ActCommand command);
    void deleteAct();
    void writeRegister(RegisterKind kind);
    void findDocument();
    void openGoods();
    void filterByPeriod();
    void filterByNumbers();
    void filterUnpaid(bool on);
    void clearFilters();
    // A payment typed for the chosen invoice or act, or for the chosen client.
    void payInvoice();
    void payAct();
    void payClient();
    void importStatement();
    void writeDebtors();
    void printReconciliation();

private:
    void setupLists();
    void moveToLastRows();
    void deleteRow(DBGrid* grid);
    // number 0: the chosen client's own payment.
    void typePayment(int number, bool act);
    // The filter commands' marks and the list after a filter changed.
    void showInvoiceFilter();
    // After a store: the lists read again, the list on the stored document, found by its number column
    // (nullptr: the number is the list's key).
    void showStored(DBGrid* list, const char* numberColumn, int number);
    void showOrPrint(Pages pages, const QString& holderName, bool preview);
    TDataForm& dataForm();

    TBuhForm& w;
    Ui::TBuhForm* ui;
    TTovarForm* m_tovarForm;
    TDataForm* m_dataForm = nullptr;
    TNumbersForm* m_numbersForm;
    TTovListForm* m_tovListForm;
    // The last previewed or printed blank; the next one takes its place.
    std::unique_ptr<ReportHolder> m_holder;
    bool m_reloadDeferred = false; // another workplace's documents wait for a cell being typed into
};
