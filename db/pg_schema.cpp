#include "db/pg_schema.h"

#include "base/month_names.h"
#include "db/connection.h"
#include "db/tables.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QUrl>
#include <QUrlQuery>

#include <algorithm>

namespace {

QString pgType(ColumnType type)
{
    switch (type) {
    case ColumnType::Integer:
        return QStringLiteral("integer");
    case ColumnType::Short:
        return QStringLiteral("smallint");
    case ColumnType::Float:
    case ColumnType::Money:
        return QStringLiteral("double precision");
    case ColumnType::Date:
        return QStringLiteral("date");
    case ColumnType::Text:
        return QStringLiteral("text");
    }
    return {};
}

// An index column of the SQLite description in PostgreSQL terms: the collated ones go by their key.
QString indexColumn(QString part)
{
    part = part.trimmed();
    const QString collate = QStringLiteral(" COLLATE ") + QLatin1String(kTextCollation);
    const qsizetype at = part.indexOf(collate);
    if (at < 0)
        return part;
    return u'(' + PostgresSchema::orderKey(part.left(at)) + u')' + part.mid(at + collate.size());
}

QString quoted(const QString& text)
{
    return u'\'' + QString(text).replace(u'\'', QStringLiteral("''")) + u'\'';
}

} // namespace

namespace PostgresSchema {

QString keyTranslation(QString* from, QString* to)
{
    // The weights put every character below the Cyrillic block first (case folded), then the ranked
    // letters, then everything else by its code point. Here: folded characters keep their place, the
    // ranked letters take the codes just above U+0400, and the few unranked characters that sat there
    // move just above them, where the lower-case letters they displace used to be.
    from->clear();
    to->clear();
    for (char32_t c = 1; c < 0x500; ++c) {
        const char32_t w = textWeight(c);
        char32_t key = c;
        if (w < 0x400 || (w > 0x400 && w < 0x430))
            key = w;
        else if (c >= 0x400 && c < 0x410)
            key = c + 0x30;
        if (key != c) {
            from->append(QChar(char16_t(c)));
            to->append(QChar(char16_t(key)));
        }
    }
    return QStringLiteral("translate($1, %1, %2)").arg(quoted(*from), quoted(*to));
}

QStringList cutTriggerTables()
{
    QStringList tables;
    for (const TableDef* t : Tables::all())
        if (std::any_of(t->columns.begin(), t->columns.end(),
                        [](const ColumnDef& c) { return c.type == ColumnType::Text; }))
            tables << QLatin1String(t->name);
    return tables;
}

QString orderKey(const QString& column)
{
    return QStringLiteral("docmar_key(%1) COLLATE \"C\"").arg(column);
}

QStringList tableSql()
{
    QStringList sql;
    QString from, to;
    sql << QStringLiteral("CREATE FUNCTION docmar_key(text) RETURNS text LANGUAGE sql IMMUTABLE STRICT "
                          "PARALLEL SAFE AS $key$ SELECT %1 $key$")
               .arg(keyTranslation(&from, &to));
    QStringList periods;
    for (int m = 1; m <= 16; ++m)
        periods << QStringLiteral("WHEN %1 THEN %2").arg(m).arg(quoted(ActPeriodName(m)));
    sql << QStringLiteral("CREATE FUNCTION ACT_MONTHSTR(integer) RETURNS text LANGUAGE sql IMMUTABLE "
                          "PARALLEL SAFE AS $p$ SELECT CASE $1 %1 ELSE '' END $p$")
               .arg(periods.join(u' '));
    for (const TableDef* t : Tables::all()) {
        const QString table = QLatin1String(t->name);
        QStringList columns, cuts;
        for (const ColumnDef& c : t->columns) {
            QString column = QLatin1String(c.name) + u' ' + pgType(c.type);
            if (t->primaryKey && qstrcmp(t->primaryKey, c.name) == 0)
                column += QStringLiteral(" PRIMARY KEY");
            columns << column;
            if (c.type == ColumnType::Text)
                cuts << QStringLiteral("NEW.%1 := left(NEW.%1, %2);").arg(QLatin1String(c.name)).arg(c.size);
        }
        sql << QStringLiteral("CREATE TABLE %1 (%2)").arg(table, columns.join(QStringLiteral(", ")));
        // Every writer's text is cut to its column, as on SQLite.
        if (!cuts.isEmpty()) {
            sql << QStringLiteral("CREATE FUNCTION %1_cut() RETURNS trigger LANGUAGE plpgsql AS $c$ BEGIN %2 "
                                  "RETURN NEW; END $c$")
                       .arg(table, cuts.join(u' '));
            sql << QStringLiteral("CREATE TRIGGER %1_cut BEFORE INSERT OR UPDATE ON %1 FOR EACH ROW "
                                  "EXECUTE FUNCTION %1_cut()")
                       .arg(table);
        }
    }
    return sql;
}

QStringList createSql()
{
    return tableSql() + indexSql();
}

QStringList indexSql()
{
    QStringList sql;
    for (const TableDef* t : Tables::all())
        for (const IndexDef& i : t->indexes) {
            QStringList parts;
            for (const QString& part : QString::fromLatin1(i.columns).split(u','))
                parts << indexColumn(part);
            sql << QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)%5")
                       .arg(i.unique ? QStringLiteral("UNIQUE ") : QString(), QLatin1String(i.name),
                            QLatin1String(t->name), parts.join(QStringLiteral(", ")),
                            i.where ? QStringLiteral(" WHERE ") + QLatin1String(i.where) : QString());
        }
    return sql;
}

} // namespace PostgresSchema

