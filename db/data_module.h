#pragma once

#include "db/db_error.h"
#include "db/rows.h"
#include "db/sql_dialect.h"

#include <QDate>
#include <QHash>
#include <QSet>
#include <QString>

#include <optional>

class Prompter;
class QSqlDatabase;
class Driver;

// The data module: owns the database connection and the operations more than one window needs.
// The documents of a book, by kind.
struct DocumentCounts {
    int invoices = 0, receipts = 0, expenseWaybills = 0, taxWaybills = 0, acts = 0, payments = 0;
};

// Engine failures surface as DbError; a document or row that is not there reads as 0.
class TDM {
public:
    static constexpr int kSchemaVersion = 8;

    TDM();
    ~TDM();
    TDM(const TDM&) = delete;
    TDM& operator=(const TDM&) = delete;

    // The version of the embedded engine the program runs on ("3.40.1"), for the about box.
    static QString engineVersion();
    static QString databaseFile(const QString& folder);
    // "Файл базы данных не найден: …" of the folder's book.
    static QString missingBookText(const QString& folder);
    // "Не найдены данные о владельце программы! Значения по умолчанию."
    static QString ownerMissingText();
    static bool databaseExists(const QString& folder);
    // A first start's book: none in the folder, or one that holds nothing yet (no owner's details, no
    // clients, no documents, no goods). A book that cannot be read is not one.
    static bool isFreshBook(const QString& folder);
    // The same, read through dm: a book in use is left open in it, for the start to go on with.
    static bool isFreshBook(const QString& folder, TDM& dm);
    // Why a database file cannot stand for a book: what the engine's check found, or a table of the book it
    // lacks; empty when it can (an older book, which opening brings up to date, included).
    static QString bookFileProblem(const QString& file);
    // Why a copy of a book, of these columns by table (upper case) and this schema version, could not be
    // opened as the book; empty when it could.
    static QString copyProblem(const QHash<QString, QSet<QString>>& columns, int version);
    // Makes the folder and an empty database in it, all tables and indexes, in one transaction.
    // Throws DbError when the folder cannot be made or a database is already there.
    static void createDatabase(const QString& folder);

    // Connects to the database in the folder, or when a book is named (postgresql://…), to that
    // PostgreSQL book; brings its tables up to date. The folder stays the home of backups. Throws DbError.
    void connect(const QString& folder, const QString& book = {});
    // Makes the tables of an empty book in the PostgreSQL database the URI names. Throws DbError.
    static void createPostgresBook(const QString& uri);
    // Whether the PostgreSQL database the URI names holds a book's tables. Throws DbError.
    static bool postgresBookExists(const QString& uri);
    void disconnect();
    bool isConnected() const;
    // Nothing can be stored: the file is write-protected, or its folder cannot take the engine's journal.
    bool isReadOnly() const;
    // The whole open book checked, however long it takes: SQLite's full check of every page, index and
    // constraint; on the server, every value of every table read once. Empty when nothing was found, else
    // what was found first.
    QString wholeBookProblem() const;
    const QString& folder() const { return m_folder; }
    // The PostgreSQL book in use; empty for the SQLite file of the folder.
    const QString& book() const { return m_book; }
    bool isPostgres() const { return !m_book.isEmpty(); }
    // The SQL of the book's engine, chosen when the book is opened.
    const SqlDialect& dialect() const;

    QDate GetFactDate(int number) const;
    int GetFactClient(int number) const;
    int GetFactNds(int number) const;
    QDate LatestFactDate(int a, int b, int c) const;
    bool SameFactClient(int a, int b, int c) const;
    bool SameFactNds(int a, int b, int c) const;
    // The first waybill of the table (NAKLADN1 or NAKLADN2) written for the invoice; 0 when there is none.
    int WaybillOfInvoice(const char* table, int invoice) const;

    // The invoice or receipt with that number; nullopt when there is none.
    std::optional<InvoiceRow> ReadDocument(int number) const;
    // The expense waybill with that number; nullopt when there is none.
    std::optional<ExpenseWaybillRow> ReadExpenseWaybill(int number) const;
    std::optional<TaxWaybillRow> ReadTaxWaybill(int number) const;
    // The client row with that number (the owner's, 1, included); nullopt when there is none.
    std::optional<ClientRow> ReadClient(int id) const;

    int NextFactNumber() const;
    int NextReceiptNumber() const;
    int NextNakl1Number() const;
    int NextNakl2Number() const;
    int NextClientNumber() const;

    // Fills the record from the owner row; a missing row is warned about and created from the record.
    void LoadOwnerRecord(OwnerRecord& owner, Prompter* prompter);
    // Reads the owner row into the record; false (record untouched) when there is no owner row.
    bool ReadOwnerRow(OwnerRecord& owner) const;
    void SaveOwnerRecord(const OwnerRecord& owner);

    // Removes the client's acts, invoices and receipts, expense and tax waybills: all or none.
    void DeleteClientDocuments(int clientId);
    // Empties the five document tables (acts, invoices and receipts, both kinds of waybill, payments) at
    // once, their structure and indexes kept; clients and goods stay. All or nothing.
    void ClearDocumentTables();
    // What the clearing would delete, or a client's deletion (clientId above 0).
    DocumentCounts CountDocuments(int clientId = 0) const;
    // The rows of every table but the owner's: 0 in a book that holds nothing yet; and whether there is one
    // at all, found without counting.
    int CountRowsBesideOwner() const;
    bool HoldsRowsBesideOwner() const;
    // The documents and the client's own row together. The owner row (1) is never deleted this way.
    void DeleteClient(int clientId);

    // Whether the book has an index of that name (letter case aside).
    bool hasIndex(const QString& name) const;
    // After a bulk write (a filled, imported or copied book): the engine's statistics brought up to date.
    void refreshStatistics();

private:
    friend QSqlDatabase ConnectionOf(const TDM& dm);
    QSqlDatabase database() const;
    // Every table there, a schema this program knows, brought up to date.
    void checkBook();
    int lookupInt(const char* column, int number) const;
    bool sameLookup(const char* column, int a, int b, int c) const;
    int nextNumber(const QString& sql, int step) const;

    QString m_connectionName;
    QString m_folder;
    QString m_book;
    const Driver* m_driver = nullptr;
    bool m_connected = false;
};

// Copies a file in blocks. False when it could not be copied whole; a partial copy is removed.
bool CopyDataFile(const QString& source, const QString& destination);

// The connection under the book, for db/ and the tests: the layers above speak to the book through its
// stores (a test keeps them from reaching for it). Throws DbError when no book is open.
QSqlDatabase ConnectionOf(const TDM& dm);
