#!/usr/bin/env bash
# Bulk writes: `docmar demo` against the sqlite3 shell loading the same rows (a .dump of the demo book read
# into an empty file whose tables and indexes exist first, without the column-size guards; the shell has no
# UKRAINIAN collation, so its text indexes use the built-in NOCASE), with the peak
# memory of each. Usage: bench/bulk_write.sh BUILD_DIR CLIENTS INVOICES
set -euo pipefail
build=${1:-build}; clients=${2:-10000}; invoices=${3:-200000}
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT

seconds() { /usr/bin/time -f '%e %M' -o "$work/time" "$@" >/dev/null 2>&1; cat "$work/time"; }

read -r demo_s demo_kb < <(seconds "$build/docmar" --home "$work/demo" demo --clients "$clients" --invoices "$invoices")
db="$work/demo/DataBase/docmar.db"

# The same schema, empty, then the rows of every table as INSERT statements in one transaction.
sqlite3 "$db" .schema | grep -v -E '^CREATE TRIGGER|^  |^END;' | grep -v sqlite_sequence | sed "s/COLLATE UKRAINIAN/COLLATE NOCASE/g" > "$work/schema.sql"
{ echo "PRAGMA synchronous=FULL;"; echo "BEGIN;"
  for t in CLIENTS FACTURES NAKLADN1 NAKLADN2 ACTS PRODUCTS PLATEG; do
    sqlite3 "$db" ".mode insert $t" "SELECT * FROM $t NOT INDEXED ORDER BY rowid;"
  done
  echo "COMMIT;"; } > "$work/rows.sql"
sqlite3 "$work/shell.db" < "$work/schema.sql"
read -r shell_s shell_kb < <(seconds sqlite3 "$work/shell.db" ".read $work/rows.sql")

rows=$(sqlite3 "$db" "SELECT (SELECT count(*) FROM CLIENTS NOT INDEXED)+(SELECT count(*) FROM FACTURES)+(SELECT count(*) FROM NAKLADN1)+(SELECT count(*) FROM NAKLADN2)")
printf 'rows %s\ndemo   %6.2f s  %7d KB peak\nsqlite3 %5.2f s  %7d KB peak\nratio  %6.2f\n' \
  "$rows" "$demo_s" "$demo_kb" "$shell_s" "$shell_kb" "$(echo "$demo_s / $shell_s" | bc -l)"
