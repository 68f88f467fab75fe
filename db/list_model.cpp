#include "db/list_model.h"

#include "db/connection.h"
#include "db/data_module.h"
#include "base/number_format.h"

#include <QSqlQuery>

#include <cmath>

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
        columns.push_back(lc);
    }
    return columns;
}

SqlListModel::SqlListModel(const TDM& dm, const TableDef& table, std::vector<ListColumn> columns,
                           QObject* parent)
    : QAbstractTableModel(parent)
    , m_dm(dm)
    , m_table(table)
    , m_columns(std::move(columns))
{
}

void SqlListModel::setQuery(const QString& where, const QVariantList& values, const QString& orderBy)
{
    m_where = where;
    m_values = values;
    m_orderBy = orderBy;
    reload();
}

void SqlListModel::reload()
{
    beginResetModel();
    dropCache();
    m_keys.clear();
    if (m_dm.isConnected()) {
        QString sql = QStringLiteral("SELECT rowid FROM %1").arg(QLatin1String(m_table.name));
        if (!m_where.isEmpty())
            sql += QStringLiteral(" WHERE ") + m_where;
        if (!m_orderBy.isEmpty())
            sql += QStringLiteral(" ORDER BY ") + m_orderBy;
        try {
            m_keys = selectKeys(m_dm.database(), sql, m_values);
        } catch (const DbError& e) {
            endResetModel();
            emit engineError(e.message());
            return;
        }
    }
    endResetModel();
}

void SqlListModel::clear()
{
    beginResetModel();
    dropCache();
    m_keys.clear();
    endResetModel();
}

void SqlListModel::refreshRows()
{
    dropCache();
    if (!m_keys.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

int SqlListModel::findFirst(const QString& column, const QVariant& value) const
{
    if (!m_dm.isConnected() || m_keys.empty() || !m_table.column(column))
        return -1;
    QString sql = QStringLiteral("SELECT rowid FROM %1 WHERE ").arg(QLatin1String(m_table.name));
    if (!m_where.isEmpty())
        sql += QStringLiteral("(") + m_where + QStringLiteral(") AND ");
    sql += column + QStringLiteral("=?");
    if (!m_orderBy.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + m_orderBy;
    sql += QStringLiteral(" LIMIT 1");
    try {
        const std::vector<qint64> keys = selectKeys(m_dm.database(), sql, m_values + QVariantList{value});
        return keys.empty() ? -1 : rowOfKey(keys.front());
    } catch (const DbError& e) {
        emit const_cast<SqlListModel*>(this)->engineError(e.message());
        return -1;
    }
}

void SqlListModel::setPrecision(int pricePlaces, int countPlaces)
{
    m_pricePlaces = pricePlaces;
    m_countPlaces = countPlaces;
    if (!m_keys.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::DisplayRole});
}

void SqlListModel::dropCache() const
{
    m_pages.clear();
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
    return row >= 0 && row < int(m_keys.size()) ? m_keys[std::size_t(row)] : 0;
}

int SqlListModel::rowOfKey(qint64 key) const
{
    const auto it = std::find(m_keys.begin(), m_keys.end(), key);
    return it == m_keys.end() ? -1 : int(it - m_keys.begin());
}

const QSqlRecord* SqlListModel::cachedRecord(int row) const
{
    if (row < 0 || row >= int(m_keys.size()))
        return nullptr;
    const int first = row - row % kPageSize;
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        if (m_pages[i].first == first) {
            if (i != 0)
                std::rotate(m_pages.begin(), m_pages.begin() + qsizetype(i),
                            m_pages.begin() + qsizetype(i) + 1);
            const Page& page = m_pages.front();
            const std::size_t at = std::size_t(row - first);
            return at < page.rows.size() ? &page.rows[at] : nullptr;
        }
    }
    if (!m_dm.isConnected())
        return nullptr;

    // One query fetches the page; its rows come back in any order and are put in place by row id.
    const int last = std::min(first + kPageSize, int(m_keys.size()));
    QStringList marks;
    QVariantList ids;
    for (int r = first; r < last; ++r) {
        marks << QStringLiteral("?");
        ids << m_keys[std::size_t(r)];
    }
    Page page;
    page.first = first;
    page.rows.resize(std::size_t(last - first));
    try {
        QSqlQuery q = execOrThrow(m_dm.database(),
                                  QStringLiteral("SELECT rowid AS ROW_KEY_, * FROM %1 WHERE rowid IN (%2)")
                                      .arg(QLatin1String(m_table.name), marks.join(u',')),
                                  ids);
        QHash<qint64, QSqlRecord> byKey;
        while (q.next())
            byKey.insert(q.value(0).toLongLong(), q.record());
        for (int r = first; r < last; ++r)
            page.rows[std::size_t(r - first)] = byKey.value(m_keys[std::size_t(r)]);
    } catch (const DbError& e) {
        emit const_cast<SqlListModel*>(this)->engineError(e.message());
        return nullptr;
    }
    m_pages.insert(m_pages.begin(), std::move(page));
    if (m_pages.size() > kCachedPages)
        m_pages.pop_back();
    const Page& front = m_pages.front();
    return &front.rows[std::size_t(row - first)];
}

QVariant SqlListModel::value(int row, const QString& column) const
{
    const QSqlRecord* r = cachedRecord(row);
    return r ? r->value(column) : QVariant();
}

QSqlRecord SqlListModel::record(int row) const
{
    const QSqlRecord* r = cachedRecord(row);
    return r ? *r : QSqlRecord();
}

int SqlListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_keys.size());
}

int SqlListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QString SqlListModel::display(const ListColumn& column, const QVariant& value) const
{
    if (value.isNull())
        return {};
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
        return FormatFixed(value.toDouble(), m_pricePlaces);
    case ListColumn::Count:
        return FormatFixed(value.toDouble(), m_countPlaces);
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
    return display(column, r->value(column.name));
}

QVariant SqlListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < int(m_columns.size()))
        return m_columns[std::size_t(section)].title;
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags SqlListModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && !m_readOnly && m_columns[std::size_t(index.column())].editable)
        f |= Qt::ItemIsEditable;
    return f;
}

bool SqlListModel::toStored(const ListColumn& column, const QVariant& input, QVariant* stored) const
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
        if (!text.isEmpty() && !ok)
            return false;
        *stored = v;
        return true;
    }
    case ListColumn::Real:
    case ListColumn::Price:
    case ListColumn::Count: {
        double v = 0;
        if (!text.isEmpty() && !ParseDecimal(text, &v))
            return false;
        *stored = v;
        return true;
    }
    case ListColumn::Date: {
        if (text.isEmpty()) {
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
    QVariant stored;
    if (!toStored(column, value, &stored))
        return false;
    const qint64 key = keyAt(index.row());
    try {
        execOrThrow(
            m_dm.database(),
            QStringLiteral("UPDATE %1 SET %2=? WHERE rowid=?").arg(QLatin1String(m_table.name), column.name),
            {stored, key});
    } catch (const DbError& e) {
        emit engineError(e.message());
        return false;
    }
    // A new invoice number is a new row id.
    if (m_table.primaryKey && column.name == QLatin1String(m_table.primaryKey))
        m_keys[std::size_t(index.row())] = stored.toLongLong();
    dropCache();
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), columnCount() - 1));
    return true;
}

bool SqlListModel::deleteRow(int row)
{
    if (row < 0 || row >= rowCount())
        return false;
    try {
        execOrThrow(m_dm.database(),
                    QStringLiteral("DELETE FROM %1 WHERE rowid=?").arg(QLatin1String(m_table.name)),
                    {keyAt(row)});
    } catch (const DbError& e) {
        emit engineError(e.message());
        return false;
    }
    beginRemoveRows({}, row, row);
    m_keys.erase(m_keys.begin() + row);
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
