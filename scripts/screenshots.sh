#!/usr/bin/env bash
# Pictures of every screen of the real program on a virtual 1024x768 display, as a user opens
# them through the main window's menus from the keyboard, under LANG=C.UTF-8 (the program shows
# Italian whatever the machine's language). Run it once without a window manager and once with
# one: bash scripts/screenshots.sh [--wm] [output folder, default docs/screens]
set -euo pipefail
cd "$(dirname "$0")/.."
wm=0
if [ "${1:-}" = "--wm" ]; then wm=1; shift; fi
out="$(realpath -m "${1:-docs/screens}")"
if [ "$wm" = 1 ]; then
  dpkg-query -W -f='${Status}' openbox 2>/dev/null | grep -q "install ok installed" \
    || { apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq openbox >/dev/null; }
fi
[ -x build/program/brevano ] || bash scripts/build.sh
mkdir -p "$out"
suffix=$([ "$wm" = 1 ] && echo "-wm" || echo "")

work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
cp -r build/program "$work/demo"
printf '%s/\r\n0\r\n' "$work/demo" > "$work/demo/brevanov.dat"

source scripts/virtual-display.sh
start_virtual_display 1024x768x24 "$work"
export LANG=C.UTF-8 LC_ALL=C.UTF-8
if [ "$wm" = 1 ]; then openbox >/dev/null 2>&1 & sleep 1; fi

shot() { sleep "${2:-1.2}"; import -window root "$out/$1$suffix.png"; }
keys() { xdotool key --delay 120 "$@"; }
focus_main() {
  local id
  id=$(xdotool search --onlyvisible --name '^Brevano V$' | head -1)
  [ -n "$id" ] && xdotool windowactivate --sync "$id" 2>/dev/null || xdotool windowfocus --sync "$id" 2>/dev/null || true
}

"$work/demo/brevano" &
sleep 0.6
shot 01-splash 0.2
for _ in $(seq 40); do
  id=$(xdotool search --onlyvisible --name 'Accesso Utente' 2>/dev/null | head -1) && [ -n "$id" ] && break
  sleep 0.25
done
xdotool windowfocus --sync "$id" 2>/dev/null || true
shot 02-accesso 0.5
xdotool type --delay 60 admin; keys Tab; xdotool type --delay 60 admin; keys Return
sleep 2
focus_main
shot 03-principale

# Child screens: menu keys, picture, close with Esc (browse mode closes the screen).
while read -r name menu item; do
  focus_main
  keys "$menu" "$item"
  shot "$name" 1.5
  keys Escape
  sleep 0.5
done <<'EOF'
10-zone alt+t z
11-iva alt+t q
12-valute alt+t v
13-localita alt+t g
14-modpaga alt+t n
15-azienda alt+a z
16-clienti alt+a c
17-articoli alt+a r
18-fornitori alt+a f
19-listini alt+a l
20-ddt alt+m d
21-movmaga alt+m m
22-giacenze alt+m s
23-fatture-vendita alt+r v
24-statistiche alt+r t
25-ordini-vendita alt+i v
30-blocchi alt+u b
31-numeratori alt+u n
32-importazione alt+u d
EOF

# A sales invoice written from the keyboard: the customer's code fills the header, an article's
# code fills its row, the totals follow; then it is dropped (Esc leaves the cell, Esc again asks).
focus_main; keys alt+r v; sleep 1.5; keys ctrl+n; sleep 1; keys Tab
xdotool type --delay 60 C001; keys Tab; sleep 0.5
xdotool mousemove 60 490 click 1; sleep 0.5; keys Insert; sleep 0.3
xdotool type --delay 60 ART001; keys Tab Tab Tab; xdotool type --delay 60 12; keys Return
shot 26-fattura-scrittura 1
keys Escape; sleep 0.3; keys Escape; sleep 0.5; keys alt+s; sleep 0.5; keys Escape; sleep 0.5

# A warehouse load typed by hand: the reason, then a row of article, warehouse, quantity and the
# lire price (the demo company keeps its books in lire; the euro price follows).
focus_main; keys alt+m m; sleep 1.5; keys ctrl+n; sleep 1; keys Tab
xdotool type --delay 60 CAR; keys Tab; sleep 0.5
xdotool type --delay 60 ART001; keys Tab Tab; xdotool type --delay 60 DEP; keys Tab
xdotool type --delay 60 7; keys Tab; xdotool type --delay 60 4840; keys Return
shot 27-movimento-scrittura 1
keys Escape; sleep 0.3; keys Escape; sleep 0.5; keys alt+s; sleep 0.5; keys Escape; sleep 0.5

# The document wizard, page by page with its default buttons.
focus_main
keys alt+u u
shot 40-autocomp-benvenuto 1.5
keys Return; shot 41-autocomp-passo1
keys Return; shot 42-autocomp-passo2
keys Return; shot 43-autocomp-passo3 1.5
keys Return; shot 44-autocomp-passo4
keys Escape; sleep 0.5; shot 45-autocomp-uscita 0.5
keys alt+s; sleep 0.5

# Several screens at once, arranged from the Finestra menu.
focus_main
keys alt+t z; sleep 1; focus_main; keys alt+a z; sleep 1; focus_main; keys alt+u n; sleep 1
focus_main; keys alt+n; shot 50-finestra-menu 0.8; keys Escape
focus_main; keys alt+n a; shot 51-finestre-affiancate
focus_main; keys alt+n t; sleep 0.5

# Modal windows.
focus_main; keys alt+u i; shot 60-informazioni 1.5; keys Escape; sleep 0.5
focus_main; keys alt+u c; shot 61-client-server 1.5; keys Escape; sleep 0.5
focus_main; keys alt+u e; shot 62-esercizio 1.5; keys Escape; sleep 0.5
focus_main; keys alt+u f; shot 63-sfondo-file 1.5; keys Escape; sleep 0.8
shot 64-sfondo-domanda 0.5; keys Escape; sleep 0.5
focus_main; keys alt+u t; shot 65-home-page 1.5; keys Return; sleep 0.5
focus_main; keys alt+f e; shot 66-uscita 1; keys Escape
echo "Pictures in $out"
