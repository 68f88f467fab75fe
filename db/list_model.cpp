#include "db/list_model.h"

#include <QCoreApplication>

#include "base/number_format.h"
#include "base/text_case.h"
#include "db/data_module.h"
#include "db/driver.h"

#include <QSqlQuery>
#include <QSqlRecord>

#include <cmath>
#include <limits>

namespace {

constexpr std::size_t kCachedPages = 8;

ListColumn::Kind kindOf(const ColumnDef& c)
{
    switch (c.type) {
    case ColumnType::Integer:
    case ColumnType::Short:
        return ListColumn::Integer;
    case ColumnType::Float:
    case ColumnType::Money:
        return ListColumn::Real;
    case ColumnType::Date:
        return ListColumn::Date;
    case ColumnType::Text:
        return ListColumn::Text;
    }
    return ListColumn::Text;
}

} // namespace

std::vector<ListColumn> listColumns(const TableDef& table, const QStringList& names)
{
    std::vector<ListColumn> columns;
    for (const QString& name : names) {
        const ColumnDef* c = table.column(name);
        Q_ASSERT(c);
        ListColumn lc;
        lc.name = QLatin1String(c->name);
        lc.title = c->label ? QString::fromUtf8(c->label) : QString();
        lc.kind = kindOf(*c);
        lc.width = std::max(c->width, 0);
        lc.hidden = c->width < 0;
        if (name.startsWith(QLatin1String("PRICE_POS")) || name == QLatin1String("PRODUCT_PRICE"))
            lc.kind = ListColumn::Price;
        else if (name.startsWith(QLatin1String("COUNT_POS")))
            lc.kind = ListColumn::Count;
        lc.required = name == QLatin1String("FACT_DATA") || name == QLatin1String("NAKL_DATA");
        columns.push_back(lc);
    }
    return columns;
}

ListColumn computedMoneyColumn(const QString& name, const char* title,
                               QString (*expression)(const SqlDialect&))
{
    ListColumn c;
    c.name = name;
    c.title = QString::fromUtf8(title);
    c.kind = ListColumn::Money;
    c.editable = false;
    c.width = 15; // the largest amount a blank shows, 999999999999,99
    c.expression = expression;
    return c;
}

SqlListModel::SqlListModel(TDM& dm, const TableDef& table, std::vector<ListColumn> columns, QObject* parent)
    : QAbstractTableModel(parent)
    , m_dm(dm)
    , m_table(table)
    , m_columns(std::move(columns))
{
}

void SqlListModel::setQuery(const QString& where, const QVariantList& values, const QString& orderBy)
{
    setQuery(ListQuery{where, values, orderBy, {}});
}

void SqlListModel::setQuery(const ListQuery& query)
{
    const QString& orderBy = query.orderBy;
    m_where = query.where;
    m_values = query.values;
    m_countSql = query.countSql;
    m_orderBy = orderBy;
    m_order.clear();
    for (QString term : orderBy.split(u',', Qt::SkipEmptyParts)) {
        term = term.trimmed();
        OrderTerm t;
        if (term.endsWith(QLatin1String(" DESC"), Qt::CaseInsensitive)) {
            t.descending = true;
            term.chop(5);
        } else if (term.endsWith(QLatin1String(" ASC"), Qt::CaseInsensitive)) {
            term.chop(4);
        }
        t.expression = term.trimmed();
        m_order.push_back(t);
    }
    if (m_order.empty())
        m_order.push_back({QStringLiteral("rowid"), false});
    reload();
}

void SqlListModel::reportError(const DbError& e) const
{
    emit const_cast<SqlListModel*>(this)->engineError(e.message(), e.detail());
}

QString SqlListModel::selectSql(const QString& what, const QString& extra, bool reversed) const
{
    QString sql = QStringLiteral("SELECT %1 FROM %2").arg(what, QLatin1String(m_table.name));
    QStringList conditions;
    if (!m_where.isEmpty())
        conditions << u'(' + m_where + u')';
    if (!extra.isEmpty())
        conditions << u'(' + extra + u')';
    if (!conditions.isEmpty())
        sql += QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
    return sql + QStringLiteral(" ORDER BY ") + orderTerms(reversed);
}

