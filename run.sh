#!/usr/bin/env bash
# Builds DocMar and starts it on the database in $DOCMAR_HOME (default ~/DocMar), creating it when absent.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDOCMAR_TESTS=OFF -DDOCMAR_BENCH=OFF >/dev/null
cmake --build build -j "$(nproc)"

home="${DOCMAR_HOME:-$HOME/DocMar}"
mkdir -p "$home"
./build/docmar --home "$home" init-db 2>/dev/null || ./build/docmar --home "$home" init-db
exec ./build/docmar --home "$home" "$@"
