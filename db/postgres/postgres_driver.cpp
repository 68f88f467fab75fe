#include "db/postgres/postgres_driver.h"

#include "db/postgres/libpq.h"
#include "db/sql_dialect.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>

#include <atomic>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

namespace {

DbError describe(const QSqlError& e, const QString& sql)
{
    const QString text = e.databaseText().isEmpty() ? e.text() : e.databaseText();
    return DbError::fromPostgres(e.nativeErrorCode(), text.trimmed(), IsWritingStatement(sql));
}

// A server connection the driver has closed after losing it: said as such, before the toolkit is asked
// to run anything on it (it would only warn on stderr and report no reason).
void requireServer(const QSqlDriver* driver, const QString& sql)
{
    if (driver && !driver->isOpen())
        throw describe(QSqlError(QStringLiteral("no connection to the server"), {},
                                 QSqlError::ConnectionError, QStringLiteral("08003")),
                       sql);
}

// The statement with its "?" outside quotes numbered as the server's parameters: $1, $2, …
QByteArray numberedParameters(const QString& sql)
{
    QString out;
    out.reserve(sql.size() + 16);
    int next = 0;
    bool quoted = false;
    for (const QChar c : sql) {
        if (c == u'\'')
            quoted = !quoted;
        if (c == u'?' && !quoted)
            out += u'$' + QString::number(++next);
        else
            out += c;
    }
    return out.toUtf8();
}

// The server's type numbers of the values the program binds.
enum : Oid {
    kUnknownOid = 0,
    kBoolOid = 16,
    kByteaOid = 17,
    kInt8Oid = 20,
    kInt4Oid = 23,
    kFloat8Oid = 701,
    kDateOid = 1082,
    kTimestampOid = 1114,
    kNumericOid = 1700
};

// A value as the server reads a parameter: its text (binary for bytes) and type; text is left for the
// server to type from where it stands, as a quoted literal would be.
std::pair<QByteArray, Oid> parameter(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Bool:
        return {v.toBool() ? "t" : "f", kBoolOid};
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return {QByteArray::number(v.toInt()), kInt4Oid};
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
        return {QByteArray::number(v.toLongLong()), kInt8Oid};
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        return {QByteArray::number(v.toULongLong()), kNumericOid};
    case QMetaType::Float:
    case QMetaType::Double: {
        const double d = v.toDouble();
        if (std::isnan(d))
            return {"NaN", kFloat8Oid};
        if (std::isinf(d))
            return {d > 0 ? "Infinity" : "-Infinity", kFloat8Oid};
        return {QByteArray::number(d, 'g', 17), kFloat8Oid};
    }
    case QMetaType::QDate:
        return {v.toDate().toString(Qt::ISODate).toLatin1(), kDateOid};
    case QMetaType::QDateTime:
        return {v.toDateTime().toString(Qt::ISODateWithMs).toLatin1(), kTimestampOid};
    case QMetaType::QByteArray:
        return {v.toByteArray(), kByteaOid};
    default:
        return {v.toString().toUtf8(), kUnknownOid};
    }
}

// The type the driver gives a column of the server's type.
QMetaType metaTypeOf(Oid type)
{
    switch (type) {
    case kBoolOid:
        return QMetaType::fromType<bool>();
    case kInt8Oid:
        return QMetaType::fromType<qlonglong>();
    case 21: // int2
    case kInt4Oid:
    case 26: // oid
        return QMetaType::fromType<int>();
    case 700: // float4
    case kFloat8Oid:
    case kNumericOid:
        return QMetaType::fromType<double>();
    case kDateOid:
        return QMetaType::fromType<QDate>();
    case kTimestampOid:
    case 1184: // timestamptz
        return QMetaType::fromType<QDateTime>();
    case kByteaOid:
        return QMetaType::fromType<QByteArray>();
    default:
        return QMetaType::fromType<QString>();
    }
}

