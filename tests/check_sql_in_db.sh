#!/usr/bin/env bash
# The book's statements live in db/: no file of the layers above holds SQL text, runs a statement itself
# or holds the connection under the book.
set -euo pipefail
cd "$1"
statements='"[^"]*\b(SELECT|INSERT INTO|UPDATE [A-Za-z_]+ SET|DELETE FROM|CREATE (TABLE|INDEX|TRIGGER|FUNCTION)|DROP (TABLE|INDEX|TRIGGER)|ALTER TABLE|PRAGMA|BEGIN IMMEDIATE|FOR UPDATE)\b'
runners='\b(execOrThrow|selectKeys|QSqlQuery|QSqlDatabase|Statement [a-z]|scalar\(|ConnectionOf\(|\.database\(\))'
found=$(grep -rnE "$statements|$runners" --include=*.cpp --include=*.h app base clients documents maintenance print report widgets || true)
if [ -n "$found" ]; then
  echo "$found"
  echo "SQL outside db/: put the statement into a store of db/ and call that."
  exit 1
fi
