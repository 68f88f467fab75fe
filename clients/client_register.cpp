#include "clients/client_register.h"

#include "db/data_module.h"
#include "db/db_error.h"
#include "db/list_queries.h"
#include "db/stores.h"
#include "db/tables.h"

QString ClientFilter::text() const
{
    QString t = QStringLiteral("ID_NUMBER>1");
    if (nameOn)
        t += QStringLiteral(" AND FIRMNAME='") + nameValue + u'\'';
    if (cityOn)
        t += QStringLiteral(" AND CITY='") + cityValue + u'\'';
    return t;
}

const QStringList& sortIndexNames()
{
    static const QStringList names = {"FIRMA",   "CHIEFNAME", "CITYADR", "POST_ADR",
                                      "LAW_ADR", "T_CODE",    "REG_NUM", "DOG_NUM"};
    return names;
}

QString indexOfColumn(const QString& column)
{
    for (const IndexDef& i : Tables::clients().indexes)
        if (QString::fromLatin1(i.columns).section(u' ', 0, 0).compare(column, Qt::CaseInsensitive) == 0)
            return QLatin1String(i.name);
    return {};
}

const std::vector<ClientColumn>& clientColumns()
{
    static const std::vector<ClientColumn> columns = {
        {"FIRMNAME", 0, 241, 0, true},    {"CHIEF", 3, 217, 1, true},      {"BUHALTER", 4, 173, -1, true},
        {"TELFAX", 5, 107, 2, true},      {"CITY", 1, 0, 3, true},         {"REGION", -1, 0, -1, true},
        {"POSTADDRESS", 2, 193, 4, true}, {"LAWADDRESS", 6, 218, 5, true}, {"TAXCODE", 7, 136, 6, true},
        {"MFOCODE", -1, 0, -1, true},     {"OKPOCODE", -1, 0, -1, true},   {"REGNUMBER", 8, 103, 7, true},
        {"BANKNAME", -1, 0, -1, true},    {"BANKCITY", -1, 0, -1, true},   {"CHETNUMBER", -1, 0, -1, true},
        {"BANKREGION", -1, 0, -1, true},  {"DOGNUMBER", 9, 81, 8, true},   {"DOGDATA", 10, 0, -1, true},
    };
    return columns;
}

const QStringList& registerColumns()
{
    static const QStringList columns = [] {
        QStringList names{QStringLiteral("ID_NUMBER")};
        for (const ClientColumn& c : clientColumns())
            if (c.edited)
                names << QLatin1String(c.name);
        return names;
    }();
    return columns;
}

std::vector<ClientColumn> clientListColumns()
{
    std::vector<ClientColumn> shown;
    for (const ClientColumn& c : clientColumns())
        if (c.listPosition >= 0)
            shown.push_back(c);
    std::sort(shown.begin(), shown.end(),
              [](const ClientColumn& a, const ClientColumn& b) { return a.listPosition < b.listPosition; });
    return shown;
}

ClientRegister::ClientRegister(TDM& dm)
    : m_dm(dm)
    , m_model(std::make_unique<SqlListModel>(dm, Tables::clients(),
                                             listColumns(Tables::clients(), registerColumns())))
{
    m_model->setReadOnly(true);
}

ListQuery ClientRegister::query() const
{
    return ListQueries::clients(
        m_dm.dialect(), m_filter.nameOn ? std::optional(m_filter.nameValue) : std::nullopt,
        m_filter.cityOn ? std::optional(m_filter.cityValue) : std::nullopt, m_sortIndex);
}

void ClientRegister::reload()
{
    m_model->setQuery(query());
}

void ClientRegister::setSortIndex(const QString& indexName)
{
    m_sortIndex = sortIndexNames().contains(indexName) ? indexName : QStringLiteral("FIRMA");
    reload();
}

void ClientRegister::setFilter(const ClientFilter& filter)
{
    m_filter = filter;
    reload();
}

int ClientRegister::idAt(int row) const
{
    return int(m_model->keyAt(row));
}

int ClientRegister::rowOfId(int id) const
{
    return m_model->rowOfKey(id);
}

ClientRow ClientRegister::clientAt(int row) const
{
    return m_model->clientAt(row);
}

int SaveClient(TDM& dm, const ClientRow& client, bool isNew)
{
    const TableDef& table = Tables::clients();
    RowColumns columns(table);
    for (const QString& column : registerColumns()) {
        if (column == QLatin1String("ID_NUMBER"))
            continue;
        QVariant v;
        if (column == QLatin1String("DOGDATA")) {
            v = dateToDb(client.DOGDATA);
        } else {
            for (const ClientRow::Field& f : ClientRow::textFields())
                if (column == QLatin1String(f.column))
                    v = cutToColumn(table, column, client.*f.member);
        }
        columns.set(qPrintable(column), v);
    }
    return StoreClientColumns(dm, client.ID_NUMBER, columns, isNew);
}

const QStringList& findFields()
{
    static const QStringList fields = [] {
        std::vector<const ClientColumn*> searched;
        for (const ClientColumn& c : clientColumns())
            if (c.findPosition >= 0)
                searched.push_back(&c);
        std::sort(searched.begin(), searched.end(), [](const ClientColumn* a, const ClientColumn* b) {
            return a->findPosition < b->findPosition;
        });
        QStringList names;
        for (const ClientColumn* c : searched)
            names << QLatin1String(c->name);
        return names;
    }();
    return fields;
}

FindResult FindClient(const ClientRegister& reg, int startRow, int field, const QString& text, bool fullMatch,
                      const std::function<bool()>& keepGoing, int rowsPerAsk)
{
    FindResult result;
    const QString column = findFields().value(field, findFields().first());
    result.row = reg.model().findText(column, text, fullMatch, std::max(startRow, 0), keepGoing,
                                      &result.interrupted, rowsPerAsk, &result.reachedRow);
    return result;
}

int ClearRegister(TDM& dm, ClientRegister& reg, const std::function<bool()>& keepGoing)
{
    // The list is read whole before anything goes, so the rows do not move under the loop.
    std::vector<int> ids;
    for (int row = 0; row < reg.model().rowCount(); ++row)
        ids.push_back(reg.idAt(row));
    int deleted = 0;
    for (auto it = ids.rbegin(); it != ids.rend(); ++it) {
        dm.DeleteClient(*it);
        ++deleted;
        if (keepGoing && !keepGoing())
            break;
    }
    reg.reload();
    return deleted;
}
