#!/usr/bin/env bash
# `docmar import-paradox` of a demo book written as Paradox tables, against `docmar demo` writing the same
# rows. Usage: bench/import_vs_demo.sh BUILD_DIR CLIENTS INVOICES [WORK_DIR]
# (writing the Paradox tables with pxlib takes a while; a WORK_DIR keeps them for the next run)
set -euo pipefail
build=${1:-build}; clients=${2:-10000}; invoices=${3:-200000}
work=${4:-$(mktemp -d)}
mkdir -p "$work"

seconds() { /usr/bin/time -f '%e' -o "$work/time" "$@" >/dev/null 2>&1; cat "$work/time"; }

rm -rf "$work/demo" "$work/import"
demo_s=$(seconds "$build/docmar" --home "$work/demo" demo --clients "$clients" --invoices "$invoices")
if [ ! -f "$work/px/Factures.DB" ]; then
  "$build/bench/paradox_book" "$work/demo" "$work/px"
fi
import_s=$(seconds "$build/docmar" --home "$work/import" import-paradox "$work/px")
rows=$(sqlite3 "$work/import/DataBase/docmar.db" "SELECT (SELECT count(*) FROM CLIENTS NOT INDEXED)+(SELECT count(*) FROM FACTURES)+(SELECT count(*) FROM NAKLADN1)+(SELECT count(*) FROM NAKLADN2)+(SELECT count(*) FROM PRODUCTS)")
printf 'rows    %s\ndemo    %6.2f s\nimport  %6.2f s\nratio   %6.2f\n' "$rows" "$demo_s" "$import_s" "$(echo "$import_s / $demo_s" | bc -l)"
