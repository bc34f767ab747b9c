#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need (run as root).
# Qt's own Italian texts (file dialogs, context menus) come with qt6-translations-l10n.
# What a screen reader hears is read through AT-SPI (at-spi2-core, python3-pyatspi, dbus-x11).
# Archives on a PostgreSQL server: Qt's driver; the tests run a throw-away cluster of the server.
set -euo pipefail
packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev libqt6sql6-sqlite libsqlite3-dev qt6-translations-l10n
  libqt6sql6-psql postgresql
  libgtest-dev mdbtools-dev libxml2-dev
  poppler-utils libxml2-utils
  ccache lld sqlite3 xvfb xauth imagemagick xdotool x11-apps fonts-dejavu-core locales
  at-spi2-core python3-pyatspi dbus-x11
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi
# The import is tested under an Italian number format as well.
if ! locale -a 2>/dev/null | grep -qi '^it_IT.utf8$'; then
  localedef -i it_IT -f UTF-8 it_IT.UTF-8 2>/dev/null || true
fi
