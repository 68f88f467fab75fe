#include "db/stores.h"

#include "base/money.h"
#include "db/data_module.h"
#include "db/driver.h"
#include "db/list_queries.h"
#include "db/sql_dialect.h"
#include "db/tables.h"

#include <QSqlQuery>
#include <QSqlRecord>

#include <map>

namespace {

QString marks(qsizetype count)
{
    QStringList m;
    m.fill(QStringLiteral("?"), count);
    return m.join(u',');
}

QString assignments(const RowColumns& row)
{
    return row.names().join(QStringLiteral("=?,")) + QStringLiteral("=?");
}

QString insertSql(const RowColumns& row)
{
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
        .arg(QLatin1String(row.table().name), row.names().join(u','), marks(qsizetype(row.columns().size())));
}

} // namespace

std::optional<QVariantMap> ReadRowByKey(const TDM& dm, const TableDef& table, const ColumnDef& key,
                                        int number)
{
    Rows q = execOrThrow(
        ConnectionOf(dm),
        QStringLiteral("SELECT * FROM %1 WHERE %2=?").arg(QLatin1String(table.name), QLatin1String(key.name)),
        {number});
    if (!q.next())
        return std::nullopt;
    QVariantMap row;
    for (const ColumnDef& c : table.columns)
        row.insert(QLatin1String(c.name), q.value(QLatin1String(c.name)));
    return row;
}

void ForEachClientColumns(const TDM& dm, const ListQuery& clients,
                          const std::vector<const ColumnDef*>& columns,
                          const std::function<void(const QStringList& texts)>& take)
{
    if (columns.empty())
        return;
    QStringList names;
    for (const ColumnDef* c : columns)
        names << QLatin1String(c->name);
    Statement q(ConnectionOf(dm),
                QStringLiteral("SELECT %1 FROM CLIENTS WHERE %2 ORDER BY %3")
                    .arg(names.join(QStringLiteral(", ")), clients.where, clients.orderBy),
                clients.values);
    QStringList texts;
    while (q.next()) {
        texts.clear();
        for (int i = 0; i < names.size(); ++i)
            texts << q.text(i);
        take(texts);
    }
}

int StoreClientColumns(TDM& dm, int id, const RowColumns& client, bool isNew)
{
    const QSqlDatabase db = ConnectionOf(dm);
    const QString insert = QStringLiteral("INSERT INTO CLIENTS (ID_NUMBER,%1) VALUES (%2)")
                               .arg(client.names().join(u','), marks(qsizetype(client.columns().size()) + 1));
    const QVariantList& values = client.values();
    int stored = id;
    RetryOnCollision([&] {
        Transaction tx(db, Transaction::Writing);
        stored = id;
        if (isNew) {
            // The number taken when the new client was begun may have gone to another workplace's client
            // meanwhile: that client is never written over, this one takes the next free number.
            if (dm.ReadClient(stored))
                stored = dm.NextClientNumber();
            execOrThrow(db, insert, QVariantList{stored} + values);
        } else {
            Rows update = execOrThrow(
                db, QStringLiteral("UPDATE CLIENTS SET %1 WHERE ID_NUMBER=?").arg(assignments(client)),
                values + QVariantList{stored});
            if (update.numRowsAffected() == 0)
                execOrThrow(db, insert, QVariantList{stored} + values);
        }
        tx.commit();
    });
    return stored;
}

qint64 AddEmptyGoods(TDM& dm)
{
    return scalar(ConnectionOf(dm),
                  QStringLiteral("INSERT INTO PRODUCTS (PRODUCT_NAME, PRODUCT_PRICE) VALUES "
                                 "('', 0) RETURNING REC_NUMBER"))
        .toLongLong();
}

std::vector<std::pair<QString, double>> ReadGoods(const TDM& dm)
{
    std::vector<std::pair<QString, double>> goods;
    Rows q =
        execOrThrow(ConnectionOf(dm), QStringLiteral("SELECT PRODUCT_NAME, PRODUCT_PRICE FROM PRODUCTS"));
    while (q.next())
        goods.emplace_back(q.value(0).toString(), q.value(1).toDouble());
    return goods;
}

void AddGoods(TDM& dm, const QString& name, double price)
{
    execOrThrow(ConnectionOf(dm),
                QStringLiteral("INSERT INTO PRODUCTS (PRODUCT_NAME, PRODUCT_PRICE) VALUES (?, ?)"),
                {cutToColumn(Tables::products(), QStringLiteral("PRODUCT_NAME"), name), price});
}