QString SqlListModel::orderTerms(bool reversed) const
{
    QStringList terms;
    for (const OrderTerm& t : m_order)
        terms << m_dm.dialect().orderTerm(expressionOf(t), t.descending != reversed);
    return terms.join(QStringLiteral(", "));
}

QString SqlListModel::expressionOf(const OrderTerm& term) const
{
    return term.expression == QLatin1String("rowid") ? keyColumn() : term.expression;
}

QString SqlListModel::keyColumn() const
{
    return m_dm.dialect().rowKey(m_table);
}

void SqlListModel::reload()
{
    beginResetModel();
    dropCache();
    m_count = 0;
    if (m_dm.isConnected()) {
        try {
            if (!m_countSql.isEmpty()) {
                m_count = scalar(ConnectionOf(m_dm), m_countSql).toInt();
            } else {
                QString sql = QStringLiteral("SELECT count(*) FROM %1").arg(QLatin1String(m_table.name));
                if (!m_where.isEmpty())
                    sql += QStringLiteral(" WHERE ") + m_where;
                m_count = scalar(ConnectionOf(m_dm), sql, m_values).toInt();
            }
        } catch (const DbError& e) {
            endResetModel();
            reportError(e);
            return;
        }
    }
    endResetModel();
}

void SqlListModel::clear()
{
    beginResetModel();
    dropCache();
    m_count = 0;
    endResetModel();
}

