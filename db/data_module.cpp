#include "db/data_module.h"

#include "base/settings.h"

#include "base/prompter.h"
#include "base/whole_file.h"
#include "db/driver.h"
#include "db/list_queries.h"
#include "db/postgres/pg_schema.h"
#include "db/sql_dialect.h"
#include "db/sqlite/sqlite_driver.h"
#include "db/tables.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QSqlQuery>
#include <QSqlRecord>

#include <atomic>
#include <iterator>

void refreshStatistics(const QSqlDatabase& db);

namespace {

// The table's columns, upper case; none when the table is not there.
QSet<QString> columnsOf(const QSqlDatabase& db, const QString& table)
{
    QSet<QString> present;
    Rows q = execOrThrow(db, SqlDialect::of(db).columnNamesSql(), {table});
    while (q.next())
        present.insert(q.value(0).toString().toUpper());
    return present;
}

// Each table's columns, read once for the checks of an opening.
using BookColumns = QHash<QString, QSet<QString>>;
BookColumns bookColumns(const QSqlDatabase& db)
{
    BookColumns columns;
    for (const TableDef* t : Tables::all())
        columns.insert(QLatin1String(t->name), columnsOf(db, QLatin1String(t->name)));
    return columns;
}

// Every column the program reads or writes is there, but those named "TABLE.COLUMN" that an upgrade step
// adds; a missing one is named, and the book not used.
void checkColumns(const BookColumns& columns, const QStringList& addedByUpgrade = {})
{
    for (const TableDef* t : Tables::all()) {
        const QSet<QString> present = columns.value(QLatin1String(t->name));
        for (const ColumnDef& c : t->columns)
            if (!present.contains(QString::fromLatin1(c.name).toUpper()) &&
                !addedByUpgrade.contains(QLatin1String(t->name) + u'.' + QLatin1String(c.name)))
                throw DbError(QCoreApplication::translate(
                                  "TDM",
                                  "В таблице %1 базы данных нет столбца %2: база данных повреждена или "
                                  "создана другой программой.")
                                  .arg(QLatin1String(t->name), QLatin1String(c.name)));
    }
}

bool hasColumn(const QSqlDatabase& db, const QString& table, const QString& column)
{
    return columnsOf(db, table).contains(column.toUpper());
}

int schemaVersion(const QSqlDatabase& db)
{
    return scalar(db, SqlDialect::of(db).schemaVersionSql()).toInt();
}

// What a schema step asks of the engine at hand.
class SchemaChange {
public:
    explicit SchemaChange(const QSqlDatabase& db)
        : m_db(db)
        , m_dialect(SqlDialect::of(db))
    {
    }
    // A column the table gained after books were made; the old rows get `initial`.
    void addColumn(const TableDef& table, const char* column, const QVariant& initial = {})
    {
        const QString name = QLatin1String(table.name);
        if (hasColumn(m_db, name, QLatin1String(column)))
            return;
        run({m_dialect.addColumnSql(table, *table.column(QLatin1String(column)))});
        if (initial.isValid())
            execOrThrow(m_db, QStringLiteral("UPDATE %1 SET %2=?").arg(name, QLatin1String(column)),
                        {initial});
    }
    // The indexes a schema version brought.
    void createIndexes(int version) { run(m_dialect.versionIndexSql(version)); }
    // Every text cut to its column's size as the tables give the sizes now.
    void remakeSizeGuards() { run(m_dialect.sizeGuardSql()); }
    void setVersion(int version) { run({m_dialect.setVersionSql(version)}); }
    // The texts' order keys stored beside them, and the indexes by a text over those.
    void storeOrderKeys() { run(m_dialect.storedKeysSql()); }
    // The whole lists' counts kept as the tables are written.
    void keepRowCounts() { run(m_dialect.rowCountSql()); }

private:
    void run(const QStringList& statements)
    {
        for (const QString& sql : statements)
            execOrThrow(m_db, sql);
    }
    QSqlDatabase m_db;
    const SqlDialect& m_dialect;
};

// The ordered steps that bring a book up to this program's schema, the same on both engines.
// Version 1: the invoice table's later columns (the advertising tax, 0 on the old rows, and the number's
// suffix), the named and the lists' indexes, the size guards.
void upgradeToVersion1(SchemaChange& c)
{
    c.addColumn(Tables::factures(), "FACT_NR", 0);
    c.addColumn(Tables::factures(), "FACT_DOPNO");
    c.createIndexes(1);
    c.remakeSizeGuards();
}

// Version 2: the waybills by their second and third document, the all-documents orders.
void upgradeToVersion2(SchemaChange& c)
{
    c.createIndexes(2);
}

// Version 3: the accounts hold an IBAN; the guards follow the wider columns.
void upgradeToVersion3(SchemaChange& c)
{
    c.remakeSizeGuards();
}

// Version 4: on a server, the lists' orders by a text read a stored key instead of working it out for
// every row they pass.
void upgradeToVersion4(SchemaChange& c)
{
    c.storeOrderKeys();
}

// Version 5: on a server, the whole lists are counted by reading the counts it keeps, not by walking an
// index of every document.
void upgradeToVersion5(SchemaChange& c)
{
    c.keepRowCounts();
}

// Version 6: on a server, the counting functions that run as the book's owner write only the book's own
// table (never one a role made for itself), and only the owner's bulk write goes uncounted.
void upgradeToVersion6(SchemaChange& c)
{
    c.keepRowCounts();
}

// Version 7: on a server, the acts are counted too, now that a list shows them.
void upgradeToVersion7(SchemaChange& c)
{
    c.keepRowCounts();
}

// Version 8: the payments table takes what a payment needs (the document it pays, the bank's document, the
// payer, its source and a statement line's key) and the indexes that find a client's or a document's
// payments.
constexpr const char* kPaymentColumnsOfVersion8[] = {"FACT_NUMBER", "ACT_NUMBER", "BANK_NUMBER",
                                                     "BANK_DATA",   "PAYER_NAME", "PAYER_CODE",
                                                     "PAYER_IBAN",  "SOURCE",     "LINE_KEY"};
void upgradeToVersion8(SchemaChange& c)
{
    for (const char* column : kPaymentColumnsOfVersion8)
        c.addColumn(Tables::plateg(), column);
    c.createIndexes(8);
    c.remakeSizeGuards();
}

using UpgradeStep = void (*)(SchemaChange&);
constexpr UpgradeStep kUpgradeSteps[] = {upgradeToVersion1, upgradeToVersion2, upgradeToVersion3,
                                         upgradeToVersion4, upgradeToVersion5, upgradeToVersion6,
                                         upgradeToVersion7, upgradeToVersion8};
static_assert(std::size(kUpgradeSteps) == TDM::kSchemaVersion, "a step for every schema version");

QStringList columnsAddedByUpgrade()
{
    QStringList added{QStringLiteral("FACTURES.FACT_NR"), QStringLiteral("FACTURES.FACT_DOPNO")};
    for (const char* column : kPaymentColumnsOfVersion8)
        added << QStringLiteral("PLATEG.") + QLatin1String(column);
    return added;
}

// Each step whole or not at all, under the write turn so that two programs never upgrade at once; an error
// stops the opening with the engine's words.
void upgradeBook(const QSqlDatabase& db)
{
    for (int version = schemaVersion(db) + 1; version <= TDM::kSchemaVersion; ++version) {
        Transaction tx(db, Transaction::Writing);
        if (schemaVersion(db) < version) {
            SchemaChange change(db);
            kUpgradeSteps[version - 1](change);
            change.setVersion(version);
        }
        tx.commit();
    }
    refreshStatistics(db);
}

QString newerBook(int version)
{
    return QCoreApplication::translate("TDM",
                                       "База данных записана более новой версией программы (версия %1, эта "
                                       "программа знает версии до %2). Она не открыта, чтобы ничего в ней не "
                                       "испортить.")
        .arg(version)
        .arg(TDM::kSchemaVersion);
}

} // namespace

