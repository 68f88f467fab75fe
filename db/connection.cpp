#include "db/connection.h"

#include "base/money.h"
#include "base/month_names.h"
#include "base/number_format.h"
#include "base/text_case.h"
#include "db/sql_dialect.h"
#include "db/tables.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>

#include <libpq-fe.h>
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <limits>
#include <string_view>

namespace {

// The combined Russian and Ukrainian alphabet, lower case, in dictionary order.
constexpr char16_t kAlphabet[] = u"абвгґдеёєжзиіїйклмнопрстуўфхцчшщъыьэюя";

struct RankTable {
    unsigned short rank[0x62] = {}; // lower-case 0x430..0x491, 0 = unranked
    RankTable()
    {
        unsigned short r = 1;
        for (char16_t c : kAlphabet)
            if (c)
                rank[c - 0x430] = r++;
    }
};

// Latin and everything below the Cyrillic block keep their (folded) code points; the ranked Cyrillic
// letters come next, and every other character follows, shifted above them.
char32_t weight(char32_t c)
{
    static const RankTable table;
    if (c < 0x10000)
        c = LowerCaseChar(char16_t(c));
    if (c < 0x400)
        return c;
    if (c >= 0x430 && c <= 0x491 && table.rank[c - 0x430])
        return 0x400 + table.rank[c - 0x430];
    return c + 0x100;
}

// Decodes one UTF-8 sequence; malformed bytes stand for themselves.
char32_t nextCodePoint(const unsigned char*& p, const unsigned char* end)
{
    const unsigned char b = *p++;
    if (b < 0x80)
        return b;
    int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
    char32_t cp = extra == 3 ? (b & 0x07) : extra == 2 ? (b & 0x0F) : (b & 0x1F);
    if (extra == 0 || end - p < extra)
        return b;
    for (int i = 0; i < extra; ++i)
        cp = (cp << 6) | (*p++ & 0x3F);
    return cp;
}

int collate(void*, int lenA, const void* a, int lenB, const void* b)
{
    auto pa = static_cast<const unsigned char*>(a);
    auto pb = static_cast<const unsigned char*>(b);
    const auto ea = pa + lenA;
    const auto eb = pb + lenB;
    while (pa < ea && pb < eb) {
        const char32_t wa = weight(nextCodePoint(pa, ea));
        const char32_t wb = weight(nextCodePoint(pb, eb));
        if (wa != wb)
            return wa < wb ? -1 : 1;
    }
    if (pa < ea)
        return 1;
    if (pb < eb)
        return -1;
    return 0;
}

void actMonthStr(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    const QByteArray text = ActPeriodName(sqlite3_value_int(argv[0])).toUtf8();
    sqlite3_result_text(ctx, text.constData(), int(text.size()), SQLITE_TRANSIENT);
}

sqlite3* handleOrThrow(const QSqlDatabase& db)
{
    sqlite3* handle = sqliteHandle(db);
    if (!handle)
        throw DbError(QCoreApplication::translate("TDM", "База данных не подключена"));
    return handle;
}

DbError engineFailure(sqlite3* handle, sqlite3_stmt* stmt)
{
    int code = sqlite3_extended_errcode(handle);
    // A write the file system refused for want of room (or a file grown past its limit) is a full disk,
    // whichever code the engine gave it.
    if ((code & 0xFF) == SQLITE_IOERR &&
        (sqlite3_system_errno(handle) == ENOSPC || sqlite3_system_errno(handle) == EFBIG))
        code = SQLITE_FULL;
    return DbError::fromEngine(code, QString::fromUtf8(sqlite3_errmsg(handle)),
                               stmt && !sqlite3_stmt_readonly(stmt));
}

sqlite3_stmt* prepareOrThrow(sqlite3* handle, const QString& sql)
{
    sqlite3_stmt* stmt = nullptr;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(handle, text.constData(), int(text.size()), &stmt, nullptr) != SQLITE_OK) {
        const DbError error = engineFailure(handle, nullptr);
        sqlite3_finalize(stmt);
        throw error;
    }
    return stmt;
}

void bindValue(sqlite3_stmt* stmt, int index, const QVariant& v)
{
    switch (v.isNull() ? QMetaType::UnknownType : v.typeId()) {
    case QMetaType::UnknownType:
        sqlite3_bind_null(stmt, index);
        break;
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Bool:
        sqlite3_bind_int64(stmt, index, v.toLongLong());
        break;
    case QMetaType::Double:
        sqlite3_bind_double(stmt, index, v.toDouble());
        break;
    default: {
        const QByteArray s = v.toString().toUtf8();
        sqlite3_bind_text(stmt, index, s.constData(), int(s.size()), SQLITE_TRANSIENT);
    }
    }
}

