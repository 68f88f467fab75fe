#include "db/sqlite/sqlite_driver.h"

#include "base/money.h"
#include "base/month_names.h"
#include "base/text_case.h"
#include "db/collation.h"
#include "db/sql_dialect.h"
#include "db/tables.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <future>
#include <optional>
#include <string_view>

namespace {

void actMonthStr(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    const QByteArray text = ActPeriodName(sqlite3_value_int(argv[0])).toUtf8();
    sqlite3_result_text(ctx, text.constData(), int(text.size()), SQLITE_TRANSIENT);
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

sqlite3* handleOrThrow(const QSqlDatabase& db)
{
    sqlite3* handle = sqliteHandle(db);
    if (!handle)
        throw DbError(QCoreApplication::translate("TDM", "База данных не подключена"));
    return handle;
}

// A whole result through the toolkit's driver, whose records the lists and forms take as they are.
class QueryRows final : public RowSet {
public:
    explicit QueryRows(QSqlQuery query)
        : m_query(std::move(query))
    {
    }
    bool next() override { return m_query.next(); }
    QVariant value(int column) const override { return m_query.value(column); }
    int indexOf(const QString& column) const override { return m_query.record().indexOf(column); }
    QSqlRecord record() const override { return m_query.record(); }
    int numRowsAffected() const override { return m_query.numRowsAffected(); }
    int size() const override { return -1; }

private:
    QSqlQuery m_query;
};

// A statement on the engine's own handle, stepped without a value object per cell.
class SqliteCursor final : public Cursor {
public:
    SqliteCursor(const QSqlDatabase& db, const QString& sql)
        : m_handle(handleOrThrow(db))
        , m_stmt(prepareOrThrow(m_handle, sql))
    {
    }
    ~SqliteCursor() override { sqlite3_finalize(m_stmt); }
    SqliteCursor(const SqliteCursor&) = delete;
    SqliteCursor& operator=(const SqliteCursor&) = delete;

    void bind(const QVariantList& values) override
    {
        sqlite3_reset(m_stmt);
        for (int i = 0; i < int(values.size()); ++i)
            bindValue(m_stmt, i + 1, values[i]);
    }
    bool next() override
    {
        const int rc = sqlite3_step(m_stmt);
        if (rc == SQLITE_ROW)
            return true;
        if (rc == SQLITE_DONE)
            return false;
        const DbError error = engineFailure(m_handle, m_stmt);
        sqlite3_reset(m_stmt);
        throw error;
    }
    qint64 integer(int column) const override { return sqlite3_column_int64(m_stmt, column); }
    double real(int column) const override { return sqlite3_column_double(m_stmt, column); }
    bool isNull(int column) const override { return sqlite3_column_type(m_stmt, column) == SQLITE_NULL; }
    Cell cell(int column) const override
    {
        switch (sqlite3_column_type(m_stmt, column)) {
        case SQLITE_NULL:
            return {};
        case SQLITE_INTEGER:
            return {Cell::Integer, sqlite3_column_int64(m_stmt, column)};
        case SQLITE_FLOAT:
            return {Cell::Real, 0, sqlite3_column_double(m_stmt, column)};
        default:
            return {Cell::Text, 0, 0, reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column)),
                    sqlite3_column_bytes(m_stmt, column)};
        }
    }
    QString text(int column) const override
    {
        const auto* utf8 = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
        return QString::fromUtf8(utf8, sqlite3_column_bytes(m_stmt, column));
    }

private:
    sqlite3* m_handle;
    sqlite3_stmt* m_stmt;
};

} // namespace

const SqlDialect& SqliteDriver::dialect() const
{
    return SqlDialect::sqlite();
}

Rows SqliteDriver::exec(const QSqlDatabase& db, const QString& sql, const QVariantList& values) const
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        throw failure(query.lastError(), sql);
    for (int i = 0; i < int(values.size()); ++i)
        query.bindValue(i, values[i]);
    if (!query.exec())
        throw failure(query.lastError(), sql);
    return Rows(std::make_unique<QueryRows>(std::move(query)));
}

std::unique_ptr<Cursor> SqliteDriver::prepare(const QSqlDatabase& db, const QString& sql, bool) const
{
    return std::make_unique<SqliteCursor>(db, sql);
}

bool SqliteDriver::inTransaction(const QSqlDatabase& db) const
{
    sqlite3* handle = sqliteHandle(db);
    return handle && !sqlite3_get_autocommit(handle);
}

