#!/usr/bin/env bash
# kill -9 during `init-db` and during `demo`, RUNS times each at random moments. After each kill the book
# must pass the engine's integrity check and be empty or whole (all the demo clients or none), and
# init-db or demo must still work on it. Prints the tally.
# Usage: bench/kill_loop.sh BUILD_DIR RUNS (BUILD_DIR built with benchmarks, for bench/book_check)
set -uo pipefail
build=${1:-build}; runs=${2:-100}
docmar="$build/docmar"; check="$build/bench/book_check"
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT

tally() { # label, expected clients when whole, then one book_check line per run on stdin
  awk -v label="$1" -v full="$2" '
    $1 == "none" { none++; next }
    $1 == "ok" && $2 == 0 { empty++; next }
    $1 == "ok" && $2 == full { whole++; next }
    { bad++; print "  bad: " $0 }
    END { printf "%s: no database %d, empty %d, whole %d, damaged or half filled %d\n", label, none, empty, whole, bad }'
}

for i in $(seq "$runs"); do
  home="$work/init$i"
  "$docmar" --home "$home" init-db 2>/dev/null & pid=$!
  sleep "0.0$((RANDOM % 60))"; kill -9 "$pid" 2>/dev/null; wait "$pid" 2>/dev/null
  "$check" "$home/DataBase"
  "$docmar" --home "$home" init-db 2>/dev/null || echo "init-db fails afterwards"
  rm -rf "$home"
done | tally "init-db killed $runs times" 0

for i in $(seq "$runs"); do
  home="$work/demo$i"
  "$docmar" --home "$home" init-db 2>/dev/null
  "$docmar" --home "$home" demo --clients 2000 --invoices 100000 2>/dev/null & pid=$!
  sleep "$((RANDOM % 2)).$((RANDOM % 10))"; kill -9 "$pid" 2>/dev/null; wait "$pid" 2>/dev/null
  "$check" "$home/DataBase"
  rm -rf "$home"
done | tally "demo killed $runs times" 2000