// UFIND(text, needle, whole): 1 when the text's first 255 characters, letter case folded, contain the
// needle (or are it, with whole); the needle comes folded already. An empty text is "".
void findFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    const auto text = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    char buffer[255 * 4];
    const int size = text ? std::min(sqlite3_value_bytes(argv[0]), int(sizeof buffer)) : 0;
    if (size > 0)
        std::memcpy(buffer, text, std::size_t(size));
    const std::string_view folded(buffer, std::size_t(foldCaseUtf8(buffer, size, 255)));
    const auto needle = reinterpret_cast<const char*>(sqlite3_value_text(argv[1]));
    const std::string_view n(needle ? needle : "", std::size_t(needle ? sqlite3_value_bytes(argv[1]) : 0));
    const bool found = sqlite3_value_int(argv[2]) ? folded == n : folded.find(n) != std::string_view::npos;
    sqlite3_result_int(ctx, found ? 1 : 0);
}

bool isPostgresDriver(const QSqlDriver* driver)
{
    return driver && driver->dbmsType() == QSqlDriver::PostgreSQL;
}

DbError describe(const QSqlError& e, const QString& sql, bool postgres)
{
    const QString text = e.databaseText().isEmpty() ? e.text() : e.databaseText();
    static const QRegularExpression writes(
        QStringLiteral("^\\s*(INSERT|UPDATE|DELETE|REPLACE|CREATE|DROP|ALTER|"
                       "SAVEPOINT|RELEASE|ROLLBACK|BEGIN|COMMIT|PRAGMA \\w+\\s*=)"),
        QRegularExpression::CaseInsensitiveOption);
    const bool writing = writes.match(sql).hasMatch();
    if (postgres)
        return DbError::fromPostgres(e.nativeErrorCode(), text.trimmed(), writing);
    return DbError::fromEngine(e.nativeErrorCode().toInt(), text, writing);
}

// A server connection the driver has closed after losing it: said as such, before the toolkit is asked
// to run anything on it (it would only warn on stderr and report no reason).
void requireServer(const QSqlDriver* driver, const QString& sql)
{
    if (driver && isPostgresDriver(driver) && !driver->isOpen())
        throw describe(QSqlError(QStringLiteral("no connection to the server"), {},
                                 QSqlError::ConnectionError, QStringLiteral("08003")),
                       sql, true);
}

DbError describe(const QSqlQuery& query)
{
    requireServer(query.driver(), query.lastQuery());
    return describe(query.lastError(), query.lastQuery(), isPostgresDriver(query.driver()));
}

// A query of the driver, prepared for the engine. The server's driver streams a forward-only result row by
// row, and the connection can run nothing else until it is read to the end; the program reads one result
// while it asks another, so there results come whole.
void prepareQuery(QSqlQuery& query, const QSqlDatabase& db, const QString& sql)
{
    const bool postgres = isPostgresDriver(db.driver());
    query.setForwardOnly(!postgres);
    requireServer(db.driver(), sql);
    if (!query.prepare(sql))
        throw describe(query.lastError(), sql, postgres);
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
        unsigned char* bytes = PQunescapeBytea(reinterpret_cast<const unsigned char*>(text), &size);
        const QByteArray value(reinterpret_cast<const char*>(bytes), qsizetype(size));
        PQfreemem(bytes);
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
    const int sent = values.isEmpty()
                         ? PQsendQuery(pg, sql.toUtf8().constData())
                         : PQsendQueryParams(pg, numberedParameters(sql).constData(), int(values.size()),
                                             types.data(), texts.data(), lengths.data(), formats.data(), 0);
    if (!sent)
        throw describe(QSqlError(QString(), QString::fromUtf8(PQerrorMessage(pg)), QSqlError::StatementError,
                                 PQstatus(pg) == CONNECTION_BAD ? QStringLiteral("08006") : QString()),
                       sql, true);
}

// The result of the statement sent last: its last one, or the first failure among them.
Rows resultFromServer(const QSqlDatabase& db, PGconn* pg, const QString& sql)
{
    PGresult* result = nullptr;
    while (PGresult* next = PQgetResult(pg)) {
        if (result && PQresultStatus(result) == PGRES_FATAL_ERROR) {
            PQclear(next);
            continue;
        }
        PQclear(result);
        result = next;
    }
    // What the server said to the program's listeners meanwhile is handed to the driver, which would
    // otherwise see it only with the next message on the socket.
    if (!db.driver()->subscribedToNotifications().isEmpty())
        QMetaObject::invokeMethod(db.driver(), "_q_handleNotification", Qt::QueuedConnection);
    const ExecStatusType status = result ? PQresultStatus(result) : PGRES_FATAL_ERROR;
    if (status == PGRES_TUPLES_OK || status == PGRES_COMMAND_OK)
        return Rows(result);
    QString state = result ? QString::fromLatin1(PQresultErrorField(result, PG_DIAG_SQLSTATE)) : QString();
    if (state.isEmpty() && PQstatus(pg) == CONNECTION_BAD)
        state = QStringLiteral("08006");
    const QString words = QString::fromUtf8(result ? PQresultErrorMessage(result) : PQerrorMessage(pg));
    PQclear(result);
    throw describe(QSqlError(QString(), words, QSqlError::StatementError, state), sql, true);
}

