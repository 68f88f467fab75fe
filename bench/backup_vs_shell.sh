#!/usr/bin/env bash
# `docmar backup`, `clear-documents --yes` and `restore` of a book against the sqlite3 shell doing the same
# work: .backup; .backup then the DELETEs; .backup then .restore. Best of three runs each, wall time; every
# run starts from a fresh copy of the book (not timed). Usage: bench/backup_vs_shell.sh BUILD_DIR
# PROGRAM_FOLDER
set -euo pipefail
build=${1:-build}; home=${2:?program folder with a book in DataBase/}
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
db="$home/DataBase/docmar.db"
mkdir -p "$work/home"; printf '[DATABASE]\nPATH=%s\n' "$work/home/DataBase" > "$work/home/docmar.ini"
book="$work/home/DataBase/docmar.db"
fresh() { rm -rf "$work/home/DataBase"; mkdir -p "$work/home/DataBase"; cp "$db" "$book"; sync; }

# Best wall time of three runs of CMD..., each after a fresh book.
timed() {
  local b=999
  for _ in 1 2 3; do
    fresh
    /usr/bin/time -f '%e' -o "$work/t" "$@" >/dev/null 2>&1
    b=$(echo "t=$(cat "$work/t"); if (t < $b) t else $b" | bc -l)
  done
  echo "$b"
}
clear_sql="DELETE FROM ACTS; DELETE FROM FACTURES; DELETE FROM NAKLADN1; DELETE FROM NAKLADN2; DELETE FROM PLATEG;"
backup_d=$(timed "$build/docmar" --home "$work/home" backup)
backup_s=$(timed sqlite3 "$book" ".backup $work/copy.db")
clear_d=$(timed "$build/docmar" --home "$work/home" clear-documents --yes)
clear_s=$(timed sqlite3 "$book" ".backup $work/copy.db" "$clear_sql")
fresh; sqlite3 "$db" ".backup $work/saved.db"
restore_d=$(timed "$build/docmar" --home "$work/home" restore "$work/saved.db")
restore_s=$(timed sqlite3 "$book" ".backup $work/copy.db" ".restore $work/saved.db")
printf 'book %s MB       docmar  sqlite3  ratio\n' "$(( $(stat -c %s "$db") / 1048576 ))"
for what in backup clear restore; do
  d=${what}_d; s=${what}_s
  printf '%-16s %6.2f s %6.2f s %5.2f\n' "$what" "${!d}" "${!s}" "$(echo "${!d} / ${!s}" | bc -l)"
done
