#!/usr/bin/env bash
# Installs what is missing, builds, and starts Brevano V on a ready demo data folder
# (build/demo: a copy of the program folder that is its own data folder, as on a server).
# Without a display the program runs on a virtual one and a screenshot of its first window is saved.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
demo="$PWD/build/demo"
if [ ! -f "$demo/brevanov.dat" ]; then
  rm -rf "$demo" && cp -r build/program "$demo"
  printf '%s/\r\n0\r\n' "$demo" > "$demo/brevanov.dat"
else
  cp build/program/brevano build/program/manutenzione build/program/*.so build/program/*.xsd \
     build/program/catalog.xml "$demo/"
  # Archives of an earlier build are brought up to this one's version (nothing happens when current).
  "$demo/manutenzione" "$demo" | tail -n 1
fi
echo "Demo data folder: $demo (users: admin/admin, mario/Rossi1)"
if [ -n "${DISPLAY:-}" ]; then
  exec "$demo/brevano"
fi
shot="$PWD/build/first-window.png"
xvfb-run -a -s "-screen 0 1280x800x24" bash -c "
  '$demo/brevano' & pid=\$!
  sleep 8
  import -window root '$shot'
  kill \$pid 2>/dev/null || true
"
echo "No display: the program ran on a virtual display; screenshot of its first window: $shot"
