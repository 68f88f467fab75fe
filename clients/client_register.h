#pragma once

#include "db/list_model.h"
#include "db/rows.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class TDM;

// The name and city filters of the client list. A value ending in "*" matches every text that begins
// with what stands before the star; letter case never matters.
struct ClientFilter {
    QString nameValue;
    QString cityValue;
    bool nameOn = false;
    bool cityOn = false;

    // The filter as the register has always written it, e.g. ID_NUMBER>1 AND FIRMNAME='Агро*'.
    QString text() const;
};

// The register's orders: the named indexes of CLIENTS, as the sort choices list them.
const QStringList& sortIndexNames();
// The order a click on a client list column title gives: empty when that column has no index.
QString indexOfColumn(const QString& column);

// Every client column a user sees, edits or looks in, in the table's order, with where it appears.
struct ClientColumn {
    const char* name;
    int listPosition; // its place in the client list under the documents tab; -1: not there
    int listWidth;    // its width there in pixels; 0: the grid's own
    int findPosition; // its place among the find dialog's fields; -1: not searched
    bool edited;      // edited in the register's panel, and so stored by SaveClient
};
const std::vector<ClientColumn>& clientColumns();

// The columns the register reads: the client's number and every edited column.
const QStringList& registerColumns();
// The client list's columns in their order.
std::vector<ClientColumn> clientListColumns();

// The client register: the clients (never the owner row) in the chosen order, through the filter.
class ClientRegister {
public:
    explicit ClientRegister(TDM& dm);

    SqlListModel& model() { return *m_model; }
    const SqlListModel& model() const { return *m_model; }

    void reload();
    // What the list shows: its filter and order.
    ListQuery query() const;
    const QString& sortIndex() const { return m_sortIndex; }
    void setSortIndex(const QString& indexName); // reloads
    const ClientFilter& filter() const { return m_filter; }
    void setFilter(const ClientFilter& filter); // reloads
    // The filter the next reload reads by; the list stays as it is until then.
    void presetFilter(const ClientFilter& filter) { m_filter = filter; }

    int idAt(int row) const;
    int rowOfId(int id) const;
    ClientRow clientAt(int row) const;

private:
    TDM& m_dm;
    std::unique_ptr<SqlListModel> m_model;
    QString m_sortIndex = QStringLiteral("FIRMA");
    ClientFilter m_filter;
};

// Stores a client: its row is updated, or inserted when it is not there. Only the columns the register
// edits are written; a client's other columns stay. Texts are cut to their columns. A new client whose
// number another workplace has taken meanwhile gets the next free one. The number stored under. Throws
// DbError.
int SaveClient(TDM& dm, const ClientRow& client, bool isNew = false);

// What the find dialog asks for: the text, the field (an index of findFields()) and the full-match box.
struct FindRequest {
    QString text;
    int field = 0;
    bool fullMatch = false;
};

// The fields a client search can look in, in the order of the find dialog's choices.
const QStringList& findFields();

struct FindResult {
    int row = -1;             // the matching client, or -1
    bool interrupted = false; // stopped by keepGoing
    int reachedRow = -1;      // when interrupted: where a search one client at a time would stand
};
// Looks for the first client from startRow on whose field contains the text (or equals it, with
// fullMatch), letter case ignored. keepGoing is asked before each stretch of rowsPerAsk clients; false
// stops the search.
FindResult FindClient(const ClientRegister& reg, int startRow, int field, const QString& text, bool fullMatch,
                      const std::function<bool()>& keepGoing = {}, int rowsPerAsk = 4096);

// Deletes every client the register shows, from the last one backwards, each with its documents in one
// transaction; the owner row stays. keepGoing is asked after each client. Returns how many were deleted.
// Throws DbError; the clients deleted before a failure stay deleted, whole.
int ClearRegister(TDM& dm, ClientRegister& reg, const std::function<bool()>& keepGoing = {});