void SqlListModel::refreshRows()
{
    dropCache();
    if (m_count > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

int SqlListModel::findFirst(const QString& column, const QVariant& value) const
{
    if (!m_dm.isConnected() || m_count == 0 || !m_table.column(column))
        return -1;
    try {
        const std::vector<qint64> keys = selectKeys(
            ConnectionOf(m_dm),
            selectSql(keyColumn(), column + QStringLiteral("=?"), false) + QStringLiteral(" LIMIT 1"),
            m_values + QVariantList{value});
        return keys.empty() ? -1 : rowOfKey(keys.front());
    } catch (const DbError& e) {
        reportError(e);
        return -1;
    }
}

int SqlListModel::findText(const QString& column, const QString& text, bool fullMatch, int fromRow,
                           const std::function<bool()>& keepGoing, bool* interrupted, int rowsPerAsk,
                           int* reachedRow) const
{
    if (interrupted)
        *interrupted = false;
    if (!m_dm.isConnected() || fromRow < 0 || fromRow >= m_count || !m_table.column(column))
        return -1;
    try {
        const QSqlDatabase db = ConnectionOf(m_dm);
        const qint64 startKey = keyAt(fromRow);
        QSqlRecord start;
        if (!orderValuesOf(startKey, &start))
            return -1;
        const SqlDialect::Expression found =
            m_dm.dialect().textFound(QLatin1String(m_table.column(column)->name), text, fullMatch);
        const int ask = std::max(rowsPerAsk, 1);
        // Whether to go on; false once the caller said stop, with the row a search through the list one row
        // at a time would have reached.
        const auto goOn = [&](int reached) {
            if (!keepGoing || keepGoing())
                return true;
            if (interrupted)
                *interrupted = true;
            if (reachedRow)
                *reachedRow = std::min(reached, m_count - 1);
            return false;
        };
        // The list from the start row on, in its order: the row itself, then each stretch of the rows after
        // it, nearest first, each read along its index; only the matching keys when they are known.
        std::vector<Condition> stretches{{keyColumn() + QStringLiteral("=?"), {startKey}}};
        const std::vector<Condition> after = relativeTo(start, true);
        stretches.insert(stretches.end(), after.rbegin(), after.rend());
        // Reading along an index costs a lookup of each row in the table, about five times what reading the
        // table in its stored order costs: a search through most of the list first reads the whole table so,
        // for the keys that match. None ends it; a few are placed in the list at once.
        if (m_count - fromRow > m_count / 4) {
            // Stretches of `ask` rows in key order, however sparse the keys are, each searched whole.
            const QString table = QLatin1String(m_table.name);
            const QString key = keyColumn();
            QString where = key + QStringLiteral(" >= ? AND ") + found.sql;
            if (!m_where.isEmpty())
                where += QStringLiteral(" AND (") + m_where + u')';
            Statement stretch(db,
                              QStringLiteral("SELECT %1 FROM %2 WHERE %3 AND %1 < ?").arg(key, table, where));
            Statement lastStretch(db, QStringLiteral("SELECT %1 FROM %2 WHERE %3").arg(key, table, where));
            const QString nextStretch =
                QStringLiteral("SELECT %2 FROM %1 WHERE %2>=? ORDER BY %2 LIMIT 1 OFFSET ?").arg(table, key);
            std::vector<qint64> matches;
            QVariant from = scalar(db, QStringLiteral("SELECT min(%2) FROM %1").arg(table, key));
            for (qint64 examined = 0; !from.isNull(); examined += ask) {
                if (!goOn(fromRow + int((m_count - fromRow) * std::min<qint64>(examined, m_count) / m_count)))
                    return -1;
                const QVariant next = scalar(db, nextStretch, {from, ask});
                Statement& rows = next.isNull() ? lastStretch : stretch;
                rows.rebind(QVariantList{from} + found.values + m_values +
                            (next.isNull() ? QVariantList{} : QVariantList{next}));
                while (rows.next())
                    matches.push_back(rows.integer(0));
                from = next;
            }
            if (matches.empty())
                return -1;
            if (matches.size() <= kFewMatches) {
                QStringList marks, sides;
                QVariantList values = m_values;
                for (qint64 key : matches) {
                    marks << QStringLiteral("?");
                    values << key;
                }
                for (const Condition& c : stretches) {
                    sides << u'(' + c.sql + u')';
                    values += c.values;
                }
                const std::vector<qint64> first = selectKeys(
                    db,
                    selectSql(keyColumn(),
                              QStringLiteral("%1 IN (%2) AND (%3)")
                                  .arg(keyColumn(), marks.join(u','), sides.join(QStringLiteral(" OR "))),
                              false) +
                        QStringLiteral(" LIMIT 1"),
                    values);
                return first.empty() ? -1 : rowOfKey(first.front());
            }
        }
        // A row's place is the count of rows passed, so the search costs the rows it looks through.
        int passed = 0;
        int nextAsk = 0;
        for (const Condition& stretch : stretches) {
            Statement rows(db,
                           selectSql(QStringLiteral("CASE WHEN %1 THEN 1 ELSE 0 END").arg(found.sql),
                                     stretch.sql, false),
                           found.values + m_values + stretch.values, Statement::Streamed);
            for (;; ++passed) {
                if (passed == nextAsk) {
                    nextAsk += ask;
                    if (!goOn(fromRow + passed))
                        return -1;
                }
                if (!rows.next())
                    break;
                if (rows.integer(0) != 0)
                    return fromRow + passed;
            }
        }
        return -1;
    } catch (const DbError& e) {
        reportError(e);
        return -1;
    }
}

std::vector<SqlListModel::Condition> SqlListModel::relativeTo(const QSqlRecord& orderValues, bool after) const
{
    // Each alternative: the terms before this one are equal, and this one stands earlier (or later).
    // SQLite sorts an empty value (NULL) before every other. Each is one range of an index.
    std::vector<Condition> alternatives;
    QStringList equal;
    QVariantList equalValues;
    for (std::size_t i = 0; i < m_order.size(); ++i) {
        const QString e = expressionOf(m_order[i]);
        const QVariant v = orderValues.value(int(i));
        const bool earlierIsSmaller = m_order[i].descending == after;
        QStringList sides;
        if (earlierIsSmaller) {
            if (!v.isNull())
                sides << e + QStringLiteral(" IS NULL") << e + QStringLiteral("<?");
        } else {
            sides << (v.isNull() ? e + QStringLiteral(" IS NOT NULL") : e + QStringLiteral(">?"));
        }
        for (const QString& side : sides) {
            Condition c{(equal + QStringList{side}).join(QStringLiteral(" AND ")), equalValues};
            if (side.endsWith(u'?'))
                c.values << v;
            alternatives.push_back(c);
        }
        equal << (v.isNull() ? e + QStringLiteral(" IS NULL") : e + QStringLiteral("=?"));
        if (!v.isNull())
            equalValues << v;
    }
    return alternatives;
}

std::vector<qint64> SqlListModel::keysNextTo(qint64 key, bool after, int count) const
{
    // The server seeks its index to a row of values at once, where counting rows from an end costs it
    // every row passed. SQLite passes rows cheaply and would read a row of values from the index's start,
    // so it keeps counting; so does an order of mixed directions or a row with an empty value, and an order
    // with a term beside the first that may be empty: a row of values compared with an empty one is no
    // answer, and the rows that sort first for it would be passed over.
    if (!m_dm.dialect().isServer())
        return {};
    QSqlRecord values;
    if (!orderValuesOf(key, &values))
        return {};
    QStringList terms, marks;
    QVariantList bound;
    for (std::size_t i = 0; i < m_order.size(); ++i) {
        if (m_order[i].descending != m_order.front().descending || values.value(int(i)).isNull() ||
            (i > 0 && expressionOf(m_order[i]) != keyColumn()))
            return {};
        terms << expressionOf(m_order[i]);
        marks << QStringLiteral("?");
        bound << values.value(int(i));
    }
    const QString condition =
        QStringLiteral("(%1) %2 (%3)")
            .arg(terms.join(u','),
                 after != m_order.front().descending ? QStringLiteral(">") : QStringLiteral("<"),
                 marks.join(u','));
    std::vector<qint64> keys = selectKeys(
        ConnectionOf(m_dm),
        selectSql(keyColumn(), condition, !after) + QStringLiteral(" LIMIT %1").arg(count), m_values + bound);
    if (!after)
        std::reverse(keys.begin(), keys.end());
    return keys;
}

int SqlListModel::countRelativeTo(const QSqlRecord& orderValues, bool after) const
{
    int count = 0;
    for (const Condition& c : relativeTo(orderValues, after)) {
        QString sql = QStringLiteral("SELECT count(*) FROM %1 WHERE ").arg(QLatin1String(m_table.name));
        if (!m_where.isEmpty())
            sql += u'(' + m_where + QStringLiteral(") AND ");
        count += scalar(ConnectionOf(m_dm), sql + u'(' + c.sql + u')', m_values + c.values).toInt();
    }
    return count;
}

void SqlListModel::setPrecision(const Precision& precision)
{
    m_precision = precision;
    if (m_count > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::DisplayRole});
}

void SqlListModel::dropCache() const
{
    m_pages.clear();
    m_rowsByKey.clear();
    m_rowsByKeyRead = false;
}

int SqlListModel::displayChars(int column) const
{
    if (column < 0 || column >= int(m_columns.size()))
        return 0;
    const ListColumn& c = m_columns[std::size_t(column)];
    const int own = c.width > 0 ? c.width : 12;
    // Seven whole digits of a price, five of a quantity, the comma and the places.
    if (c.kind == ListColumn::Price)
        return std::max(own, 8 + m_precision.pricePlaces);
    if (c.kind == ListColumn::Count)
        return std::max(own, 5 + (m_precision.countPlaces > 0 ? 1 + m_precision.countPlaces : 0));
    return own;
}

int SqlListModel::columnOf(const QString& name) const
{
    for (std::size_t i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

qint64 SqlListModel::keyAt(int row) const
{
    const Page* p = page(row);
    return p && std::size_t(row - p->first) < p->keys.size() ? p->keys[std::size_t(row - p->first)] : 0;
}

int SqlListModel::rowOfKey(qint64 key) const
{
    for (const Page& p : m_pages) {
        const auto it = std::find(p.keys.begin(), p.keys.end(), key);
        if (it != p.keys.end())
            return p.first + int(it - p.keys.begin());
    }
    return positionOfKey(key);
}

bool SqlListModel::orderValuesOf(qint64 key, QSqlRecord* values) const
{
    QStringList terms;
    for (const OrderTerm& t : m_order)
        terms << expressionOf(t);
    Rows q = execOrThrow(ConnectionOf(m_dm),
                         selectSql(terms.join(u','), keyColumn() + QStringLiteral("=?"), false),
                         m_values + QVariantList{key});
    if (!q.next())
        return false;
    *values = q.record();
    return true;
}

void SqlListModel::refetchRow(int row, qint64 key)
{
    for (Page& p : m_pages) {
        const std::size_t at = std::size_t(row - p.first);
        if (row < p.first || at >= p.keys.size())
            continue;
        p.keys[at] = key;
        Rows q = execOrThrow(ConnectionOf(m_dm), rowsSql(keyColumn() + QStringLiteral("=?")), {key});
        p.rows[at] = q.next() ? q.record() : QSqlRecord();
    }
}

QString SqlListModel::rowsSql(const QString& condition) const
{
    QString what = keyColumn() + QStringLiteral(" AS ROW_KEY_, *");
    for (const ListColumn& c : m_columns)
        if (c.expression)
            what += QStringLiteral(", %1 AS %2").arg(c.expression(m_dm.dialect()), c.name);
    return QStringLiteral("SELECT %1 FROM %2 WHERE %3").arg(what, QLatin1String(m_table.name), condition);
}

int SqlListModel::positionOfKey(qint64 key) const
{
    if (!m_dm.isConnected() || m_count == 0)
        return -1;
    try {
        // Counting costs as much as the rows counted: a long list reads its keys in order once instead.
        if (m_count >= kRowsByKeyFrom) {
            if (!m_rowsByKeyRead) {
                const std::vector<qint64> keys =
                    selectKeys(ConnectionOf(m_dm), selectSql(keyColumn(), {}, false), m_values);
                m_rowsByKey.reserve(keys.size());
                for (std::size_t i = 0; i < keys.size(); ++i)
                    m_rowsByKey.emplace_back(keys[i], int(i));
                std::sort(m_rowsByKey.begin(), m_rowsByKey.end());
                m_rowsByKeyRead = true;
            }
            const auto it =
                std::lower_bound(m_rowsByKey.begin(), m_rowsByKey.end(), std::pair<qint64, int>(key, 0));
            return it != m_rowsByKey.end() && it->first == key ? it->second : -1;
        }
        QSqlRecord orderValues;
        if (!orderValuesOf(key, &orderValues))
            return -1;
        // Counted from the end the list was last looked at: a click seldom lands far from there.
        const bool fromEnd = !m_pages.empty() && m_pages.front().first >= m_count / 2;
        return fromEnd ? m_count - 1 - countRelativeTo(orderValues, true)
                       : countRelativeTo(orderValues, false);
    } catch (const DbError& e) {
        reportError(e);
        return -1;
    }
}

const SqlListModel::Page* SqlListModel::page(int row) const
{
    if (row < 0 || row >= m_count)
        return nullptr;
    const int first = row - row % kPageSize;
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        if (m_pages[i].first == first) {
            if (i != 0)
                std::rotate(m_pages.begin(), m_pages.begin() + qsizetype(i),
                            m_pages.begin() + qsizetype(i) + 1);
            return &m_pages.front();
        }
    }
    if (!m_dm.isConnected())
        return nullptr;

    // The page's keys come from the nearer end of the list, then its rows by key in one query.
    const int last = std::min(first + kPageSize, m_count);
    Page page;
    page.first = first;
    try {
        const QSqlDatabase db = ConnectionOf(m_dm);
        // On a server a scroll step continues from the page beside it, from that page's edge row on.
        const std::size_t size = std::size_t(last - first);
        for (const Page& p : m_pages) {
            if (p.keys.size() == std::size_t(kPageSize) && p.first + kPageSize == first)
                page.keys = keysNextTo(p.keys.back(), true, int(size));
            else if (!p.keys.empty() && p.first == last)
                page.keys = keysNextTo(p.keys.front(), false, int(size));
            if (page.keys.size() == size)
                break;
            page.keys.clear();
        }
        // Else (a jump, or the book changed meanwhile) counted from the nearer end of the list.
        if (page.keys.empty()) {
            const bool fromEnd = m_count - last < first;
            const QString limit =
                QStringLiteral(" LIMIT %1 OFFSET %2").arg(last - first).arg(fromEnd ? m_count - last : first);
            page.keys = selectKeys(db, selectSql(keyColumn(), {}, fromEnd) + limit, m_values);
            if (fromEnd)
                std::reverse(page.keys.begin(), page.keys.end());
        }
        QStringList marks;
        QVariantList ids;
        for (qint64 key : page.keys) {
            marks << QStringLiteral("?");
            ids << key;
        }
        page.rows.resize(page.keys.size());
        if (!page.keys.empty()) {
            Rows q = execOrThrow(db, rowsSql(QStringLiteral("%1 IN (%2)").arg(keyColumn(), marks.join(u','))),
                                 ids);
            QHash<qint64, QSqlRecord> byKey;
            while (q.next())
                byKey.insert(q.value(0).toLongLong(), q.record());
            for (std::size_t r = 0; r < page.keys.size(); ++r)
                page.rows[r] = byKey.value(page.keys[r]);
        }
    } catch (const DbError& e) {
        reportError(e);
        return nullptr;
    }
    m_pages.insert(m_pages.begin(), std::move(page));
    if (m_pages.size() > kCachedPages)
        m_pages.pop_back();
    return &m_pages.front();
}

const QSqlRecord* SqlListModel::cachedRecord(int row) const
{
    const Page* p = page(row);
    if (!p)
        return nullptr;
    const std::size_t at = std::size_t(row - p->first);
    return at < p->rows.size() ? &p->rows[at] : nullptr;
}

QVariant SqlListModel::value(int row, const QString& column) const
{
    const QSqlRecord* r = cachedRecord(row);
    return r ? r->value(column) : QVariant();
}

SqlListModel::~SqlListModel() = default;

ClientRow SqlListModel::clientAt(int row) const
{
    return clientFromRecord(record(row));
}

QSqlRecord SqlListModel::record(int row) const
{
    const QSqlRecord* r = cachedRecord(row);
    return r ? *r : QSqlRecord();
}

int SqlListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_count;
}

int SqlListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QString SqlListModel::display(const ListColumn& column, const QVariant& value) const
{
    if (value.isNull())
        return {};
    if (column.shown)
        return column.shown(value);
    switch (column.kind) {
    case ListColumn::Text:
        return value.toString();
    case ListColumn::Integer:
        return QString::number(value.toLongLong());
    case ListColumn::Real: {
        // Plain numbers as the grids always showed them: no trailing zeros, a decimal comma.
        QString s = QString::number(value.toDouble(), 'g', 15);
        return s.replace(u'.', u',');
    }
    case ListColumn::Price:
        return FormatByDisplayFormat(value.toDouble(), m_precision.priceFormat);
    case ListColumn::Count:
        return FormatByDisplayFormat(value.toDouble(), m_precision.countFormat);
    case ListColumn::Money:
        return FormatFixed(value.toDouble(), 2, u',');
    case ListColumn::Date: {
        const QDate d = dateFromDb(value);
        return d == kDateZero ? QString() : d.toString(QStringLiteral("dd.MM.yyyy"));
    }
    }
    return {};
}

QVariant SqlListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.column() >= int(m_columns.size()))
        return {};
    const ListColumn& column = m_columns[std::size_t(index.column())];
    if (role == Qt::TextAlignmentRole)
        return column.kind == ListColumn::Text || column.kind == ListColumn::Date
                   ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                   : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    const QSqlRecord* r = cachedRecord(index.row());
    if (!r)
        return {};
    const QVariant value = r->value(column.name);
    if (role == Qt::DisplayRole && !column.emptyWith.isEmpty() && value.toDouble() == 0 &&
        r->value(column.emptyWith).toString().trimmed().isEmpty())
        return QString();
    return display(column, value);
}

