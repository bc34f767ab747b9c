#!/usr/bin/env bash
# Starts the real program on a virtual display, on a copy of the program folder that is its own
# data folder (as on a server), waits for the sign-in dialog (the splash goes on by itself after
# five seconds), saves a screenshot of the screen, and leaves with Esci: the process must end.
# Usage: smoke_test.sh <program folder> <screenshot.png>
set -euo pipefail
program="$1" shot="$2"
command -v Xvfb >/dev/null 2>&1 || { echo "Xvfb is not installed: smoke test skipped"; exit 0; }

work="$(mktemp -d)"
trap 'kill ${XVFB_PID:-} 2>/dev/null; rm -rf "$work"' EXIT
demo="$work/program"
cp -r "$program" "$demo"
rm -f "$demo/user.mdb" "$demo/data.mdb" "$demo/locdata.mdb" "$demo/layout.tb" "$shot"
printf '%s/\r\n0\r\n' "$demo" > "$demo/brevanov.dat"

source "$(dirname "$0")/../../scripts/virtual-display.sh" && start_virtual_display 1024x768x24 "$work"
env -u QT_QPA_PLATFORM bash -c '
  demo="$1"; shot="$2"
  "$demo/brevano" > "$demo/run.log" 2>&1 &
  pid=$!
  for _ in $(seq 1 60); do
    if xdotool search --name "Accesso Utente" >/dev/null 2>&1; then
      sleep 1
      import -window root "$shot"
      xdotool windowfocus --sync "$(xdotool search --onlyvisible --name "Accesso Utente" | head -1)" 2>/dev/null || true
      xdotool key --delay 150 Tab Tab Tab space  # Esci, reached from the user code field
      for _ in $(seq 1 20); do
        kill -0 "$pid" 2>/dev/null || { wait "$pid" && exit 0; echo "Esci ended the program with an error"; exit 1; }
        sleep 0.5
      done
      echo "Esci at the sign-in did not end the program"; kill "$pid"; exit 1
    fi
    kill -0 "$pid" 2>/dev/null || { echo "the program ended before the sign-in"; cat "$demo/run.log"; exit 1; }
    sleep 0.5
  done
  echo "no sign-in dialog within 30 seconds (needs xdotool and imagemagick)"
  kill "$pid"
  exit 1
' _ "$demo" "$shot"

[ -s "$shot" ] || { echo "no screenshot"; exit 1; }
echo "sign-in dialog shown; screenshot: $shot"