int StoreWaybillColumns(TDM& dm, const RowColumns& waybill, const std::function<int(int taken)>& whenTaken)
{
    const QSqlDatabase db = ConnectionOf(dm);
    const QString name = QLatin1String(waybill.table().name);
    QVariantList values = waybill.values();
    const int wanted = values.value(0).toInt();
    int number = 0;
    RetryOnCollision([&] {
        Transaction tx(db, Transaction::Writing);
        number = wanted;
        if (scalar(db, QStringLiteral("SELECT 1 FROM %1 WHERE NAKL_NUMBER=?").arg(name), {number}).isValid())
            number = whenTaken(number);
        values[0] = number;
        execOrThrow(db, insertSql(waybill), values);
        tx.commit();
    });
    return number;
}

bool StoreActColumns(TDM& dm, int original, const RowColumns& act)
{
    const QSqlDatabase db = ConnectionOf(dm);
    const QVariantList& values = act.values();
    const int number = values.value(0).toInt();
    bool stored = false;
    RetryOnCollision([&] {
        Transaction tx(db, Transaction::Writing);
        stored = !scalar(db, QStringLiteral("SELECT 1 FROM ACTS WHERE ACT_NUMBER=? AND ACT_NUMBER<>?"),
                         {number, original})
                      .isValid();
        if (!stored)
            return;
        // An act another workplace deleted meanwhile is written anew, never reported stored unwritten.
        const bool over =
            original > 0 &&
            scalar(db, QStringLiteral("SELECT 1 FROM ACTS WHERE ACT_NUMBER=?"), {original}).isValid();
        if (over)
            execOrThrow(db, QStringLiteral("UPDATE ACTS SET %1 WHERE ACT_NUMBER=?").arg(assignments(act)),
                        values + QVariantList{original});
        else
            execOrThrow(db, insertSql(act), values);
        tx.commit();
    });
    return stored;
}

std::optional<StoredAct> ReadAct(const TDM& dm, int number)
{
    const std::optional<QVariantMap> row =
        ReadRowByKey(dm, Tables::acts(), *Tables::acts().column(QStringLiteral("ACT_NUMBER")), number);
    if (!row)
        return std::nullopt;
    const auto value = [&row](const char* column) { return row->value(QLatin1String(column)); };
    StoredAct stored;
    stored.act = {value("ACT_NUMBER").toInt(),
                  dateFromDb(value("ACT_DATA")),
                  {value("ACT_MONTH").toInt(), value("ACT_YEAR").toInt()},
                  value("ACT_INFO").toString(),
                  value("SUMMA").toDouble(),
                  value("ACT_NDS").toInt(),
                  value("NAME_CLIENT").toString()};
    stored.clientId = value("ID_NUMBER").toInt();
    return stored;
}

int NextActNumber(const TDM& dm)
{
    return std::max(scalar(ConnectionOf(dm), QStringLiteral("SELECT MAX(ACT_NUMBER) FROM ACTS")).toInt() + 1,
                    1);
}

std::optional<InvoiceRow> ReadDocumentForUpdate(const TDM& dm, int number)
{
    const QSqlDatabase db = ConnectionOf(dm);
    Rows q = execOrThrow(
        db, QStringLiteral("SELECT * FROM FACTURES WHERE FACT_NUMBER=?") + dm.dialect().forUpdate(),
        {number});
    if (!q.next())
        return std::nullopt;
    return invoiceFromRecord(q.record());
}

void InsertDocumentColumns(TDM& dm, const RowColumns& document)
{
    execOrThrow(ConnectionOf(dm), insertSql(document), document.values());
}

bool UpdateDocumentColumns(TDM& dm, int number, const RowColumns& document)
{
    Rows update =
        execOrThrow(ConnectionOf(dm),
                    QStringLiteral("UPDATE FACTURES SET %1 WHERE FACT_NUMBER=?").arg(assignments(document)),
                    document.values() + QVariantList{number});
    return update.numRowsAffected() > 0;
}

void UpdateClientColumns(TDM& dm, int id, const RowColumns& client)
{
    const QSqlDatabase db = ConnectionOf(dm);
    Transaction tx(db, Transaction::Writing);
    execOrThrow(db, QStringLiteral("UPDATE CLIENTS SET %1 WHERE ID_NUMBER=?").arg(assignments(client)),
                client.values() + QVariantList{id});
    tx.commit();
}

