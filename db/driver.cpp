#include "db/driver.h"

#include "db/postgres/postgres_driver.h"
#include "db/sql_dialect.h"
#include "db/sqlite/sqlite_driver.h"
#include "db/tables.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>

#include <atomic>

const Driver& Driver::of(const QSqlDatabase& db)
{
    static const SqliteDriver sqlite;
    static const PostgresDriver postgres;
    if (db.driver() && db.driver()->dbmsType() == QSqlDriver::PostgreSQL)
        return postgres;
    return sqlite;
}

bool IsDriverChatter(const QString& message)
{
    for (const char* source : {"QSqlQuery::", "QSqlDatabase", "QPSQLDriver", "QPSQLResult", "QSQLiteDriver"})
        if (message.startsWith(QLatin1String(source)))
            return true;
    return false;
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

bool IsWritingStatement(const QString& sql)
{
    static const QRegularExpression writes(
        QStringLiteral("^\\s*(INSERT|UPDATE|DELETE|REPLACE|CREATE|DROP|ALTER|"
                       "SAVEPOINT|RELEASE|ROLLBACK|BEGIN|COMMIT|PRAGMA \\w+\\s*=)"),
        QRegularExpression::CaseInsensitiveOption);
    return writes.match(sql).hasMatch();
}

DbError DbError::fromFailure(const EngineFailure& failure, const QString& words, bool writing)
{
    const QString what = writing ? QCoreApplication::translate("TDM", "Не удалось сохранить запись: %1.")
                                 : QCoreApplication::translate("TDM", "Не удалось прочитать данные: %1.");
    DbError error(what.arg(failure.reason), words);
    error.m_reason = failure.reason;
    error.m_dataFault = failure.dataFault;
    error.m_collision = failure.collision;
    error.m_busy = failure.busy;
    return error;
}

void* NativeHandle(const QSqlDatabase& db, const char* typeName)
{
    const QVariant v = db.driver() ? db.driver()->handle() : QVariant();
    if (!v.isValid() || qstrcmp(v.typeName(), typeName) != 0)
        return nullptr;
    return *static_cast<void* const*>(v.constData());
}

DbError ConnectionFailure(const QSqlDatabase& db)
{
    return Driver::of(db).failure(db.lastError(), {});
}

Rows::Rows(std::unique_ptr<RowSet> rows)
    : m_rows(std::move(rows))
{
}

Rows::Rows(Rows&&) noexcept = default;
Rows& Rows::operator=(Rows&&) noexcept = default;
Rows::~Rows() = default;

bool Rows::next()
{
    return m_rows->next();
}

QVariant Rows::value(int column) const
{
    return m_rows->value(column);
}

QVariant Rows::value(const QString& name) const
{
    return m_rows->value(m_rows->indexOf(name));
}

QSqlRecord Rows::record() const
{
    return m_rows->record();
}

int Rows::numRowsAffected() const
{
    return m_rows->numRowsAffected();
}

int Rows::size() const
{
    return m_rows->size();
}

Rows execOrThrow(const QSqlDatabase& db, const QString& sql, const QVariantList& values)
{
    return Driver::of(db).exec(db, sql, values);
}

QVariant scalar(const QSqlDatabase& db, const QString& sql, const QVariantList& values)
{
    Rows rows = execOrThrow(db, sql, values);
    return rows.next() ? rows.value(0) : QVariant();
}

bool hasIndex(const QSqlDatabase& db, const QString& name)
{
    return scalar(db, Driver::of(db).dialect().indexExistsSql(), {name}).isValid();
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

Transaction::Transaction(const QSqlDatabase& db, Kind kind)
    : m_db(db)
{
    const Driver& driver = Driver::of(db);
    if (!driver.inTransaction(db)) {
        const QStringList begin = driver.dialect().beginTransaction(kind == Writing);
        const auto run = [&] {
            for (const QString& sql : begin)
                execOrThrow(m_db, sql);
        };
        if (kind == Writing)
            driver.beginWriting(m_db, run);
        else
            run();
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
    // A failure to go back is the failure that brought us here: said once, by whoever caught it.
    const auto quietly = [this](const QString& sql) {
        try {
            execOrThrow(m_db, sql);
        } catch (const DbError&) {
        }
    };
    if (m_outer) {
        quietly(QStringLiteral("ROLLBACK"));
        return;
    }
    quietly(QStringLiteral("ROLLBACK TO ") + m_name);
    quietly(QStringLiteral("RELEASE ") + m_name);
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
    m_cursor = Driver::of(db).prepare(db, sql, false);
}

RowInserter::~RowInserter() = default;

void RowInserter::insert(const QVariantList& values)
{
    // Columns without a value are stored empty (NULL).
    m_values.resize(qsizetype(m_table.columns.size()));
    for (std::size_t i = 0; i < m_table.columns.size(); ++i)
        m_values[qsizetype(i)] =
            i < std::size_t(values.size()) ? toStorage(m_table.columns[i], values[qsizetype(i)]) : QVariant();
    m_cursor->bind(m_values);
    m_cursor->next();
}

BulkWrite::BulkWrite(const QSqlDatabase& db)
    : m_db(db)
{
    if (!Driver::of(db).inTransaction(db))
        throw DbError(QStringLiteral("a bulk write is only made inside a transaction"));
    for (const QString& sql : Driver::of(db).dialect().beginBulkWrite())
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
    for (const QString& sql : Driver::of(m_db).dialect().endBulkWrite())
        execOrThrow(m_db, sql);
    m_restored = true;
}

Statement::Statement(const QSqlDatabase& db, const QString& sql, const QVariantList& values, Reading reading)
    : m_cursor(Driver::of(db).prepare(db, sql, reading == Streamed))
{
    m_cursor->bind(values);
}

std::vector<qint64> selectKeys(const QSqlDatabase& db, const QString& sql, const QVariantList& values)
{
    Statement statement(db, sql, values);
    std::vector<qint64> keys;
    while (statement.next())
        keys.push_back(statement.integer(0));
    return keys;
}