// The statement with its values as parameters, in one round trip.
Rows execOnServer(const QSqlDatabase& db, PGconn* pg, const QString& sql, const QVariantList& values)
{
    sendToServer(db, pg, sql, values);
    return resultFromServer(db, pg, sql);
}

void bindAll(QSqlQuery& query, const QVariantList& values)
{
    for (int i = 0; i < int(values.size()); ++i)
        query.bindValue(i, values[i]);
}

} // namespace

DbError QueryFailure(const QSqlQuery& query)
{
    return describe(query);
}

DbError ConnectionFailure(const QSqlDatabase& db)
{
    return describe(db.lastError(), {}, isPostgresDriver(db.driver()));
}

DbError DbError::fromEngine(int code, const QString& words, bool writing)
{
    const auto tr = [](const char* text) { return QCoreApplication::translate("TDM", text); };
    // The engine's primary result codes and what they mean to a bookkeeper.
    static const struct {
        int codes[2];
        const char* reason;
    } reasons[] = {
        {{SQLITE_READONLY, SQLITE_PERM}, QT_TRANSLATE_NOOP("TDM", "база данных открыта только для чтения")},
        {{SQLITE_FULL, SQLITE_FULL}, QT_TRANSLATE_NOOP("TDM", "на диске нет места")},
        {{SQLITE_BUSY, SQLITE_LOCKED}, QT_TRANSLATE_NOOP("TDM", "база данных занята другой программой")},
        {{SQLITE_CORRUPT, SQLITE_NOTADB},
         QT_TRANSLATE_NOOP("TDM", "файл базы данных повреждён или не является базой данных")},
        {{SQLITE_CANTOPEN, SQLITE_CANTOPEN}, QT_TRANSLATE_NOOP("TDM", "файл базы данных не удаётся открыть")},
        {{SQLITE_IOERR, SQLITE_IOERR}, QT_TRANSLATE_NOOP("TDM", "ошибка чтения или записи файла")},
        {{SQLITE_CONSTRAINT, SQLITE_CONSTRAINT},
         QT_TRANSLATE_NOOP("TDM", "такая запись противоречит уже записанным")},
    };
    QString reason = tr("ошибка базы данных");
    bool dataFault = true;
    for (const auto& r : reasons)
        if ((code & 0xFF) == r.codes[0] || (code & 0xFF) == r.codes[1]) {
            reason = tr(r.reason);
            dataFault = r.codes[0] == SQLITE_CONSTRAINT;
        }
    const QString what =
        writing ? tr("Не удалось сохранить запись: %1.") : tr("Не удалось прочитать данные: %1.");
    DbError error(what.arg(reason), words.isEmpty() ? QStringLiteral("SQLite %1").arg(code) : words);
    error.m_reason = reason;
    error.m_collision = code == SQLITE_CONSTRAINT_PRIMARYKEY || code == SQLITE_CONSTRAINT_UNIQUE;
    error.m_busy = (code & 0xFF) == SQLITE_BUSY || (code & 0xFF) == SQLITE_LOCKED;
    error.m_dataFault = dataFault;
    return error;
}

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
    const QString what =
        writing ? tr("Не удалось сохранить запись: %1.") : tr("Не удалось прочитать данные: %1.");
    DbError error(what.arg(reason), words.isEmpty() ? QStringLiteral("PostgreSQL %1").arg(sqlState) : words);
    error.m_reason = reason;
    error.m_collision = sqlState == QLatin1String("23505") || sqlState == QLatin1String("40001") ||
                        sqlState == QLatin1String("40P01");
    error.m_busy = sqlState == QLatin1String("55P03") || sqlState == QLatin1String("57014");
    error.m_dataFault = dataFault;
    return error;
}

char32_t textWeight(char32_t c)
{
    return weight(c);
}

int compareText(const QString& a, const QString& b)
{
    const QByteArray ua = a.toUtf8();
    const QByteArray ub = b.toUtf8();
    return collate(nullptr, int(ua.size()), ua.constData(), int(ub.size()), ub.constData());
}