QVariant SqlListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < int(m_columns.size()))
        // Titles are kept in the program's source language and shown in the interface's.
        return QCoreApplication::translate("Tables",
                                           m_columns[std::size_t(section)].title.toUtf8().constData());
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags SqlListModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && !m_readOnly && m_columns[std::size_t(index.column())].editable &&
        !m_columns[std::size_t(index.column())].shown)
        f |= Qt::ItemIsEditable;
    return f;
}

bool SqlListModel::toStored(const ListColumn& column, const QVariant& input, QVariant* stored,
                            QString* problem) const
{
    const QString text = input.toString().trimmed();
    switch (column.kind) {
    case ListColumn::Text: {
        const ColumnDef* def = m_table.column(column.name);
        *stored = def ? toStorage(*def, input.toString()) : input;
        return true;
    }
    case ListColumn::Integer: {
        bool ok = false;
        const int v = text.isEmpty() ? 0 : text.toInt(&ok);
        if ((!text.isEmpty() && !ok) || (column.minimum && v < *column.minimum))
            return false;
        *stored = v;
        return true;
    }
    case ListColumn::Money:
        return false;
    case ListColumn::Real:
    case ListColumn::Price:
    case ListColumn::Count: {
        // Either decimal mark; decimals the column shows at most, never rounded away.
        const int places = column.kind == ListColumn::Price   ? m_precision.pricePlaces
                           : column.kind == ListColumn::Count ? m_precision.countPlaces
                                                              : 15;
        double v = 0;
        const TypedNumber read = ParseTypedNumber(text, places, true, &v);
        if (read == TypedNumber::TooManyDecimals && problem)
            *problem = column.kind == ListColumn::Price
                           ? QCoreApplication::translate(
                                 "TDM", "В «%1» больше знаков после запятой, чем позволяет точность цены в "
                                        "настройках программы (%2). Число не округляется.")
                                 .arg(text)
                                 .arg(places)
                           : QCoreApplication::translate(
                                 "TDM", "В «%1» больше знаков после запятой, чем позволяет точность "
                                        "количества в настройках программы (%2). Число не округляется.")
                                 .arg(text)
                                 .arg(places);
        if (read != TypedNumber::Ok)
            return false;
        *stored = v;
        return true;
    }
    case ListColumn::Date: {
        if (text.isEmpty()) {
            // A document always has its date; only dates that may be unknown are cleared.
            if (column.required) {
                if (problem)
                    *problem = QCoreApplication::translate("TDM", "Дату документа нельзя оставить пустой.");
                return false;
            }
            *stored = dateToDb(QDate());
            return true;
        }
        const QDate d = QDate::fromString(text, QStringLiteral("dd.MM.yyyy"));
        if (!d.isValid())
            return false;
        *stored = dateToDb(d);
        return true;
    }
    }
    return false;
}