// A column's value of the server's text form, typed as the driver types it.
QVariant fromServer(const char* text, int length, Oid type)
{
    const QByteArray raw = QByteArray::fromRawData(text, length);
    switch (metaTypeOf(type).id()) {
    case QMetaType::Bool:
        return raw == "t";
    case QMetaType::LongLong:
        return raw.toLongLong();
    case QMetaType::Int:
        return raw.toInt();
    case QMetaType::Double:
        if (raw == "NaN")
            return std::numeric_limits<double>::quiet_NaN();
        if (raw == "Infinity" || raw == "-Infinity")
            return raw.startsWith('-') ? -std::numeric_limits<double>::infinity()
                                       : std::numeric_limits<double>::infinity();
        return raw.toDouble();
    case QMetaType::QDate:
        return QDate::fromString(QString::fromLatin1(raw), Qt::ISODate);
    case QMetaType::QDateTime:
        return QDateTime::fromString(QString::fromLatin1(raw), Qt::ISODateWithMs);
    case QMetaType::QByteArray: {
        std::size_t size = 0;
        unsigned char* bytes = libpq().PQunescapeBytea(reinterpret_cast<const unsigned char*>(text), &size);
        const QByteArray value(reinterpret_cast<const char*>(bytes), qsizetype(size));
        libpq().PQfreemem(bytes);
        return value;
    }
    default:
        return QString::fromUtf8(raw);
    }
}

// The statement sent to the server with its values as parameters; its result is read by
// resultFromServer.
void sendToServer(const QSqlDatabase& db, PGconn* pg, const QString& sql, const QVariantList& values)
{
    requireServer(db.driver(), sql);
    std::vector<std::pair<QByteArray, Oid>> params;
    params.reserve(std::size_t(values.size()));
    std::vector<const char*> texts;
    std::vector<int> lengths, formats;
    std::vector<Oid> types;
    for (const QVariant& v : values) {
        params.push_back(v.isNull() ? std::pair<QByteArray, Oid>{} : parameter(v));
        const auto& [text, type] = params.back();
        texts.push_back(v.isNull() ? nullptr : text.constData());
        lengths.push_back(int(text.size()));
        formats.push_back(type == kByteaOid ? 1 : 0);
        types.push_back(type);
    }
    const int sent =
        values.isEmpty()
            ? libpq().PQsendQuery(pg, sql.toUtf8().constData())
            : libpq().PQsendQueryParams(pg, numberedParameters(sql).constData(), int(values.size()),
                                        types.data(), texts.data(), lengths.data(), formats.data(), 0);
    if (!sent)
        throw describe(
            QSqlError(QString(), QString::fromUtf8(libpq().PQerrorMessage(pg)), QSqlError::StatementError,
                      libpq().PQstatus(pg) == CONNECTION_BAD ? QStringLiteral("08006") : QString()),
            sql);
}

// A result of the server's, typed as the toolkit's driver types its columns.
class ServerRows final : public RowSet {
public:
    explicit ServerRows(PGresult* result)
        : m_result(result)
    {
        for (int i = 0; i < libpq().PQnfields(result); ++i)
            m_fields.append(QSqlField(QString::fromUtf8(libpq().PQfname(result, i)),
                                      metaTypeOf(libpq().PQftype(result, i))));
    }
    ~ServerRows() override { libpq().PQclear(m_result); }
    ServerRows(const ServerRows&) = delete;
    ServerRows& operator=(const ServerRows&) = delete;

