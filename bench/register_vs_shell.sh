#!/usr/bin/env bash
# The invoice register of every client for one year, from the command line, beside the sqlite3 shell
# selecting the same rows into a file: every column, in the register's order; and the sums the register
# computes (each position's, the document's sum, VAT and total) beside the date, number and payer, as
# text. Wall time of each.
# Usage: bench/register_vs_shell.sh BUILD_DIR PROGRAM_FOLDER YEAR
set -euo pipefail
build=${1:-build}; home=${2:?program folder with a book}; year=${3:-2025}
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
db="$home/DataBase/docmar.db"

. "$(dirname "$0")/timing.sh"

docmar_s=$(best "$build/docmar" --home "$home" register invoices --from "01.01.$year" --to "31.12.$year" -o "$work/reg.txt")
shell_s=$(best sqlite3 "$db" ".output $work/rows.txt" \
  "SELECT * FROM FACTURES WHERE FACT_NUMBER>0 AND FACT_DATA>='$year-01-01' AND FACT_DATA<='$year-12-31' ORDER BY FACT_NUMBER;")
line="round(coalesce(COUNT_POS%d,0)*coalesce(PRICE_POS%d,0),2)"
positions=$(for i in 1 2 3 4; do printf "$line, " $i $i; done)
subtotal=$(for i in 1 2 3 4; do printf "$line+" $i $i; done)0
sums_s=$(best sqlite3 "$db" ".output $work/sums.txt" \
  "SELECT FACT_DATA, FACT_NUMBER, FACT_DOPNO, NAME_OWNER, $positions s, round(s*FACT_NDS/100,2), s+round(s*FACT_NDS/100,2)
   FROM (SELECT *, $subtotal AS s FROM FACTURES WHERE FACT_NUMBER>0 AND FACT_DATA>='$year-01-01' AND FACT_DATA<='$year-12-31') ORDER BY FACT_NUMBER;")
rows=$(sqlite3 "$db" "SELECT count(*) FROM FACTURES WHERE FACT_NUMBER>0 AND FACT_DATA>='$year-01-01' AND FACT_DATA<='$year-12-31'")
printf 'invoices %s, register lines %s\ndocmar  %5.2f s\nsqlite3 %5.2f s (every column), ratio %5.2f\nsqlite3 %5.2f s (the sums), ratio %5.2f\n' \
  "$rows" "$(wc -l < "$work/reg.txt")" "$docmar_s" "$shell_s" "$(echo "$docmar_s / $shell_s" | bc -l)" \
  "$sums_s" "$(echo "$docmar_s / $sums_s" | bc -l)"
