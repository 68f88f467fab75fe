#include "clients/client_register.h"

#include "db/connection.h"
#include "db/data_module.h"
#include "db/tables.h"

#include <QSqlRecord>

namespace {

// Characters compared as the register compares them; a bound that sorts after every text.
const QString kAfterEverything = QString::fromUcs4(U"\U0010FFFF");

void addCondition(const QString& column, const QString& value, QStringList* parts, QVariantList* values)
{
    const QString collate = QStringLiteral(" COLLATE ") + QLatin1String(kTextCollation);
    if (value.endsWith(u'*')) {
        const QString prefix = value.left(value.size() - 1);
        *parts << QStringLiteral("%1%2 >= ? AND %1%2 < ?").arg(column, collate);
        *values << prefix << prefix + kAfterEverything;
    } else {
        *parts << QStringLiteral("%1%2 = ?").arg(column, collate);
        *values << value;
    }
}

} // namespace

QString ClientFilter::text() const
{
    QString t = QStringLiteral("ID_NUMBER>1");
    if (nameOn)
        t += QStringLiteral(" AND FIRMNAME='") + nameValue + u'\'';
    if (cityOn)
        t += QStringLiteral(" AND CITY='") + cityValue + u'\'';
    return t;
}

QString ClientFilter::where(QVariantList* values) const
{
    QStringList parts{QStringLiteral("ID_NUMBER>1")};
    if (nameOn)
        addCondition(QStringLiteral("FIRMNAME"), nameValue, &parts, values);
    if (cityOn)
        addCondition(QStringLiteral("CITY"), cityValue, &parts, values);
    return parts.join(QStringLiteral(" AND "));
}

const QStringList& sortIndexNames()
{
    static const QStringList names = {"FIRMA",   "CHIEFNAME", "CITYADR", "POST_ADR",
                                      "LAW_ADR", "T_CODE",    "REG_NUM", "DOG_NUM"};
    return names;
}

QString orderOfIndex(const QString& indexName)
{
    for (const IndexDef& i : Tables::clients().indexes)
        if (indexName.compare(QLatin1String(i.name), Qt::CaseInsensitive) == 0)
            return QLatin1String(i.columns) + QStringLiteral(", ID_NUMBER");
    return orderOfIndex(QStringLiteral("FIRMA"));
}

QString indexOfColumn(const QString& column)
{
    for (const IndexDef& i : Tables::clients().indexes)
        if (QString::fromLatin1(i.columns).section(u' ', 0, 0).compare(column, Qt::CaseInsensitive) == 0)
            return QLatin1String(i.name);
    return {};
}

const QStringList& registerColumns()
{
    static const QStringList columns = {"ID_NUMBER",  "FIRMNAME",   "CHIEF",       "BUHALTER",   "TELFAX",
                                        "CITY",       "REGION",     "POSTADDRESS", "LAWADDRESS", "TAXCODE",
                                        "MFOCODE",    "OKPOCODE",   "REGNUMBER",   "BANKNAME",   "BANKCITY",
                                        "CHETNUMBER", "BANKREGION", "DOGNUMBER",   "DOGDATA"};
    return columns;
}

ClientRegister::ClientRegister(const TDM& dm)
    : m_dm(dm)
    , m_model(std::make_unique<SqlListModel>(dm, Tables::clients(),
                                             listColumns(Tables::clients(), registerColumns())))
{
    m_model->setReadOnly(true);
}

void ClientRegister::reload()
{
    QVariantList values;
    const QString where = m_filter.where(&values);
    m_model->setQuery(where, values, orderOfIndex(m_sortIndex));
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
    return clientFromRecord(m_model->record(row));
}

void SaveClient(const TDM& dm, const ClientRow& client)
{
    const TableDef& table = Tables::clients();
    QStringList columns, assignments;
    QVariantList values;
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
        columns << column;
        assignments << column + QStringLiteral("=?");
        values << v;
    }
    const QSqlDatabase db = dm.database();
    Transaction tx(db);
    QSqlQuery update =
        execOrThrow(db, QStringLiteral("UPDATE CLIENTS SET %1 WHERE ID_NUMBER=?").arg(assignments.join(u',')),
                    values + QVariantList{client.ID_NUMBER});
    if (update.numRowsAffected() == 0) {
        QStringList marks;
        marks.fill(QStringLiteral("?"), columns.size() + 1);
        execOrThrow(db,
                    QStringLiteral("INSERT INTO CLIENTS (ID_NUMBER,%1) VALUES (%2)")
                        .arg(columns.join(u','), marks.join(u',')),
                    QVariantList{client.ID_NUMBER} + values);
    }
    tx.commit();
}

const QStringList& findFields()
{
    static const QStringList fields = {"FIRMNAME",   "CHIEF",   "TELFAX",    "CITY",     "POSTADDRESS",
                                       "LAWADDRESS", "TAXCODE", "REGNUMBER", "DOGNUMBER"};
    return fields;
}

FindResult FindClient(const ClientRegister& reg, int startRow, int field, const QString& text, bool fullMatch,
                      const std::function<bool()>& keepGoing)
{
    FindResult result;
    const QString column = findFields().value(field, findFields().first());
    const QString key = text.toUpper().left(255);
    const SqlListModel& model = reg.model();
    for (int row = std::max(startRow, 0); row < model.rowCount(); ++row) {
        if (keepGoing && !keepGoing()) {
            result.interrupted = true;
            return result;
        }
        const QString value = model.value(row, column).toString().toUpper().left(255);
        if (fullMatch ? value == key : value.contains(key)) {
            result.row = row;
            return result;
        }
    }
    return result;
}

int ClearRegister(const TDM& dm, ClientRegister& reg, const std::function<bool()>& keepGoing)
{
    int deleted = 0;
    for (int row = reg.model().rowCount() - 1; row >= 0; --row) {
        dm.DeleteClient(reg.idAt(row));
        ++deleted;
        if (keepGoing && !keepGoing())
            break;
    }
    reg.reload();
    return deleted;
}
