#pragma once

#include "db/list_queries.h"
#include "db/rows.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class RowInserter;
struct ColumnDef;
class TDM;
struct TableDef;

// What the layers above write and read: rows and named columns in, rows out; the statements stay here.

// A whole book filled in one write turn (an import, invented data): all or nothing, the engine's statistics
// brought up to date after. Its writers cut their own texts, so what costs every row (the size guards, the
// server's kept counts) steps aside until the end. Throws DbError, with nothing written.
void InBulkWriteTurn(TDM& dm, const std::function<void()>& work);
// Rows appended to one table within such a turn, values in the table's column order: texts cut to their
// columns, dates stored as dates. Throws DbError.
class TableRows {
public:
    TableRows(const TDM& dm, const TableDef& table);
    ~TableRows();
    TableRows(TableRows&&) noexcept;
    void append(const QVariantList& values);

private:
    std::unique_ptr<RowInserter> m_inserter;
};
// True when the book holds no client and no document, so invented data cannot mix into real books.
bool IsDatabaseEmpty(const TDM& dm);

// A stored row by its key column, every column of the table by name; nullopt when there is none.
std::optional<QVariantMap> ReadRowByKey(const TDM& dm, const TableDef& table, const ColumnDef& key,
                                        int number);

// The clients a list query selects, in its order: the named columns of each as text.
void ForEachClientColumns(const TDM& dm, const ListQuery& clients,
                          const std::vector<const ColumnDef*>& columns,
                          const std::function<void(const QStringList& texts)>& take);
// Writes the columns of a client under its number in one write turn, retried on a collision. A new
// client whose number went to another workplace's client meanwhile takes the next free number; a client
// gone meanwhile is written anew. The number it was stored under.
int StoreClientColumns(TDM& dm, int id, const RowColumns& client, bool isNew);

// The goods list: an empty row to be typed into (its key), every row as name and price, a row added.
qint64 AddEmptyGoods(TDM& dm);
std::vector<std::pair<QString, double>> ReadGoods(const TDM& dm);
void AddGoods(TDM& dm, const QString& name, double price);

// A waybill written with its columns (NAKL_NUMBER first) in one write turn, retried on a collision.
// When its number is taken, `taken` gives the number to use instead, or throws.
int StoreWaybillColumns(TDM& dm, const RowColumns& waybill, const std::function<int(int taken)>& whenTaken);

// An act written under the number its columns start with (ACT_NUMBER first): a new one (original 0) or
// over the act stored as original (anew when that one is gone), in one write turn, retried on a collision.
// False, with nothing written, when another act has that number.
bool StoreActColumns(TDM& dm, int original, const RowColumns& act);
// An act as stored, and its client; nothing when there is no act of that number.
struct StoredAct {
    ActDraft act;
    int clientId = 0;
};
std::optional<StoredAct> ReadAct(const TDM& dm, int number);
// One above the largest act number, at least 1.
int NextActNumber(const TDM& dm);

// The work done in one write turn of the book, begun again from the start when another workplace's write
// met it: the turn is taken, and committed or rolled back, here. Throws DbError, with nothing written.
void InOneWriteTurn(TDM& dm, const std::function<void()>& work);

// Payments written in one write turn, each under the next payment number; a statement line whose key is
// stored already is passed over (and so is a second line of the same key). The new clients are added
// first in the same turn, each under the next client number: a payment whose ID_NUMBER is -k is the k-th
// one's. The numbers given to the new payments, in order; the lines passed over get 0. Throws DbError,
// with nothing written.
std::vector<int> StorePayments(TDM& dm, const std::vector<PaymentRow>& payments,
                               const std::vector<ClientRow>& newClients = {});
// Which of these statement line keys the book holds already.
QSet<QString> StoredLineKeys(const TDM& dm, const QStringList& keys);
// What tells a client apart in a bank statement: its codes and accounts as stored.
struct ClientKeys {
    int id = 0;
    QString name, edrpou, taxCode, account, account2;
};
std::vector<ClientKeys> ReadClientKeys(const TDM& dm);
// The payments tied to an invoice (or, with acts, an act), added up in kopecks.
qint64 PaidKopecks(const TDM& dm, int number, bool act = false);
std::vector<PaymentRow> ReadClientPayments(const TDM& dm, int clientId);
// Each client's account up to a date (its documents and payments dated on or before it): what its invoices
// and acts charge and what it paid, in kopecks, and the oldest invoice or act not paid in full. Clients
// without a document or payment are left out; one client's with clientId above 0.
struct ClientBalance {
    int clientId = 0;
    QString name;
    qint64 charged = 0, paid = 0;
    int oldestNumber = 0; // 0: none
    bool oldestIsAct = false;
    QDate oldestDate;
};
std::vector<ClientBalance> ReadBalances(const TDM& dm, const QDate& date, int clientId = 0);
// A client's invoices and acts dated from one day to another, with what each charges in kopecks, by date,
// invoices before acts of a day, and by number.
struct ChargedDocument {
    int number = 0;
    bool act = false;
    QDate date;
    qint64 kopecks = 0;
};
std::vector<ChargedDocument> ReadChargedDocuments(const TDM& dm, int clientId, const QDate& from,
                                                  const QDate& to);

// The invoice or receipt as stored, held until the write turn ends on the server so that no one changes
// it in between; nullopt when it is gone.
std::optional<InvoiceRow> ReadDocumentForUpdate(const TDM& dm, int number);
// A document's named columns, written as a new row or over the stored one (false when it is gone).
void InsertDocumentColumns(TDM& dm, const RowColumns& document);
bool UpdateDocumentColumns(TDM& dm, int number, const RowColumns& document);
// A client's named columns written over its row.
void UpdateClientColumns(TDM& dm, int id, const RowColumns& client);

// The owner row, for an import that puts the book's own in its place.
void DeleteOwnerRow(TDM& dm);