    bool next() override
    {
        if (m_row + 1 >= libpq().PQntuples(m_result))
            return false;
        ++m_row;
        return true;
    }
    QVariant value(int column) const override
    {
        if (m_row < 0 || m_row >= libpq().PQntuples(m_result) || column < 0 ||
            column >= libpq().PQnfields(m_result))
            return {};
        const Oid type = libpq().PQftype(m_result, column);
        if (libpq().PQgetisnull(m_result, m_row, column))
            return QVariant(metaTypeOf(type));
        return fromServer(libpq().PQgetvalue(m_result, m_row, column),
                          libpq().PQgetlength(m_result, m_row, column), type);
    }
    int indexOf(const QString& column) const override { return m_fields.indexOf(column); }
    QSqlRecord record() const override
    {
        QSqlRecord record = m_fields;
        for (int i = 0; i < record.count(); ++i)
            record.setValue(i, value(i));
        return record;
    }
    int numRowsAffected() const override { return QByteArray(libpq().PQcmdTuples(m_result)).toInt(); }
    int size() const override { return libpq().PQntuples(m_result); }

private:
    PGresult* m_result;
    QSqlRecord m_fields;
    int m_row = -1;
};

// The result of the statement sent last: its last one, or the first failure among them.
Rows resultFromServer(const QSqlDatabase& db, PGconn* pg, const QString& sql)
{
    PGresult* result = nullptr;
    while (PGresult* next = libpq().PQgetResult(pg)) {
        if (result && libpq().PQresultStatus(result) == PGRES_FATAL_ERROR) {
            libpq().PQclear(next);
            continue;
        }
        libpq().PQclear(result);
        result = next;
    }
    // What the server said to the program's listeners meanwhile is handed to the driver, which would
    // otherwise see it only with the next message on the socket.
    if (!db.driver()->subscribedToNotifications().isEmpty())
        QMetaObject::invokeMethod(db.driver(), "_q_handleNotification", Qt::QueuedConnection);
    const ExecStatusType status = result ? libpq().PQresultStatus(result) : PGRES_FATAL_ERROR;
    if (status == PGRES_TUPLES_OK || status == PGRES_COMMAND_OK)
        return Rows(std::make_unique<ServerRows>(result));
    QString state =
        result ? QString::fromLatin1(libpq().PQresultErrorField(result, PG_DIAG_SQLSTATE)) : QString();
    if (state.isEmpty() && libpq().PQstatus(pg) == CONNECTION_BAD)
        state = QStringLiteral("08006");
    const QString words =
        QString::fromUtf8(result ? libpq().PQresultErrorMessage(result) : libpq().PQerrorMessage(pg));
    libpq().PQclear(result);
    throw describe(QSqlError(QString(), words, QSqlError::StatementError, state), sql);
}

// The statement with its values as parameters, in one round trip.
Rows execOnServer(const QSqlDatabase& db, PGconn* pg, const QString& sql, const QVariantList& values)
{
    sendToServer(db, pg, sql, values);
    return resultFromServer(db, pg, sql);
}

} // namespace

DbError DbError::fromPostgres(const QString& sqlState, const QString& words, bool writing)
{
    const auto tr = [](const char* text) { return QCoreApplication::translate("TDM", text); };
    // SQLSTATE classes and codes, most particular first.
    static const struct {
        const char* prefix;
        const char* reason;
    } reasons[] = {
        {"25006", QT_TRANSLATE_NOOP("TDM", "база данных открыта только для чтения")},
        {"42501", QT_TRANSLATE_NOOP("TDM", "нет прав на запись в базу данных")},
        {"53100", QT_TRANSLATE_NOOP("TDM", "на диске нет места")},
        {"55P03", QT_TRANSLATE_NOOP("TDM", "база данных занята другой программой")},
        {"57014", QT_TRANSLATE_NOOP("TDM", "база данных занята другой программой")},
        {"40", QT_TRANSLATE_NOOP("TDM", "база данных занята другой программой")},
        {"23", QT_TRANSLATE_NOOP("TDM", "такая запись противоречит уже записанным")},
        {"08", QT_TRANSLATE_NOOP("TDM", "нет связи с сервером базы данных")},
        {"57P", QT_TRANSLATE_NOOP("TDM", "нет связи с сервером базы данных")},
        {"58", QT_TRANSLATE_NOOP("TDM", "ошибка чтения или записи файла")},
        {"XX", QT_TRANSLATE_NOOP("TDM", "файл базы данных повреждён или не является базой данных")},
    };
    QString reason = tr("ошибка базы данных");
    bool dataFault = true;
    for (const auto& r : reasons)
        if (sqlState.startsWith(QLatin1String(r.prefix))) {
            reason = tr(r.reason);
            dataFault = r.prefix[0] == '2' && r.prefix[1] == '3';
            break;
        }
    // A connection that is gone says so however the statement began.
    if (sqlState.isEmpty() && words.contains(QLatin1String("connection"), Qt::CaseInsensitive)) {
        reason = tr("нет связи с сервером базы данных");
        dataFault = false;
    }
    return fromFailure({reason, dataFault,
                        sqlState == QLatin1String("23505") || sqlState == QLatin1String("40001") ||
                            sqlState == QLatin1String("40P01"),
                        sqlState == QLatin1String("55P03") || sqlState == QLatin1String("57014")},
                       words.isEmpty() ? QStringLiteral("PostgreSQL %1").arg(sqlState) : words, writing);
}