TDM::TDM()
{
    static std::atomic<int> counter{0};
    m_connectionName = QStringLiteral("docmar-%1").arg(++counter);
}

TDM::~TDM()
{
    disconnect();
}

QString TDM::missingBookText(const QString& folder)
{
    return MissingBookText(databaseFile(folder));
}

QString TDM::ownerMissingText()
{
    return QCoreApplication::translate("TDM",
                                       "Не найдены данные о владельце программы! Значения по умолчанию.");
}

QString TDM::engineVersion()
{
    return SqliteDriver().version();
}

QString TDM::databaseFile(const QString& folder)
{
    return QDir(folder).filePath(QStringLiteral("docmar.db"));
}

bool TDM::databaseExists(const QString& folder)
{
    const QFileInfo info(databaseFile(folder));
    if (!info.exists())
        return false;
    // An empty file, or one of the engine without a single table, is what a creation cut short leaves:
    // it holds nothing and is no database. Anything else, damaged or foreign, is never taken for none.
    return !info.isFile() || (info.size() > 0 && !hasNoTables(info.filePath()));
}

bool TDM::isFreshBook(const QString& folder)
{
    TDM dm;
    return isFreshBook(folder, dm);
}

bool TDM::isFreshBook(const QString& folder, TDM& dm)
{
    dm.disconnect();
    if (!databaseExists(folder))
        return true;
    try {
        dm.connect(folder);
        // The owner's details first: any book in use has them, and they cost one row to read.
        OwnerRecord owner;
        if ((dm.ReadOwnerRow(owner) && owner != OwnerRecord{}) || dm.HoldsRowsBesideOwner())
            return false;
    } catch (const DbError&) {
        dm.disconnect();
        return false;
    }
    // What a first start does with it is not done through this connection.
    dm.disconnect();
    return true;
}