void DeleteOwnerRow(TDM& dm)
{
    execOrThrow(ConnectionOf(dm), QStringLiteral("DELETE FROM CLIENTS WHERE ID_NUMBER=1"));
}

namespace {

QVariantList paymentValues(const PaymentRow& p, int number)
{
    const auto orNull = [](int n) { return n > 0 ? QVariant(n) : QVariant(0); };
    return {number,
            dateToDb(p.PLAT_DATA),
            p.SUMMA,
            p.INFO,
            p.ID_NUMBER > 0 ? QVariant(p.ID_NUMBER) : QVariant(),
            orNull(p.FACT_NUMBER),
            orNull(p.ACT_NUMBER),
            p.BANK_NUMBER,
            p.BANK_DATA.isValid() ? dateToDb(p.BANK_DATA) : QVariant(),
            p.PAYER_NAME,
            p.PAYER_CODE,
            p.PAYER_IBAN,
            p.SOURCE,
            p.LINE_KEY.isEmpty() ? QVariant() : QVariant(p.LINE_KEY)};
}

PaymentRow paymentOf(const QSqlRecord& r)
{
    const auto v = [&r](const char* column) { return r.value(QLatin1String(column)); };
    PaymentRow p;
    p.PLAT_NUMBER = v("PLAT_NUMBER").toInt();
    p.PLAT_DATA = dateFromDb(v("PLAT_DATA"));
    p.SUMMA = v("SUMMA").toDouble();
    p.INFO = v("INFO").toString();
    p.ID_NUMBER = v("ID_NUMBER").toInt();
    p.FACT_NUMBER = v("FACT_NUMBER").toInt();
    p.ACT_NUMBER = v("ACT_NUMBER").toInt();
    p.BANK_NUMBER = v("BANK_NUMBER").toString();
    p.BANK_DATA = v("BANK_DATA").isNull() ? QDate() : dateFromDb(v("BANK_DATA"));
    p.PAYER_NAME = v("PAYER_NAME").toString();
    p.PAYER_CODE = v("PAYER_CODE").toString();
    p.PAYER_IBAN = v("PAYER_IBAN").toString();
    p.SOURCE = v("SOURCE").toString();
    p.LINE_KEY = v("LINE_KEY").toString();
    return p;
}

const QString kPaymentColumns = QStringLiteral(
    "PLAT_NUMBER,PLAT_DATA,SUMMA,INFO,ID_NUMBER,FACT_NUMBER,ACT_NUMBER,BANK_NUMBER,BANK_DATA,PAYER_NAME,"
    "PAYER_CODE,PAYER_IBAN,SOURCE,LINE_KEY");

} // namespace

void InOneWriteTurn(TDM& dm, const std::function<void()>& work)
{
    RetryOnCollision([&] {
        Transaction tx(dm, Transaction::Writing);
        work();
        tx.commit();
    });
}

void InBulkWriteTurn(TDM& dm, const std::function<void()>& work)
{
    {
        Transaction tx(dm, Transaction::Writing);
        BulkWrite guards(dm);
        work();
        guards.restore();
        tx.commit();
    }
    dm.refreshStatistics();
}

TableRows::TableRows(const TDM& dm, const TableDef& table)
    : m_inserter(std::make_unique<RowInserter>(dm, table))
{
}

TableRows::~TableRows() = default;
TableRows::TableRows(TableRows&&) noexcept = default;

void TableRows::append(const QVariantList& values)
{
    m_inserter->insert(values);
}

bool IsDatabaseEmpty(const TDM& dm)
{
    const QSqlDatabase db = ConnectionOf(dm);
    for (const char* sql :
         {"SELECT 1 FROM CLIENTS WHERE ID_NUMBER>1 LIMIT 1", "SELECT 1 FROM FACTURES LIMIT 1",
          "SELECT 1 FROM NAKLADN1 LIMIT 1", "SELECT 1 FROM NAKLADN2 LIMIT 1", "SELECT 1 FROM ACTS LIMIT 1"})
        if (!scalar(db, QString::fromLatin1(sql)).isNull())
            return false;
    return true;
}

