#!/usr/bin/env bash
# Start-up to a painted window, whole process: the desktop program on a book against a plain Qt window with
# a menu, a table of text and a status bar, each ended at its first paint (first_paint.cpp); the plain
# window in Latin letters and in Cyrillic ones, whose fonts are looked up on first use. Interleaved runs on
# the offscreen platform; medians in ms. Usage: bench/first_paint.sh BUILD_DIR PROGRAM_FOLDER [RUNS]
set -euo pipefail
build=${1:-build}; home=${2:?program folder with a book in DataBase/}; runs=${3:-21}
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
ms() { local s e; s=$(date +%s%N); "$@" >/dev/null 2>&1; e=$(date +%s%N); echo "scale=1; ($e - $s) / 1000000" | bc; }
median() { sort -n | awk '{v[NR]=$1} END {print v[int((NR + 1) / 2)]}'; }
floor=(); cyrillic=(); docmar=()
for _ in $(seq "$runs"); do
  floor+=("$(ms "$build/bench/floor_first_paint")")
  cyrillic+=("$(ms "$build/bench/floor_first_paint" --cyrillic)")
  docmar+=("$(ms "$build/bench/docmar_first_paint" --home "$home")")
done
f=$(printf '%s\n' "${floor[@]}" | median); c=$(printf '%s\n' "${cyrillic[@]}" | median)
d=$(printf '%s\n' "${docmar[@]}" | median)
printf 'floor %s ms (Cyrillic %s ms)  docmar %s ms  ratio %.2f (%.2f)\n' "$f" "$c" "$d" \
  "$(echo "$d / $f" | bc -l)" "$(echo "$d / $c" | bc -l)"