QString TDM::copyProblem(const QHash<QString, QSet<QString>>& columns, int version)
{
    // What opening it as the book would refuse: a table or a column missing (but for those an upgrade
    // adds), a newer program's book.
    for (const TableDef* t : Tables::all())
        if (columns.value(QLatin1String(t->name)).isEmpty())
            return QCoreApplication::translate("TDM", "в копии нет таблицы %1").arg(QLatin1String(t->name));
    if (version > kSchemaVersion)
        return newerBook(version);
    try {
        checkColumns(columns, version < kSchemaVersion ? columnsAddedByUpgrade() : QStringList{});
    } catch (const DbError& e) {
        return e.message();
    }
    return {};
}

QString TDM::bookFileProblem(const QString& file)
{
    if (QString problem = integrityProblem(file); !problem.isEmpty())
        return problem;
    const QString name = QStringLiteral("docmar-book-check");
    QString problem;
    try {
        const QSqlDatabase db = openSqliteFile(file, name, false);
        problem = copyProblem(bookColumns(db), schemaVersion(db));
    } catch (const DbError& e) {
        problem = e.fullText();
    }
    closeConnection(name);
    return problem;
}

void TDM::createDatabase(const QString& folder)
{
    if (const QString foreign = ForeignFolderProblem(QStringLiteral("PATH"), folder); !foreign.isEmpty())
        throw DbError(foreign);
    if (!QDir().mkpath(folder))
        throw DbError(QCoreApplication::translate("TDM", "Не удалось создать каталог %1")
                          .arg(QDir::toNativeSeparators(folder)));
    const QString file = databaseFile(folder);
    if (databaseExists(folder))
        throw DbError(QCoreApplication::translate("TDM", "База данных уже существует: %1").arg(file));
    // Made whole under a name of its own, then put in place in one step: a creation that is cut short
    // (a full disk, a killed process) never leaves a docmar.db behind.
    const QString temp = file + QStringLiteral(".new-%1").arg(QCoreApplication::applicationPid());
    const auto removeTemp = [&temp] {
        QFile::remove(temp);
        QFile::remove(temp + QStringLiteral("-journal"));
    };
    removeTemp();
    // What creations killed before this one left behind goes too; a running one's file stays.
    const QString stalePattern = QFileInfo(file).fileName() + QStringLiteral(".new-*");
    for (const QFileInfo& stale : QDir(folder).entryInfoList({stalePattern}, QDir::Files)) {
        bool ok = false;
        const qint64 pid = stale.fileName().section(u'-', 1, 1).toLongLong(&ok);
        if (ok && ProcessIsGone(pid))
            QFile::remove(stale.filePath());
    }
    const QString name = QStringLiteral("docmar-create");
    try {
        {
            QSqlDatabase db = openSqliteFile(temp, name, true);
            {
                Transaction tx(db);
                for (const QString& sql : schemaSql())
                    execOrThrow(db, sql);
                execOrThrow(db, QStringLiteral("PRAGMA user_version=%1").arg(kSchemaVersion));
                tx.commit();
            }
            db.close();
        }
        closeConnection(name);
        placeNewFile(temp, file);
    } catch (const DbError&) {
        closeConnection(name);
        removeTemp();
        throw;
    }
}

