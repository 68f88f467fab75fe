#!/usr/bin/env bash
# The book's statements live in db/: no other file of the program holds SQL text, runs a statement itself,
# holds the connection under the book or calls an engine's own API. Every file git keeps is read, in every
# folder but db/ and the tests and benchmarks that drive the book directly, whatever its kind; letter case
# does not matter to SQL, so it does not matter here.
set -euo pipefail
cd "$1"
# Statements by their shape, in any letter case; a statement's first word as SQL is written (capitals), in a
# string, a piece of one or a line of a raw string.
shapes='\bselect\b.*\bfrom\b|\binsert\s+(into|or)\b|\breplace\s+into\b|\bupdate\s+\w+\s+set\b|\bdelete\s+from\b|\b(create|drop|alter)\s+(table|index|trigger|view|function|database)\b|\bfor\s+update\b|\bbegin\s+(immediate|exclusive|transaction)\b|\b(vacuum|savepoint|pragma)\b\s*("|;|[a-z_]+\s*(=|\(|"|;))|\battach\s+database\b'
kw='SELECT|INSERT|UPDATE|DELETE|WITH|REPLACE|VACUUM|ATTACH|DETACH|SAVEPOINT|PRAGMA|CREATE|DROP|ALTER|REINDEX'
words="\"\\s*($kw)\\b|R\"[^(]*\\(\\s*($kw)\\b|^\\s*($kw)\\b"
runners='\b(execOrThrow|selectKeys|Statement [a-z]|scalar\(|ConnectionOf\(|\.database\()|\bQSql[A-Z]|\bsqlite3_[a-z]|\bPQ[a-z]+\('
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  listed=$(git ls-files --cached --others --exclude-standard)
else
  listed=$(find . -type f | sed 's|^\./||')
fi
files=$(printf '%s\n' "$listed" | grep -vE '^(db/|tests/|bench/|build[^/]*/|docs/|\.)' |
        grep -vE '\.(png|svg|qm|ts|md)$' || true)
[ -z "$files" ] && exit 0
code_only='^[^:]+:[0-9]+:\s*(//|#|\*)'
found=$( (printf '%s\n' "$files" | tr '\n' '\0' | xargs -0 grep -nHiE "$shapes" 2>/dev/null || true
          printf '%s\n' "$files" | tr '\n' '\0' | xargs -0 grep -nHE "$words|$runners" 2>/dev/null || true) |
        grep -vE "$code_only" || true)
if [ -n "$found" ]; then
  echo "$found"
  echo "SQL outside db/: put the statement into a store of db/ and call that."
  exit 1
fi
