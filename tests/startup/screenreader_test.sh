#!/usr/bin/env bash
# What a screen reader hears through AT-SPI in the real program on a virtual display: signs in,
# opens D.D.T. from the menu and reads its two grids, which must be named apart, show no hidden
# column, and give dates and amounts as written on screen ("15/12/2025", "126.720", "65,45").
# Usage: screenreader_test.sh <program folder>
set -euo pipefail
program="$1"
for tool in Xvfb dbus-launch xdotool /usr/libexec/at-spi-bus-launcher; do
  command -v "$tool" >/dev/null 2>&1 || { echo "$tool is not installed: test skipped"; exit 0; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "python3-pyatspi is not installed: test skipped"; exit 0; }

work="$(mktemp -d)"
trap 'kill ${XVFB_PID:-} 2>/dev/null; rm -rf "$work"' EXIT
cp -r "$program" "$work/demo"
printf '%s/\r\n0\r\n' "$work/demo" > "$work/demo/brevanov.dat"
cat > "$work/read.py" <<'PY'
import pyatspi, re, sys
tables = []
def walk(node, depth=0):
    if node is None or depth > 40:
        return
    if node.getRoleName() == 'table':
        t = node.queryTable()
        heads = [t.getColumnDescription(c) for c in range(t.nColumns)]
        cells = [t.getAccessibleAt(0, c) for c in range(t.nColumns)] if t.nRows else []
        tables.append((node.name, dict(zip(heads, (cell.name if cell else '' for cell in cells)))))
        return
    for i in range(node.childCount):
        walk(node.getChildAtIndex(i), depth + 1)
for app in pyatspi.Registry.getDesktop(0):
    if app is not None and 'brevano' in (app.name or '').lower():
        walk(app)
print(tables)
heard = {}
for name, cells in tables:
    heard.setdefault(name, cells)
upper, lower = heard.get('D.D.T.', {}), heard.get('Righe del Documento', {})
ok = (re.fullmatch(r'\d\d/\d\d/\d{4}', upper.get('Data Reg.', '')) and ',' in upper.get('Totale Euro', '')
      and ',' in lower.get('Prezzo Euro', '') and not any(h in upper for h in ('DataReg', 'TotaleLire', 'idEsercizio')))
sys.exit(0 if ok else 1)
PY

source "$(dirname "$0")/../../scripts/virtual-display.sh" && start_virtual_display 1024x768x24 "$work"
env -u QT_QPA_PLATFORM QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
  dbus-launch --exit-with-session bash -c '
  work="$1"
  /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
  "$work/demo/brevano" > "$work/run.log" 2>&1 &
  pid=$!
  for _ in $(seq 1 60); do
    id=$(xdotool search --onlyvisible --name "Accesso Utente" 2>/dev/null | head -1) && [ -n "$id" ] && break
    sleep 0.5
  done
  xdotool windowfocus --sync "$id"; xdotool type --delay 60 admin; xdotool key Tab
  xdotool type --delay 60 admin; xdotool key Return; sleep 3
  xdotool windowfocus --sync "$(xdotool search --onlyvisible --name "^Brevano V$" | head -1)"
  xdotool key --delay 150 alt+m d; sleep 3
  timeout 60 /usr/bin/python3 "$work/read.py"; status=$?
  kill "$pid"; exit $status
' _ "$work"