PGconn* postgresHandle(const QSqlDatabase& db)
{
    const QVariant v = db.driver() ? db.driver()->handle() : QVariant();
    if (!v.isValid() || qstrcmp(v.typeName(), "pg_conn*") != 0)
        return nullptr;
    return *static_cast<PGconn* const*>(v.constData());
}

sqlite3* sqliteHandle(const QSqlDatabase& db)
{
    const QVariant v = db.driver() ? db.driver()->handle() : QVariant();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(v.constData());
}

namespace {

// The documents' money, reckoned by Money itself so that a list shows the very figure its paper does.
void setMoney(sqlite3_context* context, Money m)
{
    if (m.isValid())
        sqlite3_result_int64(context, m.kopecks());
    else
        sqlite3_result_null(context);
}

bool anyNull(int argc, sqlite3_value** argv)
{
    for (int i = 0; i < argc; ++i)
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL)
            return true;
    return false;
}

void moneyFunction(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv))
        sqlite3_result_null(context);
    else
        setMoney(context, Money::fromDouble(sqlite3_value_double(argv[0])));
}

void moneyProductFunction(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv))
        sqlite3_result_null(context);
    else
        setMoney(context, Money::product(sqlite3_value_double(argv[0]), sqlite3_value_double(argv[1])));
}

void moneyPercentFunction(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv) || sqlite3_value_numeric_type(argv[0]) != SQLITE_INTEGER)
        sqlite3_result_null(context);
    else
        setMoney(context,
                 Money::fromKopecks(sqlite3_value_int64(argv[0])).percent(sqlite3_value_double(argv[1])));
}

} // namespace

bool IsDriverChatter(const QString& message)
{
    for (const char* source : {"QSqlQuery::", "QSqlDatabase", "QPSQLDriver", "QPSQLResult", "QSQLiteDriver"})
        if (message.startsWith(QLatin1String(source)))
            return true;
    return false;
}

void registerFunctions(sqlite3* handle)
{
    sqlite3_create_collation(handle, kTextCollation, SQLITE_UTF8, nullptr, collate);
    sqlite3_create_function(handle, "ACT_MONTHSTR", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                            actMonthStr, nullptr, nullptr);
    sqlite3_create_function(handle, "UFIND", 3, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, findFunction,
                            nullptr, nullptr);
    const struct {
        const char* name;
        int arguments;
        void (*function)(sqlite3_context*, int, sqlite3_value**);
    } money[] = {{"docmar_money", 1, moneyFunction},
                 {"docmar_money_product", 2, moneyProductFunction},
                 {"docmar_money_percent", 2, moneyPercentFunction}};
    for (const auto& f : money)
        sqlite3_create_function(handle, f.name, f.arguments, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                f.function, nullptr, nullptr);
}

namespace {
std::function<void()>& busyNotifier()
{
    static std::function<void()> notifier;
    return notifier;
}

int waitForOtherProcess(void*, int count)
{
    constexpr int kStepMs = 20;
    if (count == 0 && busyNotifier())
        busyNotifier()();
    if (count * kStepMs >= kBusyWaitMs)
        return 0;
    sqlite3_sleep(kStepMs);
    return 1;
}
} // namespace

void setBusyNotifier(std::function<void()> notifier)
{
    busyNotifier() = std::move(notifier);
}

QString MissingBookText(const QString& file)
{
    return QCoreApplication::translate("TDM", "Файл базы данных не найден: %1").arg(file);
}

QSqlDatabase openSqliteFile(const QString& file, const QString& connectionName, bool create)
{
    if (!create && !QFileInfo(file).isFile())
        throw DbError(MissingBookText(file));
    // A failure here is the file's, whatever statement met it: said as such, with the engine's reason.
    const auto cannotOpen = [&file](const DbError& e) {
        return DbError(
            QCoreApplication::translate("TDM", "Не удалось открыть базу данных %1: %2.")
                .arg(QDir::toNativeSeparators(file), e.reason().isEmpty() ? e.message() : e.reason()),
            e.detail());
    };
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
    db.setDatabaseName(file);
    if (!db.open()) {
        const DbError error = cannotOpen(describe(db.lastError(), {}, false));
        db = QSqlDatabase();
        closeConnection(connectionName);
        throw error;
    }
    try {
        sqlite3* handle = sqliteHandle(db);
        if (!handle)
            throw DbError(QCoreApplication::translate("TDM", "Драйвер SQLite недоступен"));
        registerFunctions(handle);
        sqlite3_busy_handler(handle, waitForOtherProcess, nullptr);
        // Reading the schema is what tells a foreign or damaged file from a database.
        scalar(db, QStringLiteral("SELECT count(*) FROM sqlite_master"));
        execOrThrow(db, QStringLiteral("PRAGMA synchronous=FULL"));
        // Room for the lists' indexes of a large book, so counting and paging stay in memory.
        execOrThrow(db, QStringLiteral("PRAGMA cache_size=-32768"));
    } catch (const DbError& e) {
        const DbError error = cannotOpen(e);
        db.close();
        db = QSqlDatabase();
        closeConnection(connectionName);
        throw error;
    }
    return db;
}