bool SqliteDriver::isReadOnly(const QSqlDatabase& db) const
{
    // A folder that cannot take the engine's journal takes no write either.
    sqlite3* handle = sqliteHandle(db);
    return (handle && sqlite3_db_readonly(handle, "main") == 1) ||
           !QFileInfo(QFileInfo(db.databaseName()).absolutePath()).isWritable();
}

DbError SqliteDriver::failure(const QSqlError& e, const QString& sql) const
{
    const QString text = e.databaseText().isEmpty() ? e.text() : e.databaseText();
    return DbError::fromEngine(e.nativeErrorCode().toInt(), text, IsWritingStatement(sql));
}

QString SqliteDriver::version() const
{
    return QString::fromLatin1(sqlite3_libversion());
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
    return fromFailure({reason, dataFault,
                        code == SQLITE_CONSTRAINT_PRIMARYKEY || code == SQLITE_CONSTRAINT_UNIQUE,
                        (code & 0xFF) == SQLITE_BUSY || (code & 0xFF) == SQLITE_LOCKED},
                       words.isEmpty() ? QStringLiteral("SQLite %1").arg(code) : words, writing);
}

sqlite3* sqliteHandle(const QSqlDatabase& db)
{
    return static_cast<sqlite3*>(NativeHandle(db, "sqlite3*"));
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

void registerFunctions(sqlite3* handle)
{
    sqlite3_create_collation(handle, kTextCollation, SQLITE_UTF8, nullptr, compareUtf8);
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

// A wait for another program is short at first, when it is most likely over soon (a write turn handed on),
// and then sparing: steps of 0.2 ms for the first 100 ms, of 20 ms after. The time waited before the
// count-th step, in microseconds.
constexpr int kQuickSteps = 500;
qint64 waitedUs(int count)
{
    return count <= kQuickSteps ? count * 200LL : 100000LL + (count - kQuickSteps) * 20000LL;
}

// One more step of a wait; false when it has lasted as long as any wait for the book lasts.
bool waitStep(int count)
{
    if (waitedUs(count) >= kBusyWaitMs * 1000LL)
        return false;
    ::usleep(useconds_t(waitedUs(count + 1) - waitedUs(count)));
    return true;
}

// A place in the queue of writers: a lock of the book's side file, polled for as the book's own lock is.
// A queue that cannot be had (a folder that takes no new file) is done without.
class WriterQueue {
public:
    explicit WriterQueue(const QString& book)
        : m_fd(::open(QFile::encodeName(writerQueueFile(book)).constData(), O_RDONLY | O_CREAT | O_CLOEXEC,
                      0644))
    {
    }
    ~WriterQueue()
    {
        if (m_fd >= 0)
            ::close(m_fd); // the lock goes with it
    }
    WriterQueue(const WriterQueue&) = delete;
    WriterQueue& operator=(const WriterQueue&) = delete;
    bool tryTake()
    {
        m_held = m_held || (m_fd >= 0 && ::flock(m_fd, LOCK_EX | LOCK_NB) == 0);
        return m_held;
    }
    // Whether another program holds the queue (one kept waiting for the book); the queue is left as found.
    bool isTakenByAnother()
    {
        if (m_fd < 0)
            return false;
        if (!tryTake())
            return true;
        ::flock(m_fd, LOCK_UN);
        m_held = false;
        return false;
    }
    // Waits behind the program that holds it, as long as any wait for the book lasts.
    void take()
    {
        for (int count = 0; !tryTake() && waitStep(count); ++count) {
        }
    }

private:
    int m_fd;
    bool m_held = false;
};

// The queue of the write turn this thread is asking for, if any.
thread_local WriterQueue* t_queue = nullptr;

int waitForOtherProcess(void*, int count)
{
    if (count == 0 && busyNotifier())
        busyNotifier()();
    // A writer kept waiting takes the queue: those who come after it wait behind it, and it is next.
    if (t_queue)
        t_queue->tryTake();
    return waitStep(count) ? 1 : 0;
}

} // namespace

QString writerQueueFile(const QString& book)
{
    return book + QStringLiteral("-turn");
}

void SqliteDriver::beginWriting(const QSqlDatabase& db, const std::function<void()>& begin) const
{
    WriterQueue queue(db.databaseName());
    // Behind one that has waited long, if there is one; it releases the queue once it has the book.
    if (queue.isTakenByAnother())
        queue.take();
    t_queue = &queue;
    const auto leave = qScopeGuard([] { t_queue = nullptr; });
    begin();
}

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
        const DbError error = cannotOpen(SqliteDriver().failure(db.lastError(), {}));
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
    for (int count = 0;; ++count) {
        rc = sqlite3_backup_step(backup, -1);
        if ((rc != SQLITE_BUSY && rc != SQLITE_LOCKED) || !waitStep(count))
            break;
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

// A read transaction begun and its read lock taken at once (a journal left by a writer that died is rolled
// back first); false when a writer holds the book just then.
bool beginReading(sqlite3* handle)
{
    return sqlite3_exec(handle, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK &&
           sqlite3_exec(handle, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) == SQLITE_OK;
}

// The first value of a statement's first row as text, or the engine's complaint when it gives none.
QString firstText(sqlite3* handle, const char* sql)
{
    sqlite3_stmt* stmt = nullptr;
    const bool row =
        sqlite3_prepare_v2(handle, sql, -1, &stmt, nullptr) == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW;
    const QString text = QString::fromUtf8(row ? reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0))
                                               : sqlite3_errmsg(handle));
    sqlite3_finalize(stmt);
    return text;
}

// A book in WAL mode lets a writer commit between two readers' first reads: they may see two states.
bool inWalMode(sqlite3* handle)
{
    return firstText(handle, "PRAGMA journal_mode").compare(QLatin1String("wal"), Qt::CaseInsensitive) == 0;
}

QString quickCheck(sqlite3* handle)
{
    const QString result = firstText(handle, "PRAGMA quick_check(1)");
    return result == QLatin1String("ok") ? QString() : result;
}

// The quick check of a book run on a thread of its own, beside a copy that holds the book's read lock: it
// joins that lock before the copy may let it go (started), so both read one state of the book. It never
// waits, so it never holds the copy up: kept out, it says so (started false, no result) and the copy is
// checked once made instead.
std::future<std::optional<QString>> checkBeside(const QString& book, std::promise<bool> started)
{
    return std::async(std::launch::async, [book, started = std::move(started)]() mutable {
        sqlite3* handle = nullptr;
        const auto close = qScopeGuard([&handle] { sqlite3_close(handle); });
        if (sqlite3_open_v2(QFile::encodeName(book).constData(), &handle, SQLITE_OPEN_READONLY, nullptr) !=
            SQLITE_OK) {
            started.set_value(false);
            return std::optional<QString>();
        }
        registerFunctions(handle);
        const bool joined = beginReading(handle);
        started.set_value(joined);
        if (!joined)
            return std::optional<QString>();
        return std::optional<QString>(quickCheck(handle));
    });
}

} // namespace

