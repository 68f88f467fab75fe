#!/usr/bin/env bash
# Builds one libFuzzer target with clang and runs it for the given time on its seed corpus; a crash is
# written to fuzz/findings/ and becomes a test. Not part of ./test.sh.
# Usage: fuzz/run.sh settings|amount|page|paradox|statement [SECONDS]    (default 300)
set -euo pipefail
cd "$(dirname "$0")/.."
target=${1:?settings, amount, page, paradox or statement}; seconds=${2:-300}
./scripts/install-deps.sh
command -v clang++ >/dev/null || { sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo;
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends clang; }
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDOCMAR_FUZZ=ON \
  -DDOCMAR_TESTS=OFF -DDOCMAR_BENCH=OFF >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target "fuzz_$target"
corpus=$(mktemp -d); trap 'rm -rf "$corpus"' EXIT
cp fuzz/corpus/"$target"/* "$corpus"/
mkdir -p fuzz/findings
QT_QPA_PLATFORM=offscreen ./build-fuzz/fuzz/fuzz_"$target" -max_total_time="$seconds" -timeout=10 \
  -rss_limit_mb=4096 -artifact_prefix=fuzz/findings/"$target"- "$corpus" fuzz/corpus/"$target"