bool hasNoTables(const QString& file)
{
    sqlite3* handle = nullptr;
    bool none = false;
    if (sqlite3_open_v2(file.toUtf8().constData(), &handle, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(handle, "SELECT count(*) FROM sqlite_master", -1, &stmt, nullptr) ==
                SQLITE_OK &&
            sqlite3_step(stmt) == SQLITE_ROW)
            none = sqlite3_column_int(stmt, 0) == 0;
        sqlite3_finalize(stmt);
    }
    sqlite3_close(handle);
    return none;
}

void placeNewFile(const QString& temp, const QString& file)
{
    const QByteArray from = QFile::encodeName(temp);
    const QByteArray to = QFile::encodeName(file);
    // What a creation cut short left gives way; a link then fails rather than replace a file that
    // another process has just put there.
    const QFileInfo old(file);
    if (old.isFile() && (old.size() == 0 || hasNoTables(file)))
        QFile::remove(file);
    if (::link(from.constData(), to.constData()) == 0) {
        QFile::remove(temp);
        return;
    }
    const int linkError = errno;
    if (linkError == EEXIST) {
        QFile::remove(temp);
        throw DbError(QCoreApplication::translate("TDM", "База данных уже существует: %1").arg(file));
    }
    // A file system without links: the rename is still one step.
    if (::rename(from.constData(), to.constData()) != 0) {
        QFile::remove(temp);
        throw DbError(
            QCoreApplication::translate("TDM", "Не удалось поставить новую базу данных на место: %1")
                .arg(QDir::toNativeSeparators(file)),
            QString::fromLocal8Bit(std::strerror(errno)));
    }
}

namespace {

// Every page of one open database into another in one step, under one read lock on the source: the
// target is the source as one moment saw it. A writer holding either is waited for as long as every
// connection waits. Closes both.
// finish: run on the copy once every page is in (a journal mode of its own).
void copyPages(sqlite3* from, sqlite3* to, const char* finish = nullptr)
{
    const auto fail = [&](sqlite3* handle) {
        const DbError error = engineFailure(handle, nullptr);
        sqlite3_close(from);
        sqlite3_close(to);
        return error;
    };
    sqlite3_backup* backup = sqlite3_backup_init(to, "main", from, "main");
    if (!backup)
        throw fail(to);
    int rc = SQLITE_OK;
    for (int waited = 0;; waited += 20) {
        rc = sqlite3_backup_step(backup, -1);
        if ((rc != SQLITE_BUSY && rc != SQLITE_LOCKED) || waited >= kBusyWaitMs)
            break;
        sqlite3_sleep(20);
    }
    sqlite3_backup_finish(backup);
    // A book another program keeps busy is said as such: the step's code is on neither handle.
    if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
        sqlite3_close(from);
        sqlite3_close(to);
        throw DbError::fromEngine(rc, QString::fromUtf8(sqlite3_errstr(rc)), false);
    }
    if (rc != SQLITE_DONE || (finish && sqlite3_exec(to, finish, nullptr, nullptr, nullptr) != SQLITE_OK))
        throw fail(to);
    sqlite3_close(from);
    if (sqlite3_close(to) != SQLITE_OK)
        throw fail(to);
}

sqlite3* openForCopy(const QString& file, int flags, const char* setup = nullptr)
{
    sqlite3* handle = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(file).constData(), &handle, flags, nullptr) != SQLITE_OK ||
        (setup && sqlite3_exec(handle, setup, nullptr, nullptr, nullptr) != SQLITE_OK)) {
        const DbError error = engineFailure(handle, nullptr);
        sqlite3_close(handle);
        throw error;
    }
    return handle;
}

} // namespace

void backupDatabaseFile(const QString& source, const QString& target)
{
    // Read and write: a journal left by a writer that died is rolled back before the copy reads.
    sqlite3* from = openForCopy(source, SQLITE_OPEN_READWRITE);
    QFile::remove(target);
    sqlite3* to = nullptr;
    try {
        to = openForCopy(target, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                         "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF");
    } catch (const DbError&) {
        sqlite3_close(from);
        throw;
    }
    // A copy of a book in WAL mode is no WAL file: it leaves no side files wherever it is opened, and
    // restored it never changes the mode of the book it goes into.
    copyPages(from, to, "PRAGMA journal_mode=DELETE");
}

