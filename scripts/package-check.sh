#!/usr/bin/env bash
# Builds the Debian package from a release build, checks it with lintian, installs it, runs the installed
# program from PATH and removes it again. Needs root or sudo (it installs a package); without them it says
# so and checks the package only.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-package}
# Hardened as Debian builds its packages.
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DDOCMAR_TESTS=OFF -DDOCMAR_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="-D_FORTIFY_SOURCE=2 -fstack-protector-strong" \
  -DCMAKE_EXE_LINKER_FLAGS="-Wl,-z,relro,-z,now" >/dev/null
cmake --build "$build" -j "$(nproc)"
(cd "$build" && rm -f docmar_*.deb && cpack -G DEB >/dev/null)
deb=$(ls "$build"/docmar_*.deb)
echo "Package: $deb"
# An error or a warning fails the check.
lintian --fail-on error,warning "$deb"

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  if ! sudo -n true 2>/dev/null; then
    echo "Not installed: neither root nor sudo."
    exit 0
  fi
  sudo="sudo -n"
fi
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$(realpath "$deb")" >/dev/null
trap '$sudo env DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq docmar >/dev/null' EXIT
home=$(mktemp -d)
test "$(command -v docmar)" = /usr/bin/docmar
docmar --version
docmar --home "$home" init-db
docmar --home "$home" demo --clients 5 --invoices 20
docmar --home "$home" find invoice 1 | grep -q '^FACT_NUMBER=1$'
# Without --home an installed program keeps its book in ~/DocMar.
HOME="$home" docmar init-db
test -f "$home/DocMar/DataBase/docmar.db"
test -f /usr/share/applications/docmar.desktop
test -f /usr/share/metainfo/ua.docmar.DocMar.metainfo.xml
test -f /usr/share/icons/hicolor/scalable/apps/docmar.svg
man -w docmar >/dev/null
rm -rf "$home"
echo "The package installs, runs from PATH and is removed."
