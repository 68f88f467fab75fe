#!/usr/bin/env bash
# `docmar backup` of a book against the sqlite3 shell's .backup of the same database file; the best of
# three runs of each, wall time. Usage: bench/backup_vs_shell.sh BUILD_DIR PROGRAM_FOLDER
set -euo pipefail
build=${1:-build}; home=${2:?program folder with a book in DataBase/}
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
db="$home/DataBase/docmar.db"

. "$(dirname "$0")/timing.sh"

docmar_s=$(best "$build/docmar" --home "$home" backup)
shell_s=$(best sqlite3 "$db" ".backup $work/copy.db")
printf 'book    %s MB\ndocmar  %5.2f s\nsqlite3 %5.2f s\nratio   %5.2f\n' "$(( $(stat -c %s "$db") / 1048576 ))" \
  "$docmar_s" "$shell_s" "$(echo "$docmar_s / $shell_s" | bc -l)"