std::vector<int> StorePayments(TDM& dm, const std::vector<PaymentRow>& payments,
                               const std::vector<ClientRow>& newClients)
{
    const QSqlDatabase db = ConnectionOf(dm);
    std::vector<int> numbers;
    RetryOnCollision([&] {
        numbers.assign(payments.size(), 0);
        Transaction tx(db, Transaction::Writing);
        std::vector<int> clientIds;
        for (const ClientRow& client : newClients) {
            const RowColumns row = columnsOf(client, {QStringLiteral("ID_NUMBER")});
            clientIds.push_back(dm.NextClientNumber());
            execOrThrow(db,
                        QStringLiteral("INSERT INTO CLIENTS (ID_NUMBER,%1) VALUES (%2)")
                            .arg(row.names().join(u','), marks(qsizetype(row.columns().size()) + 1)),
                        QVariantList{clientIds.back()} + row.values());
        }
        int next = scalar(db, QStringLiteral("SELECT MAX(PLAT_NUMBER) FROM PLATEG")).toInt() + 1;
        QSet<QString> keys;
        const QString insert =
            QStringLiteral("INSERT INTO PLATEG (%1) VALUES (%2)").arg(kPaymentColumns, marks(14));
        for (std::size_t i = 0; i < payments.size(); ++i) {
            const PaymentRow& p = payments[i];
            if (!p.LINE_KEY.isEmpty()) {
                if (keys.contains(p.LINE_KEY) ||
                    scalar(db, QStringLiteral("SELECT 1 FROM PLATEG WHERE LINE_KEY=? AND LINE_KEY<>''"),
                           {p.LINE_KEY})
                        .isValid())
                    continue;
                keys.insert(p.LINE_KEY);
            }
            if (p.ID_NUMBER < 0) {
                PaymentRow ofNew = p;
                ofNew.ID_NUMBER = clientIds.at(std::size_t(-p.ID_NUMBER - 1));
                execOrThrow(db, insert, paymentValues(ofNew, next));
            } else {
                execOrThrow(db, insert, paymentValues(p, next));
            }
            numbers[i] = next++;
        }
        tx.commit();
    });
    return numbers;
}

QSet<QString> StoredLineKeys(const TDM& dm, const QStringList& keys)
{
    QSet<QString> stored;
    const QSqlDatabase db = ConnectionOf(dm);
    for (const QString& key : keys)
        if (!key.isEmpty() &&
            scalar(db, QStringLiteral("SELECT 1 FROM PLATEG WHERE LINE_KEY=? AND LINE_KEY<>''"), {key})
                .isValid())
            stored.insert(key);
    return stored;
}

std::vector<ClientKeys> ReadClientKeys(const TDM& dm)
{
    std::vector<ClientKeys> clients;
    Rows q = execOrThrow(ConnectionOf(dm),
                         QStringLiteral("SELECT ID_NUMBER, FIRMNAME, OKPOCODE, TAXCODE, "
                                        "CHETNUMBER, CHETNUMBER2 FROM CLIENTS WHERE ID_NUMBER>1"));
    while (q.next())
        clients.push_back({q.value(0).toInt(), q.value(1).toString(), q.value(2).toString().trimmed(),
                           q.value(3).toString().trimmed(), q.value(4).toString(), q.value(5).toString()});
    return clients;
}

qint64 PaidKopecks(const TDM& dm, int number, bool act)
{
    Rows q = execOrThrow(ConnectionOf(dm),
                         QStringLiteral("SELECT SUMMA FROM PLATEG WHERE %1=? AND %1>0")
                             .arg(act ? QStringLiteral("ACT_NUMBER") : QStringLiteral("FACT_NUMBER")),
                         {number});
    qint64 kopecks = 0;
    while (q.next())
        kopecks += Money::fromDouble(q.value(0).toDouble()).kopecks();
    return kopecks;
}

std::vector<PaymentRow> ReadClientPayments(const TDM& dm, int clientId)
{
    std::vector<PaymentRow> payments;
    Rows q =
        execOrThrow(ConnectionOf(dm),
                    QStringLiteral("SELECT %1 FROM PLATEG WHERE ID_NUMBER=? ORDER BY PLAT_DATA, PLAT_NUMBER")
                        .arg(kPaymentColumns),
                    {clientId});
    while (q.next())
        payments.push_back(paymentOf(q.record()));
    return payments;
}

namespace {

// A document's total in whole kopecks, added up exactly however long the account.
QString kopecksOf(const QString& hryvnias)
{
    return QStringLiteral("CAST(round((%1)*100) AS bigint)").arg(hryvnias);
}

} // namespace