void TDM::createPostgresBook(const QString& uri)
{
    const QString name = QStringLiteral("docmar-create");
    try {
        {
            QSqlDatabase db = PostgresSchema::openBook(uri, name);
            Transaction tx(db);
            if (PostgresSchema::hasTables(db))
                throw DbError(QCoreApplication::translate("TDM", "База данных уже существует: %1").arg(uri));
            for (const QString& sql : PostgresSchema::createSql())
                execOrThrow(db, sql);
            tx.commit();
        }
        closeConnection(name);
    } catch (const DbError&) {
        closeConnection(name);
        throw;
    }
}

bool TDM::postgresBookExists(const QString& uri)
{
    const QString name = QStringLiteral("docmar-probe");
    bool exists = false;
    try {
        exists = PostgresSchema::hasTables(PostgresSchema::openBook(uri, name));
    } catch (const DbError&) {
        closeConnection(name);
        throw;
    }
    closeConnection(name);
    return exists;
}

void TDM::connect(const QString& folder, const QString& book)
{
    disconnect();
    if (!book.isEmpty()) {
        PostgresSchema::openBook(book, m_connectionName);
    } else {
        if (const QString foreign = ForeignFolderProblem(QStringLiteral("PATH"), folder); !foreign.isEmpty())
            throw DbError(foreign);
        openSqliteFile(databaseFile(folder), m_connectionName, false);
        // No output of the program ever lands on the book, its journals or its backups.
        const QString file = databaseFile(folder);
        for (const QString& kept : {file, file + QStringLiteral("-journal"), file + QStringLiteral("-wal"),
                                    file + QStringLiteral("-shm"), writerQueueFile(file),
                                    QDir(folder).filePath(QStringLiteral("BackUp"))})
            KeepFromOutput(kept);
    }
    m_folder = folder;
    m_book = book;
    m_driver = &Driver::of(QSqlDatabase::database(m_connectionName, false));
    m_connected = true;
    try {
        checkBook();
    } catch (const DbError&) {
        disconnect();
        throw;
    }
}