PGconn* postgresHandle(const QSqlDatabase& db)
{
    return static_cast<PGconn*>(NativeHandle(db, "pg_conn*"));
}

namespace {

PGconn* handleOrThrow(const QSqlDatabase& db)
{
    PGconn* pg = postgresHandle(db);
    if (!pg)
        throw DbError(QCoreApplication::translate("TDM", "База данных не подключена"));
    return pg;
}

// A statement's values kept until it is run, as the server takes them with the statement.
class ServerCursor : public Cursor {
public:
    ServerCursor(const QSqlDatabase& db, const QString& sql)
        : m_db(db)
        , m_pg(handleOrThrow(db))
        , m_sql(sql)
    {
    }
    qint64 integer(int column) const override { return m_rows->value(column).toLongLong(); }
    double real(int column) const override { return m_rows->value(column).toDouble(); }
    bool isNull(int column) const override { return m_rows->value(column).isNull(); }
    QString text(int column) const override
    {
        const QVariant v = m_rows->value(column);
        // Dates read as SQLite keeps them.
        return v.typeId() == QMetaType::QDate ? v.toDate().toString(Qt::ISODate) : v.toString();
    }

    Cell cell(int column) const override
    {
        const QVariant v = m_rows->value(column);
        if (v.isNull())
            return {};
        switch (v.typeId()) {
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::Bool:
            return {Cell::Integer, v.toLongLong()};
        case QMetaType::Double:
            return {Cell::Real, 0, v.toDouble()};
        default:
            if (m_texts.size() <= std::size_t(column))
                m_texts.resize(std::size_t(column) + 1);
            m_texts[std::size_t(column)] = text(column).toUtf8();
            const QByteArray& t = m_texts[std::size_t(column)];
            return {Cell::Text, 0, 0, t.constData(), int(t.size())};
        }
    }

protected:
    QSqlDatabase m_db;
    PGconn* m_pg;
    mutable std::vector<QByteArray> m_texts; // the current row's texts handed out as cells
    QString m_sql;
    QVariantList m_values;
    bool m_pending = false; // bound, not run yet
    std::optional<Rows> m_rows;
};

// Run in one round trip when the first row is asked for, and read whole.
class WholeCursor final : public ServerCursor {
public:
    using ServerCursor::ServerCursor;
    void bind(const QVariantList& values) override
    {
        m_values = values;
        m_pending = true;
    }
    bool next() override
    {
        if (std::exchange(m_pending, false))
            m_rows = execOnServer(m_db, m_pg, m_sql, m_values);
        return m_rows && m_rows->next();
    }
};

// Rows a cursor hands over at once: few round trips, and a batch of register rows stays under a megabyte.
constexpr int kFetchRows = 2000;

// From a cursor of the server's, a batch at a time, the next one asked for while this one is read.
class StreamedCursor final : public ServerCursor {
public:
    using ServerCursor::ServerCursor;
    ~StreamedCursor() override
    {
        try {
            close();
        } catch (const DbError&) {
            // The transaction it lived in goes back with it.
        }
    }
    void bind(const QVariantList& values) override
    {
        close();
        m_values = values;
        m_pending = true;
    }
    bool next() override
    {
        if (m_rows && m_rows->next())
            return true;
        return fetch();
    }

private:
    void close()
    {
        m_rows.reset();
        if (std::exchange(m_asked, false))
            resultFromServer(m_db, m_pg, QString());
        if (!m_cursor.isEmpty())
            execOrThrow(m_db, QStringLiteral("CLOSE ") + std::exchange(m_cursor, QString()));
        if (m_within)
            std::exchange(m_within, nullptr)->commit();
    }

