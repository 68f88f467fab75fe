#pragma once

#include <QString>

#include <functional>
#include <utility>
#include <vector>

class QSqlDatabase;
class TDM;

// Moving a book between the engines, every row and value, in one transaction on the target.
using CopyProgress = std::function<void(const QString& table, int done, int total)>;
// Rows copied per table, in the order copied.
using CopyBookReport = std::vector<std::pair<QString, int>>;

// The SQLite book into a PostgreSQL book that holds no row; its tables are made when it has none.
// Throws DbError, the target then as it was.
CopyBookReport CopyBookToPostgres(const TDM& source, const QSqlDatabase& target,
                                  const CopyProgress& progress = {});
// A PostgreSQL book into an SQLite book that holds no row. Throws DbError, the target then as it was.
CopyBookReport CopyBookFromPostgres(const QSqlDatabase& source, TDM& target,
                                    const CopyProgress& progress = {});
// The same with the PostgreSQL book named by its address, opened for the copy alone.
CopyBookReport CopyBookToPostgres(const TDM& source, const QString& uri, const CopyProgress& progress = {});
CopyBookReport CopyBookFromPostgres(const QString& uri, TDM& target, const CopyProgress& progress = {});