void TDM::checkBook()
{
    const QSqlDatabase db = database();
    // An empty database on the server is a book not made yet, not a damaged one.
    if (isPostgres() && !PostgresSchema::hasTables(db))
        throw DbError(QCoreApplication::translate("TDM",
                                                  "В базе данных %1 ещё нет книги: создайте её командой "
                                                  "\"docmar init-db --book %1\" или перенесите в неё книгу "
                                                  "командой \"docmar copy-book --to %1\".")
                          .arg(m_book));
    BookColumns columns = bookColumns(db);
    for (const TableDef* t : Tables::all())
        if (columns.value(QLatin1String(t->name)).isEmpty())
            throw DbError(QCoreApplication::translate("TDM", "В базе данных нет таблицы %1")
                              .arg(QLatin1String(t->name)));
    const int version = schemaVersion(db);
    if (version > kSchemaVersion)
        throw DbError(newerBook(version));
    // A book the program cannot use is refused as it is: no upgrade step writes to it first.
    checkColumns(columns, columnsAddedByUpgrade());
    if (version < kSchemaVersion) {
        // A book that cannot be written to is read as it is: the steps bring indexes and guards, which
        // reading does without. One that lacks a column the program reads is refused below.
        if (isReadOnly())
            return checkColumns(columns);
        upgradeBook(db);
        columns = bookColumns(db);
    }
    checkColumns(columns);
}

void TDM::disconnect()
{
    if (!m_connected)
        return;
    closeConnection(m_connectionName);
    m_connected = false;
    m_book.clear();
}

const SqlDialect& TDM::dialect() const
{
    return m_driver ? m_driver->dialect() : SqlDialect::sqlite();
}

bool TDM::isConnected() const
{
    return m_connected;
}

bool TDM::isReadOnly() const
{
    if (!m_connected)
        return false;
    return m_driver->isReadOnly(database());
}

QString TDM::wholeBookProblem() const
{
    if (!m_connected)
        return QCoreApplication::translate("TDM", "База данных не подключена");
    if (!isPostgres())
        return integrityProblem(databaseFile(m_folder), FileCheck::Full);
    // The server keeps its own pages; a value it can no longer read fails its table's reading.
    try {
        for (const TableDef* t : Tables::all()) {
            Statement rows(database(), selectAllSql(*t), {}, Statement::Streamed);
            while (rows.next()) {
            }
        }
    } catch (const DbError& e) {
        return e.fullText();
    }
    return {};
}

QSqlDatabase ConnectionOf(const TDM& dm)
{
    return dm.database();
}

bool TDM::hasIndex(const QString& name) const
{
    return ::hasIndex(database(), name);
}

void refreshStatistics(const QSqlDatabase& db)
{
    for (const QString& sql : SqlDialect::of(db).statisticsSql())
        execOrThrow(db, sql);
}

void TDM::refreshStatistics()
{
    ::refreshStatistics(database());
}

Transaction::Transaction(const TDM& dm, Kind kind)
    : Transaction(ConnectionOf(dm), kind)
{
}

BulkWrite::BulkWrite(const TDM& dm)
    : BulkWrite(ConnectionOf(dm))
{
}

RowInserter::RowInserter(const TDM& dm, const TableDef& table)
    : RowInserter(ConnectionOf(dm), table)
{
}

QSqlDatabase TDM::database() const
{
    if (!m_connected)
        throw DbError(QCoreApplication::translate("TDM", "База данных не подключена"));
    return QSqlDatabase::database(m_connectionName, false);
}

int TDM::lookupInt(const char* column, int number) const
{
    return scalar(database(),
                  QStringLiteral("SELECT %1 FROM FACTURES WHERE FACT_NUMBER=?").arg(QLatin1String(column)),
                  {number})
        .toInt();
}

QDate TDM::GetFactDate(int number) const
{
    return dateFromDb(
        scalar(database(), QStringLiteral("SELECT FACT_DATA FROM FACTURES WHERE FACT_NUMBER=?"), {number}));
}

int TDM::GetFactClient(int number) const
{
    return lookupInt("ID_NUMBER", number);
}

