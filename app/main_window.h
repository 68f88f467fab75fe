#pragma once

#include "base/settings.h"
#include "app/widget_prompter.h"
#include "clients/client_register.h"
#include "clients/find_form.h"
#include "db/data_module.h"
#include "db/rows.h"
#include "documents/document_lists.h"

#include <QMainWindow>

#include <memory>

namespace Ui {
class TBuhForm;
}
class DBGrid;
class DBNavigator;
class QLineEdit;
class QMenu;
class ReportHolder;
class TNamesForm;

// The main window: owns the settings, the program folder, the data module, the client register, the
// document lists and the search and filter state for the whole run.
class TBuhForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TBuhForm(const QString& programFolder, Prompter* prompter = nullptr, QWidget* parent = nullptr);
    ~TBuhForm() override;

    bool OpenDatabase();
    void ReconnectAndRefresh();
    void RefreshClientDocuments();
    void ShowAllDocuments();
    void UpdateDocumentCommands();
    // Moves both waybill lists to a waybill naming the document first or second.
    void LocateWaybillsOfInvoice(int number);
    void LoadAndShowOwner();
    void FindClient(int field, const QString& text, bool fullMatch);

    const Settings& programSettings() const { return m_settings; }
    const OwnerRecord& ownerRecord() const { return m_owner; }
    TDM& dataModule() { return m_dm; }
    ClientRegister& clientRegister() { return m_register; }
    DocumentLists& documentLists() { return m_docs; }
    int currentClientId() const { return m_docs.currentClientId(); }
    bool isSearchActive() const { return m_searchActive; }
    QMenu* popupMenu(int number) const;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Start-up and the shell.
    void StartUpSequence();
    // ReconnectAndRefresh, standing on the given client afterwards (the first one when it is gone).
    void reconnectAndLocate(int id);
    void setupMenus();
    void setupGrids();
    void applyPrecision();
    void PC1Change(int index);
    void N6Click();
    ReportHolder* createInvoiceHolder();
    void N12Click();
    void N13Click();
    void N8Click();
    void showDocumentCaptions();
    void moveListsToLastRows();
    void deleteThroughNavigator(DBGrid* grid);

    // Client register tab and client list.
    void setupClientPanel();
    int currentClientRow() const;
    void locateClient(int id);
    void fillClientPanel();
    // The client as the panel shows it; row is the register row it was filled from.
    ClientRow clientFromPanel(int row) const;
    bool postClientEdits(int row);
    // Stores what was typed into the panel before the register is reopened or left; typing is never lost.
    void settleClientEdits(int row = -1);
    void setPanelDirty();
    void BitBtn4Click();
    void BitBtn5Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void SortRGClick(int item);
    void DBGrid1TitleClick(int logicalIndex);
    void clearRegister();
    void N3Click();
    void filterClients(bool byName);
    void N36Click();

    // Owner tab.
    void ShowOwnerRecord(const OwnerRecord& owner);
    void BitBtn1Click();
    void BitBtn8Click();

    std::unique_ptr<Ui::TBuhForm> ui;
    QString m_programFolder;
    WidgetPrompter m_widgetPrompter;
    Prompter* m_prompter;
    Settings m_settings;
    OwnerRecord m_owner;
    TDM m_dm;
    ClientRegister m_register;
    DocumentLists m_docs;
    QMenu* m_popups[5] = {};
    TNamesForm* m_namesForm = nullptr;
    bool m_started = false;
    int m_previousPage = 0;

    // Search and filter state, kept while the program runs.
    FindRequest m_lastFind;
    ClientFilter m_filter;
    bool m_searchActive = false;

    // The client being edited in the panel: dirty after typing; a new client has no row yet.
    bool m_panelDirty = false;
    bool m_fillingPanel = false;
    int m_newClientId = 0;
};