namespace PostgresSchema {

bool isBookUri(const QString& text)
{
    return text.startsWith(QLatin1String("postgresql://")) || text.startsWith(QLatin1String("postgres://"));
}

QSqlDatabase openBook(const QString& uri, const QString& connectionName)
{
    const QUrl url(uri);
    if (!isBookUri(uri) || !url.isValid() || url.path().size() < 2)
        throw DbError(QCoreApplication::translate("TDM",
                                                  "Неверный адрес базы данных PostgreSQL: %1 "
                                                  "(ожидается postgresql://пользователь@сервер:порт/база)")
                          .arg(uri));
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connectionName);
    if (!db.isValid()) {
        QSqlDatabase::removeDatabase(connectionName);
        throw DbError(QCoreApplication::translate("TDM", "Драйвер PostgreSQL недоступен"));
    }
    const QUrlQuery query(url);
    db.setHostName(query.hasQueryItem(QStringLiteral("host")) ? query.queryItemValue(QStringLiteral("host"))
                                                              : url.host());
    if (url.port() > 0)
        db.setPort(url.port());
    else if (query.hasQueryItem(QStringLiteral("port")))
        db.setPort(query.queryItemValue(QStringLiteral("port")).toInt());
    db.setUserName(url.userName());
    db.setDatabaseName(url.path().mid(1));
    if (!db.open()) {
        const QString why = db.lastError().text();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName);
        throw DbError(QCoreApplication::translate("TDM", "Не удалось открыть базу данных %1").arg(uri), why);
    }
    return db;
}

bool hasTables(const QSqlDatabase& db)
{
    return scalar(db, QStringLiteral("SELECT count(*) FROM information_schema.tables WHERE "
                                     "table_schema = current_schema() AND table_name = 'clients'"))
               .toInt() > 0;
}

bool hasRows(const QSqlDatabase& db)
{
    QStringList counts;
    for (const TableDef* t : Tables::all())
        counts << QStringLiteral("(SELECT count(*) FROM %1)").arg(QLatin1String(t->name));
    return scalar(db, QStringLiteral("SELECT ") + counts.join(QStringLiteral(" + "))).toLongLong() > 0;
}

} // namespace PostgresSchema
