#pragma once

#include "base/settings.h"
#include "db/list_queries.h"
#include "db/rows.h"
#include "db/tables.h"

#include <QAbstractTableModel>

#include <functional>
#include <optional>
#include <vector>

class DbError;
class SqlDialect;
class QSqlRecord;
class TDM;

// One shown column of a list: a column of the table with its title and how it is shown and edited.
struct ListColumn {
    enum Kind { Text, Integer, Real, Price, Count, Date, Money };
    QString name;
    QString title;
    Kind kind = Text;
    bool editable = true;
    int width = 0; // characters; 0 = the default width
    bool hidden = false;
    // A zero here shows as an empty cell when this column of the row is empty too (a position not used).
    QString emptyWith;
    // The least whole number a cell of this column takes (an invoice's number: 1).
    std::optional<qint64> minimum;
    // A date that may not be left empty (a document's own date).
    bool required = false;
    // A column the list query works out rather than one of the table: its SQL for the engine at hand.
    QString (*expression)(const SqlDialect&) = nullptr;
    // A stored code shown as the words it stands for (an act's period); such a column is never edited.
    QString (*shown)(const QVariant&) = nullptr;
};

// A read-only column of amounts in hryvnias and kopecks, worked out by the list query.
ListColumn computedMoneyColumn(const QString& name, const char* title,
                               QString (*expression)(const SqlDialect&));

// The columns of a table as its grids show them: the table's labels and widths, in the given order.
std::vector<ListColumn> listColumns(const TableDef& table, const QStringList& names);

// A live list over one table: the rows a WHERE clause selects, in an ORDER BY that tells every row apart.
// Only the count is read up front; the rows are fetched a page at a time as they are shown, each page
// from the nearer end of the list, so the first screen of a list costs the same whatever its length.
// Cells can be edited and rows deleted; every change goes straight to the table.
class SqlListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    SqlListModel(TDM& dm, const TableDef& table, std::vector<ListColumn> columns, QObject* parent = nullptr);
    ~SqlListModel() override;
    // From this many rows on, a row is found by the list's keys, read in order once after each load,
    // instead of by counting the rows before it.
    static constexpr int kRowsByKeyFrom = 20000;
    // Matches of a search few enough to be placed in the list by one statement.
    static constexpr std::size_t kFewMatches = 500;

    // The rows to show; values bind to the "?" of the WHERE clause in order. Reloads.
    void setQuery(const QString& where, const QVariantList& values, const QString& orderBy);
    void setQuery(const ListQuery& query);
    void reload();
    void clear();
    // Shows the rows' current contents again, keeping the rows and their order.
    void refreshRows();
    // The first row, in the list's order, whose column holds the value; -1 when none.
    int findFirst(const QString& column, const QVariant& value) const;
    // The first row from fromRow on whose column, letter case folded and cut to 255 characters, contains
    // the text (or equals it, with fullMatch); -1 when none. keepGoing is asked before every stretch of
    // rowsPerAsk rows; false stops the search and sets *interrupted, and *reachedRow to the row a search
    // through the list one row at a time would have reached by then.
    int findText(const QString& column, const QString& text, bool fullMatch, int fromRow,
                 const std::function<bool()>& keepGoing = {}, bool* interrupted = nullptr,
                 int rowsPerAsk = 4096, int* reachedRow = nullptr) const;
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    // The display formats of Price and Count columns, as the precision settings make them.
    void setPrecision(const Precision& precision);

    const std::vector<ListColumn>& columns() const { return m_columns; }
    int columnOf(const QString& name) const;
    // The characters a column needs: its own width, or more for the decimal places now shown.
    int displayChars(int column) const;
    qint64 keyAt(int row) const;
    int rowOfKey(qint64 key) const;
    // The stored value of any column of the row (shown or not); null for a row out of range.
    QVariant value(int row, const QString& column) const;
    QSqlRecord record(int row) const;
    // The client on a row of a list of CLIENTS.
    ClientRow clientAt(int row) const;
    bool deleteRow(int row);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    bool removeRows(int row, int count, const QModelIndex& parent = {}) override;

signals:
    // An engine error while reading or writing: what failed, and the engine's words.
    void engineError(const QString& message, const QString& detail);

private:
    static constexpr int kPageSize = 64;
    struct Page {
        int first = -1;
        std::vector<qint64> keys;
        std::vector<QSqlRecord> rows;
    };
    struct OrderTerm {
        QString expression; // a column, with its collation when it has one
        bool descending = false;
    };
    const Page* page(int row) const;
    const QSqlRecord* cachedRecord(int row) const;
    QString selectSql(const QString& what, const QString& extra, bool reversed) const;
    QString orderTerms(bool reversed) const;
    // What tells the table's rows apart: SQLite's rowid, or the key column on the server.
    QString keyColumn() const;
    QString expressionOf(const OrderTerm& term) const;
    struct Condition {
        QString sql;
        QVariantList values;
    };
    // The rows standing before (or after) a row with these order values, as alternatives that exclude
    // each other, each served by an index.
    std::vector<Condition> relativeTo(const QSqlRecord& orderValues, bool after) const;
    // The keys of the `count` rows that follow (or precede) the row of the key in the list's order, found
    // from that row's place in the order rather than by counting the rows before it; nothing when the row
    // is gone or the engine counts faster.
    std::vector<qint64> keysNextTo(qint64 key, bool after, int count) const;
    int countRelativeTo(const QSqlRecord& orderValues, bool after) const;
    int positionOfKey(qint64 key) const;
    // The row's values of the order terms; false when the list does not hold it.
    bool orderValuesOf(qint64 key, QSqlRecord* values) const;
    void reportError(const DbError& e) const;
    void refetchRow(int row, qint64 key);
    // The rows by key: every column of the table and the computed ones.
    QString rowsSql(const QString& condition) const;
    QString display(const ListColumn& column, const QVariant& value) const;
    bool toStored(const ListColumn& column, const QVariant& input, QVariant* stored,
                  QString* problem = nullptr) const;
    void dropCache() const;

    TDM& m_dm;
    const TableDef& m_table;
    std::vector<ListColumn> m_columns;
    QString m_where;
    QVariantList m_values;
    QString m_orderBy;
    QString m_countSql;
    std::vector<OrderTerm> m_order;
    int m_count = 0;
    mutable std::vector<Page> m_pages; // a few recently used pages
    // Every key of a long list with its row, sorted by key: read at the first positioning after a load,
    // so that finding a row is a lookup rather than a count over the list. Dropped with the pages.
    mutable std::vector<std::pair<qint64, int>> m_rowsByKey;
    mutable bool m_rowsByKeyRead = false;
    Precision m_precision = ApplyPrecision(2, 0);
    bool m_readOnly = false;
};