std::vector<ChargedDocument> ReadChargedDocuments(const TDM& dm, int clientId, const QDate& from,
                                                  const QDate& to)
{
    const SqlDialect& d = dm.dialect();
    Rows q = execOrThrow(
        ConnectionOf(dm),
        QStringLiteral(
            "SELECT FACT_NUMBER, FACT_DATA, 0, %1 FROM FACTURES WHERE ID_NUMBER=? AND FACT_NUMBER>0 "
            "AND FACT_DATA>=? AND FACT_DATA<=? UNION ALL SELECT ACT_NUMBER, ACT_DATA, 1, %2 FROM "
            "ACTS WHERE ID_NUMBER=? AND ACT_DATA>=? AND ACT_DATA<=? ORDER BY 2, 3, 1")
            .arg(kopecksOf(ListQueries::invoiceTotal(d)), kopecksOf(ListQueries::actTotal(d))),
        {clientId, dateToDb(from), dateToDb(to), clientId, dateToDb(from), dateToDb(to)});
    std::vector<ChargedDocument> documents;
    while (q.next())
        documents.push_back(
            {q.value(0).toInt(), q.value(2).toInt() == 1, dateFromDb(q.value(1)), q.value(3).toLongLong()});
    return documents;
}

std::vector<ClientBalance> ReadBalances(const TDM& dm, const QDate& date, int clientId)
{
    const QSqlDatabase db = ConnectionOf(dm);
    const SqlDialect& d = dm.dialect();
    const QString client = clientId > 0 ? QStringLiteral(" AND ID_NUMBER=%1").arg(clientId) : QString();
    const QVariant day = dateToDb(date);
    std::map<int, ClientBalance> balances;
    // Kopecks added up as whole numbers, so that a long account stays exact.
    const auto add = [&](const QString& sql, qint64 ClientBalance::*to) {
        Rows q = execOrThrow(db, sql, {day});
        while (q.next()) {
            ClientBalance& b = balances[q.value(0).toInt()];
            b.clientId = q.value(0).toInt();
            b.*to += q.value(1).toLongLong();
        }
    };
    add(QStringLiteral("SELECT ID_NUMBER, sum(%1) FROM FACTURES WHERE FACT_NUMBER>0 AND FACT_DATA<=?%2 GROUP "
                       "BY ID_NUMBER")
            .arg(kopecksOf(ListQueries::invoiceTotal(d)), client),
        &ClientBalance::charged);
    add(QStringLiteral("SELECT ID_NUMBER, sum(%1) FROM ACTS WHERE ACT_DATA<=?%2 GROUP BY ID_NUMBER")
            .arg(kopecksOf(ListQueries::actTotal(d)), client),
        &ClientBalance::charged);
    add(QStringLiteral(
            "SELECT ID_NUMBER, sum(%1) FROM PLATEG WHERE PLAT_DATA<=? AND ID_NUMBER>1%2 GROUP BY ID_NUMBER")
            .arg(d.money(QStringLiteral("coalesce(SUMMA,0)")), client),
        &ClientBalance::paid);
    std::vector<ClientBalance> list;
    for (auto& [id, b] : balances) {
        if (const std::optional<ClientRow> row = dm.ReadClient(id))
            b.name = row->FIRMNAME;
        // The oldest document its own payments leave unpaid.
        const auto oldest = [&](const QString& sql, bool act) {
            Rows q = execOrThrow(db, sql, {id, day});
            if (q.next() && (!b.oldestDate.isValid() || dateFromDb(q.value(1)) < b.oldestDate)) {
                b.oldestNumber = q.value(0).toInt();
                b.oldestDate = dateFromDb(q.value(1));
                b.oldestIsAct = act;
            }
        };
        oldest(QStringLiteral(
                   "SELECT FACT_NUMBER, FACT_DATA FROM FACTURES WHERE ID_NUMBER=? AND FACT_NUMBER>0 AND "
                   "FACT_DATA<=? AND %1<2 ORDER BY FACT_DATA, FACT_NUMBER LIMIT 1")
                   .arg(ListQueries::invoicePaymentState(d)),
               false);
        oldest(QStringLiteral(
                   "SELECT ACT_NUMBER, ACT_DATA FROM ACTS WHERE ID_NUMBER=? AND ACT_DATA<=? AND %1<2 ORDER "
                   "BY ACT_DATA, ACT_NUMBER LIMIT 1")
                   .arg(ListQueries::actPaymentState(d)),
               true);
        list.push_back(b);
    }
    return list;
}
