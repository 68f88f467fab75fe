#pragma once

#include "clients/client_export.h"
#include "clients/client_register.h"

#include <functional>
#include <optional>

class Prompter;
class TDM;

// The client register tab and the client list, without their widgets: the client being edited in the
// panel, which client becomes current after a change, the orders, the filters and the search.
// The window shows what this decides; nothing here needs a window.
class ClientsController {
public:
    ClientsController(TDM& dm, Prompter& prompter);

    ClientRegister& clientRegister() { return m_register; }
    const ClientRegister& clientRegister() const { return m_register; }

    // The panel now shows a stored client (or nothing): nothing is pending.
    void panelShown();
    // The user typed into the panel; typing into an empty register starts a new client.
    void panelEdited(int currentRow);
    bool isDirty() const { return m_dirty; }
    // The number a client started with "Добавить" (or by typing into an empty register) will get; 0 when
    // the panel shows a stored client.
    int newClientId() const { return m_newClientId; }

    // Stores the client typed into the panel over the register's row (or as the new client). False when it
    // could not be stored (the engine's words are shown), there is nothing to store it as, or the user
    // would not store an account or code that fails its check.
    bool post(int row, ClientRow typed);
    // Before the register is reopened, filtered, sorted, left or closed: typing is stored, never lost; a
    // new client nobody typed anything for is dropped, not stored empty.
    void settle(int row, const ClientRow& typed);
    // Leaving the tab or the program: typing is stored on the user's Yes only. True after No: nothing was
    // stored, and the panel is to show the stored client again.
    bool settleOnLeaving(int row, const ClientRow& typed);

    // "Добавить": true when the panel is to be emptied for a new client (after the question when there are
    // unsaved changes).
    bool startNewClient();
    // "Сохранить ": the client to stand on once the register is read again; nullopt when storing failed.
    std::optional<int> save(int row, const ClientRow& typed);
    // "Удалить" of the client at the row, after the question.
    struct Deletion {
        enum What { Nothing, NewClientDropped, ClientDeleted } what = Nothing;
        int standOn = 0; // after a deleted client: the next one, or the one before the last
    };
    Deletion deleteClient(int row);
    // Ctrl+Delete: after the question, every client the register shows goes with its documents.
    void clearRegister(const std::function<bool()>& keepGoing);

    // The sort choices' item, or a click on a column title (a column without an index reopens the
    // register as it was).
    void sortByItem(int item);
    void sortByColumn(int logicalColumn);

    // The name and city filters; their values are kept to fill the dialog next time.
    const ClientFilter& filter() const { return m_filter; }
    void applyFilter(bool byName, const QString& value);
    void removeFilters();
    // Clears the filters and their stored values, as every start does, before the book is read.
    void resetFilters();

    // The last search asked for, to fill the find dialog.
    const FindRequest& lastFind() const { return m_lastFind; }
    struct SearchOutcome {
        // The client to stand on: the match, the last client after "No" to starting again, or where an
        // interrupted search had reached; -1 (an empty register): stay.
        int row = -1;
        bool interrupted = false; // stopped by Esc ("Поиск прерван." has been shown)
    };
    // Looks from the start row on; when nothing is found, asks whether to start again from the first
    // client. keepGoing is asked between stretches of clients.
    SearchOutcome find(int startRow, const FindRequest& request, const std::function<bool()>& keepGoing);

    // N33: the fields and widths of the export dialog, kept for the run.
    ClientExportChoice& exportChoice() { return m_exportChoice; }
    // "Сохранить": appends the clients the list shows, in its order, with the chosen columns; false after
    // the message saying why. The list and its current client stay as they are.
    bool exportClients(const QString& fileName);

private:
    bool requisitesAccepted(const ClientRow& typed);
    TDM& m_dm;
    Prompter& m_prompter;
    ClientRegister m_register;
    ClientExportChoice m_exportChoice;
    ClientFilter m_filter;
    FindRequest m_lastFind;
    bool m_dirty = false;
    int m_newClientId = 0;
    int m_storedNewClientId = 0; // the number the last new client was stored under
};
