#!/usr/bin/env bash
# Builds DocMar with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DDOCMAR_SANITIZE=ON >/dev/null
cmake --build build-test -j "$(nproc)"

# The PostgreSQL book's tests run against a throw-away server of their own, stopped whatever happens.
root=$(pwd)
pg_dir=$(mktemp -d)
trap '"$root/scripts/pg-test-cluster.sh" stop "$pg_dir"' EXIT
DOCMAR_TEST_PG=$("$root/scripts/pg-test-cluster.sh" start "$pg_dir")
export DOCMAR_TEST_PG

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:${UBSAN_OPTIONS:-}"
cd build-test
ctest --output-on-failure -j "$(nproc)"

# Root reads and writes any file, so the tests of files without rights skip themselves under root; run
# them once more as an unprivileged user where the machine allows it.
if [ "$(id -u)" -eq 0 ] && setpriv --reuid=65534 --regid=65534 --clear-groups true 2>/dev/null; then
  rights=$(mktemp -d)
  cp tests/base_tests tests/widget_tests "$rights"/
  chmod -R a+rX "$rights"
  (cd "$rights" && HOME="$rights" setpriv --reuid=65534 --regid=65534 --clear-groups ./base_tests \
      --gtest_filter='*ReadRights*' &&
    HOME="$rights" setpriv --reuid=65534 --regid=65534 --clear-groups ./widget_tests \
      --gtest_filter='*WriteProtected*')
  rm -rf "$rights"
fi

# The Debian package: built from a release build, linted, installed, run from PATH and removed.
cd "$root"
./scripts/package-check.sh