int TDM::WaybillOfInvoice(const char* table, int invoice) const
{
    return scalar(database(),
                  QStringLiteral("SELECT min(NAKL_NUMBER) FROM %1 WHERE FACT1_NUMBER=? OR FACT2_NUMBER=? OR "
                                 "FACT3_NUMBER=?")
                      .arg(QLatin1String(table)),
                  {invoice, invoice, invoice})
        .toInt();
}

int TDM::GetFactNds(int number) const
{
    return lookupInt("FACT_NDS", number);
}

QDate TDM::LatestFactDate(int a, int b, int c) const
{
    QDate latest = GetFactDate(a);
    const QDate dateB = GetFactDate(b);
    if (dateB > latest)
        latest = dateB;
    if (c != 0) {
        const QDate dateC = GetFactDate(c);
        if (dateC > latest)
            latest = dateC;
    }
    return latest;
}

bool TDM::sameLookup(const char* column, int a, int b, int c) const
{
    // B is looked up even when it is 0, so a missing second document never matches a real one.
    const int valueA = lookupInt(column, a);
    const int valueB = lookupInt(column, b);
    if (valueA == valueB && c != 0)
        return lookupInt(column, c) == valueA;
    return valueA == valueB;
}

bool TDM::SameFactClient(int a, int b, int c) const
{
    return sameLookup("ID_NUMBER", a, b, c);
}

bool TDM::SameFactNds(int a, int b, int c) const
{
    return sameLookup("FACT_NDS", a, b, c);
}

std::optional<InvoiceRow> TDM::ReadDocument(int number) const
{
    Rows q = execOrThrow(database(), QStringLiteral("SELECT * FROM FACTURES WHERE FACT_NUMBER=?"), {number});
    return q.next() ? std::optional(invoiceFromRecord(q.record())) : std::nullopt;
}

std::optional<ExpenseWaybillRow> TDM::ReadExpenseWaybill(int number) const
{
    Rows q = execOrThrow(database(), QStringLiteral("SELECT * FROM NAKLADN1 WHERE NAKL_NUMBER=?"), {number});
    return q.next() ? std::optional(expenseWaybillFromRecord(q.record())) : std::nullopt;
}

std::optional<TaxWaybillRow> TDM::ReadTaxWaybill(int number) const
{
    Rows q = execOrThrow(database(), QStringLiteral("SELECT * FROM NAKLADN2 WHERE NAKL_NUMBER=?"), {number});
    return q.next() ? std::optional(taxWaybillFromRecord(q.record())) : std::nullopt;
}

std::optional<ClientRow> TDM::ReadClient(int id) const
{
    Rows q = execOrThrow(database(), QStringLiteral("SELECT * FROM CLIENTS WHERE ID_NUMBER=?"), {id});
    return q.next() ? std::optional(clientFromRecord(q.record())) : std::nullopt;
}

int TDM::nextNumber(const QString& sql, int step) const
{
    // One past the largest (or below the least) is counted here: the server's whole numbers would overflow.
    const qlonglong v = scalar(database(), sql).toLongLong() + step;
    // Past the largest number there is none: said, rather than offered again and refused by the engine.
    if (v > std::numeric_limits<int>::max() || v < -qlonglong(std::numeric_limits<int>::max()))
        throw DbError(
            QCoreApplication::translate("TDM", "Номера исчерпаны: номер %1 уже занят, следующего номера нет.")
                .arg(v > 0 ? std::numeric_limits<int>::max() : -std::numeric_limits<int>::max()));
    return int(v);
}

int TDM::NextFactNumber() const
{
    const int n = nextNumber(QStringLiteral("SELECT MAX(FACT_NUMBER) FROM FACTURES"), 1);
    return n <= 0 ? 1 : n;
}

int TDM::NextReceiptNumber() const
{
    const int n = nextNumber(QStringLiteral("SELECT MIN(FACT_NUMBER) FROM FACTURES"), -1);
    return n >= 0 ? -1 : n;
}

