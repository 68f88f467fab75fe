#!/usr/bin/env bash
# Installs the Debian packages DocMar builds and runs with; installs nothing that is already there.
set -euo pipefail

packages=(
  g++ cmake make pkg-config
  qt6-base-dev libqt6sql6-sqlite libsqlite3-dev sqlite3 pxlib-dev
  postgresql-15 libqt6sql6-psql libpq-dev
  libgtest-dev libbenchmark-dev
  qt6-translations-l10n qt6-l10n-tools qt6-tools-dev
  fonts-liberation poppler-utils
  libqrencode-dev zbar-tools
  libxlsxwriter-dev python3-openpyxl
  desktop-file-utils appstream groff-base man-db lintian dpkg-dev fakeroot file
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