QString backupDatabaseFile(const QString& source, const QString& target, CopyCheck check)
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
    // The copy holds the book's read lock from here until every page is in, and the check on the second
    // core reads the book under it meanwhile: the copy is the book's pages as the check saw them. A book a
    // writer holds just then is waited for by the copy alone, and the copy is checked once made.
    std::future<std::optional<QString>> besideCheck;
    if (check == CopyCheck::Quick && beginReading(from) && !inWalMode(from)) {
        std::promise<bool> started;
        std::future<bool> joined = started.get_future();
        besideCheck = checkBeside(source, std::move(started));
        joined.wait();
    }
    // A copy of a book in WAL mode is no WAL file: it leaves no side files wherever it is opened, and
    // restored it never changes the mode of the book it goes into.
    copyPages(from, to, "PRAGMA journal_mode=DELETE");
    if (check == CopyCheck::None)
        return {};
    if (besideCheck.valid())
        if (std::optional<QString> problem = besideCheck.get())
            return *problem;
    return integrityProblem(target);
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

QString integrityProblem(const QString& file, FileCheck depth)
{
    static QAtomicInt serial;
    const QString name = QStringLiteral("docmar-check-%1").arg(serial.fetchAndAddRelaxed(1));
    QString problem;
    try {
        const QSqlDatabase db = openSqliteFile(file, name, false);
        const QString check = depth == FileCheck::Full ? QStringLiteral("PRAGMA integrity_check(1)")
                                                       : QStringLiteral("PRAGMA quick_check(1)");
        Rows q = execOrThrow(db, check);
        const QString result = q.next() ? q.value(0).toString() : QStringLiteral("no result");
        if (result != QLatin1String("ok"))
            problem = result;
    } catch (const DbError& e) {
        problem = e.fullText();
    }
    closeConnection(name);
    return problem;
}
