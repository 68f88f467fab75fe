#!/usr/bin/env bash
# The SQL check against statements planted where they must not be: each probe alone in a tree must be
# found, and a tree of harmless code that only looks like SQL must pass.
set -uo pipefail
check="$(dirname "$0")/check_sql_in_db.sh"
probes=(
  'app/a.cpp|QString q = "select FIRMNAME from CLIENTS";'
  'app/a.cpp|QString q = QStringLiteral("SELECT ") + columns + " FROM " + table;'
  'app/a.cpp|run("INSERT OR REPLACE INTO PLATEG VALUES (1)");'
  'app/a.cpp|run("REPLACE INTO PLATEG VALUES (1)");'
  'print/a.cpp|run("VACUUM");'
  'print/a.cpp|run("ATTACH DATABASE '"'"'x.db'"'"' AS x");'
  'clients/a.cpp|run("SAVEPOINT one");'
  'clients/a.cpp|run("WITH gone AS (SELECT 1) DELETE FROM ACTS");'
  'report/a.cpp|const char* q = R"(\n    SELECT FIRMNAME\n    FROM CLIENTS)";'
  'widgets/a.cpp|sqlite3_exec(handle, text, nullptr, nullptr, nullptr);'
  'maintenance/a.cpp|PGresult* r = PQexec(connection, text);'
  'documents/a.cpp|QSqlTableModel model;'
  'schema.sql|create table T (A integer);'
  'newlayer/a.cpp|run("UPDATE CLIENTS SET CITY = 1");'
  'payments/a.cpp|Rows q = execOrThrow(ConnectionOf(dm), text);'
  'base/a.cpp|run("PRAGMA journal_mode");'
)
status=0
for probe in "${probes[@]}"; do
  tree=$(mktemp -d)
  file="${probe%%|*}"
  mkdir -p "$tree/$(dirname "$file")"
  printf '%b\n' "${probe#*|}" > "$tree/$file"
  if bash "$check" "$tree" > /dev/null; then
    echo "not found: $probe"
    status=1
  fi
  rm -rf "$tree"
done
tree=$(mktemp -d)
mkdir -p "$tree/widgets"
cat > "$tree/widgets/a.cpp" <<'CODE'
// Select the client first, then update the list and delete from it what went.
const char* names[] = {"insert", "delete", "refresh"};
delete button;
QString hint = tr("Select a client");
CODE
if ! bash "$check" "$tree"; then
  echo "harmless code taken for SQL"
  status=1
fi
rm -rf "$tree"
exit $status
