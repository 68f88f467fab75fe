#!/usr/bin/env bash
# The manual page renders without a warning, and names every command and option the usage text has.
# Usage: check_manual_page.sh DOCMAR PAGE
set -euo pipefail
docmar=$1 page=$2
warnings=$(LC_ALL=C.UTF-8 groff -ww -man -Tutf8 -z "$page" 2>&1)
if [ -n "$warnings" ]; then
  echo "$warnings"
  exit 1
fi
text=$(LC_ALL=C.UTF-8 groff -man -Tutf8 -rLL=400n -rHY=0 "$page" 2>/dev/null | sed 's/\x1b\[[0-9;]*m//g; s/.\x08//g')
usage=$("$docmar" --help)
missing=0
# Each command (the word after "docmar [--home DIR] ") heads an entry of its own.
for command in $(sed -n 's/^ *docmar \[--home DIR\] \([a-z-]*\).*/\1/p' <<<"$usage"); do
  if ! grep -qE -- "^ +$command( |$)" <<<"$text"; then
    echo "the manual page has no entry for $command"
    missing=1
  fi
done
for option in $(grep -o -- '--[a-z][a-z-]*' <<<"$usage" | sort -u); do
  if ! grep -q -- "$option" <<<"$text"; then
    echo "the manual page does not name $option"
    missing=1
  fi
done
exit $missing