    bool fetch()
    {
        const QString fetch = QStringLiteral("FETCH %1 FROM %2").arg(kFetchRows);
        if (std::exchange(m_pending, false)) {
            // A cursor lives in a transaction: the caller's, or one of its own while the rows are read.
            m_within = std::make_unique<Transaction>(m_db);
            static std::atomic<int> counter{0};
            const QString name = QStringLiteral("rows%1").arg(++counter);
            execOrThrow(m_db, QStringLiteral("DECLARE %1 NO SCROLL CURSOR FOR ").arg(name) + m_sql, m_values);
            m_cursor = name;
            sendToServer(m_db, m_pg, fetch.arg(m_cursor), {});
            m_asked = true;
        }
        if (!m_asked) {
            close();
            return false;
        }
        m_asked = false;
        m_rows = resultFromServer(m_db, m_pg, fetch.arg(m_cursor));
        // The server prepares the next batch while this one is read.
        if (m_rows->size() == kFetchRows) {
            sendToServer(m_db, m_pg, fetch.arg(m_cursor), {});
            m_asked = true;
        }
        if (m_rows->next())
            return true;
        close();
        return false;
    }

    QString m_cursor;
    std::unique_ptr<Transaction> m_within;
    bool m_asked = false; // the next batch is on its way
};

} // namespace

const SqlDialect& PostgresDriver::dialect() const
{
    return SqlDialect::postgres();
}

Rows PostgresDriver::exec(const QSqlDatabase& db, const QString& sql, const QVariantList& values) const
{
    // Said once, not prepared: a statement that runs once costs one trip to the server instead of
    // three, and leaves nothing to free in a transaction that has failed.
    requireServer(db.driver(), sql);
    return execOnServer(db, handleOrThrow(db), sql, values);
}

std::unique_ptr<Cursor> PostgresDriver::prepare(const QSqlDatabase& db, const QString& sql,
                                                bool streamed) const
{
    requireServer(db.driver(), sql);
    if (streamed)
        return std::make_unique<StreamedCursor>(db, sql);
    return std::make_unique<WholeCursor>(db, sql);
}

bool PostgresDriver::inTransaction(const QSqlDatabase& db) const
{
    PGconn* pg = postgresHandle(db);
    return pg && libpq().PQtransactionStatus(pg) != PQTRANS_IDLE;
}

bool PostgresDriver::isReadOnly(const QSqlDatabase& db) const
{
    return scalar(db, QStringLiteral("SELECT current_setting('transaction_read_only') = 'on' OR "
                                     "NOT has_table_privilege('factures', 'INSERT')"))
        .toBool();
}

DbError PostgresDriver::failure(const QSqlError& error, const QString& sql) const
{
    return describe(error, sql);
}

QString PostgresDriver::version() const
{
    const int v = libpq().PQlibVersion();
    return QStringLiteral("%1.%2").arg(v / 10000).arg(v % 10000);
}