void restoreDatabaseFile(const QString& copy, const QString& book)
{
    sqlite3* from = openForCopy(copy, SQLITE_OPEN_READONLY);
    sqlite3* to = nullptr;
    try {
        // The book's own journal and full writes: a kill leaves the old book or the new one, and other
        // connections to it read the new pages.
        to = openForCopy(book, SQLITE_OPEN_READWRITE, "PRAGMA synchronous=FULL");
    } catch (const DbError&) {
        sqlite3_close(from);
        throw;
    }
    copyPages(from, to);
}

QString integrityProblem(const QString& file)
{
    static QAtomicInt serial;
    const QString name = QStringLiteral("docmar-check-%1").arg(serial.fetchAndAddRelaxed(1));
    QString problem;
    try {
        const QSqlDatabase db = openSqliteFile(file, name, false);
        Rows q = execOrThrow(db, QStringLiteral("PRAGMA integrity_check(1)"));
        const QString result = q.next() ? q.value(0).toString() : QStringLiteral("no result");
        if (result != QLatin1String("ok"))
            problem = result;
    } catch (const DbError& e) {
        problem = e.fullText();
    }
    closeConnection(name);
    return problem;
}

bool isReadOnlyConnection(const QSqlDatabase& db)
{
    sqlite3* handle = sqliteHandle(db);
    return handle && sqlite3_db_readonly(handle, "main") == 1;
}

