#!/usr/bin/env bash
# Three programs storing COUNT invoices each into one book at once, through the editor's writer: first a
# PostgreSQL book on a throw-away server of this machine, then one SQLite book. Each prints what was lost
# or doubled (must be 0) and the time per stored invoice. Usage: bench/shared_writers.sh BUILD_DIR [COUNT]
set -euo pipefail
build=$(realpath "${1:-build}"); count=${2:-10000}; writers=3
root=$(realpath "$(dirname "$0")/..")
work=$(mktemp -d); chmod 755 "$work"
pg="$work/pg"
trap '"$root/scripts/pg-test-cluster.sh" stop "$pg"; rm -rf "$work"' EXIT
conninfo=$("$root/scripts/pg-test-cluster.sh" start "$pg")
host=$(sed 's/.*host=\([^ ]*\).*/\1/' <<<"$conninfo")
psql "$conninfo" -qc "CREATE DATABASE writers" >/dev/null
book="postgresql://postgres@/writers?host=$host&port=54329"

run() { # BOOK: the book ("" for the SQLite file), made with one client, then the writers side by side
  local label=$1 book=$2 home="$work/$1"
  mkdir -p "$home"
  "$build/docmar" --home "$home" --book "$book" demo --clients 1 --invoices 0 2>"$home/demo.log" || { cat "$home/demo.log" >&2; return 1; }
  local start=$(date +%s.%N) pids=() outs=()
  for w in $(seq 0 $((writers - 1))); do
    "$build/bench/shared_writers" write "$home/DataBase" "$book" "$w" "$count" "$home/w$w.txt" & pids+=($!)
    outs+=("$home/w$w.txt")
  done
  local failed=0
  for p in "${pids[@]}"; do wait "$p" || failed=1; done
  local wall=$(echo "$(date +%s.%N) - $start" | bc -l)
  printf '%-10s %d writers x %d, %.1f s: ' "$label" "$writers" "$count" "$wall"
  "$build/bench/shared_writers" check "$home/DataBase" "$book" "${outs[@]}" || failed=1
  return $failed
}
run postgresql "$book"
run sqlite ""