bool SqlListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const ListColumn& column = m_columns[std::size_t(index.column())];
    const QVariant shown = SqlListModel::value(index.row(), column.name);
    // A cell left as it was shown keeps its stored value: a price of 83,333… shown as 83,33 is not
    // rounded by a cell editor opened and closed.
    if (value.toString() == display(column, shown))
        return true;
    QVariant stored;
    QString problem;
    if (!toStored(column, value, &stored, &problem)) {
        emit engineError(
            QCoreApplication::translate("TDM", "Неправильные данные (невозможно сохранить изменения)!"),
            !problem.isEmpty() ? problem
                               : QCoreApplication::translate("TDM", "«%1» не подходит для столбца «%2».")
                                     .arg(value.toString(), column.title));
        return false;
    }
    const qint64 key = keyAt(index.row());
    try {
        // Only over the value the list shows: what another workplace has stored meanwhile is not lost.
        Rows update =
            execOrThrow(ConnectionOf(m_dm),
                        QStringLiteral("UPDATE %1 SET %2=? WHERE %3=? AND %2 IS NOT DISTINCT FROM ?")
                            .arg(QLatin1String(m_table.name), column.name, keyColumn()),
                        {stored, key, shown});
        if (update.numRowsAffected() == 0) {
            refetchRow(index.row(), key);
            emit dataChanged(this->index(index.row(), 0), this->index(index.row(), columnCount() - 1));
            emit engineError(
                QCoreApplication::translate("TDM", "Неправильные данные (невозможно сохранить изменения)!"),
                QCoreApplication::translate("TDM", "Запись изменили или удалили на другом рабочем месте. "
                                                   "Изменение не сохранено; показано то, что записано."));
            return false;
        }
    } catch (const DbError& e) {
        emit engineError(e.message(), e.detail());
        return false;
    }
    // The row stays where it stands until the list is read again; a new invoice number is a new row id.
    m_rowsByKey.clear();
    m_rowsByKeyRead = false;
    refetchRow(index.row(), m_table.primaryKey && column.name == QLatin1String(m_table.primaryKey)
                                ? stored.toLongLong()
                                : key);
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), columnCount() - 1));
    return true;
}

bool SqlListModel::deleteRow(int row)
{
    if (row < 0 || row >= rowCount())
        return false;
    try {
        execOrThrow(ConnectionOf(m_dm),
                    QStringLiteral("DELETE FROM %1 WHERE %2=?").arg(QLatin1String(m_table.name), keyColumn()),
                    {keyAt(row)});
    } catch (const DbError& e) {
        emit engineError(e.message(), e.detail());
        return false;
    }
    beginRemoveRows({}, row, row);
    --m_count;
    dropCache();
    endRemoveRows();
    return true;
}

bool SqlListModel::removeRows(int row, int count, const QModelIndex& parent)
{
    if (parent.isValid() || count <= 0)
        return false;
    for (int i = row + count - 1; i >= row; --i)
        if (!deleteRow(i))
            return false;
    return true;
}