int TDM::NextNakl1Number() const
{
    const int n = nextNumber(QStringLiteral("SELECT MAX(NAKL_NUMBER) FROM NAKLADN1"), 1);
    return std::max(n, 1); // waybills are numbered from 1
}

int TDM::NextNakl2Number() const
{
    const int n = nextNumber(QStringLiteral("SELECT MAX(NAKL_NUMBER) FROM NAKLADN2"), 1);
    return std::max(n, 1); // waybills are numbered from 1
}

int TDM::NextClientNumber() const
{
    const int n = nextNumber(QStringLiteral("SELECT MAX(ID_NUMBER) FROM CLIENTS"), 1);
    return n <= 0 ? n + 1 : n;
}

void TDM::LoadOwnerRecord(OwnerRecord& owner, Prompter* prompter)
{
    if (ReadOwnerRow(owner))
        return;
    if (prompter)
        prompter->warn(ownerMissingText());
    SaveOwnerRecord(owner);
}

bool TDM::ReadOwnerRow(OwnerRecord& owner) const
{
    Rows q = execOrThrow(database(), QStringLiteral("SELECT * FROM CLIENTS WHERE ID_NUMBER=1"));
    if (!q.next())
        return false;
    const QSqlRecord record = q.record();
    for (const OwnerRecord::Field& f : OwnerRecord::fields())
        owner.*f.member = record.value(QLatin1String(f.column)).toString();
    return true;
}

void TDM::SaveOwnerRecord(const OwnerRecord& owner)
{
    const QSqlDatabase db = database();
    const TableDef& clients = Tables::clients();
    QStringList assignments, columns;
    QVariantList values;
    for (const OwnerRecord::Field& f : OwnerRecord::fields()) {
        const QString column = QLatin1String(f.column);
        assignments << column + QStringLiteral("=?");
        columns << column;
        values << cutToColumn(clients, column, (owner.*f.member).left(OwnerRecord::kMaxLength));
    }
    Transaction tx(db);
    Rows update = execOrThrow(
        db, QStringLiteral("UPDATE CLIENTS SET %1 WHERE ID_NUMBER=1").arg(assignments.join(u',')), values);
    if (update.numRowsAffected() == 0) {
        QStringList marks;
        marks.fill(QStringLiteral("?"), columns.size());
        execOrThrow(db,
                    QStringLiteral("INSERT INTO CLIENTS (ID_NUMBER,%1) VALUES (1,%2)")
                        .arg(columns.join(u','), marks.join(u',')),
                    values);
    }
    tx.commit();
}

void TDM::DeleteClientDocuments(int clientId)
{
    const QSqlDatabase db = database();
    Transaction tx(db);
    for (const char* table : {"ACTS", "FACTURES", "NAKLADN1", "NAKLADN2"})
        execOrThrow(db, QStringLiteral("DELETE FROM %1 WHERE ID_NUMBER=?").arg(QLatin1String(table)),
                    {clientId});
    tx.commit();
}

void TDM::ClearDocumentTables()
{
    const QSqlDatabase db = database();
    Transaction tx(db, Transaction::Writing);
    for (const char* table : {"ACTS", "FACTURES", "NAKLADN1", "NAKLADN2", "PLATEG"})
        execOrThrow(db, QStringLiteral("DELETE FROM %1").arg(QLatin1String(table)));
    tx.commit();
}

namespace {
// Every table's rows but the owner's.
constexpr const char* kRowsBesideOwner[] = {
    "CLIENTS WHERE ID_NUMBER<>1", "FACTURES", "NAKLADN1", "NAKLADN2", "ACTS", "PLATEG", "PRODUCTS"};
} // namespace

int TDM::CountRowsBesideOwner() const
{
    QStringList counts;
    for (const char* rows : kRowsBesideOwner)
        counts << QStringLiteral("(SELECT count(*) FROM %1)").arg(QLatin1String(rows));
    return scalar(database(), QStringLiteral("SELECT ") + counts.join(QStringLiteral(" + "))).toInt();
}