void closeConnection(const QString& connectionName)
{
    {
        QSqlDatabase db = QSqlDatabase::database(connectionName, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(connectionName);
}

void execOrThrow(QSqlQuery& query)
{
    requireServer(query.driver(), query.lastQuery());
    if (!query.exec())
        throw describe(query);
}

Rows execOrThrow(const QSqlDatabase& db, const QString& sql, const QVariantList& values)
{
    // Said once, not prepared: a statement that runs once costs one trip to the server instead of
    // three, and leaves nothing to free in a transaction that has failed.
    if (PGconn* pg = postgresHandle(db))
        return execOnServer(db, pg, sql, values);
    requireServer(db.driver(), sql);
    QSqlQuery query(db);
    prepareQuery(query, db, sql);
    bindAll(query, values);
    execOrThrow(query);
    return Rows(std::move(query));
}

Rows::Rows(QSqlQuery query)
    : m_query(std::make_unique<QSqlQuery>(std::move(query)))
{
}

Rows::Rows(PGresult* result)
    : m_result(result)
{
    for (int i = 0; i < PQnfields(result); ++i)
        m_fields.append(QSqlField(QString::fromUtf8(PQfname(result, i)), metaTypeOf(PQftype(result, i))));
}

Rows::Rows(Rows&& other) noexcept
    : m_query(std::move(other.m_query))
    , m_result(std::exchange(other.m_result, nullptr))
    , m_fields(std::move(other.m_fields))
    , m_row(other.m_row)
{
}

Rows& Rows::operator=(Rows&& other) noexcept
{
    if (this != &other) {
        PQclear(m_result);
        m_query = std::move(other.m_query);
        m_result = std::exchange(other.m_result, nullptr);
        m_fields = std::move(other.m_fields);
        m_row = other.m_row;
    }
    return *this;
}

Rows::~Rows()
{
    PQclear(m_result);
}

int Rows::size() const
{
    return m_result ? PQntuples(m_result) : -1;
}

bool Rows::next()
{
    if (m_query)
        return m_query->next();
    if (!m_result || m_row + 1 >= PQntuples(m_result))
        return false;
    ++m_row;
    return true;
}

QVariant Rows::value(int column) const
{
    if (m_query)
        return m_query->value(column);
    if (!m_result || m_row < 0 || m_row >= PQntuples(m_result) || column < 0 || column >= PQnfields(m_result))
        return {};
    const Oid type = PQftype(m_result, column);
    if (PQgetisnull(m_result, m_row, column))
        return QVariant(metaTypeOf(type));
    return fromServer(PQgetvalue(m_result, m_row, column), PQgetlength(m_result, m_row, column), type);
}

QVariant Rows::value(const QString& name) const
{
    return m_query ? m_query->value(name) : value(m_fields.indexOf(name));
}

QSqlRecord Rows::record() const
{
    if (m_query)
        return m_query->record();
    QSqlRecord record = m_fields;
    for (int i = 0; i < record.count(); ++i)
        record.setValue(i, value(i));
    return record;
}

int Rows::numRowsAffected() const
{
    if (m_query)
        return m_query->numRowsAffected();
    return m_result ? QByteArray(PQcmdTuples(m_result)).toInt() : 0;
}

QVariant scalar(const QSqlDatabase& db, const QString& sql, const QVariantList& values)
{
    Rows rows = execOrThrow(db, sql, values);
    return rows.next() ? rows.value(0) : QVariant();
}

void RetryOnCollision(const std::function<void()>& write)
{
    for (int attempt = 1;; ++attempt) {
        try {
            write();
            return;
        } catch (const DbError& e) {
            if (!e.isCollision() || attempt >= kCollisionRetries)
                throw;
        }
    }
}

bool hasIndex(const QSqlDatabase& db, const QString& name)
{
    return scalar(db, SqlDialect::of(db).indexExistsSql(), {name}).isValid();
}

namespace {

// Whether the connection is inside a transaction of the engine's.
bool inTransaction(const QSqlDatabase& db)
{
    if (sqlite3* handle = sqliteHandle(db))
        return !sqlite3_get_autocommit(handle);
    if (PGconn* pg = postgresHandle(db))
        return PQtransactionStatus(pg) != PQTRANS_IDLE;
    return false;
}

} // namespace

Transaction::Transaction(const QSqlDatabase& db, Kind kind)
    : m_db(db)
{
    if (!inTransaction(db)) {
        const QStringList begin = SqlDialect::of(db).beginTransaction(kind == Writing);
        for (const QString& sql : begin)
            execOrThrow(m_db, sql);
        m_outer = !begin.isEmpty();
        if (m_outer)
            return;
    }
    static std::atomic<int> counter{0};
    m_name = QStringLiteral("tx%1").arg(++counter);
    execOrThrow(m_db, QStringLiteral("SAVEPOINT ") + m_name);
}

Transaction::~Transaction()
{
    if (m_done)
        return;
    QSqlQuery q(m_db);
    if (m_outer) {
        q.exec(QStringLiteral("ROLLBACK"));
        return;
    }
    q.exec(QStringLiteral("ROLLBACK TO ") + m_name);
    q.exec(QStringLiteral("RELEASE ") + m_name);
}

void Transaction::commit()
{
    execOrThrow(m_db, m_outer ? QStringLiteral("COMMIT") : QStringLiteral("RELEASE ") + m_name);
    m_done = true;
}

RowInserter::RowInserter(const QSqlDatabase& db, const TableDef& table)
    : m_table(table)
{
    const QStringList names = table.columnNames();
    QStringList marks;
    marks.fill(QStringLiteral("?"), names.size());
    const QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                            .arg(QLatin1String(table.name), names.join(u','), marks.join(u','));
    if (!sqliteHandle(db)) {
        m_query = std::make_unique<QSqlQuery>(db);
        prepareQuery(*m_query, db, sql);
        return;
    }
    m_handle = handleOrThrow(db);
    m_stmt = prepareOrThrow(m_handle, sql);
}

RowInserter::~RowInserter()
{
    sqlite3_finalize(m_stmt);
}

void RowInserter::insert(const QVariantList& values)
{
    // Columns without a value are stored empty (NULL).
    if (m_query) {
        for (std::size_t i = 0; i < m_table.columns.size(); ++i)
            m_query->bindValue(int(i), i < std::size_t(values.size())
                                           ? toStorage(m_table.columns[i], values[qsizetype(i)])
                                           : QVariant());
        execOrThrow(*m_query);
        return;
    }
    for (std::size_t i = 0; i < m_table.columns.size(); ++i)
        bindValue(m_stmt, int(i) + 1,
                  i < std::size_t(values.size()) ? toStorage(m_table.columns[i], values[qsizetype(i)])
                                                 : QVariant());
    const int rc = sqlite3_step(m_stmt);
    if (rc != SQLITE_DONE) {
        const DbError error = engineFailure(m_handle, m_stmt);
        sqlite3_reset(m_stmt);
        throw error;
    }
    sqlite3_reset(m_stmt);
}

BulkWrite::BulkWrite(const QSqlDatabase& db)
    : m_db(db)
{
    if (!inTransaction(db))
        throw DbError(QStringLiteral("a bulk write is only made inside a transaction"));
    for (const QString& sql : SqlDialect::of(db).beginBulkWrite())
        execOrThrow(m_db, sql);
}

BulkWrite::~BulkWrite()
{
    if (m_restored)
        return;
    // On the way out of a failed write the rollback that follows brings them back too.
    try {
        restore();
    } catch (const DbError&) {
    }
}

void BulkWrite::restore()
{
    for (const QString& sql : SqlDialect::of(m_db).endBulkWrite())
        execOrThrow(m_db, sql);
    m_restored = true;
}

Statement::Statement(const QSqlDatabase& db, const QString& sql, const QVariantList& values, Reading reading)
{
    if (!sqliteHandle(db) && reading == Streamed && postgresHandle(db)) {
        m_db = db;
        m_sql = sql;
        m_values = values;
        m_pending = true;
        return;
    }
    if (!sqliteHandle(db)) {
        m_query = std::make_unique<QSqlQuery>(db);
        prepareQuery(*m_query, db, sql);
        rebind(values);
        return;
    }
    m_handle = handleOrThrow(db);
    m_stmt = prepareOrThrow(m_handle, sql);
    for (int i = 0; i < int(values.size()); ++i)
        bindValue(m_stmt, i + 1, values[i]);
}

void Statement::rebind(const QVariantList& values)
{
    if (m_db.isValid()) {
        closeCursor();
        m_values = values;
        m_pending = true;
        return;
    }
    if (m_query) {
        bindAll(*m_query, values);
        m_pending = true;
        return;
    }
    sqlite3_reset(m_stmt);
    for (int i = 0; i < int(values.size()); ++i)
        bindValue(m_stmt, i + 1, values[i]);
}

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
    try {
        closeCursor();
    } catch (const DbError&) {
        // The transaction it lived in goes back with it.
    }
}

namespace {
// Rows a cursor hands over at once: few round trips, and a batch of register rows stays under a megabyte.
constexpr int kFetchRows = 2000;
} // namespace

void Statement::closeCursor()
{
    m_batch.reset();
    PGconn* pg = m_db.isValid() ? postgresHandle(m_db) : nullptr;
    if (std::exchange(m_asked, false) && pg)
        resultFromServer(m_db, pg, QString());
    if (!m_cursor.isEmpty())
        execOrThrow(m_db, QStringLiteral("CLOSE ") + std::exchange(m_cursor, QString()));
    if (m_within)
        std::exchange(m_within, nullptr)->commit();
}

bool Statement::fetch()
{
    PGconn* pg = postgresHandle(m_db);
    const QString fetch = QStringLiteral("FETCH %1 FROM %2").arg(kFetchRows);
    if (m_pending) {
        // A cursor lives in a transaction: the caller's, or one of its own while the rows are read.
        m_within = std::make_unique<Transaction>(m_db);
        static std::atomic<int> counter{0};
        const QString name = QStringLiteral("rows%1").arg(++counter);
        execOrThrow(m_db, QStringLiteral("DECLARE %1 NO SCROLL CURSOR FOR ").arg(name) + m_sql, m_values);
        m_cursor = name;
        m_pending = false;
        sendToServer(m_db, pg, fetch.arg(m_cursor), {});
        m_asked = true;
    }
    if (!m_asked) {
        closeCursor();
        return false;
    }
    m_asked = false;
    m_batch = resultFromServer(m_db, pg, fetch.arg(m_cursor));
    // The server prepares the next batch while this one is read.
    if (m_batch->size() == kFetchRows) {
        sendToServer(m_db, pg, fetch.arg(m_cursor), {});
        m_asked = true;
    }
    if (m_batch->next())
        return true;
    closeCursor();
    return false;
}

QVariant Statement::serverValue(int column) const
{
    return m_batch ? m_batch->value(column) : m_query->value(column);
}

bool Statement::next()
{
    if (m_db.isValid()) {
        if (m_batch && m_batch->next())
            return true;
        return fetch();
    }
    if (m_query) {
        if (m_pending) {
            execOrThrow(*m_query);
            m_pending = false;
        }
        return m_query->next();
    }
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE)
        throw engineFailure(m_handle, m_stmt);
    return false;
}

qint64 Statement::integer(int column) const
{
    if (!m_stmt)
        return serverValue(column).toLongLong();
    return sqlite3_column_int64(m_stmt, column);
}

double Statement::real(int column) const
{
    if (!m_stmt)
        return serverValue(column).toDouble();
    return sqlite3_column_double(m_stmt, column);
}

bool Statement::isNull(int column) const
{
    if (!m_stmt)
        return serverValue(column).isNull();
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

QString Statement::text(int column) const
{
    if (!m_stmt) {
        const QVariant v = serverValue(column);
        // Dates read as SQLite keeps them.
        return v.typeId() == QMetaType::QDate ? v.toDate().toString(Qt::ISODate) : v.toString();
    }
    const auto* utf8 = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
    return QString::fromUtf8(utf8, sqlite3_column_bytes(m_stmt, column));
}

std::vector<qint64> selectKeys(const QSqlDatabase& db, const QString& sql, const QVariantList& values)
{
    Statement statement(db, sql, values);
    std::vector<qint64> keys;
    while (statement.next())
        keys.push_back(statement.integer(0));
    return keys;
}
