#pragma once

#include "base/settings.h"
#include "clients/clients_controller.h"
#include "clients/owner_details.h"
#include "db/book_notifier.h"
#include "db/data_module.h"
#include "documents/documents_controller.h"
#include "maintenance/book_start.h"
#include "maintenance/maintenance_controller.h"
#include "payments/payments_controller.h"
#include "widgets/widget_prompter.h"

#include "db/list_queries.h"

#include <QMainWindow>

#include <functional>
#include <optional>

#include <memory>

namespace Ui {
class TBuhForm;
}
class DBGrid;
class QMenu;
class TNamesForm;
class TTovarForm;
class TDataForm;
class TNumbersForm;
class TTovListForm;
class ReportHolder;
class ElidedLabel;
enum class EditorCommand;
enum class WaybillKind;

// The main window: owns the settings, the program folder and the data module for the run, and wires its
// widgets to the controllers that decide (clients, owner, documents).
// What an edit of a CLIENTS column takes: the column's characters, and for an account the blanks between
// its groups of four (it is stored compact).
int TypedColumnLength(const QString& column);

class TBuhForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TBuhForm(const QString& programFolder, Prompter* prompter = nullptr, QWidget* parent = nullptr);
    ~TBuhForm() override;

    // The book of this run (--book) instead of docmar.ini's; empty: the SQLite file. Before the window shows.
    void useBookOfThisRun(const QString& book) { m_bookOfThisRun = book; }
    bool OpenDatabase();
    void ReconnectAndRefresh();
    void RefreshClientDocuments();
    void ShowAllDocuments();
    void UpdateDocumentCommands();
    // Another workplace stored, changed or deleted documents: the lists read again, each on its row.
    void ShowDocumentsStoredElsewhere();
    // Moves both waybill lists to a waybill naming the document first or second.
    void LocateWaybillsOfInvoice(int number);
    void LoadAndShowOwner();
    void FindClient(int field, const QString& text, bool fullMatch);

    const Settings& programSettings() const { return m_settings; }
    const OwnerRecord& ownerRecord() const { return m_owner.record(); }
    TDM& dataModule() { return m_dm; }
    ClientRegister& clientRegister() { return m_clients.clientRegister(); }
    DocumentLists& documentLists() { return m_documents.lists(); }
    int currentClientId() const { return m_documents.lists().currentClientId(); }
    bool isSearchActive() const { return m_searchActive; }
    QMenu* popupMenu(int number) const;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Start-up and the shell.
    void StartUpSequence();
    // ReconnectAndRefresh, standing on the given client afterwards (the first one when it is gone).
    void reconnectAndLocate(int id);
    // What the user has chosen: the client (or every client's documents) and a document in each list.
    struct Chosen {
        int client = 0;
        bool allDocuments = false;
        std::array<qint64, 5> documents{-1, -1, -1, -1, -1};
    };
    Chosen chosen();
    // The same choice again, after the lists were read anew, as far as the book still holds it.
    void chooseAgain(const Chosen& chosen);
    void setupMenus();
    void setupGrids();
    void applyPrecision();
    void PC1Change(int index);
    void N6Click(); // the settings dialog
    void applyInterfaceLanguage();
    void showCaption();
    void printInvoice(bool preview);
    void printExpenseWaybill(bool preview);
    void printTaxWaybill(bool preview);
    void printAct(bool preview);
    // A payment typed for the chosen invoice or act (number 0: the chosen client's own payment).
    void typePayment(int number, bool act);
    void importStatement();
    void writeDebtors();
    void printReconciliation();
    void showOrPrint(Pages pages, const QString& holderName, bool preview);
    // The act editor for a new act, a copy or the chosen act, then the act list on the stored act.
    void editAct(ActCommand command);
    // After a store: the lists read again, the list on the stored document, found by its number column
    // (nullptr: the number is the list's key).
    void showStored(DBGrid* list, const char* numberColumn, int number);
    // The document lists' grids: invoices, receipts, expense and tax waybills, acts.
    std::array<DBGrid*, 5> documentGrids() const;
    // N9, N10, N11, N17, N18, N19: the editor, then the lists on the stored document.
    void editDocument(EditorCommand command);
    // N15, N16, N21, N22: a waybill dialog, then the waybill list on the new waybill.
    void issueWaybill(WaybillKind kind, bool forReceipt);
    void N4Click();                        // find a document by number
    void writeRegister(RegisterKind kind); // N14, N20, N27, N28
    void N30Click();                       // the date filter of the invoice list
    void N31Click();                       // the number filter
    void N32Click();                       // both filters off
    // The filter commands' marks and the list after a filter changed.
    void showInvoiceFilter();
    void N8Click(); // the about box
    void showDocumentCaptions();
    void moveListsToLastRows();
    void deleteThroughNavigator(DBGrid* grid);

    // Client register tab and client list.
    void setupClientPanel();
    void fitPanelLabels();
    int currentClientRow() const;
    void locateClient(int id);
    void followCurrentClient();
    void fillClientPanel();
    // "На …: начислено …, оплачено …, долг …" under the client's details.
    void showClientBalance();
    // The client as the panel shows it.
    ClientRow clientFromPanel() const;
    void settleClientEdits(int row = -1);
    // Leaving the client tab or the program: unsaved typing is stored or dropped as the user says.
    void leaveClientPanel();
    void panelEdited();
    void BitBtn4Click(); // add
    void BitBtn5Click(); // delete
    void BitBtn2Click(); // save
    void BitBtn3Click(); // cancel
    void SortRGClick(int item);
    void DBGrid1TitleClick(int logicalIndex);
    void clearRegister();
    void N3Click(); // the find dialog
    void filterClients(bool byName);
    void N36Click(); // remove the filters

    // Owner tab.
    void ShowOwnerRecord(const OwnerRecord& owner);
    void settleOwnerEdits();
    void importParadoxBook(const QString& folder);
    // A first start: one question with every way to begin; true when a book is there to open.
    bool welcome();
    QString chooseParadoxFolder();
    // Makes the folder's book when there is none, connects to it and fills it: the demonstration data, or
    // the Paradox tables of the folder given. False after the message.
    bool startBook(BookStart how, bool withOwnerRow, const QString& paradoxFolder);
    void BitBtn6Click(); // the backup
    // The backup, the window brought back, and what was copied said; true when every file was.
    // tag: what the copy is kept for (a clearing's copy is never pruned).
    bool backUpBook(const QString& tag = {});
    // The book in use and where its copies go; a server book only while it is open.
    BookPlace placeInUse() const;
    // The result of a command that has no message of its own, on the status bar; composed again when the
    // interface changes its language.
    void say(std::function<QString()> text);
    // The book and what it holds, on the status bar.
    void sayBook();
    void BitBtn7Click(); // the clearing
    void RestoreClick(); // a backup copy in place of the book
    void showProgressPanel(const QString& caption);
    void forgetDatabase();
    bool createDatabaseOnOffer();
    OwnerRecord ownerFromTab() const;

    std::unique_ptr<Ui::TBuhForm> ui;
    QString m_programFolder;
    std::optional<QString> m_bookOfThisRun;
    // The PostgreSQL book in use, or empty for the SQLite file of PATH.
    QString bookInUse() const { return m_bookOfThisRun ? *m_bookOfThisRun : m_settings.book; }
    WidgetPrompter m_widgetPrompter;
    Prompter* m_prompter;
    Settings m_settings;
    TDM m_dm;
    OwnerDetails m_owner;
    ClientsController m_clients;
    DocumentsController m_documents;
    MaintenanceController m_maintenance;
    PaymentsController m_payments;
    BookNotifier m_notifier;
    ElidedLabel* m_statusLine = nullptr;
    std::function<QString()> m_said;
    bool m_listsReloadDeferred = false; // another workplace's documents wait for a cell being typed into
    static constexpr int kPopupMenus = 6;
    QMenu* m_popups[kPopupMenus] = {};
    TNamesForm* m_namesForm = nullptr;
    TTovarForm* m_tovarForm = nullptr;
    TDataForm* m_dataForm = nullptr;
    TNumbersForm* m_numbersForm = nullptr;
    TTovListForm* m_tovListForm = nullptr;
    // The last previewed or printed blank; the next one takes its place.
    std::unique_ptr<ReportHolder> m_holder;
    bool m_started = false;
    bool m_welcomeOffered = false;
    bool m_folderWasMissing = false;
    int m_previousPage = 0;
    bool m_searchActive = false;
    bool m_fillingPanel = false;
};