bool TDM::HoldsRowsBesideOwner() const
{
    // One row found is enough: counting them all would read a large book through.
    QStringList any;
    for (const char* rows : kRowsBesideOwner)
        any << QStringLiteral("EXISTS (SELECT 1 FROM %1)").arg(QLatin1String(rows));
    return scalar(database(), QStringLiteral("SELECT ") + any.join(QStringLiteral(" OR "))).toBool();
}

DocumentCounts TDM::CountDocuments(int clientId) const
{
    const QSqlDatabase db = database();
    DocumentCounts counts;
    // The whole book is counted as its lists count it: through the narrow indexes, or the server's kept
    // counts, rather than row by row (a start-up says these counts).
    if (clientId <= 0) {
        using namespace ListQueries;
        const SqlDialect& d = dialect();
        const auto count = [&db](const ListQuery& list, const char* table) {
            return scalar(db, list.countSql.isEmpty()
                                  ? QStringLiteral("SELECT count(*) FROM %1").arg(QLatin1String(table))
                                  : list.countSql)
                .toInt();
        };
        counts.receipts = count(allReceipts(d), "FACTURES");
        counts.invoices = count(allInvoices(d, counts.receipts), "FACTURES");
        counts.expenseWaybills = count(allExpenseWaybills(d), "NAKLADN1");
        counts.taxWaybills = count(allTaxWaybills(d), "NAKLADN2");
        counts.acts = count(allActs(d), "ACTS");
        counts.payments = count({}, "PLATEG");
        return counts;
    }
    Rows q = execOrThrow(db, QStringLiteral("SELECT (SELECT count(*) FROM FACTURES WHERE FACT_NUMBER>0 AND "
                                            "ID_NUMBER=%1), (SELECT count(*) FROM FACTURES WHERE "
                                            "FACT_NUMBER<0 AND ID_NUMBER=%1), (SELECT count(*) FROM NAKLADN1 "
                                            "WHERE ID_NUMBER=%1), (SELECT count(*) FROM NAKLADN2 WHERE "
                                            "ID_NUMBER=%1), (SELECT count(*) FROM ACTS WHERE ID_NUMBER=%1), "
                                            "(SELECT count(*) FROM PLATEG WHERE ID_NUMBER=%1)")
                                 .arg(clientId));
    if (q.next())
        counts = {q.value(0).toInt(), q.value(1).toInt(), q.value(2).toInt(),
                  q.value(3).toInt(), q.value(4).toInt(), q.value(5).toInt()};
    return counts;
}

void TDM::DeleteClient(int clientId)
{
    if (clientId <= 1)
        throw DbError(QCoreApplication::translate("TDM", "Запись владельца программы не удаляется"));
    const QSqlDatabase db = database();
    Transaction tx(db);
    DeleteClientDocuments(clientId);
    execOrThrow(db, QStringLiteral("DELETE FROM CLIENTS WHERE ID_NUMBER=?"), {clientId});
    tx.commit();
}

bool CopyDataFile(const QString& source, const QString& destination)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QFile out(destination);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return false;
    constexpr qint64 kBlock = 32000;
    QByteArray buffer(kBlock, Qt::Uninitialized);
    bool ok = true;
    for (;;) {
        const qint64 got = in.read(buffer.data(), kBlock);
        if (got < 0) {
            ok = false;
            break;
        }
        if (got == 0)
            break;
        // A short write is a full disk: the copy is not whole, so it is not a copy.
        if (out.write(buffer.constData(), got) != got) {
            ok = false;
            break;
        }
    }
    in.close();
    if (ok && !out.flush())
        ok = false;
    out.close();
    if (ok && out.error() != QFileDevice::NoError)
        ok = false;
    if (!ok)
        QFile::remove(destination);
    return ok;
}
