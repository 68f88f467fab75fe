#pragma once

#include "base/settings.h"
#include "clients/clients_controller.h"
#include "clients/owner_details.h"
#include "db/book_notifier.h"
#include "db/data_module.h"
#include "documents/documents_controller.h"
#include "maintenance/maintenance_controller.h"
#include "payments/payments_controller.h"
#include "widgets/widget_prompter.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>
#include <optional>

namespace Ui {
class TBuhForm;
}
class ClientsView;
class DocumentsView;
class ElidedLabel;
class OwnerView;
class QMenu;
class StartFlow;

// What an edit of a CLIENTS column takes: the column's characters, and for an account the blanks between
// its groups of four (it is stored compact).
int TypedColumnLength(const QString& column);

// The main window: owns the settings, the program folder and the data module for the run, and wires its
// tabs' views (documents, clients, owner) and the command table to the controllers that decide.
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
    void LoadAndShowOwner();
    void FindClient(int field, const QString& text, bool fullMatch);

    const Settings& programSettings() const { return m_settings; }
    const OwnerRecord& ownerRecord() const { return m_owner.record(); }
    TDM& dataModule() { return m_dm; }
    ClientRegister& clientRegister() { return m_clients.clientRegister(); }
    DocumentLists& documentLists() { return m_documents.lists(); }
    int currentClientId() const { return m_documents.lists().currentClientId(); }
    bool isSearchActive() const;
    QMenu* popupMenu(int number) const;

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The tabs' views are parts of the window: they share its book, settings and status line.
    friend class ClientsView;
    friend class DocumentsView;
    friend class OwnerView;
    friend struct WindowCommands;

    // The settings read, the book opened (or a first start welcomed) and shown.
    void startUp();
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
    // A fresh start after the book was replaced or emptied, on the choice made before as far as it stands.
    void startAgain(const Chosen& before);
    void applyPrecision();
    void tabChanged(int index);
    void editSettings();
    void applyInterfaceLanguage();
    void showCaption();
    void showAbout();
    void forgetDatabase();
    // How a book begins here: the welcome, the offer of a new one, an import.
    StartFlow startFlow();
    // The result of a command that has no message of its own, on the status bar; composed again when the
    // interface changes its language.
    void say(std::function<QString()> text);
    // The book and what it holds, on the status bar.
    void sayBook();
    // The book opened (unless it already is, by this start) and every list read from it.
    bool openDatabase(bool alreadyOpen);
    // The PostgreSQL book in use, or empty for the SQLite file of PATH.
    QString bookInUse() const { return m_bookOfThisRun ? *m_bookOfThisRun : m_settings.book; }

    std::unique_ptr<Ui::TBuhForm> ui;
    QString m_programFolder;
    std::optional<QString> m_bookOfThisRun;
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
    std::unique_ptr<DocumentsView> m_documentsView;
    std::unique_ptr<ClientsView> m_clientsView;
    std::unique_ptr<OwnerView> m_ownerView;
    ElidedLabel* m_statusLine = nullptr;
    std::function<QString()> m_said;
    quint64 m_sayings = 0; // how many results the status bar has been given
    // The book is said once the window has first been painted (on a large book its counts cost more than
    // the rest of a start); waiting: the window has not been painted yet.
    enum class FirstPaint { Ahead, Waiting, Done } m_firstPaint = FirstPaint::Ahead;
    quint64 m_bookWaitsFrom = 0; // the sayings by then: a later one stands
    static constexpr int kPopupMenus = 6;
    std::array<QMenu*, kPopupMenus> m_popups{};
    bool m_started = false;
    bool m_welcomeOffered = false;
    bool m_folderWasMissing = false;
    int m_previousPage = 0;
};
